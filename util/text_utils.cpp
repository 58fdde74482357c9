#include "util/text_utils.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <istream>
#include <ostream>

template <typename T>
static std::string decimal_text(T value)
{
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
  return std::string(buffer, result.ptr);
}

std::string int_to_string(int value)
{
  return decimal_text(value);
}

std::string unsigned_to_string(unsigned value)
{
  return decimal_text(value);
}

std::string long_to_string(long value)
{
  return decimal_text(value);
}

std::string unsigned_long_to_string(unsigned long value)
{
  return decimal_text(value);
}

std::istream &read_line(std::istream &in, std::string &line)
{
  line.clear();
  if(in.fail())
    return in;
  // getline keeps NUL bytes and long lines whole; reaching end of input
  // must leave the stream failed even when a last line was read.
  std::getline(in, line);
  if(in.eof())
    in.setstate(std::ios::failbit);
  line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
  return in;
}

void read_stream_text(const std::ostringstream &stream, std::string &text)
{
  text = stream.str();
}

void escape_char(std::string &out, char c, bool in_string)
{
  switch(c)
  {
  case '\0': out += "\\0"; return;
  case '\a': out += "\\a"; return;
  case '\b': out += "\\b"; return;
  case '\t': out += "\\t"; return;
  case '\n': out += "\\n"; return;
  case '\v': out += "\\v"; return;
  case '\f': out += "\\f"; return;
  case '\r': out += "\\r"; return;
  case 27: out += "\\e"; return;
  case '\\': out += "\\\\"; return;
  case '"':
    if(in_string)
      out += '\\';
    out += c;
    return;
  case '\'':
    if(!in_string)
      out += '\\';
    out += c;
    return;
  default:
    break;
  }

  const unsigned char byte = static_cast<unsigned char>(c);
  if(byte >= 32 && byte <= 126)
  {
    out += c;
    return;
  }
  out += '\\';
  out += static_cast<char>('0' + (byte >> 6));
  out += static_cast<char>('0' + ((byte >> 3) & 7));
  out += static_cast<char>('0' + (byte & 7));
}

void escape_string(std::string &out, const std::string &text)
{
  for(char c : text)
    escape_char(out, c, true);
}

std::string shell_quote(const std::string &text)
{
  std::string quoted = "'";
  for(char c : text)
  {
    if(c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  return quoted + "'";
}

time_mst current_time_ms()
{
  using namespace std::chrono;
  const auto since_epoch = system_clock::now().time_since_epoch();
  return static_cast<time_mst>(
    duration_cast<milliseconds>(since_epoch).count());
}

std::ostream &output_seconds(std::ostream &out, time_mst time)
{
  return out << static_cast<double>(time) / 1000.0;
}

std::string seconds_text(time_mst time)
{
  std::ostringstream stream;
  output_seconds(stream, time);
  return stream.str();
}

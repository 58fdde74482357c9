#include "util/error_handler.h"

void error_handlert::forward_text_lines(unsigned level, const std::string &text)
{
  std::string line;
  for(char c : text)
  {
    if(c == '\0')
      break;
    if(c == '\n')
    {
      parse_location_line(level, line);
      line.clear();
    }
    else if(c != '\r')
      line += c;
  }
}

// The form "file F line L column C function G: message". Returns false,
// touching nothing, when the line never reaches the message.
static bool parse_file_form(
  const std::string &line,
  locationt &location,
  std::string &message)
{
  enum
  {
    IN_FILE,
    IN_LINE,
    IN_COLUMN,
    IN_FUNCTION,
    IN_MESSAGE
  };
  static const struct
  {
    const char *keyword;
    std::size_t length;
    int collector;
  } keywords[] = {
    {" line ", 6, IN_LINE},
    {" column ", 8, IN_COLUMN},
    {" function ", 10, IN_FUNCTION}};

  std::string collected[5];
  int current = IN_FILE;
  // The last character collected; skipped keywords do not count.
  char previous = '\0';
  std::size_t i = 5;
  while(i < line.size())
  {
    if(current == IN_MESSAGE)
    {
      collected[IN_MESSAGE] += line[i++];
      continue;
    }
    bool keyword_found = false;
    for(const auto &keyword : keywords)
    {
      if(line.compare(i, keyword.length, keyword.keyword) == 0)
      {
        current = keyword.collector;
        i += keyword.length;
        keyword_found = true;
        break;
      }
    }
    if(keyword_found)
      continue;
    // "::" is part of a name, so a colon after a colon never ends the prefix.
    if(
      line[i] == ':' && i + 1 < line.size() && line[i + 1] == ' ' &&
      previous != ':')
    {
      for(++i; i < line.size() && line[i] == ' '; ++i)
      {
      }
      current = IN_MESSAGE;
      continue;
    }
    collected[current] += line[i];
    previous = line[i++];
  }

  if(current != IN_MESSAGE)
    return false;
  location.set_line(collected[IN_LINE]);
  location.set_file(collected[IN_FILE]);
  location.set_column(collected[IN_COLUMN]);
  message = collected[IN_MESSAGE];
  location.set_function(collected[IN_FUNCTION]);
  return true;
}

// The compiler form "name:number:"; the message keeps the whole line.
// Returns false, touching nothing, when the line does not begin so.
static bool parse_compiler_form(const std::string &line, locationt &location)
{
  std::string name;
  std::string number;
  int state = 0;
  for(char c : line)
  {
    if(state == 0)
    {
      if(c == ':')
        state = 1;
      else
        name += c;
    }
    else if(state == 1)
    {
      if(c == ':')
        state = 2;
      else if(c >= '0' && c <= '9')
        number += c;
      else
        state = 3;
    }
    else
      break;
  }

  if(state != 2)
    return false;
  location.set_line(number);
  location.set_file(name);
  location.set_function("");
  location.set_column("");
  return true;
}

void error_handlert::parse_location_line(
  unsigned level,
  const std::string &line)
{
  std::string message = line;
  locationt parsed = error_location;
  const bool found = line.compare(0, 5, "file ") == 0
                       ? parse_file_form(line, parsed, message)
                       : parse_compiler_form(line, parsed);
  if(found)
  {
    // A location read from a line is a real one: handlers leave out a nil
    // location even when it has fields.
    if(parsed.is_nil())
      parsed.id("");
    error_location = parsed;
  }

  message_handler->print(level, message, sequence_number, error_location);
  ++sequence_number;
}

void error_handlert::report_error(const std::string &text)
{
  error_found = true;
  message_handler->print(1, text, sequence_number, error_location);
  error_location.make_nil();
}

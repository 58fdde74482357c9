#include "qbf_solver/exclusive_ofstream.h"

exclusive_ofstreamt::exclusive_ofstreamt() : std::ostream(&buffer)
{
}

exclusive_ofstreamt::~exclusive_ofstreamt()
{
  close();
}

bool exclusive_ofstreamt::open(const std::string &name)
{
  close();
  clear();
  // Exclusive creation ("x") fails on every existing name and never
  // follows a symbolic link.
  buffer.file = std::fopen(name.c_str(), "wx");
  if(buffer.file == nullptr)
    setstate(std::ios::failbit);
  return buffer.file != nullptr;
}

bool exclusive_ofstreamt::close()
{
  if(buffer.file == nullptr)
    return true;
  const bool written = !bad() && std::fflush(buffer.file) == 0 &&
                       !std::ferror(buffer.file);
  const bool closed = std::fclose(buffer.file) == 0;
  buffer.file = nullptr;
  return written && closed;
}

int exclusive_ofstreamt::file_buffert::overflow(int c)
{
  if(c == traits_type::eof())
    return traits_type::not_eof(c);
  if(file == nullptr || std::fputc(c, file) == EOF)
    return traits_type::eof();
  return c;
}

std::streamsize
exclusive_ofstreamt::file_buffert::xsputn(const char *s, std::streamsize n)
{
  if(file == nullptr)
    return 0;
  return std::streamsize(std::fwrite(s, 1, std::size_t(n), file));
}

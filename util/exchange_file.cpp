#include "util/exchange_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace
{
int create_exclusively(const std::string &name)
{
  return ::open(
    name.c_str(),
    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
    S_IRUSR | S_IWUSR);
}
} // namespace

int create_exchange_file(const std::string &stem, std::string &name)
{
  // Far more than the objects one process keeps alive at a time; the
  // bound only keeps a directory full of such names from looping forever.
  const unsigned attempts = 1000;
  for(unsigned n = 0; n < attempts; ++n)
  {
    name = stem + (n == 0 ? "" : "_" + std::to_string(n)) + ".tmp";
    const int fd = create_exclusively(name);
    if(fd >= 0)
      return fd;
    if(errno != EEXIST && errno != ELOOP)
      break;
  }
  name.clear();
  return -1;
}

int recreate_exchange_file(const std::string &name)
{
  // unlink removes a link itself, never what it points to.
  ::unlink(name.c_str());
  return create_exclusively(name);
}

descriptor_buffert::descriptor_buffert(int _fd) : fd(_fd)
{
  if(fd >= 0)
    setp(buffer, buffer + sizeof(buffer));
}

descriptor_buffert::~descriptor_buffert()
{
  close();
}

bool descriptor_buffert::flush_buffer()
{
  const char *next = pbase();
  while(next < pptr())
  {
    const ssize_t written = ::write(fd, next, pptr() - next);
    if(written < 0 && errno == EINTR)
      continue;
    if(written <= 0)
      return false;
    next += written;
  }
  setp(buffer, buffer + sizeof(buffer));
  return true;
}

descriptor_buffert::int_type descriptor_buffert::overflow(int_type ch)
{
  if(fd < 0 || !flush_buffer())
    return traits_type::eof();
  if(!traits_type::eq_int_type(ch, traits_type::eof()))
  {
    *pptr() = traits_type::to_char_type(ch);
    pbump(1);
  }
  return traits_type::not_eof(ch);
}

int descriptor_buffert::sync()
{
  return fd >= 0 && flush_buffer() ? 0 : -1;
}

bool descriptor_buffert::close()
{
  if(fd < 0)
    return false;
  const bool flushed = flush_buffer();
  const bool closed = ::close(fd) == 0;
  fd = -1;
  // No put area: every later write goes to overflow, which fails.
  setp(nullptr, nullptr);
  return flushed && closed;
}

answer_file_streamt::answer_file_streamt(const std::string &name)
    : std::istream(nullptr),
      buffer(::open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC))
{
  // The buffer is a member, built after the stream base: attached here.
  rdbuf(&buffer);
  if(!buffer.is_open())
    setstate(std::ios::failbit);
}

answer_file_streamt::read_buffert::~read_buffert()
{
  if(fd >= 0)
    ::close(fd);
}

answer_file_streamt::int_type answer_file_streamt::read_buffert::underflow()
{
  if(gptr() < egptr())
    return traits_type::to_int_type(*gptr());
  if(fd < 0)
    return traits_type::eof();
  ssize_t count;
  do
    count = ::read(fd, buffer, sizeof(buffer));
  while(count < 0 && errno == EINTR);
  if(count <= 0)
    return traits_type::eof();
  setg(buffer, buffer, buffer + count);
  return traits_type::to_int_type(*gptr());
}

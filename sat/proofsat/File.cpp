#include "sat/proofsat/File.h"

#include "sat/proofsat/Global.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

void File::open(const char *name, const char *mode_letters)
{
  bool has_r = std::strchr(mode_letters, 'r') != nullptr;
  bool has_w = std::strchr(mode_letters, 'w') != nullptr;
  bool has_x = std::strchr(mode_letters, 'x') != nullptr;
  bool has_a = std::strchr(mode_letters, 'a') != nullptr;
  bool has_plus = std::strchr(mode_letters, '+') != nullptr;
  INVARIANT(!(has_r && has_w));
  INVARIANT(has_r || has_w || has_a);

  int flags;
  if(has_plus)
    flags = has_r ? O_RDWR : O_RDWR | O_CREAT;
  else
    flags = has_r ? O_RDONLY : O_WRONLY | O_CREAT;
  if(has_w)
    flags |= O_TRUNC;
  if(has_x)
    flags |= O_EXCL;

  int new_fd = ::open(name, flags, 0666);
  if(new_fd == -1)
    return;
  if(has_a)
    ::lseek(new_fd, 0, SEEK_END);
  attach(new_fd, has_r ? READ : WRITE, true);
}

void File::attach(int new_fd, int new_mode, bool own_fd)
{
  // An open File lets go of its old descriptor first, so that neither the
  // waiting bytes nor the descriptor get lost.
  release();
  fd = new_fd;
  mode = new_mode;
  owns_fd = own_fd;
  error = false;
  position = 0;
  buffer = xmalloc<char>(buffer_size);
  if(mode == READ)
    refill();
  else
    fill = -1;
}

bool File::release()
{
  if(fd == -1)
    return true;
  if(mode == WRITE)
    flush();
  std::free(buffer);
  buffer = nullptr;
  if(owns_fd && ::close(fd) != 0)
    error = true;
  bool ok = !error;
  fd = -1;
  mode = READ;
  fill = -1;
  position = 0;
  owns_fd = true;
  error = false;
  return ok;
}

void File::flush()
{
  INVARIANT(mode == WRITE);
  write_all(buffer, position);
  position = 0;
}

bool File::eof()
{
  INVARIANT(mode == READ);
  if(position < fill)
    return false;
  if(fill < buffer_size)
    return true;
  refill();
  position = 0;
  return fill == 0;
}

void File::reposition(int64_t offset, int whence)
{
  if(mode == WRITE)
  {
    flush();
    if(::lseek(fd, off_t(offset), whence) == off_t(-1))
      error = true;
    return;
  }
  if(whence == SEEK_CUR)
    offset -= fill - position;
  ::lseek(fd, off_t(offset), whence);
  refill();
  position = 0;
}

int64_t File::tell()
{
  int64_t at = ::lseek(fd, 0, SEEK_CUR);
  if(mode == READ)
    return at - (fill - position);
  return at + position;
}

void File::setMode(int new_mode)
{
  if(new_mode == READ)
  {
    flush();
    refill();
    position = 0;
    mode = READ;
  }
  else
  {
    // Give back the bytes read ahead, so writing starts where reading
    // stopped.
    ::lseek(fd, off_t(position - fill), SEEK_CUR);
    fill = -1;
    position = 0;
    mode = WRITE;
  }
}

int File::read_next_buffer()
{
  // A short read means the end was reached.
  if(fill < buffer_size)
    return -1;
  refill();
  position = 0;
  if(fill == 0)
    return -1;
  return static_cast<unsigned char>(buffer[position++]);
}

void File::refill()
{
  ssize_t got;
  do
    got = ::read(fd, buffer, buffer_size);
  while(got == -1 && errno == EINTR);
  fill = got < 0 ? 0 : int(got);
}

void File::write_all(const char *bytes, int size)
{
  while(size > 0)
  {
    ssize_t put = ::write(fd, bytes, size_t(size));
    if(put == -1 && errno == EINTR)
      continue;
    if(put <= 0)
    {
      error = true;
      return;
    }
    bytes += put;
    size -= int(put);
  }
}

void write_packed_uint(File &out, uint64_t value)
{
  if(value < 0x80)
    out.write_byte(char(value));
  else if(value < 0x2000)
  {
    out.write_byte(char(0x80 | (value >> 8)));
    out.write_byte(char(value & 0xFF));
  }
  else if(value < 0x200000)
  {
    out.write_byte(char(0xA0 | (value >> 16)));
    out.write_byte(char((value >> 8) & 0xFF));
    out.write_byte(char(value & 0xFF));
  }
  else if(value < 0x20000000)
  {
    out.write_byte(char(0xC0 | (value >> 24)));
    out.write_byte(char((value >> 16) & 0xFF));
    out.write_byte(char((value >> 8) & 0xFF));
    out.write_byte(char(value & 0xFF));
  }
  else
  {
    out.write_byte(char(0xE0));
    for(int shift = 56; shift >= 0; shift -= 8)
      out.write_byte(char((value >> shift) & 0xFF));
  }
}

namespace
{
// A byte inside a number: the end of the file there means damage.
uint64_t continuation_byte(File &in)
{
  int byte = in.read_byte();
  if(byte == -1)
    throw Exception_Damaged();
  return uint64_t(byte);
}
} // namespace

uint64_t read_packed_uint(File &in)
{
  int first = in.read_byte();
  if(first == -1)
    throw Exception_EOF();
  uint64_t b0 = uint64_t(first);
  if(b0 < 0x80)
    return b0;
  // Bits 6 and 5 of the first byte give the number of following bytes:
  // 1, 2, 3, or 8 for the full 64-bit form.
  int form = int((b0 >> 5) & 3);
  if(form == 3)
  {
    uint64_t value = 0;
    for(int i = 0; i < 8; i++)
      value = (value << 8) | continuation_byte(in);
    return value;
  }
  uint64_t value = b0 & 0x1F;
  for(int i = 0; i <= form; i++)
    value = (value << 8) | continuation_byte(in);
  return value;
}

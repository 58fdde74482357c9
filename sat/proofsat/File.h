#ifndef MORVANE_SAT_PROOFSAT_FILE_H
#define MORVANE_SAT_PROOFSAT_FILE_H

// A file descriptor with one 1024-byte buffer that serves either reading or
// writing and switches between the two on demand, and the variable-length
// code for unsigned numbers in which proof records are written.
//
// Failed or short reads count as the end of the file. Writes are checked:
// a write or close error sticks (failed()) and release() reports it.

#include <cstdint>
#include <cstdio>

// Thrown by value when a number is read at the end of the file.
class Exception_EOF
{
};

// Thrown by value when the file ends inside a number.
class Exception_Damaged
{
};

class File
{
public:
  enum
  {
    READ = 0,
    WRITE = 1
  };
  static const int buffer_size = 1024;

  File()
  {
  }
  ~File()
  {
    release();
  }
  File(const File &) = delete;
  File &operator=(const File &) = delete;

  // Opens name by letters: r read, w write and truncate, + both, x fail if
  // the file exists, a start at the end; others (such as o) are ignored.
  // On failure nothing changes (a closed File stays null()); on success a
  // File that was open is released first.
  void open(const char *name, const char *mode);
  // Takes an existing descriptor, releasing a File that was open.
  void attach(int fd, int mode, bool own_fd = true);

  bool null() const
  {
    return fd == -1;
  }
  // True once a write, move or close of this File failed.
  bool failed() const
  {
    return error;
  }

  // Writes what waits in the buffer, frees it and closes an owned
  // descriptor. Answers false when any write or the close failed; a closed
  // File answers true.
  bool release();
  void flush();
  bool eof();

  int read_byte()
  {
    if(mode == WRITE)
      setMode(READ);
    if(position < fill)
      return static_cast<unsigned char>(buffer[position++]);
    return read_next_buffer();
  }
  void write_byte(char c)
  {
    if(mode == READ)
      setMode(WRITE);
    if(position == buffer_size)
      flush();
    buffer[position++] = c;
  }

  void reposition(int64_t offset, int whence = SEEK_SET);
  int64_t tell();

private:
  int fd = -1;
  int mode = READ;
  char *buffer = nullptr;
  int fill = -1;
  int position = 0;
  bool owns_fd = true;
  bool error = false;

  void setMode(int new_mode);
  int read_next_buffer();
  void refill();
  void write_all(const char *bytes, int size);
};

void write_packed_uint(File &out, uint64_t value);
// Throws Exception_EOF at the end of the file and Exception_Damaged when
// the file ends inside the number.
uint64_t read_packed_uint(File &in);

#endif

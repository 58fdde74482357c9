#ifndef MORVANE_UTIL_EXCHANGE_FILE_H
#define MORVANE_UTIL_EXCHANGE_FILE_H

// Files exchanged with external programs in the working directory. No such
// file is ever opened through a symbolic link: a link planted at one of
// these fixed or guessable names would otherwise make us overwrite, or read
// as an answer, whatever file it points to. The files we write are created
// exclusively, readable and writable by the owner only, and not inherited
// by the programs started later.

#include <istream>
#include <streambuf>
#include <string>

// Creates "<stem>.tmp", or, when that name is in use, "<stem>_1.tmp",
// "<stem>_2.tmp", ... The open descriptor (write only), with `name` set; -1
// when no name could be created. For names made of fixed text and digits
// alone, so that they can go into a shell command as they are.
int create_exchange_file(const std::string &stem, std::string &name);

// Creates the file `name` afresh for writing: whatever has that name (a
// file of an earlier run, a link) is removed first, and a link planted in
// between makes the creation fail instead of being followed. A directory
// of that name is not removed: the creation fails. The open descriptor
// (write only); -1 on failure.
int recreate_exchange_file(const std::string &name);

// A write buffer over a file descriptor that it owns. A write that fails,
// and every write once the descriptor is closed or was never open, fails
// the stream, so the stream's state tells whether everything given to it
// reached the file.
class descriptor_buffert : public std::streambuf
{
public:
  // -1 stands for a file that could not be opened.
  explicit descriptor_buffert(int _fd);
  ~descriptor_buffert() override;
  descriptor_buffert(const descriptor_buffert &) = delete;
  descriptor_buffert &operator=(const descriptor_buffert &) = delete;

  // Writes what is buffered and closes the descriptor: true when both
  // succeeded. Later writes fail.
  bool close();

  bool is_open() const
  {
    return fd >= 0;
  }

protected:
  int_type overflow(int_type ch) override;
  int sync() override;

private:
  int fd;
  char buffer[4096];
  bool flush_buffer();
};

// The answer file `name` that an external program wrote, read like an
// std::ifstream, except that a symbolic link at the name is not followed:
// like a missing or unreadable file, it gives a stream failed from the
// start.
class answer_file_streamt : public std::istream
{
public:
  explicit answer_file_streamt(const std::string &name);

private:
  // A read buffer over a file descriptor that it owns.
  class read_buffert : public std::streambuf
  {
  public:
    // -1 stands for a file that could not be opened: nothing to read.
    explicit read_buffert(int _fd) : fd(_fd)
    {
    }
    ~read_buffert() override;
    read_buffert(const read_buffert &) = delete;
    read_buffert &operator=(const read_buffert &) = delete;

    bool is_open() const
    {
      return fd >= 0;
    }

  protected:
    int_type underflow() override;

  private:
    int fd;
    char buffer[4096];
  };

  read_buffert buffer;
};

#endif

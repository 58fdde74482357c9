#ifndef MORVANE_EXTERNAL_SOLVERS_EXCHANGE_FILE_H
#define MORVANE_EXTERNAL_SOLVERS_EXCHANGE_FILE_H

// Files exchanged with an external program in the working directory,
// created safely: exclusively (an existing file or link of that name is
// never opened, let alone followed), readable and writable by the owner
// only, under a name made of fixed text and digits alone, so that it can
// go into a shell command as it is.

#include <streambuf>
#include <string>

// Creates "<stem>.tmp", or, when that name is in use, "<stem>_1.tmp",
// "<stem>_2.tmp", ... The open descriptor (write only, not inherited by
// programs started later), with `name` set; -1 when no name could be
// created.
int create_exchange_file(const std::string &stem, std::string &name);

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

#endif

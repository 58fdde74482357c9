#ifndef MORVANE_QBF_SOLVER_EXCLUSIVE_OFSTREAM_H
#define MORVANE_QBF_SOLVER_EXCLUSIVE_OFSTREAM_H

#include <cstdio>
#include <ostream>
#include <streambuf>
#include <string>

// An output file stream that only ever writes a file it has created itself:
// opening fails when anything (a file, a folder or a symbolic link, even a
// dangling one) has the name, so a planted link can never redirect the
// output to another file. Writes are buffered by the C library; a failed
// write sets the stream's bad bit.
class exclusive_ofstreamt : public std::ostream
{
public:
  exclusive_ofstreamt();
  ~exclusive_ofstreamt() override;
  exclusive_ofstreamt(const exclusive_ofstreamt &) = delete;
  exclusive_ofstreamt &operator=(const exclusive_ofstreamt &) = delete;

  // Creates the file exclusively; false (and closed) when that fails.
  bool open(const std::string &name);
  bool is_open() const
  {
    return buffer.file != nullptr;
  }
  // Closes the file. False when a write, the final flush or the close
  // failed, so the file may be incomplete. Closing a closed stream is true.
  bool close();

private:
  struct file_buffert : public std::streambuf
  {
    std::FILE *file = nullptr;
    int overflow(int c) override;
    std::streamsize xsputn(const char *s, std::streamsize n) override;
  };
  file_buffert buffer;
};

#endif

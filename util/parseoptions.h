#ifndef MORVANE_UTIL_PARSEOPTIONS_H
#define MORVANE_UTIL_PARSEOPTIONS_H

#include "util/cmdline.h"

#include <string>

// Skeleton of a command-line program: parses the arguments at construction;
// `run` chooses between the usage error, the help text and `execute`.
// Every program accepts -?, -h, --help and a value option -b that nothing
// reads.
class parseoptions_baset
{
public:
  parseoptions_baset(const std::string &optstring, int argc, const char *const *argv);

  cmdlinet cmdline;
  // True when the command line was not accepted.
  bool parse_failed;

  virtual void help()
  {
  }

  // Writes "Usage error!" and a blank line to standard error, then the help.
  virtual void usage_error();

  // The program's work; the result is the exit code.
  virtual int execute() = 0;

  // 64 on a usage error, 0 after the help, else the result of `execute`.
  virtual int run();

  virtual ~parseoptions_baset() = default;
};

#endif

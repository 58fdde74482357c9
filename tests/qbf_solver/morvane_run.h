#ifndef MORVANE_TESTS_QBF_SOLVER_MORVANE_RUN_H
#define MORVANE_TESTS_QBF_SOLVER_MORVANE_RUN_H

// Runs the built morvane program as a process in a scratch folder of its
// own (tests run in parallel), so that certificates land there.

#include "certificate_checker.h"

// The build names the program under test and the fixture folder; without
// them these tests would test nothing, so they do not compile.
#if !defined(MORVANE_BINARY) || !defined(MORVANE_FIXTURES)
#error "MORVANE_BINARY and MORVANE_FIXTURES must be defined by the build"
#endif

#include <string>
#include <vector>

struct morvane_resultt
{
  int exit_code;
  std::string out;
  std::string err;
};

class scratch_foldert
{
public:
  scratch_foldert();
  ~scratch_foldert();
  scratch_foldert(const scratch_foldert &) = delete;
  scratch_foldert &operator=(const scratch_foldert &) = delete;

  std::string path(const std::string &name) const;
  void write(const std::string &name, const std::string &text) const;
  std::string read(const std::string &name) const;
  bool exists(const std::string &name) const;

  // Runs morvane with the arguments in this folder. shell_setup runs first
  // in the same shell (for example a ulimit).
  morvane_resultt run(
    const std::vector<std::string> &arguments,
    const std::string &shell_setup = "") const;

private:
  std::string folder;
};

// Checks the certificate that morvane wrote for the formula file `name` in
// the folder (name followed by ".qbc").
certificate_verdictt check_certificate_of(
  const scratch_foldert &folder,
  const std::string &name);

// The text of a shipped fixture file.
std::string fixture(const std::string &name);

#endif

#ifndef MORVANE_TESTS_EXTERNAL_SOLVERS_EXCHANGE_DIRECTORY_H
#define MORVANE_TESTS_EXTERNAL_SOLVERS_EXCHANGE_DIRECTORY_H

// The external procedures exchange files with their programs in the
// working directory. Each test runs in a fresh temporary directory,
// removed afterwards, under the 32-bit configuration, with two directories
// first on the search path: "bin" in the test's directory, for the
// scripted stand-ins a test writes, then the brute-force stand-in built
// under the names "cvcl" and "smtl".

#include "harness/decision_test_harness.h"

#include <filesystem>
#include <set>
#include <string>

class exchange_directory_testt : public config_32_testt
{
protected:
  void SetUp() override;
  void TearDown() override;

  // An executable shell script `name` in the test's "bin" directory.
  void write_program(const std::string &name, const std::string &script);
  // The search path holds only the test's "bin".
  void hide_stand_ins();

  static void write_file(const std::string &name, const std::string &text);
  // "" when the file does not exist.
  static std::string read_file(const std::string &name);
  // The names in the working directory, "bin" excluded.
  static std::set<std::string> files();

  std::filesystem::path directory;
  std::filesystem::path bin;

private:
  std::filesystem::path home;
  std::string old_path;
};

#endif

#ifndef MORVANE_TESTS_HARNESS_EXCHANGE_DIRECTORY_H
#define MORVANE_TESTS_HARNESS_EXCHANGE_DIRECTORY_H

// The adapters and the external procedures exchange files with their
// programs in the working directory. Each test therefore runs in a fresh
// temporary directory of its own, removed afterwards, with two directories
// first on the search path: "bin" in the test's directory, for the scripts
// a test writes, then STAND_IN_DIRECTORY, where the test program's built
// stand-ins for the external programs are. The file is compiled into each
// test program that uses it, with that program's STAND_IN_DIRECTORY.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

class exchange_directory_testt : public ::testing::Test
{
protected:
  void SetUp() override;
  void TearDown() override;

  // An executable shell script `name` in the test's "bin" directory.
  void write_program(const std::string &name, const std::string &script);
  // The search path holds only the test's "bin".
  void hide_stand_ins();

  static void write_file(const std::string &name, const std::string &text);
  static bool exists(const std::string &name);
  // The names in the working directory, "bin" excluded.
  static std::set<std::string> files();

  // The test's working directory and its "bin".
  std::filesystem::path directory;
  std::filesystem::path bin;
  // The search path while the test runs.
  std::string path;

private:
  std::filesystem::path home;
  std::string old_path;
};

#endif

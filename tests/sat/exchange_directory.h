#ifndef MORVANE_TESTS_SAT_EXCHANGE_DIRECTORY_H
#define MORVANE_TESTS_SAT_EXCHANGE_DIRECTORY_H

// The adapters exchange files with their programs in the working directory.
// Each test therefore runs in a fresh temporary directory of its own,
// removed afterwards, with the engine's trace restarted there, and with two
// directories first on the search path: "bin" in the test's directory, for
// scripts a test writes, then the built stand-in programs ("pbs",
// "groupsat_verify").

#include "tests/util/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

class exchange_directory_testt : public ::testing::Test
{
protected:
  void SetUp() override;
  void TearDown() override;

  // An executable shell script `name` in the test's "bin" directory.
  void write_program(const std::string &name, const std::string &script);

  static void write_file(const std::string &name, const std::string &text);
  static bool exists(const std::string &name);

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

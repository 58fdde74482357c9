#ifndef MORVANE_TESTS_UTIL_TEST_FILES_H
#define MORVANE_TESTS_UTIL_TEST_FILES_H

// Files and folders of tests that write files or run programs.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <string>

// The whole contents of the file, byte for byte; "" when it cannot be read.
inline std::string file_text(const std::string &path)
{
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Creates a fresh folder in the tests' temporary directory, named `prefix`
// and six random characters, and returns its path. Test processes run in
// parallel, so each makes folders of its own. When the folder cannot be
// made, a test failure is recorded and the path returned does not exist, so
// that what a test writes there goes nowhere.
inline std::string make_temp_folder(const std::string &prefix)
{
  std::string name = testing::TempDir() + prefix + "XXXXXX";
  if(mkdtemp(&name[0]) == nullptr)
    ADD_FAILURE() << "cannot create the folder " << name;
  return name;
}

#endif

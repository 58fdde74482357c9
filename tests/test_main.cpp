// The main of every test program. The tests run in a fresh folder of their
// own under the temporary directory, removed at the end with whatever they
// left in it: no test writes into the build tree or the folder it was
// started from, and test processes running in parallel never share a file.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace
{
// Where a death test's child process, started again from the beginning
// ("threadsafe" style), finds its parent's folder.
const char scratch_variable[] = "MORVANE_TEST_SCRATCH";

bool is_death_test_child()
{
  return !GTEST_FLAG_GET(internal_run_death_test).empty();
}
} // namespace

int main(int argc, char **argv)
{
  ::testing::InitGoogleTest(&argc, argv);

  if(is_death_test_child())
  {
    // The parent owns the folder and removes it; the child only works in
    // it, as a forked child ("fast" style) does anyway.
    if(const char *scratch = std::getenv(scratch_variable))
      std::filesystem::current_path(scratch);
    return RUN_ALL_TESTS();
  }

  std::string scratch = ::testing::TempDir() + "morvane_test_XXXXXX";
  if(mkdtemp(&scratch[0]) == nullptr)
  {
    std::perror(scratch.c_str());
    return 1;
  }
  const std::filesystem::path home = std::filesystem::current_path();
  std::filesystem::current_path(scratch);
  setenv(scratch_variable, scratch.c_str(), 1);

  const int result = RUN_ALL_TESTS();

  std::filesystem::current_path(home);
  std::filesystem::remove_all(scratch);
  return result;
}

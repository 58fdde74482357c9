#include "scratch_directory.h"

#include "sat/groupsat/groupsat_trace.h"
#include "tests/util/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{
class scratch_directoryt : public ::testing::Environment
{
public:
  void SetUp() override
  {
    home = std::filesystem::current_path();
    scratch = make_temp_folder("groupsat_tests_");
    ASSERT_FALSE(::testing::Test::HasFailure());
    std::filesystem::current_path(scratch);
    reset_resolve_trace();
  }

  void TearDown() override
  {
    std::filesystem::current_path(home);
    std::filesystem::remove_all(scratch);
  }

private:
  std::filesystem::path home;
  std::filesystem::path scratch;
};

const ::testing::Environment *const registered =
  ::testing::AddGlobalTestEnvironment(new scratch_directoryt);
} // namespace

std::streamoff trace_end()
{
  resolve_trace_stream().flush();
  return std::ifstream("resolve_trace", std::ios::ate).tellg();
}

std::string trace_text(std::streamoff from)
{
  resolve_trace_stream().flush();
  std::ifstream in("resolve_trace");
  in.seekg(from);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

#include "util/parseoptions.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace
{
struct resultt
{
  int exit_code;
  std::string out;
  std::string err;
};

// Runs the skeleton program as a process with the given arguments.
resultt run_program(const std::vector<std::string> &arguments)
{
  // Test processes run in parallel: one pair of files per process.
  const std::string base =
    testing::TempDir() + "skeleton_" + std::to_string(getpid());
  const std::string out_path = base + "_out";
  const std::string err_path = base + "_err";
  std::string command = SKELETON_PROGRAM;
  for(const auto &argument : arguments)
    command += " '" + argument + "'";
  command += " >" + out_path + " 2>" + err_path;
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status)) << command;
  resultt result{WEXITSTATUS(status), file_text(out_path), file_text(err_path)};
  std::remove(out_path.c_str());
  std::remove(err_path.c_str());
  return result;
}

const std::string help_text = "skeleton program help\n";

std::string levels_up_to(unsigned verbosity)
{
  std::string text;
  for(unsigned level = 0; level <= verbosity && level <= 10; level++)
    text += "level " + std::to_string(level) + "\n";
  return text;
}
} // namespace

TEST(ParseoptionsProgram, UsageErrorGives64AndTheHelp)
{
  const std::vector<std::vector<std::string>> command_lines = {
    {"--unknown"}, {"-h", "-z"}, {"--v"}, {"--v", "-5"}, {"-b"}};
  for(const auto &arguments : command_lines)
  {
    const resultt result = run_program(arguments);
    EXPECT_EQ(result.exit_code, 64) << arguments[0];
    EXPECT_EQ(result.err, "Usage error!\n\n") << arguments[0];
    EXPECT_EQ(result.out, help_text) << arguments[0];
  }
}

TEST(ParseoptionsProgram, HelpOptionsGiveTheHelpAndZero)
{
  for(const char *argument : {"-?", "-h", "--help", "-", "--"})
  {
    const resultt result = run_program({"input", argument, "--flag"});
    EXPECT_EQ(result.exit_code, 0) << argument;
    EXPECT_EQ(result.out, help_text) << argument;
    EXPECT_EQ(result.err, "") << argument;
  }
}

TEST(ParseoptionsProgram, MessagesUpToTheVerbosityAreDelivered)
{
  const std::pair<std::vector<std::string>, std::string> cases[] = {
    {{}, levels_up_to(10)},
    {{"--v", "6"}, levels_up_to(6)},
    {{"--v", "0", "-b", "ignored"}, levels_up_to(0)},
    {{"--flag", "--v", "1", "input"}, levels_up_to(1)},
  };
  for(const auto &c : cases)
  {
    const resultt result = run_program(c.first);
    EXPECT_EQ(result.exit_code, 3);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, c.second);
  }
}

TEST(Parseoptions, ConstructorParsesWithTheCommonPrefix)
{
  struct programt : parseoptions_baset
  {
    using parseoptions_baset::parseoptions_baset;
    int execute() override
    {
      return 5;
    }
  };
  const char *argv[] = {"program", "-bx", "--size", "3", "in"};
  programt program("(size):", 5, argv);
  EXPECT_FALSE(program.parse_failed);
  ASSERT_EQ(program.cmdline.options.size(), 5u);
  EXPECT_EQ(program.cmdline.options[3].long_name, "help");
  EXPECT_STREQ(program.cmdline.option_value("size"), "3");
  EXPECT_EQ(program.run(), 5);

  programt failed("", 5, argv);
  EXPECT_TRUE(failed.parse_failed);
  testing::internal::CaptureStderr();
  EXPECT_EQ(failed.run(), 64);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Usage error!\n\n");
}

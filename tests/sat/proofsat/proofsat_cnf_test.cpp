#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <sys/wait.h>

TEST(ProofsatCnf, AnswersAndExitCodes)
{
  struct caset
  {
    const char *file;
    const char *options;
    int exit_code;
    const char *output;
  };
  const caset cases[] = {
    {"satisfiable.cnf", "", 10, "SATISFIABLE\n"},
    {"satisfiable.cnf", "--proof", 10, "SATISFIABLE\n"},
    {"unsatisfiable.cnf", "", 20, "UNSATISFIABLE\n"},
    {"unsatisfiable.cnf", "--proof", 20, "UNSATISFIABLE\n"},
    {"empty_clause.cnf", "--proof", 20, "UNSATISFIABLE\n"},
    {"missing.cnf", "", 99, ""},
    // The fixtures folder itself opens but cannot be read.
    {"", "", 99, ""},
    {"satisfiable.cnf", "--other", 99, ""},
  };
  scratch_dirt dir;
  // Proof files of the program go to the scratch folder and must be gone
  // when it ends.
  std::string command_prefix = "TMPDIR='" + dir.path + "' " PROOFSAT_CNF " ";
  for(const caset &c : cases)
  {
    SCOPED_TRACE(std::string(c.options) + " " + c.file);
    std::string output = dir.file("output");
    std::string command = command_prefix + c.options + " '" PROOFSAT_FIXTURES
                          "/" + c.file + "' >'" + output + "' 2>/dev/null";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), c.exit_code);
    EXPECT_EQ(file_text(output), c.output);
    std::filesystem::remove(output);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path));
  }
}

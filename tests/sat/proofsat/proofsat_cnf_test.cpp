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

// A proof folder that is missing and memory that runs out are error
// answers, as the other engines' drivers give, not aborts; the proof file
// made before memory ran out is removed on the way.
TEST(ProofsatCnf, RunTimeFailuresAnswer99)
{
  scratch_dirt files, proofs;
  const std::string huge = files.file("huge.cnf");
  write_bytes(huge, "p cnf 100000000 1\n100000000 0\n");
  const std::string missing = proofs.file("missing");
  struct caset
  {
    const char *name;
    std::string shell_prefix;
    std::string file;
    std::string error;
  };
  const caset cases[] = {
    {"missing proof folder",
     "TMPDIR='" + missing + "' ",
     PROOFSAT_FIXTURES "/unsatisfiable.cnf",
     "cannot create a proof file in " + missing +
       ": No such file or directory\n"},
    // A little address space: the engine's tables for the variables need
    // gigabytes.
    {"exhausted memory",
     "ulimit -v 100000; TMPDIR='" + proofs.path + "' ",
     huge,
     "out of memory\n"},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.name);
#if defined(__SANITIZE_ADDRESS__)
    if(c.shell_prefix.rfind("ulimit", 0) == 0)
      continue; // the address sanitizer needs more address space
#endif
    std::string error = files.file("error");
    std::string command = c.shell_prefix + PROOFSAT_CNF " --proof '" + c.file +
                          "' >/dev/null 2>'" + error + "'";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 99);
    EXPECT_EQ(file_text(error), c.error);
    EXPECT_TRUE(std::filesystem::is_empty(proofs.path));
  }
}

// The DIMACS driver that the benchmark script runs, and the trace file that
// the engine of such a program creates in its working directory.

#include "scratch_directory.h"

#include "sat/groupsat/groupsat_trace.h"
#include "tests/util/test_files.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace
{
struct drivent
{
  int exit_code;
  std::string out;
};

// Runs the driver in the folder `dir` (created when missing) on the DIMACS
// text, or on a file that does not exist when `text` is null; `setup` runs
// first in the same shell.
drivent drive(
  const std::string &dir,
  const char *text,
  const std::string &setup = "")
{
  std::filesystem::create_directories(dir);
  std::string input = "/nonexistent.cnf";
  if(text != nullptr)
  {
    input = std::filesystem::absolute(dir + ".cnf").string();
    std::ofstream(input) << text;
  }
  std::string command = setup + "cd '" + dir + "' && '" GROUPSAT_CNF "' '" +
                        input + "' > out 2> err";
  int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
          file_text(dir + "/out")};
}

const char *const unsatisfiable = "p cnf 2 4\n1 2 0\n1 -2 0\n-1 2 0\n-1 -2 0\n";
const char *const unsatisfiable_trace =
  "CL: 4 <= 3 2\nVAR: 1 L: 0 V: 0 A: 4 Lits: 3\n"
  "VAR: 2 L: 1 V: 1 A: 0 Lits: 2 4\nCONF: 1 == 2 5\n";
} // namespace

TEST(GroupsatCnfDriver, AnswersWithExitCodes)
{
  drivent sat = drive("sat", "p cnf 2 2\n1 2 0\n-1 0\n");
  EXPECT_EQ(sat.exit_code, 10);
  EXPECT_EQ(sat.out, "2 vars set during preprocess; \n\nSATISFIABLE\n");

  drivent unsat = drive("unsat", unsatisfiable);
  EXPECT_EQ(unsat.exit_code, 20);
  EXPECT_NE(unsat.out.find("UNSATISFIABLE\n"), std::string::npos);
  EXPECT_EQ(file_text("unsat/resolve_trace"), unsatisfiable_trace);

  EXPECT_EQ(drive("missing", nullptr).exit_code, 99);
}

// The trace file is made by the first record, not by the program's start:
// a program that never runs the engine neither creates one nor empties one
// left by an earlier run.
TEST(GroupsatCnfDriver, StartWithoutARunLeavesNoTraceFile)
{
  EXPECT_EQ(drive("fresh", nullptr).exit_code, 99);
  EXPECT_FALSE(std::filesystem::exists("fresh/resolve_trace"));

  std::filesystem::create_directories("old");
  std::ofstream("old/resolve_trace") << "CL: 9 <= 1 2\n";
  EXPECT_EQ(drive("old", nullptr).exit_code, 99);
  EXPECT_EQ(file_text("old/resolve_trace"), "CL: 9 <= 1 2\n");
}

// A link planted at the trace's name is replaced by a fresh file: the file
// it points to is neither written nor created.
TEST(GroupsatCnfDriver, PlantedLinkAtTheTraceLeavesItsTargetAlone)
{
  struct caset
  {
    const char *dir;
    const char *target_text; // null: the link points nowhere
  };
  for(const caset &c :
      {caset{"to_a_file", "precious\n"}, caset{"dangling", nullptr}})
  {
    SCOPED_TRACE(c.dir);
    const std::filesystem::path target =
      std::filesystem::absolute(std::string(c.dir) + ".target");
    if(c.target_text != nullptr)
      std::ofstream(target) << c.target_text;
    std::filesystem::create_directories(c.dir);
    std::filesystem::create_symlink(
      target, std::string(c.dir) + "/resolve_trace");

    EXPECT_EQ(drive(c.dir, unsatisfiable).exit_code, 20);
    EXPECT_EQ(std::filesystem::exists(target), c.target_text != nullptr);
    EXPECT_EQ(file_text(target), c.target_text == nullptr ? "" : c.target_text);
    const std::string trace = std::string(c.dir) + "/resolve_trace";
    EXPECT_FALSE(std::filesystem::is_symlink(trace));
    EXPECT_EQ(file_text(trace), unsatisfiable_trace);
  }
}

// The last variable numbers need tables larger than memory; the program
// once ended in an uncaught exception instead of an error answer.
TEST(GroupsatCnfDriver, HugeVariableNumberIsAnError)
{
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space";
#endif
  drivent huge = drive(
    "huge", "p cnf 2147483646 1\n2147483646 0\n", "ulimit -v 1000000; ");
  EXPECT_EQ(huge.exit_code, 99);
  EXPECT_EQ(file_text("huge/err"), "out of memory\n");
}

TEST(ResolveTrace, ResetStartsAnEmptyFileThatTakesTheNextRecords)
{
  resolve_trace_stream() << "CL: 7 <= 1\n" << std::flush;
  EXPECT_NE(trace_text(), "");
  EXPECT_TRUE(reset_resolve_trace());
  EXPECT_EQ(trace_text(), "");
  resolve_trace_stream() << "CL: 8 <= 2\n";
  EXPECT_EQ(trace_text(), "CL: 8 <= 2\n");
}

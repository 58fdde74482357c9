// The program as its users script it: exit codes, result words, messages,
// help text and the diagnostics of each switch.

#include "morvane_run.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace
{
const char valid_text[] = // forall x exists y: y equals x
  "c valid\np cnf 2 2\na 1 0\ne 2 0\n-1 2 0\n1 -2 0\n";
const char invalid_text[] = // exists y forall x: y equals x
  "c invalid\np cnf 2 2\ne 2 0\na 1 0\n-1 2 0\n1 -2 0\n";

// Files every case of a table may name.
void write_formulas(const scratch_foldert &folder)
{
  folder.write("valid.qdimacs", valid_text);
  folder.write("invalid.qdimacs", invalid_text);
  folder.write("false.qdimacs", "p cnf 0 1\n0\n");
  mkdir(folder.path("folder.qdimacs").c_str(), 0700);
}

struct runt
{
  std::vector<std::string> arguments;
  int exit_code;
  const char *err;
  const char *out; // nullptr: not compared
};

void expect_runs(const std::vector<runt> &runs)
{
  scratch_foldert folder;
  write_formulas(folder);
  for(const auto &r : runs)
  {
    std::string command;
    for(const auto &a : r.arguments)
      command += " " + a;
    morvane_resultt result = folder.run(r.arguments);
    EXPECT_EQ(result.exit_code, r.exit_code) << command;
    EXPECT_EQ(result.err, r.err) << command;
    if(r.out != nullptr)
    {
      EXPECT_EQ(result.out, r.out) << command;
    }
  }
}

std::string padded(const std::string &text, std::size_t width)
{
  return text + std::string(width - text.size(), ' ');
}

// Everything after the banner box.
std::string help_after_box()
{
  const char *rows[][2] = {
    {"morvane [-?] [-h] [--help]", "show help"},
    {"--show-progress", "shows progress information"},
    {"--show-conflicts", "shows all conflict derivations"},
    {"--show-unifications", "shows all unifications done"},
    {"--show-debug", "show debug output"},
    {"--no-optimization", "turn off formula optimization"},
    {"--save-certificate", "turn on certificate generation"},
    {"--parse-only", "don't try to solve the input file"},
  };
  std::string text = "\n" + padded("Usage:", 32) + "Purpose:\n\n";
  for(const auto &row : rows)
    text += padded(row[0], 31) + row[1] + "\n";
  return text;
}

// The banner's credit lines are free text; the rest is fixed to the byte.
void expect_help(const std::string &out)
{
  ASSERT_EQ(out.substr(0, 1), "\n");
  std::size_t at = 1;
  for(int line = 0; line < 5; ++line)
  {
    std::size_t end = out.find('\n', at);
    ASSERT_NE(end, std::string::npos);
    std::string box = out.substr(at, end - at);
    EXPECT_EQ(box.size(), 63u) << box;
    EXPECT_EQ(box.substr(0, 3), "* *") << box;
    EXPECT_EQ(box.substr(box.size() - 3), "* *") << box;
    if(line == 0)
    {
      std::size_t first = box.find_first_not_of(' ', 3);
      std::size_t last = box.find_last_not_of(' ', box.size() - 4);
      EXPECT_GT(first, 3u);
      EXPECT_LT(last, box.size() - 4);
      EXPECT_EQ(box.substr(first, last + 1 - first), "morvane 1.03");
    }
    at = end + 1;
  }
  EXPECT_EQ(out.substr(at), help_after_box());
}

// Runs that end with the help text.
void expect_help_runs(
  const std::vector<std::vector<std::string>> &argument_lists,
  int exit_code,
  const std::string &err)
{
  scratch_foldert folder;
  write_formulas(folder);
  for(const auto &arguments : argument_lists)
  {
    morvane_resultt result = folder.run(arguments);
    EXPECT_EQ(result.exit_code, exit_code) << arguments[0];
    EXPECT_EQ(result.err, err) << arguments[0];
    expect_help(result.out);
  }
}
} // namespace

TEST(MorvaneProgram, ExitCodesAndResultWords)
{
  expect_runs({
    {{}, 1, "no input files\n", ""},
    {{"valid.qdimacs"}, 10, "VALID\n", ""},
    {{"invalid.qdimacs"}, 20, "INVALID\n", ""},
    {{"false.qdimacs"}, 20, "INVALID\n", ""},
    {{"missing.qdimacs"},
     99,
     "failed to open input file: missing.qdimacs\nERROR\n",
     ""},
    {{"folder.qdimacs"},
     99,
     "failed to read input file: folder.qdimacs\nERROR\n",
     ""},
    {{"valid.qdimacs", "invalid.qdimacs"}, 0, "VALID\nINVALID\n", ""},
    {{"missing.qdimacs", "valid.qdimacs"},
     0,
     "failed to open input file: missing.qdimacs\nERROR\nVALID\n",
     ""},
    {{"--parse-only", "valid.qdimacs", "missing.qdimacs"},
     30,
     "",
     "File parsed OK.\n"},
    // Found false while reading: not "parsed OK".
    {{"--parse-only", "false.qdimacs"}, 20, "INVALID\n", ""},
    {{"--parse-only", "missing.qdimacs"},
     99,
     "failed to open input file: missing.qdimacs\nERROR\n",
     ""},
    {{"--no-optimization", "-b", "x", "valid.qdimacs"}, 10, "VALID\n", ""},
    {{"-bx", "invalid.qdimacs"}, 20, "INVALID\n", ""},
  });
}

TEST(MorvaneProgram, Verbosity)
{
  expect_runs({
    {{"--v", "0", "invalid.qdimacs"}, 20, "", ""},
    {{"--v", "zero", "valid.qdimacs"}, 10, "", ""},
    {{"--v", "5", "valid.qdimacs"}, 10, "", ""},
    {{"--v", "6", "valid.qdimacs"}, 10, "VALID\n", ""},
    {{"--v", "8", "valid.qdimacs", "invalid.qdimacs"},
     0,
     "Parsing valid.qdimacs\nVALID\nParsing invalid.qdimacs\nINVALID\n",
     ""},
    // The solver's own messages do not depend on --v.
    {{"--v", "0", "missing.qdimacs"},
     99,
     "failed to open input file: missing.qdimacs\n",
     ""},
    {{"--v", "0", "--show-progress", "--show-debug", "invalid.qdimacs"},
     20,
     "Morvane: original formula: 2 quantifiers, 2 variables, 2 clauses.\n",
     nullptr},
  });
}

TEST(MorvaneProgram, HelpText)
{
  expect_help_runs(
    {{"-h"}, {"-?"}, {"--help"}, {"--"}, {"-"}, {"valid.qdimacs", "-h"}}, 0, "");
}

TEST(MorvaneProgram, UsageErrors)
{
  expect_help_runs(
    {{"--bogus"},
     {"-h", "--bogus"},
     {"--v"},
     {"--v", "-5", "valid.qdimacs"},
     {"-b"},
     {"--v=3", "valid.qdimacs"},
     {"-x", "valid.qdimacs"}},
    64,
    "Usage error!\n\n");
}

// Each switch on a formula small enough to follow by hand.
TEST(MorvaneProgram, DiagnosticsOfEachSwitch)
{
  scratch_foldert folder;
  write_formulas(folder);
  // 3 is eliminated first (ties go inwards), giving the resolvent {1, 2},
  // which is already stored; then 2 (one positive clause), then 1 (none).
  folder.write("resolve.qdimacs", "p cnf 3 3\ne 1 2 3 0\n1 3 0\n2 -3 0\n1 2 0\n");
  // Resolving on 3 gives {1, 2} and {-1, 2}; unification merges them.
  folder.write(
    "unify.qdimacs", "p cnf 4 3\ne 1 2 0\na 4 0\ne 3 0\n3 1 0\n3 -1 0\n-3 2 0\n");
  // 2 is free and so outermost.
  folder.write("free.qdimacs", "p cnf 2 1\na 1 0\n1 2 0\n");
  // Resolving on 3 gives {1} and {1, 2}; the second is covered.
  folder.write(
    "covered.qdimacs", "p cnf 3 3\ne 1 2 0\na 4 0\ne 3 0\n3 1 0\n-3 1 0\n-3 2 0\n");
  // The unit clause {-2} settles 2.
  folder.write("zero.qdimacs", "p cnf 2 2\ne 1 2 0\n-2 0\n2 1 0\n");
  folder.write("conflict.qdimacs", "p cnf 1 2\ne 1 0\n1 0\n-1 0\n");
  folder.write("universal_unit.qdimacs", "p cnf 2 2\na 1 0\ne 2 0\n2 0\n1 0\n");

  struct switcht
  {
    std::vector<std::string> arguments;
    int exit_code;
    const char *out;
    const char *err;
  } cases[] = {
    {{"--show-progress", "resolve.qdimacs"},
     10,
     "CF: 3: 1 w, 1 cw (2 total).\n"
     "CF: 3: f = ?\n"
     "CF: 3: 0 conflict clauses (0 covered, 1 filtered, 0 unified).\n"
     "STAT: 2 quantifiers left, 1 clauses in memory.\n"
     "STAT: Evaluation Progress: 33.3333%, Ground Clauses Growth: 33.3333%.\n"
     "CF: 2: 1 w, 0 cw (1 total).\n"
     "CF: 2: f = 1.\n"
     "CF: 2: 0 conflict clauses (0 covered, 0 filtered, 0 unified).\n"
     "STAT: 1 quantifiers left, 0 clauses in memory.\n"
     "STAT: Evaluation Progress: 66.6667%, Ground Clauses Growth: 0%.\n"
     "CF: 1: 0 w, 0 cw (0 total).\n"
     "CF: 1: f = D.\n"
     "CF: 1: 0 conflict clauses (0 covered, 0 filtered, 0 unified).\n"
     "STAT: 0 quantifiers left, 0 clauses in memory.\n"
     "STAT: Evaluation Progress: 100%, Ground Clauses Growth: 0%.\n",
     "Morvane: original formula: 3 quantifiers, 3 variables, 3 clauses.\n"
     "VALID\n"},
    {{"--show-progress", "covered.qdimacs"},
     10,
     "CF: 3: 1 w, 2 cw (3 total).\n"
     "CF: 3: f = ?\n"
     "CF: 3: 1 conflict clauses (1 covered, 0 filtered, 0 unified).\n"
     "STAT: 3 quantifiers left, 1 clauses in memory.\n"
     "STAT: Evaluation Progress: 25%, Ground Clauses Growth: 33.3333%.\n"
     "FR: Reducing variable #4 (0 clauses).\n"
     "STAT: 2 quantifiers left, 1 clauses in memory.\n"
     "STAT: Evaluation Progress: 50%, Ground Clauses Growth: 33.3333%.\n"
     "CF: 2: 0 w, 0 cw (0 total).\n"
     "CF: 2: f = D.\n"
     "CF: 2: 0 conflict clauses (0 covered, 0 filtered, 0 unified).\n"
     "STAT: 1 quantifiers left, 1 clauses in memory.\n"
     "STAT: Evaluation Progress: 75%, Ground Clauses Growth: 33.3333%.\n"
     "CF: 1: 1 w, 0 cw (1 total).\n"
     "CF: 1: f = 1.\n"
     "CF: 1: 0 conflict clauses (0 covered, 0 filtered, 0 unified).\n"
     "STAT: 0 quantifiers left, 0 clauses in memory.\n"
     "STAT: Evaluation Progress: 100%, Ground Clauses Growth: 0%.\n",
     "Morvane: original formula: 4 quantifiers, 3 variables, 3 clauses.\n"
     "VALID\n"},
    {{"--show-progress", "zero.qdimacs"},
     10,
     "CF: 2: 1 w, 1 cw (2 total).\n"
     "CF: 2: f = 0.\n"
     "CF: 2: 1 conflict clauses (0 covered, 0 filtered, 0 unified).\n"
     "STAT: 1 quantifiers left, 1 clauses in memory.\n"
     "STAT: Evaluation Progress: 50%, Ground Clauses Growth: 50%.\n"
     "CF: 1: 1 w, 0 cw (1 total).\n"
     "CF: 1: f = 1.\n"
     "CF: 1: 0 conflict clauses (0 covered, 0 filtered, 0 unified).\n"
     "STAT: 0 quantifiers left, 0 clauses in memory.\n"
     "STAT: Evaluation Progress: 100%, Ground Clauses Growth: 0%.\n",
     "Morvane: original formula: 2 quantifiers, 2 variables, 2 clauses.\n"
     "VALID\n"},
    {{"--show-progress", "valid.qdimacs"},
     10,
     "CF: 2: 1 w, 1 cw (2 total).\n"
     "CF: 2: f = ?\n"
     "CF: 2: 0 conflict clauses (0 covered, 0 filtered, 0 unified).\n"
     "STAT: 1 quantifiers left, 0 clauses in memory.\n"
     "STAT: Evaluation Progress: 50%, Ground Clauses Growth: 0%.\n"
     "FR: Reducing variable #1 (0 clauses).\n"
     "STAT: 0 quantifiers left, 0 clauses in memory.\n"
     "STAT: Evaluation Progress: 100%, Ground Clauses Growth: 0%.\n",
     "Morvane: original formula: 2 quantifiers, 2 variables, 2 clauses.\n"
     "VALID\n"},
    {{"--show-progress", "invalid.qdimacs"},
     20,
     "FR: Reducing variable #1 (2 clauses).\n"
     "SHORTCUT: CONFLICTING CONSTRAINTS ON VAR #2 (0).\n",
     "Morvane: original formula: 2 quantifiers, 2 variables, 2 clauses.\n"
     "INVALID\n"},
    {{"--show-progress", "conflict.qdimacs"},
     20,
     "SHORTCUT: CONFLICTING CONSTRAINTS ON VAR #1 (0).\n",
     "INVALID\n"},
    {{"--show-progress", "universal_unit.qdimacs"},
     20,
     "SHORTCUT: EMPTY CLAUSE ADDED.\n",
     "INVALID\n"},
    {{"--show-conflicts", "resolve.qdimacs"},
     10,
     "CF: Conflict: -(2,\b) -> -3 X -(1,\b) -> 3 => -(1,2,\b).\n"
     "CF: 3: Conflict Constraint: (1,2,\b)\n",
     "VALID\n"},
    {{"--show-unifications", "unify.qdimacs"},
     10,
     "DEBUG: Unifying: (1,2,\b) x (-1,2,\b) -> (2,\b)\n",
     "VALID\n"},
    // With certificates every printed clause shows its id and parents.
    {{"--show-unifications", "--show-conflicts", "--save-certificate",
      "unify.qdimacs"},
     10,
     "CF: Conflict: -(2,\b) [3:0,0] -> -3 X -(1,\b) [1:0,0] -> 3 => "
     "-(1,2,\b) [0:1,3].\n"
     "CF: 3: Conflict Constraint: (1,2,\b) [0:1,3]\n"
     "CF: Conflict: -(2,\b) [3:0,0] -> -3 X -(-1,\b) [2:0,0] -> 3 => "
     "-(-1,2,\b) [0:2,3].\n"
     "CF: 3: Conflict Constraint: (-1,2,\b) [0:2,3]\n"
     "DEBUG: Unifying: (1,2,\b) [4:1,3] x (-1,2,\b) [5:2,3] -> (2,\b) "
     "[0:4,5]\n",
     "VALID\n"},
    {{"--show-debug", "free.qdimacs"},
     10,
     "DEBUG: Quantifying variable #2 at level 0.\n"
     "DEBUG: FR: 1: Variable stats now: 0/0\n"
     "DEBUG: CF: 2: Variable stats now: 0/0\n",
     "VALID\n"},
    {{"--show-debug", "--save-certificate", "--parse-only", "resolve.qdimacs"},
     30,
     "DEBUG: Adding clause #1 with parents 0, 0 (0) = (1,3,\b) [1:0,0]\n"
     "DEBUG: Adding clause #2 with parents 0, 0 (0) = (2,-3,\b) [2:0,0]\n"
     "DEBUG: Adding clause #3 with parents 0, 0 (0) = (1,2,\b) [3:0,0]\n"
     "File parsed OK.\n",
     ""},
    {{"--show-debug", "--save-certificate", "conflict.qdimacs"},
     20,
     "DEBUG: Adding clause #1 with parents 0, 0 (0) = (1,\b) [1:0,0]\n"
     "DEBUG: 2 for 2 and 1 for 1\n",
     "INVALID\n"},
  };
  for(const auto &c : cases)
  {
    morvane_resultt result = folder.run(c.arguments);
    EXPECT_EQ(result.exit_code, c.exit_code) << c.arguments[0];
    EXPECT_EQ(result.out, c.out) << c.arguments[0] << " " << c.arguments.back();
    EXPECT_EQ(result.err, c.err) << c.arguments[0] << " " << c.arguments.back();
  }
}

// Without clauses the growth figure divides by zero.
TEST(MorvaneProgram, ProgressWithoutClauses)
{
  scratch_foldert folder;
  folder.write("empty.qdimacs", "p cnf 1 0\ne 1 0\n");
  morvane_resultt result = folder.run({"--show-progress", "empty.qdimacs"});
  EXPECT_EQ(result.exit_code, 10);
  EXPECT_EQ(
    result.out,
    "CF: 1: 0 w, 0 cw (0 total).\n"
    "CF: 1: f = D.\n"
    "CF: 1: 0 conflict clauses (0 covered, 0 filtered, 0 unified).\n"
    "STAT: 0 quantifiers left, 0 clauses in memory.\n"
    "STAT: Evaluation Progress: 100%, Ground Clauses Growth: n/a%.\n");
}

#include "tests/harness/exchange_directory.h"
#include "tests/util/test_files.h"

#include "sat/pbs_dimacs_cnf.h"
#include "tests/util/message_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace
{
class PbsDimacsCnf : public exchange_directory_testt
{
protected:
  void SetUp() override
  {
    exchange_directory_testt::SetUp();
    pbs.set_message_handler(&messages);
  }

  // (x1 or x2) and (!x1 or x3), weights x1 3, x2 2, x3 4.
  void small_instance()
  {
    for(int i = 0; i < 3; ++i)
      x[i] = pbs.new_variable();
    pbs.lcnf({x[0], x[1]});
    pbs.lcnf({!x[0], x[2]});
    pbs.weights = {{x[0], 3}, {x[1], 2}, {x[2], 4}};
  }

  int weighted_sum() const
  {
    int sum = 0;
    for(const auto &weight : pbs.weights)
      sum += pbs.l_get(weight.first).is_true() ? int(weight.second) : 0;
    return sum;
  }

  bool model_satisfies_small_instance() const
  {
    return (pbs.l_get(x[0]).is_true() || pbs.l_get(x[1]).is_true()) &&
           (pbs.l_get(x[0]).is_false() || pbs.l_get(x[2]).is_true());
  }

  literalt x[3];
  message_recordert messages;
  pbs_dimacs_cnft pbs;
};

literalt var(unsigned v, bool sign = false)
{
  return literalt(v, sign);
}
} // namespace

TEST_F(PbsDimacsCnf, ObjectiveFileForEachMode)
{
  struct caset
  {
    bool optimize, maximize;
    std::map<literalt, unsigned> weights;
    const char *expected;
  };
  const caset cases[] = {
    {false,
     false,
     {{var(3, true), 5}, {var(2), 1}, {var(1), 2}},
     "# PBType: E\n# PBGoal: 7\n# NumCoef: 3\nv1 c2\nv2 c1\nv-3 c5\n"},
    {true,
     false,
     {{var(1), 2}, {var(2), 3}},
     "# PBType: SE\n# PBGoal: 5\n# PBObj : MIN\n# NumCoef: 2\nv1 c2\nv2 c3\n"},
    {true,
     true,
     {{var(1), 2}, {var(2), 3}},
     "# PBType: GE\n# PBGoal: 0\n# PBObj : MAX\n# NumCoef: 2\nv1 c2\nv2 c3\n"},
    // A six-digit floating-point text would give 1.23457e+06 and
    // 1.2e+10.
    {true,
     false,
     {{var(1), 1000000}, {var(2), 234567}},
     "# PBType: SE\n# PBGoal: 1234567\n# PBObj : MIN\n# NumCoef: 2\n"
     "v1 c1000000\nv2 c234567\n"},
    {true,
     false,
     {{var(1), 4000000000u}, {var(2), 4000000000u}, {var(3), 4000000000u}},
     "# PBType: SE\n# PBGoal: 12000000000\n# PBObj : MIN\n# NumCoef: 3\n"
     "v1 c4000000000\nv2 c4000000000\nv3 c4000000000\n"},
    {false, false, {}, "# PBType: E\n# PBGoal: 7\n# NumCoef: 0\n"},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.expected);
    pbs.optimize = c.optimize;
    pbs.maximize = c.maximize;
    pbs.goal = 7;
    pbs.weights = c.weights;
    std::ostringstream out;
    pbs.write_dimacs_pb(out);
    EXPECT_EQ(out.str(), c.expected);
  }
}

TEST_F(PbsDimacsCnf, CommandVariants)
{
  struct caset
  {
    bool optimize, binary_search;
    const char *options;
  };
  const caset cases[] = {
    {false, false, " -f temp.cnf -S 1000 -D 1 -a -a\n"},
    {false, true, " -f temp.cnf -S 1000 -D 1 -a -a\n"},
    {true, true, " -f temp.cnf -S 1000 -D 1 -H -I -a -a\n"},
    {true, false, " -f temp.cnf -S 1000 -D 1 -I -a -a\n"},
  };
  // A directory whose name the shell would split or end early.
  std::filesystem::path odd = directory / "a pb's dir";
  std::filesystem::create_directory(odd);
  std::filesystem::create_symlink(
    std::filesystem::path(STAND_IN_DIRECTORY) / "pbs", odd / "pbs");
  const std::string dir = STAND_IN_DIRECTORY;
  const std::pair<std::string, std::string> directories[] = {
    {"", "pbs"},
    {dir, dir + "/pbs"},
    {dir + "/", dir + "/pbs"},
    {odd.string(), (odd / "pbs").string()},
  };
  for(const auto &folder : directories)
  {
    for(const caset &c : cases)
    {
      SCOPED_TRACE(folder.first + c.options);
      pbs.program_dir = folder.first;
      pbs.optimize = c.optimize;
      pbs.binary_search = c.binary_search;
      std::filesystem::remove("pbs.args");
      EXPECT_EQ(pbs.prop_solve(), propt::P_SATISFIABLE);
      EXPECT_EQ(file_text("pbs.args"), folder.second + c.options);
    }
  }
}

TEST_F(PbsDimacsCnf, ModesAgainstTheBruteForceStandIn)
{
  small_instance();

  pbs.optimize = true;
  EXPECT_EQ(pbs.prop_solve(), propt::P_SATISFIABLE);
  EXPECT_EQ(pbs.objective_value, 2);
  EXPECT_EQ(weighted_sum(), 2);
  EXPECT_TRUE(model_satisfies_small_instance());
  EXPECT_EQ(
    messages.texts(),
    "6:4 variables, 2 clauses;"
    "6:PBS checker: system is SATISFIABLE (distance 2);");
  EXPECT_EQ(file_text("temp.cnf"), "p cnf 4 2\n1 2 0\n-1 3 0\n");

  pbs.maximize = true;
  EXPECT_EQ(pbs.prop_solve(), propt::P_SATISFIABLE);
  EXPECT_EQ(pbs.objective_value, 9);
  EXPECT_EQ(weighted_sum(), 9);

  pbs.optimize = false;
  pbs.goal = 7;
  messages.messages.clear();
  EXPECT_EQ(pbs.prop_solve(), propt::P_SATISFIABLE);
  EXPECT_EQ(weighted_sum(), 7);
  EXPECT_TRUE(model_satisfies_small_instance());
  EXPECT_EQ(
    messages.texts(),
    "6:4 variables, 2 clauses;6:PBS checker: system is SATISFIABLE;");

  // No model weighs 1; the last assignment stays.
  pbs.goal = 1;
  messages.messages.clear();
  EXPECT_EQ(pbs.prop_solve(), propt::P_UNSATISFIABLE);
  EXPECT_EQ(pbs.objective_value, -1);
  EXPECT_EQ(weighted_sum(), 7);
  EXPECT_EQ(
    messages.texts(),
    "6:4 variables, 2 clauses;6:PBS checker: system is UNSATISFIABLE;");
}

TEST_F(PbsDimacsCnf, AnswerParsing)
{
  struct caset
  {
    const char *answer;
    propt::resultt result;
    int objective_value;
    std::set<int> true_vars;
    bool warned;
  };
  const std::set<int> previous = {2};
  const caset cases[] = {
    {"Variable Assignments Satisfying CNF Formula:\n1 -2 3 -4 5 6\n",
     propt::P_SATISFIABLE,
     -1,
     {1, 3},
     false},
    // Fewer numbers than variables: the text that stops them is read on.
    {"Variable Assignments Satisfying CNF Formula:\n-1 3\n"
     "Optimal Soln found: 9\n",
     propt::P_SATISFIABLE,
     9,
     {3},
     false},
    // The numbers follow the line of the block's title.
    {"Variable Assignments Satisfying CNF Formula: 1\n2 3",
     propt::P_SATISFIABLE,
     -1,
     {2, 3},
     false},
    {"noise\nSAT... SUM is 5\n", propt::P_UNSATISFIABLE, 5, previous, false},
    {"SAT - All implied: a b c d e f g 11\n",
     propt::P_UNSATISFIABLE,
     11,
     previous,
     false},
    {"SAT... Solution = 4\r\n", propt::P_UNSATISFIABLE, 4, previous, false},
    {"SAT... SUM is x\n", propt::P_UNSATISFIABLE, -1, previous, false},
    {"Optimal Soln found: 12", propt::P_UNSATISFIABLE, 12, previous, false},
    {"Optimal Soln (time out) 3\n"
     "Variable Assignments Satisfying CNF Formula:\n1\n",
     propt::P_UNSATISFIABLE,
     -1,
     previous,
     true},
    {"Variable Assignments Satisfying CNF Formula:\n1 -2 -3 -4\n"
     "Optimal Soln time out: 3\n",
     propt::P_SATISFIABLE,
     -1,
     {1},
     true},
  };
  write_program("pbs", "cat answer\n");
  pbs.program_dir = bin.string();
  for(int i = 0; i < 3; ++i)
    pbs.new_variable();
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.answer);
    pbs.true_vars = previous;
    write_file("answer", c.answer);
    messages.messages.clear();
    EXPECT_EQ(pbs.prop_solve(), c.result);
    EXPECT_EQ(pbs.objective_value, c.objective_value);
    EXPECT_EQ(pbs.true_vars, c.true_vars);
    EXPECT_EQ(
      messages.texts().find("WARNING:  TIMED OUT.  SOLUTION MAY BE "
                            "INCORRECT.\n") != std::string::npos,
      c.warned);
  }
}

TEST_F(PbsDimacsCnf, ValuesFromTheReportedTrueVariables)
{
  pbs.true_vars = {1, 3};
  EXPECT_TRUE(pbs.l_get(var(1)).is_true());
  EXPECT_TRUE(pbs.l_get(var(1, true)).is_false());
  EXPECT_TRUE(pbs.l_get(var(2)).is_false());
  EXPECT_TRUE(pbs.l_get(var(2, true)).is_true());
  EXPECT_TRUE(pbs.l_get(const_literal(true)).is_true());
  EXPECT_TRUE(pbs.l_get(const_literal(false)).is_false());
  EXPECT_EQ(pbs.solver_text(), "PBS - Pseudo Boolean/CNF Solver and Optimizer");
}

TEST_F(PbsDimacsCnf, FailuresOfTheExchange)
{
  // An answer file that is gone counts as unsatisfiable.
  write_program("pbs", "rm -f temp.out\n");
  pbs.program_dir = bin.string();
  EXPECT_EQ(pbs.prop_solve(), propt::P_UNSATISFIABLE);
  EXPECT_EQ(
    messages.texts(),
    "6:1 variables, 0 clauses;1:Unable to read SAT results!\n;"
    "6:PBS checker: system is UNSATISFIABLE;");

  // A program that cannot be run is no answer at all.
  pbs.program_dir = (directory / "nowhere").string();
  messages.messages.clear();
  EXPECT_EQ(pbs.prop_solve(), propt::P_ERROR);
  EXPECT_EQ(
    messages.texts(),
    "6:1 variables, 0 clauses;1:Unable to run: '" + pbs.program_dir +
      "/'pbs -f temp.cnf -S 1000 -D 1 -a -a > temp.out;");

  for(const char *file : {"temp.cnf", "temp.cnf.pb"})
  {
    SCOPED_TRACE(file);
    std::filesystem::remove_all("temp.cnf");
    std::filesystem::remove_all("temp.cnf.pb");
    std::filesystem::create_directory(file);
    pbs.program_dir.clear();
    messages.messages.clear();
    EXPECT_EQ(pbs.prop_solve(), propt::P_ERROR);
    EXPECT_EQ(messages.texts(), std::string("1:Unable to write ") + file + ";");
    EXPECT_FALSE(exists("pbs.args"));
  }
}

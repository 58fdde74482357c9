#include "cnf_loading.h"
#include "tests/harness/exchange_directory.h"
#include "tests/util/test_files.h"

#include "sat/satcheck_groupsat_core.h"
#include "tests/util/message_recorder.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
class SatcheckGroupsatCore : public exchange_directory_testt
{
protected:
  void SetUp() override
  {
    exchange_directory_testt::SetUp();
    core.set_message_handler(&messages);
  }

  // x1 and not x1, over three variables.
  void contradiction()
  {
    core.set_no_variables(4);
    core.lcnf({literalt(1, false)});
    core.lcnf({literalt(1, true)});
  }

  message_recordert messages;
  satcheck_groupsat_coret core;
};

class SatcheckGroupsatCoreDeathTest : public exchange_directory_testt
{
};

// The clauses of the formula that use core variables only.
cnf_formulat restricted_to(
  const cnf_formulat &formula,
  const std::set<unsigned> &variables)
{
  cnf_formulat result;
  result.variables = formula.variables;
  for(const auto &clause : formula.clauses)
  {
    bool inside = true;
    for(int svar : clause)
      inside = inside && variables.count(unsigned(svar) >> 1) != 0;
    if(inside)
      result.clauses.push_back(clause);
  }
  return result;
}

const char *const exchange_files[] = {
  "cnf.dimacs", "unsat_core.cnf", "resolve_trace", "cnf.out"};
} // namespace

// One process runs many extractions: each run's trace must start a fresh
// file, also after the previous extraction removed it, or the stand-in's
// replay fails.
TEST_F(SatcheckGroupsatCore, CoreOfEachUnsatisfiableFormulaIsUnsatisfiable)
{
  std::mt19937 rng(7);
  int cores = 0;
  for(int round = 0; round < 60; ++round)
  {
    SCOPED_TRACE(round);
    cnf_formulat formula = random_3sat(rng, 4 + round % 6, 30);
    bool satisfiable = brute_force_satisfiable(formula);
    std::filesystem::remove("groupsat_verify.args");
    write_file("cnf.out", "");

    satcheck_groupsat_coret extraction;
    load_into(extraction, formula);
    if(satisfiable)
    {
      ASSERT_EQ(extraction.prop_solve(), propt::P_SATISFIABLE);
      EXPECT_FALSE(exists("groupsat_verify.args"));
      EXPECT_TRUE(exists("cnf.dimacs"));
      EXPECT_TRUE(exists("resolve_trace"));
      continue;
    }
    ASSERT_EQ(extraction.prop_solve(), propt::P_UNSATISFIABLE);
    ++cores;
    EXPECT_EQ(
      file_text("groupsat_verify.args"),
      "groupsat_verify cnf.dimacs resolve_trace -core\n");
    for(const char *file : exchange_files)
      EXPECT_FALSE(exists(file)) << file;
    ASSERT_FALSE(extraction.in_core.empty());
    EXPECT_FALSE(
      brute_force_satisfiable(restricted_to(formula, extraction.in_core)));
    for(unsigned v = 1; v <= unsigned(formula.variables); ++v)
      EXPECT_EQ(
        extraction.is_in_core(literalt(v, true)),
        extraction.in_core.count(v) != 0);
  }
  EXPECT_GT(cores, 15);
}

TEST_F(SatcheckGroupsatCore, SatisfiableRunLeavesItsExchange)
{
  write_file("resolve_trace", "records of another run\n");
  core.set_no_variables(2);
  core.lcnf({literalt(1, false)});

  EXPECT_EQ(core.prop_solve(), propt::P_SATISFIABLE);
  EXPECT_EQ(file_text("cnf.dimacs"), "p cnf 2 1\n1 0\n");
  EXPECT_EQ(file_text("resolve_trace"), "");
  EXPECT_FALSE(exists("groupsat_verify.args"));
}

TEST_F(SatcheckGroupsatCore, CoreFileLines)
{
  struct caset
  {
    const char *core_text;
    propt::resultt result;
    std::set<unsigned> in_core;
  };
  const caset cases[] = {
    {"c a comment\np cnf 3 2\n1 -3 0\n-1 0\n", propt::P_UNSATISFIABLE, {1, 3}},
    {"4  -6 0 9\n7", propt::P_UNSATISFIABLE, {4, 6, 7}},
    // A number not followed by a blank ends its line.
    {"8x 9 0\n2\t5 0\n", propt::P_UNSATISFIABLE, {8, 2}},
    {"c nothing\np cnf 3 0\n\n", propt::P_ERROR, {}},
    {"", propt::P_ERROR, {}},
  };
  write_program("groupsat_verify", "cp core unsat_core.cnf\n");
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.core_text);
    write_file("core", c.core_text);
    satcheck_groupsat_coret extraction;
    extraction.set_no_variables(4);
    extraction.lcnf({literalt(2, false)});
    extraction.lcnf({literalt(2, true)});
    EXPECT_EQ(extraction.prop_solve(), c.result);
    EXPECT_EQ(extraction.in_core, c.in_core);
    for(const char *file : exchange_files)
      EXPECT_FALSE(exists(file)) << file;
  }
}

TEST_F(SatcheckGroupsatCore, CoreOfTheProgramIsRead)
{
  write_program(
    "groupsat_verify",
    "printf 'c core\\np cnf 3 2\\n1 -3 0\\n-1 0\\n' > unsat_core.cnf\n");
  contradiction();

  EXPECT_EQ(core.prop_solve(), propt::P_UNSATISFIABLE);
  EXPECT_TRUE(core.is_in_core(literalt(1, false)));
  EXPECT_TRUE(core.is_in_core(literalt(3, true)));
  EXPECT_TRUE(core.is_in_core(literalt(3, false)));
  EXPECT_FALSE(core.is_in_core(literalt(2, false)));
  EXPECT_EQ(messages.texts(), "6:4 variables, 2 clauses;");
  EXPECT_EQ(core.solver_text(), "Groupsat Core");
}

TEST_F(SatcheckGroupsatCore, StaleCoreOfAnEarlierRunIsNotRead)
{
  write_file("unsat_core.cnf", "1 2 0\n");
  write_program("groupsat_verify", "exit 0\n");
  contradiction();

  EXPECT_EQ(core.prop_solve(), propt::P_ERROR);
  EXPECT_TRUE(core.in_core.empty());
}

TEST_F(SatcheckGroupsatCore, ProgramThatCannotRunIsAnError)
{
  hide_stand_ins();
  contradiction();

  EXPECT_EQ(core.prop_solve(), propt::P_ERROR);
  EXPECT_EQ(
    messages.texts(),
    "6:4 variables, 2 clauses;"
    "1:Unable to run: groupsat_verify cnf.dimacs resolve_trace -core;");
  // The exchange is kept for a look at what went wrong.
  EXPECT_TRUE(exists("cnf.dimacs"));
  EXPECT_TRUE(exists("resolve_trace"));
}

TEST_F(SatcheckGroupsatCore, UnwritableExchangeFileIsAnError)
{
  contradiction();
  for(const char *file : {"cnf.dimacs", "resolve_trace"})
  {
    SCOPED_TRACE(file);
    std::filesystem::remove_all("cnf.dimacs");
    std::filesystem::remove_all("resolve_trace");
    std::filesystem::create_directory(file);
    messages.messages.clear();
    EXPECT_EQ(core.prop_solve(), propt::P_ERROR);
    EXPECT_EQ(
      messages.texts(),
      std::string("6:4 variables, 2 clauses;1:Unable to write ") + file +
        ";");
    EXPECT_FALSE(exists("groupsat_verify.args"));
  }
}

TEST_F(SatcheckGroupsatCoreDeathTest, GivesNoModel)
{
  satcheck_groupsat_coret core;
  EXPECT_DEATH(core.l_get(core.new_variable()), "false");
}

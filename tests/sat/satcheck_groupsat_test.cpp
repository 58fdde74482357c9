#include "cnf_loading.h"
#include "tests/harness/exchange_directory.h"

#include "sat/groupsat/groupsat_solver.h"
#include "sat/satcheck_groupsat.h"
#include "tests/util/condition_regex.h"
#include "tests/util/message_recorder.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
class SatcheckGroupsat : public exchange_directory_testt
{
};

class SatcheckGroupsatDeathTest : public exchange_directory_testt
{
};

const char *const satisfiable_text =
  "6:SAT checker: negated claim is SATISFIABLE, i.e., does not hold;";
const char *const unsatisfiable_text =
  "6:SAT checker: negated claim is UNSATISFIABLE, i.e., holds;";
} // namespace

TEST_F(SatcheckGroupsat, RandomFormulasAgreeWithBruteForce)
{
  std::mt19937 rng(13);
  int answers[2] = {0, 0};
  for(int round = 0; round < 300; ++round)
  {
    random_cnf_shapet shape{
      1 + round % 9, int(rng() % 30), 1 + int(rng() % 4), 60, 60, 60,
      round % 25 == 0};
    cnf_formulat formula = random_cnf(rng, shape);
    SCOPED_TRACE(round);

    satcheck_groupsatt groupsat;
    load_into(groupsat, formula);
    propt::resultt result = groupsat.prop_solve();
    bool satisfiable = brute_force_satisfiable(formula);
    ASSERT_EQ(
      result, satisfiable ? propt::P_SATISFIABLE : propt::P_UNSATISFIABLE);
    ++answers[satisfiable];
    if(!satisfiable)
      continue;
    for(const auto &clause : formula.clauses)
    {
      bool satisfied = false;
      for(int svar : clause)
        satisfied = satisfied ||
                    groupsat.l_get(literalt::from_word(unsigned(svar)))
                      .is_true();
      EXPECT_TRUE(satisfied);
    }
  }
  // Both answers are well represented.
  EXPECT_GT(answers[0], 50);
  EXPECT_GT(answers[1], 50);
}

TEST_F(SatcheckGroupsat, MessagesOfOneRun)
{
  struct caset
  {
    std::vector<std::vector<int>> clauses;
    propt::resultt result;
    std::string messages;
  };
  const caset cases[] = {
    {{}, propt::P_SATISFIABLE, std::string("6:1 variables, 0 clauses;") +
                                 satisfiable_text},
    {{{1, 2}, {-1}},
     propt::P_SATISFIABLE,
     std::string("6:3 variables, 2 clauses;") + satisfiable_text},
    {{{1, 2}, {-1}, {-2}},
     propt::P_UNSATISFIABLE,
     std::string("6:3 variables, 3 clauses;") + unsatisfiable_text},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.messages);
    message_recordert messages;
    satcheck_groupsatt groupsat;
    groupsat.set_message_handler(&messages);
    groupsat.set_no_variables(c.clauses.empty() ? 1 : 3);
    for(const auto &clause : c.clauses)
    {
      bvt literals;
      for(int d : clause)
        literals.push_back(literalt(d < 0 ? -d : d, d < 0));
      groupsat.lcnf(literals);
    }
    EXPECT_EQ(groupsat.prop_solve(), c.result);
    EXPECT_EQ(messages.texts(), c.messages);
  }
}

TEST_F(SatcheckGroupsat, ValuesOfConstantsAndOverwrittenVariables)
{
  satcheck_groupsatt groupsat;
  literalt x = groupsat.new_variable(), y = groupsat.new_variable();
  groupsat.lcnf({x});
  groupsat.lcnf({!x, !y});
  ASSERT_EQ(groupsat.prop_solve(), propt::P_SATISFIABLE);
  EXPECT_TRUE(groupsat.l_get(x).is_true());
  EXPECT_TRUE(groupsat.l_get(!y).is_true());
  EXPECT_TRUE(groupsat.l_get(const_literal(true)).is_true());
  EXPECT_TRUE(groupsat.l_get(const_literal(false)).is_false());
  // The engine's unused last variable is set true by preprocessing.
  EXPECT_TRUE(groupsat.l_get(literalt(3, false)).is_true());

  groupsat.set_assignment(!x, true);
  EXPECT_TRUE(groupsat.l_get(x).is_false());
  groupsat.set_assignment(y, true);
  EXPECT_TRUE(groupsat.l_get(!y).is_false());
  EXPECT_EQ(groupsat.solver_text(), "Groupsat II");
}

TEST_F(SatcheckGroupsat, EngineStoppedByItsOwnerIsAnError)
{
  CSolver engine;
  message_recordert messages;
  satcheck_groupsat_baset groupsat(&engine);
  groupsat.set_message_handler(&messages);
  literalt x = groupsat.new_variable(), y = groupsat.new_variable();
  // Both phases of both variables occur: preprocessing leaves a search.
  groupsat.lcnf({x, y});
  groupsat.lcnf({!x, !y});
  engine._force_terminate = true;
  EXPECT_EQ(groupsat.prop_solve(), propt::P_ERROR);
  EXPECT_EQ(
    messages.texts(),
    "6:3 variables, 2 clauses;6:SAT checker failed: ABORTED;");
}

TEST_F(SatcheckGroupsatDeathTest, OneSolvePerObjectAndValuesOnlyWithAModel)
{
  satcheck_groupsatt unsolved;
  EXPECT_DEATH(
    unsolved.l_get(const_literal(true)), condition_regex("status == SAT"));

  satcheck_groupsatt solved;
  literalt x = solved.new_variable();
  solved.lcnf({x});
  solved.lcnf({!x});
  testing::internal::CaptureStdout();
  ASSERT_EQ(solved.prop_solve(), propt::P_UNSATISFIABLE);
  testing::internal::GetCapturedStdout();
  EXPECT_DEATH(solved.prop_solve(), condition_regex("status == INIT"));
  EXPECT_DEATH(solved.l_get(x), condition_regex("status == SAT"));
}

TEST_F(SatcheckGroupsatDeathTest, LiteralBeyondTheEngineVariables)
{
  satcheck_groupsatt groupsat;
  groupsat.new_variable();
  testing::internal::CaptureStdout();
  ASSERT_EQ(groupsat.prop_solve(), propt::P_SATISFIABLE);
  testing::internal::GetCapturedStdout();
  EXPECT_DEATH(
    groupsat.l_get(literalt(3, false)),
    condition_regex("a.var_no() < solver->variables().size()"));
}

#include "captured_output.h"
#include "exposed_solver.h"
#include "scratch_directory.h"
#include "tests/util/condition_regex.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>

TEST(CSolverSearch, PreprocessingAloneDecidesUnusedAndOnePhaseVariables)
{
  exposed_solvert solver;
  solver.set_variable_number(4);
  solver.add({2, 4});
  solver.add({2, 7});
  solver.params().verbosity = 3;
  int outcome = 0;
  std::string out = stdout_of([&] { outcome = solver.solve(); });
  EXPECT_EQ(outcome, SATISFIABLE);
  EXPECT_EQ(
    out,
    "1 Variables are defined but not used \n4 \n"
    "3 Variables only appear in one phase.\n1 2 -3 \n"
    "4 vars set during preprocess; \n\n");
  // The one decision step found no free variable.
  EXPECT_EQ(solver.solver_stats().num_decisions, 1);
  const int expected[] = {0, 1, 1, 0, 1};
  for(int v = 1; v <= 4; ++v)
    EXPECT_EQ(solver.variable(v).value(), unsigned(expected[v])) << v;
}

TEST(CSolverSearch, QuietPreprocessingPrintsOnlyItsResult)
{
  exposed_solvert solver;
  solver.set_variable_number(4);
  solver.add({2, 4});
  solver.add({2, 7});
  EXPECT_EQ(
    stdout_of([&] { solver.solve(); }), "4 vars set during preprocess; \n\n");
}

TEST(CSolverSearch, UnitAndItsNegationAreRefutedByPreprocessing)
{
  std::streamoff start = trace_end();
  exposed_solvert solver;
  solver.set_variable_number(1);
  solver.add({2});
  solver.add({3});
  int outcome = 0;
  EXPECT_EQ(
    stdout_of([&] { outcome = solver.solve(); }),
    " CONFLICT during preprocess \n\n");
  EXPECT_EQ(outcome, UNSATISFIABLE);
  EXPECT_EQ(solver.solver_stats().num_decisions, 0);
  // The last record has no newline but is in the file already.
  EXPECT_EQ(trace_text(start), "VAR: 1 L: 0 V: 1 A: 0 Lits: 2\nCONF: 1 == 3");
}

TEST(CSolverSearch, EmptyClauseMakesTheFormulaUnsatisfiable)
{
  std::streamoff start = trace_end();
  exposed_solvert solver;
  solver.set_variable_number(2);
  solver.add({2, 4});
  solver.add({});
  solver.add({3, 5});
  int outcome = 0;
  EXPECT_EQ(
    stdout_of([&] { outcome = solver.solve(); }),
    " CONFLICT during preprocess \n\n");
  EXPECT_EQ(outcome, UNSATISFIABLE);
  EXPECT_EQ(trace_text(start), "CONF: 1 ==");
}

TEST(CSolverSearch, SecondSolveReturnsTheFirstOutcomeSilently)
{
  exposed_solvert solver;
  solver.set_variable_number(2);
  solver.add({2, 4});
  solver.add({3, 5});
  solver.add({2, 5});
  int first = 0, second = 0;
  stdout_of([&] { first = solver.solve(); });
  EXPECT_EQ(first, SATISFIABLE);
  EXPECT_EQ(stdout_of([&] { second = solver.solve(); }), "");
  EXPECT_EQ(second, first);
}

TEST(CSolverSearch, FullPoolEndsInMemoryOut)
{
  exposed_solvert solver;
  solver.set_variable_number(3);
  solver.set_mem_limit(1000);
  std::vector<int> huge(0x7FFE, 2);
  EXPECT_EQ(solver.add(huge), -1);
  EXPECT_TRUE(solver.solver_stats().is_mem_out);
  EXPECT_EQ(solver.outcome(), MEM_OUT);
  EXPECT_EQ(stdout_of([&] { EXPECT_EQ(solver.solve(), MEM_OUT); }), "");
}

TEST(CSolverSearch, GroupIdsBecomeMasks)
{
  exposed_solvert solver;
  solver.set_variable_number(2);
  EXPECT_EQ(solver.clause(solver.add({2, 4}, 0)).gflag(), 0u);
  EXPECT_EQ(solver.clause(solver.add({2, 4}, -1)).gflag(), ~0u);
  EXPECT_EQ(solver.clause(solver.add({2, 4}, 3)).gflag(), 4u);
  EXPECT_EQ(solver.clause(solver.add({2, 4}, 32)).gflag(), 1u << 31);
  EXPECT_EQ(solver.clause(0).status(), unsigned(ORIGINAL_CL));
}

TEST(CSolverSearch, TimeOutOnlyStrictlyAboveTheLimit)
{
  exposed_solvert solver;
  solver.set_time_limit(1e9f);
  EXPECT_FALSE(solver.time_out());
  solver.set_time_limit(-1.0f);
  EXPECT_TRUE(solver.time_out());
}

TEST(CSolverSearch, StopsAfterTheFirstPropagationWhenToldTo)
{
  struct caset
  {
    const char *name;
    std::function<void(exposed_solvert &)> set;
    int outcome;
  };
  const std::vector<caset> cases = {
    {"time limit passed",
     [](exposed_solvert &s) { s.set_time_limit(-1.0f); },
     TIME_OUT},
    {"terminate flag", [](exposed_solvert &s) { s._force_terminate = true; },
     ABORTED},
  };
  for(const caset &c : cases)
  {
    exposed_solvert solver;
    solver.set_variable_number(3);
    solver.add({2, 4});
    solver.add({3, 5});
    solver.add({4, 6});
    solver.add({5, 7});
    c.set(solver);
    int outcome = 0;
    stdout_of([&] { outcome = solver.solve(); });
    EXPECT_EQ(outcome, c.outcome) << c.name;
    EXPECT_EQ(solver.solver_stats().num_decisions, 1) << c.name;
  }
}

TEST(CSolverSearch, RestartsAndDecaysFollowTheBacktrackCount)
{
  exposed_solvert solver;
  solver.set_variable_number(3);
  solver.add({2, 4, 6});
  solver.add({3, 5, 7});
  solver.init_solve();
  CSolverStats &stats = solver.solver_stats();
  EXPECT_EQ(stats.next_restart, 7000);
  EXPECT_EQ(stats.next_decay, 40);

  solver.variable(1).scores(0) = 8;
  stats.num_backtracks = 40;
  EXPECT_EQ(stdout_of([&] { solver.run_periodic_tasks(); }), "");
  EXPECT_EQ(solver.variable(1).scores(0), 8);
  stats.num_backtracks = 41;
  solver.run_periodic_tasks();
  EXPECT_EQ(solver.variable(1).scores(0), 4);
  EXPECT_EQ(stats.next_decay, 81);

  stats.num_backtracks = 7000;
  solver.run_periodic_tasks();
  EXPECT_EQ(stats.num_restarts, 0);
  stats.num_backtracks = 7001;
  solver.params().verbosity = 2;
  std::string out = stdout_of([&] { solver.run_periodic_tasks(); });
  EXPECT_EQ(stats.num_restarts, 1);
  EXPECT_EQ(stats.next_restart, 7701);
  EXPECT_TRUE(std::regex_match(
    out,
    std::regex("Restarting \\.\\.\\. \n\rDecision: 0/3\tTime: [0-9.e-]+/172800")))
    << out;
}

namespace
{
int hook_calls = 0;
void count_hook_call(CSolver *)
{
  ++hook_calls;
}
} // namespace

TEST(CSolverSearch, HooksRunWhenTheDecisionCountReachesTheirTrigger)
{
  exposed_solvert solver;
  solver.set_variable_number(1);
  solver.add_periodic_hook(count_hook_call, 3);
  solver.init_solve();
  hook_calls = 0;
  solver.run_periodic_tasks();
  EXPECT_EQ(hook_calls, 1);
  solver.solver_stats().num_decisions = 2;
  solver.run_periodic_tasks();
  EXPECT_EQ(hook_calls, 1);
  solver.solver_stats().num_decisions = 3;
  solver.run_periodic_tasks();
  EXPECT_EQ(hook_calls, 2);
}

TEST(CSolverSearch, DeletionDropsClausesSatisfiedAtLevelZero)
{
  // a=1 is a unit, so a | b goes. c=3 occurs only positively: its value is
  // a choice that an added clause may overturn, so -b | c stays. b=2 is
  // left only negative and is queued false.
  exposed_solvert solver;
  solver.set_variable_number(3);
  ClauseIdx a_or_b = solver.add({2, 4});
  ClauseIdx unit = solver.add({2});
  ClauseIdx not_b_or_c = solver.add({5, 6});
  ClauseIdx last = solver.add({6, 3});
  solver.init_solve();
  stdout_of([&] { ASSERT_TRUE(solver.preprocess()); });
  solver.delete_unrelevant_clauses();
  EXPECT_EQ(solver.clause(a_or_b).status(), unsigned(DELETED_CL));
  EXPECT_EQ(solver.clause(not_b_or_c).status(), unsigned(ORIGINAL_CL));
  EXPECT_EQ(solver.clause(unit).status(), unsigned(ORIGINAL_CL));
  EXPECT_EQ(solver.clause(last).status(), unsigned(ORIGINAL_CL));
  for(int sign = 0; sign < 2; ++sign)
    for(CLitPoolElement *w : solver.variable(2).watched(sign))
      EXPECT_TRUE(w->is_literal());
  // The queued literal needs no new level.
  EXPECT_TRUE(solver.decide_next_branch());
  EXPECT_EQ(solver.dlevel(), 0);
  EXPECT_EQ(solver.deduce(), NO_CONFLICT);
  EXPECT_EQ(solver.variable(2).value(), 0u);
  EXPECT_EQ(solver.variable(2).dlevel(), 0);
}

TEST(CSolverSearch, DeletionCopesWithLearnedClausesFromBeforeTheSolve)
{
  // Clauses learned before this solve count among its initial clauses, so
  // the count of clauses learned since is 0 while learned records exist.
  exposed_solvert solver;
  solver.set_variable_number(4);
  solver.add({2, 4, 6, 8});
  solver.add({3, 5, 7, 9});
  std::vector<int> learned = {2, 5, 6};
  ClauseIdx old = solver.add_conflict_clause(learned.data(), 3, 0);
  solver.add_conflict_clause(learned.data(), 3, 0);
  solver.init_solve();
  solver.delete_unrelevant_clauses();
  EXPECT_EQ(solver.clause(old).status(), unsigned(CONFLICT_CL));
  EXPECT_EQ(solver.stats().num_deleted_clauses, 0u);
}

TEST(CSolverSearch, BackTrackToZeroUndoesEverything)
{
  exposed_solvert solver;
  solver.set_variable_number(3);
  solver.add({2, 4, 6});
  solver.add({3, 5, 7});
  solver.init_solve();
  solver.queue_implication(2, -1, 0);
  solver.deduce();
  // x1 and x2 true imply x3 false.
  solver.decide_and_deduce(4);
  EXPECT_EQ(solver.variable(3).value(), 0u);
  EXPECT_EQ(solver.solver_stats().num_free_variables, 0);
  solver.back_track(1);
  EXPECT_EQ(solver.variable(1).value(), 1u);
  EXPECT_EQ(solver.variable(2).value(), 2u);
  EXPECT_EQ(solver.variable(3).value(), 2u);
  solver.back_track(0);
  EXPECT_EQ(solver.variable(1).value(), 2u);
  EXPECT_EQ(solver.dlevel(), 0);
  EXPECT_EQ(solver.solver_stats().num_free_variables, 3);
  EXPECT_EQ(solver.solver_stats().num_backtracks, 2);
}

TEST(CSolverSearchDeathTest, ContractViolationsStop)
{
  exposed_solvert solver;
  solver.set_variable_number(2);
  EXPECT_DEATH(
    solver.set_variable_number(3), condition_regex("num_variables() == 0"));
  EXPECT_DEATH(solver.add({2}, 33), condition_regex("gid <= 32 && gid > 0"));
  EXPECT_EXIT(
    solver.not_implemented(),
    ::testing::ExitedWithCode(1),
    "^\\*\\*\\* at groupsat_solver.cpp:1560 Not implemented in this version$");
}

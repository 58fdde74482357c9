#include "captured_output.h"
#include "exposed_solver.h"
#include "scratch_directory.h"

#include <gtest/gtest.h>

TEST(CSolverLearning, FourClauseRefutationTraceAndLearnedGroupMask)
{
  std::streamoff start = trace_end();
  exposed_solvert solver;
  solver.set_variable_number(2);
  // (x1 | x2), (x1 | !x2), (!x1 | x2), (!x1 | !x2) in groups 1 to 4.
  solver.add({2, 4}, 1);
  solver.add({2, 5}, 2);
  solver.add({3, 4}, 3);
  solver.add({3, 5}, 4);
  int outcome = 0;
  stdout_of([&] { outcome = solver.solve(); });
  EXPECT_EQ(outcome, UNSATISFIABLE);
  EXPECT_EQ(
    trace_text(start),
    "CL: 4 <= 3 2\n"
    "VAR: 1 L: 0 V: 0 A: 4 Lits: 3\n"
    "VAR: 2 L: 1 V: 1 A: 0 Lits: 2 4\n"
    "CONF: 1 == 2 5\n");
  ASSERT_EQ(solver.clauses().size(), 5u);
  EXPECT_EQ(solver.clause(4).status(), unsigned(CONFLICT_CL));
  EXPECT_EQ(solver.literals_of(4), std::vector<int>{3});
  // The groups of the two clauses resolved.
  EXPECT_EQ(solver.clause(4).gflag(), 0xCu);
  // Everything is undone, level 0 included.
  EXPECT_EQ(solver.variable(1).value(), 2u);
  EXPECT_EQ(solver.dlevel(), 0);
}

TEST(CSolverLearning, OfTwoConflictsTheOneGivingTheShorterClauseIsLearned)
{
  // a=1, b=2, y=3, z=4, x=5. Level 1 decides b, level 2 decides a, which
  // implies y and z and through them x; two clauses are then false.
  std::streamoff start = trace_end();
  exposed_solvert solver;
  solver.set_variable_number(5);
  solver.init_solve();
  solver._dlevel = 1;
  solver.set_var_value(2, 1, -1, 1);
  solver._dlevel = 2;
  solver.set_var_value(1, 1, -1, 2);
  solver.set_var_value(3, 1, 2, 2);
  solver.set_var_value(4, 1, 3, 2);
  solver.set_var_value(5, 1, 4, 2);
  ClauseIdx long_conflict = solver.add({11, 9, 5}, 5); // !x | !z | !b
  ClauseIdx short_conflict = solver.add({11, 7}, 1);   // !x | !y
  solver.add({3, 6}, 2);                               // !a | y
  solver.add({3, 8}, 3);                               // !a | z
  solver.add({7, 9, 10}, 4);                           // !y | !z | x
  solver._conflicts = {long_conflict, short_conflict};
  int backtracks = solver.solver_stats().num_backtracks;

  EXPECT_EQ(solver.analyze_conflicts(), 0);
  EXPECT_EQ(solver.literals_of(5), std::vector<int>{3});
  EXPECT_EQ(solver.clause(5).gflag(), 0xFu);
  EXPECT_EQ(trace_text(start), "CL: 5 <= 1 4 3 2\n");
  // Trials add 1 to what they touch, the real analysis 5.
  EXPECT_EQ(solver.clause(long_conflict).activity(), 1);
  EXPECT_EQ(solver.clause(short_conflict).activity(), 6);
  for(ClauseIdx ante = 2; ante <= 4; ++ante)
    EXPECT_EQ(solver.clause(ante).activity(), 7) << ante;
  // Only the real analysis raises scores: b took part in a trial only.
  EXPECT_EQ(solver.variable(2).scores(1), 0);
  EXPECT_EQ(solver.variable(1).scores(1), 2);
  // A learned unit sends the search to level 0 and delays the restart.
  EXPECT_EQ(solver.dlevel(), 0);
  EXPECT_EQ(
    solver.solver_stats().next_restart,
    backtracks + solver.solver_stats().restart_incr);
  ASSERT_EQ(solver._implication_queue.size(), 1u);
  EXPECT_EQ(solver._implication_queue.front().lit, 3);
  EXPECT_EQ(solver._implication_queue.front().antecedent, 5);
  EXPECT_EQ(solver._implication_queue.front().dlevel, 0);
  EXPECT_TRUE(solver._conflicts.empty());
  EXPECT_TRUE(solver._conflict_lits.empty());
}

TEST(CSolverLearning, LevelZeroConflictReportsTheShortestLatestClause)
{
  std::streamoff start = trace_end();
  exposed_solvert solver;
  solver.set_variable_number(3);
  solver.init_solve();
  solver.set_var_value(1, 0, -1, 0);
  solver.add({3, 4, 6});
  solver.add({2, 5});
  solver.add({2, 7});
  // The first clause is x1's antecedent; it did not exist at the assignment.
  solver.variable(1).antecedent() = 0;
  solver._conflicts = {0, 1, 2};
  EXPECT_EQ(solver.analyze_conflicts(), -1);
  EXPECT_EQ(
    trace_text(start), "VAR: 1 L: 0 V: 0 A: 0 Lits: 3 4 6\nCONF: 2 == 2 7\n");
  EXPECT_EQ(solver.variable(1).value(), 2u);
  EXPECT_TRUE(solver._conflicts.empty());
}

namespace
{
struct shrink_caset
{
  const char *name;
  // Literal counts by level; the highest level is the current one and
  // holds the clause's one literal of that level.
  std::vector<std::pair<int, int>> levels;
  int result;
  int shrinkings;
  // Literals left to re-decide.
  std::size_t pending;
};

// Learns a clause of false positive literals at the given levels.
int learn(exposed_solvert &solver, const shrink_caset &c)
{
  int v = 0;
  std::vector<int> lits;
  for(const auto &level : c.levels)
  {
    solver._dlevel = level.first;
    for(int i = 0; i < level.second; ++i)
    {
      solver.set_var_value(++v, 0, -1, level.first);
      lits.push_back(2 * v);
    }
  }
  for(int svar : lits)
  {
    solver._conflict_lits.push_back(svar);
    solver.variable(svar >> 1).set_new_cl_phase(svar & 1);
    ++solver._num_in_new_cl;
  }
  return solver.finish_add_conf_clause(0);
}
} // namespace

TEST(CSolverLearning, LongClauseWithALevelGapIsShrunk)
{
  const std::vector<shrink_caset> cases = {
    {"gap from 3 to 10",
     {{1, 20}, {2, 20}, {3, 20}, {10, 12}, {11, 23}, {12, 1}},
     3,
     1,
     36},
    {"no gap below the highest level",
     {{1, 19}, {2, 19}, {3, 19}, {4, 19}, {5, 19}, {12, 1}},
     5,
     0,
     0},
    {"exactly the size bound", {{1, 50}, {9, 44}, {12, 1}}, 9, 0, 0},
  };
  for(const shrink_caset &c : cases)
  {
    SCOPED_TRACE(c.name);
    exposed_solvert solver;
    solver.set_variable_number(120);
    solver.init_solve();
    EXPECT_EQ(learn(solver, c), c.result);
    EXPECT_EQ(solver.dlevel(), c.result);
    EXPECT_EQ(solver.solver_stats().num_shrinkings, c.shrinkings);
    EXPECT_TRUE(solver._conflict_lits.empty());
    EXPECT_EQ(solver._num_in_new_cl, 0);
    if(c.shrinkings == 0)
    {
      EXPECT_EQ(solver._implication_queue.size(), 1u);
      continue;
    }
    EXPECT_EQ(solver._shrinking_cls_size, 96);
    EXPECT_EQ(solver._shrinking_cls.size(), c.pending);
    EXPECT_TRUE(solver._implication_queue.empty());
    // The literals above the gap are decided false again, lowest level
    // first, one level each.
    EXPECT_TRUE(solver.decide_next_branch());
    EXPECT_EQ(solver.deduce(), NO_CONFLICT);
    EXPECT_EQ(solver.dlevel(), 4);
    EXPECT_EQ(solver.variable(61).value(), 0u);
    EXPECT_EQ(solver.variable(61).dlevel(), 4);
    EXPECT_EQ(solver.solver_stats().num_decisions_shrinking, 1);
  }
}

TEST(CSolverLearning, TwentiethShrinkingAdaptsTheSizeBound)
{
  const std::pair<int, int> cases[] = {{1000, 90}, {700, 95}, {500, 105}};
  for(const auto &c : cases)
  {
    exposed_solvert solver;
    solver.set_variable_number(120);
    solver.init_solve();
    for(int i = 0; i < 20; ++i)
      solver._recent_shrinkings.push(c.first / 20);
    solver._shrinking_benefit = c.first;
    solver.solver_stats().num_shrinkings = 19;
    learn(
      solver,
      {"", {{1, 20}, {2, 20}, {3, 20}, {10, 12}, {11, 23}, {12, 1}}, 3, 1, 36});
    EXPECT_EQ(solver.params().shrinking_size, c.second) << c.first;
  }
}

TEST(CSolverLearning, FirstClauseAfterAShrinkingRecordsItsReduction)
{
  exposed_solvert solver;
  solver.set_variable_number(120);
  solver.init_solve();
  solver._shrinking_cls_size = 100;
  learn(solver, {"", {{1, 3}, {2, 1}}, 1, 0, 0});
  EXPECT_EQ(solver._shrinking_benefit, 96);
  ASSERT_EQ(solver._recent_shrinkings.size(), 1u);
  EXPECT_EQ(solver._recent_shrinkings.front(), 96);
  EXPECT_EQ(solver._shrinking_cls_size, 0);
}

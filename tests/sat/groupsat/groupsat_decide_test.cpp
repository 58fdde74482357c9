#include "exposed_solver.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
// Variables 1..n, each in clauses of both signs so that preprocessing
// assigns nothing; the order is built from the given scores (positive
// literal first, negative second).
void set_up(exposed_solvert &solver, const std::vector<std::pair<int, int>> &scores)
{
  int n = int(scores.size());
  solver.set_variable_number(n);
  std::vector<int> positive, negative;
  for(int v = 1; v <= n; ++v)
  {
    positive.push_back(2 * v);
    negative.push_back(2 * v + 1);
  }
  solver.add(positive);
  solver.add(negative);
  solver.init_solve();
  for(int v = 1; v <= n; ++v)
  {
    solver.variable(v).scores(0) = scores[v - 1].first;
    solver.variable(v).scores(1) = scores[v - 1].second;
  }
  solver.update_var_score();
}

// The decision literal taken by the next decision step, undone again.
int next_decision(exposed_solvert &solver)
{
  EXPECT_TRUE(solver.decide_next_branch());
  int svar = solver._implication_queue.front().lit;
  solver._implication_queue.pop();
  --solver._dlevel;
  return svar;
}
} // namespace

TEST(CSolverDecisions, WithoutRandomnessTheBestFreeVariableIsTakenByItsPhase)
{
  exposed_solvert solver;
  set_up(solver, {{1, 1}, {2, 5}, {7, 3}, {4, 4}});
  EXPECT_EQ(next_decision(solver), 6); // x3, its positive score is higher
  solver.decide_and_deduce(6);
  EXPECT_EQ(solver.dlevel(), 1);
  EXPECT_EQ(next_decision(solver), 5); // x2, its negative score is higher
  EXPECT_EQ(solver.solver_stats().num_decisions_vsids, 2);
  EXPECT_EQ(solver.solver_stats().max_dlevel, 2);
}

TEST(CSolverDecisions, RandomPickStaysAmongTheFirstFreeBranchableVariables)
{
  struct caset
  {
    int base_randomness;
    std::set<int> allowed;
  };
  // Order by score: x6, x5, x4, x3, x2, x1; x6 may not be branched on.
  const std::vector<caset> cases = {
    {0, {5}},
    {2, {5, 4, 3}},
    // Five free variables cap the randomness at four.
    {9, {5, 4, 3, 2, 1}},
  };
  for(const caset &c : cases)
  {
    exposed_solvert solver;
    set_up(solver, {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}});
    solver.mark_var_unbranchable(6);
    EXPECT_EQ(solver.solver_stats().num_free_variables, 5);
    solver.set_base_randomness(c.base_randomness);
    solver.solver_stats().current_randomness = c.base_randomness;
    std::set<int> chosen;
    for(int seed = 0; seed < 60; ++seed)
    {
      solver.set_random_seed(seed);
      chosen.insert(next_decision(solver) >> 1);
    }
    EXPECT_EQ(chosen, c.allowed) << "base randomness " << c.base_randomness;
  }
}

TEST(CSolverDecisions, EqualScoresTakeThePhaseFromBinaryClausesThenByChance)
{
  exposed_solvert more_positive;
  set_up(more_positive, {{3, 3}});
  more_positive.variable(1).two_lits_count(0) = 2;
  EXPECT_EQ(next_decision(more_positive), 3);

  exposed_solvert balanced;
  set_up(balanced, {{3, 3}});
  std::set<int> phases;
  for(int seed = 0; seed < 20; ++seed)
  {
    balanced.set_random_seed(seed);
    phases.insert(next_decision(balanced) & 1);
  }
  EXPECT_EQ(phases, (std::set<int>{0, 1}));
}

TEST(CSolverDecisions, UnsatisfiedLearnedClauseGivesTheDecision)
{
  exposed_solvert solver;
  solver.set_variable_number(4);
  solver.add({2, 4, 6, 8});
  solver.add({3, 5, 7, 9});
  std::vector<int> learned = {5, 7};
  solver.add_conflict_clause(learned.data(), 2, 0);
  solver.init_solve();
  solver.variable(3).scores(1) = 9;
  // x3 scores highest in the clause; the literal of the higher score wins.
  EXPECT_EQ(next_decision(solver), 7);
  EXPECT_EQ(solver.solver_stats().num_decisions_cls, 1);

  // Once the clause is satisfied the order decides.
  solver.decide_and_deduce(5);
  int svar = next_decision(solver);
  EXPECT_EQ(solver.solver_stats().num_decisions_vsids, 1);
  EXPECT_NE(svar >> 1, 2);
}

TEST(CSolverDecisions, RaisedScoreMovesAVariableAboveLowerScores)
{
  exposed_solvert solver;
  set_up(solver, {{5, 0}, {4, 0}, {3, 0}, {3, 0}, {2, 0}, {1, 0}});
  solver.variable(5).set_value(1);
  solver.variable(5).dlevel() = 1;
  int literal = 10;
  solver.adjust_variable_order(&literal, 1);
  // Score 3 does not pass the equal scores above.
  EXPECT_EQ(solver.variable(5).var_score_pos(), 4);
  solver.adjust_variable_order(&literal, 1);
  EXPECT_EQ(solver.variable(5).var_score_pos(), 2);
  EXPECT_EQ(solver.variable(3).var_score_pos(), 4);
  EXPECT_EQ(solver._ordered_vars[2].second, 4);
  EXPECT_EQ(solver.solver_stats().total_bubble_move, 2);

  // A level-0 variable keeps the score -1 and its place.
  solver.variable(6).set_value(1);
  solver.variable(6).dlevel() = 0;
  literal = 12;
  solver.adjust_variable_order(&literal, 1);
  EXPECT_EQ(solver.variable(6).score(), -1);
  EXPECT_EQ(solver.variable(6).var_score_pos(), 5);
}

TEST(CSolverDecisions, OppositeImplicationsConflictAndDiscardTheQueue)
{
  exposed_solvert solver;
  solver.set_variable_number(3);
  ClauseIdx first = solver.add({2, 4});
  ClauseIdx second = solver.add({3, 6});
  solver.init_solve();
  solver.queue_implication(2, first, 0);
  solver.queue_implication(3, second, 0);
  solver.queue_implication(6, -1, 0);
  EXPECT_EQ(solver.deduce(), 0);
  EXPECT_EQ(solver._conflicts, std::vector<ClauseIdx>{second});
  EXPECT_TRUE(solver._implication_queue.empty());
  EXPECT_EQ(solver.variable(1).value(), 1u);
  EXPECT_EQ(solver.variable(1).antecedent(), first);
  EXPECT_EQ(solver.variable(3).value(), 2u);
}

TEST(CSolverDecisions, ImplicationAtALowerLevelMovesTheVariableDown)
{
  exposed_solvert solver;
  solver.set_variable_number(4);
  ClauseIdx reason = solver.add({2, 4, 6, 8});
  solver.add({3, 5, 7, 9});
  solver.init_solve();
  solver.decide_and_deduce(2);
  solver.decide_and_deduce(4);
  EXPECT_EQ(solver.variable(2).dlevel(), 2);
  solver.queue_implication(4, reason, 1);
  EXPECT_EQ(solver.deduce(), NO_CONFLICT);
  EXPECT_EQ(solver.variable(2).dlevel(), 1);
  EXPECT_EQ(solver.variable(2).antecedent(), reason);
  EXPECT_EQ(*solver._assignment_stack[2], std::vector<int>{0});
  EXPECT_EQ(*solver._assignment_stack[1], (std::vector<int>{2, 4}));
  // Undoing level 2 skips the emptied slot and keeps x2.
  solver.back_track(2);
  EXPECT_EQ(solver.dlevel(), 1);
  EXPECT_EQ(solver.variable(2).value(), 1u);
}

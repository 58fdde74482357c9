// Clauses added while the engine searches (by a periodic hook or the
// satisfying-assignment hook), and resets, group deletions and clean-ups
// between solves: smallest cases of faults found, then a random campaign
// against brute force.

#include "captured_output.h"
#include "changing_formula.h"
#include "exposed_solver.h"
#include "random_cnf.h"

#include "sat/groupsat/groupsat_solver.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace
{
// A solver whose periodic hook adds given clauses (DIMACS numbering,
// permanent) at given calls; the clauses in force are kept for the checks.
class scripted_solvert : public CSolver
{
public:
  scripted_solvert(int variables, const std::vector<std::vector<int>> &clauses)
  {
    set_variable_number(variables);
    formula.variables = variables;
    for(const std::vector<int> &clause : clauses)
    {
      formula.clauses.push_back(svars(clause));
      add_original_clause(formula.clauses.back().data(), int(clause.size()), 0);
    }
  }

  void add_at_call(int call, const std::vector<int> &clause)
  {
    script[call].push_back(clause);
  }

  void hook_every(int interval)
  {
    add_periodic_hook(run_script, interval);
  }

  int solve_quietly()
  {
    int outcome = UNDETERMINED;
    stdout_of([&] { outcome = solve(); });
    return outcome;
  }

  // The answer and model are right for the clauses in force.
  void expect_right(int outcome)
  {
    bool satisfiable = brute_force_satisfiable(formula);
    ASSERT_EQ(outcome, satisfiable ? SATISFIABLE : UNSATISFIABLE);
    if(satisfiable)
    {
      EXPECT_TRUE(satisfies(formula, model_of(*this, formula.variables)));
    }
  }

  cnf_formulat formula;

private:
  static void run_script(CSolver *solver)
  {
    scripted_solvert &self = static_cast<scripted_solvert &>(*solver);
    for(const std::vector<int> &clause : self.script[self.calls])
    {
      self.formula.clauses.push_back(svars(clause));
      const std::vector<int> &lits = self.formula.clauses.back();
      self.add_clause_incr(lits.data(), int(lits.size()), 0);
    }
    ++self.calls;
  }

  std::map<int, std::vector<std::vector<int>>> script;
  int calls = 0;
};
} // namespace

TEST(CSolverChangingFormula, ClauseAgainstAQueuedOnePhaseChoice)
{
  // The clean-up of a restart drops (-3 -2), satisfied by the fact -3, and
  // queues x2 true as a one-phase choice; (-2) then arrives before the
  // choice is made. It is no fact, so -2 must not conflict with it.
  scripted_solvert solver(4, {{-3, -2}, {2, 3, 4}, {-3}});
  solver.init_solve();
  bool consistent = false;
  stdout_of([&] { consistent = solver.preprocess(); });
  ASSERT_TRUE(consistent);
  ASSERT_EQ(solver.variable(2).value(), 2u);
  solver.delete_unrelevant_clauses();
  std::vector<int> unit = svars({-2});
  solver.formula.clauses.push_back(unit);
  solver.add_clause_incr(unit.data(), 1, 0);
  stdout_of([&] { solver.run_search(); });
  solver.expect_right(solver.outcome());
}

TEST(CSolverChangingFormula, AdditionRefutingLevelZeroEndsTheSearch)
{
  scripted_solvert solver(1, {{-1}});
  solver.hook_every(0);
  solver.add_at_call(0, {1});
  EXPECT_EQ(solver.solve_quietly(), UNSATISFIABLE);
}

TEST(CSolverChangingFormula, VariableFreedFromLevelZeroGetsAValidScore)
{
  // Preprocessing fixes x1 and x2 as one-phase choices, and a decay gives
  // them the score -1 in the decision order. (-1 2) takes the choices
  // back; freed, they must be ordered by their real scores again, which
  // conflict analysis raises.
  exposed_solvert solver;
  solver.set_variable_number(3);
  for(const std::vector<int> &clause : {svars({1, 3}), svars({-2, -3})})
    solver.add_original_clause(clause.data(), int(clause.size()), 0);
  solver.init_solve();
  bool consistent = false;
  stdout_of([&] { consistent = solver.preprocess(); });
  ASSERT_TRUE(consistent);
  solver.decay_variable_score();
  std::vector<int> added = svars({-1, 2});
  stdout_of([&] { solver.add_clause_incr(added.data(), 2, 0); });
  for(int v = 1; v <= 2; ++v)
  {
    CVariable &var = solver.variable(v);
    ASSERT_EQ(var.value(), 2u) << v;
    EXPECT_EQ(solver._ordered_vars[var.var_score_pos()].second, var.score())
      << v;
  }
}

TEST(CSolverChangingFormula, BacktrackDropsImplicationsQueuedAboveIt)
{
  // (-4 -5) queues -5 at level 1; (-4) then backtracks to level 0, where
  // -5 no longer follows.
  scripted_solvert solver(5, {{-3, 4}, {-2, -4}, {4, 3}, {-5, 4}, {5, -1}});
  solver.hook_every(1);
  solver.add_at_call(1, {-4, -5});
  solver.add_at_call(1, {-4});
  solver.expect_right(solver.solve_quietly());
}

TEST(CSolverChangingFormula, CleanUpKeepsOriginalClausesSatisfiedByLearnedFacts)
{
  // A restart drops an original clause satisfied by a level-0 fact that a
  // learned clause implies; dropping the learned clauses must not lose it.
  scripted_solvert solver(
    6,
    {{3, -5},
     {-5, 1},
     {-6, -4, -2},
     {-6, -4},
     {-6, 2, -1},
     {6, 4, 2},
     {1, 5},
     {2, 3, -1},
     {5, -1},
     {-2, -4, -3},
     {-6, -2, -4},
     {5, -2, -4}});
  solver.params().backtrack_incr = 1;
  solver.params().first_restart = 0;
  solver.expect_right(solver.solve_quietly());
  solver.reset();
  solver.clean_up_dbase();
  solver.expect_right(solver.solve_quietly());
}

// The same faults as reached by a periodic hook in a whole search, with
// restarts at every backtrack: a one-phase choice met by a later unit, and
// variables freed from level 0 whose conflicts then bump their scores.
TEST(CSolverChangingFormula, HookAdditionsDuringRestartingSearchesAnswerRight)
{
  const struct
  {
    int variables;
    std::vector<std::vector<int>> clauses;
    std::vector<std::pair<int, std::vector<int>>> additions;
  } cases[] = {
    {4, {{2, 3, 4}, {-3}, {-3, -2}}, {{1, {1}}, {2, {-2}}}},
    {7,
     {{-3, 6}, {-1, -5}, {1, -2}, {-7, 7, -3}, {-5, -6, 4}, {6}},
     {{0, {3, -4}}, {4, {5, 3}}}},
    // A unit just added waits in the queue at level 0 with its clause as
    // reason: a clause against it, added next, must not drop it as if it
    // were a one-phase choice.
    {2, {{1, 2}, {-1, -2}}, {{0, {1}}, {0, {-1, 2}}}},
  };
  for(const auto &c : cases)
  {
    scripted_solvert solver(c.variables, c.clauses);
    solver.params().first_restart = 0;
    solver.hook_every(0);
    for(const auto &addition : c.additions)
      solver.add_at_call(addition.first, addition.second);
    solver.expect_right(solver.solve_quietly());
  }
}

TEST(CSolverChangingFormula, RandomSessionsAgreeWithBruteForce)
{
  int satisfiable = 0, unsatisfiable = 0, hook_additions = 0;
  stdout_of([&] {
    for(unsigned seed = 0; seed < 500; ++seed)
    {
      changing_formula_reportt report = run_changing_formula(seed);
      ASSERT_EQ(report.failure, "") << "seed " << seed;
      satisfiable += report.satisfiable;
      unsatisfiable += report.unsatisfiable;
      hook_additions += report.hook_additions;
    }
  });
  // Both answers, and additions during searches, are common.
  EXPECT_GT(satisfiable, 400);
  EXPECT_GT(unsatisfiable, 1000);
  EXPECT_GT(hook_additions, 1500);
}

// The engine against brute force on random formulas, under several
// parameter settings that drive restarts, clause deletion, compaction,
// shrinking and random decisions hard; every refutation's trace replays.

#include "captured_output.h"
#include "random_cnf.h"
#include "scratch_directory.h"
#include "trace_checker.h"

#include "sat/groupsat/groupsat_solver.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace
{
struct settingt
{
  const char *name;
  std::function<void(CSolverParameters &)> apply;
};

const std::vector<settingt> &settings()
{
  static const std::vector<settingt> all = {
    {"defaults", [](CSolverParameters &) {}},
    {"restarts and deletion at every few backtracks",
     [](CSolverParameters &p) {
       p.first_restart = 4;
       p.backtrack_incr = 3;
       p.decay_period = 2;
       p.head_activity = 1;
       p.tail_activity = 0;
       p.head_num_lits = 0;
       p.tail_num_lits = 1;
       p.tail_vs_head = 2;
     }},
    {"shrinking of every clause beyond two literals",
     [](CSolverParameters &p) { p.shrinking_size = 2; }},
    {"random decisions", [](CSolverParameters &p) { p.base_randomness = 5; }},
  };
  return all;
}

struct runt
{
  int outcome;
  std::vector<int> model;
  std::string trace;
  // How much of the machinery the run used.
  int restarts, shrinkings, deleted, compactions;
};

runt run(const cnf_formulat &formula, const settingt &setting)
{
  std::streamoff start = trace_end();
  CSolver solver;
  setting.apply(solver.params());
  load(solver, formula);
  runt result;
  stdout_of([&] { result.outcome = solver.solve(); });
  result.model = model_of(solver, formula.variables);
  result.trace = trace_text(start);
  result.restarts = solver.solver_stats().num_restarts;
  result.shrinkings = solver.solver_stats().num_shrinkings;
  result.deleted = int(solver.stats().num_deleted_clauses);
  result.compactions = int(solver.stats().num_compact);
  return result;
}

// The answer is right: a model that satisfies every clause, or a
// refutation whose trace replays.
void expect_sound(const cnf_formulat &formula, const runt &result)
{
  ASSERT_TRUE(
    result.outcome == SATISFIABLE || result.outcome == UNSATISFIABLE);
  if(result.outcome == SATISFIABLE)
  {
    EXPECT_TRUE(satisfies(formula, result.model));
    EXPECT_EQ(
      check_resolution_trace(formula.clauses, result.trace, false), "");
  }
  else
    EXPECT_EQ(
      check_resolution_trace(formula.clauses, result.trace, true), "");
}
} // namespace

TEST(CSolverRandom, SmallFormulasAgreeWithBruteForce)
{
  const std::vector<random_cnf_shapet> shapes = {
    {3, 6, 2, 150, 150, 150, false},
    {6, 20, 3, 100, 100, 100, false},
    {8, 34, 3, 50, 50, 50, false},
    {12, 55, 3, 30, 30, 30, false},
    {10, 30, 5, 50, 50, 50, false},
    {7, 12, 3, 100, 100, 100, true},
  };
  std::mt19937 rng(12);
  int answers[3] = {0, 0, 0};
  for(const random_cnf_shapet &shape : shapes)
  {
    for(int k = 0; k < 40; ++k)
    {
      cnf_formulat formula = random_cnf(rng, shape);
      bool satisfiable = brute_force_satisfiable(formula);
      for(const settingt &setting : settings())
      {
        SCOPED_TRACE(
          std::string(setting.name) + ", " +
          std::to_string(shape.variables) + " variables, formula " +
          std::to_string(k));
        runt result = run(formula, setting);
        expect_sound(formula, result);
        EXPECT_EQ(result.outcome == SATISFIABLE, satisfiable);
        ++answers[result.outcome];
        if(::testing::Test::HasFailure())
          return;
      }
    }
  }
  // Both answers occur often enough to mean something.
  EXPECT_GT(answers[SATISFIABLE], 100);
  EXPECT_GT(answers[UNSATISFIABLE], 200);
}

TEST(CSolverRandom, ThresholdThreeSatAnswersAreSound)
{
  std::mt19937 rng(50);
  int answers[3] = {0, 0, 0};
  std::vector<runt> totals(settings().size(), runt{0, {}, "", 0, 0, 0, 0});
  for(int k = 0; k < 12; ++k)
  {
    cnf_formulat formula = random_3sat(rng, 60, 256);
    for(std::size_t s = 0; s < settings().size(); ++s)
    {
      SCOPED_TRACE(
        std::string(settings()[s].name) + ", formula " + std::to_string(k));
      runt result = run(formula, settings()[s]);
      expect_sound(formula, result);
      ++answers[result.outcome];
      totals[s].restarts += result.restarts;
      totals[s].shrinkings += result.shrinkings;
      totals[s].deleted += result.deleted;
      totals[s].compactions += result.compactions;
      if(::testing::Test::HasFailure())
        return;
    }
  }
  EXPECT_GT(answers[SATISFIABLE], 0);
  EXPECT_GT(answers[UNSATISFIABLE], 0);
  // The settings reach what they are meant to reach.
  EXPECT_GT(totals[1].restarts, 0);
  EXPECT_GT(totals[1].deleted, 0);
  EXPECT_GT(totals[1].compactions, 0);
  EXPECT_GT(totals[2].shrinkings, 0);
}

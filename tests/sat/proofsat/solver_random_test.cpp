#include "solver_harness.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
const proof_modet all_modes[] = {
  proof_modet::NONE,
  proof_modet::TRAVERSER,
  proof_modet::ON_FILE};

const char *mode_name(proof_modet mode)
{
  return mode == proof_modet::NONE        ? "no proof"
         : mode == proof_modet::TRAVERSER ? "traverser"
                                          : "file";
}
} // namespace

TEST(SolverRandom, AgreesWithBruteForce)
{
  std::mt19937 random(1);
  for(proof_modet mode : all_modes)
    for(int instance = 0; instance < 150; instance++)
    {
      SCOPED_TRACE(
        std::string(mode_name(mode)) + " instance " + std::to_string(instance));
      int vars = 1 + int(random() % 12);
      int count = int(vars * (2 + random() % 5));
      solver_harnesst h(mode, vars);
      h.solver.deep_minimise = random() % 2 == 0;
      for(int i = 0; i < count; i++)
        h.add(random_clause(random, vars));
      bool answer = h.solve();
      h.check({}, answer, brute_force_satisfiable(vars, h.clauses));
      if(::testing::Test::HasFatalFailure())
        return;
    }
}

TEST(SolverRandom, IncrementalAssumptionsAgreeWithBruteForce)
{
  std::mt19937 random(2);
  for(proof_modet mode : all_modes)
    for(int instance = 0; instance < 60; instance++)
    {
      SCOPED_TRACE(
        std::string(mode_name(mode)) + " instance " + std::to_string(instance));
      int vars = 3 + int(random() % 10);
      solver_harnesst h(mode, vars);
      h.solver.deep_minimise = random() % 2 == 0;
      for(int round = 0; round < 8; round++)
      {
        SCOPED_TRACE("round " + std::to_string(round));
        int more = int(random() % (vars + 1));
        for(int i = 0; i < more; i++)
          h.add(random_clause(random, vars));
        code_clauset assumptions;
        int assumed = int(random() % 5);
        for(int i = 0; i < assumed; i++)
          assumptions.push_back(int(random() % (2 * vars)));
        bool answer = h.solve(assumptions);
        h.check(
          assumptions,
          answer,
          brute_force_satisfiable(vars, h.clauses, assumptions));
        if(::testing::Test::HasFatalFailure())
          return;
      }
    }
}

TEST(SolverRandom, LargerFormulasRestartAndReduce)
{
  // Hard enough for several restarts and learnt-clause reductions; too
  // large for the oracle, so models and proofs are the checks.
  std::mt19937 random(3);
  int64_t restarts = 0;
  size_t deletions = 0;
  int unsatisfiable = 0;
  for(proof_modet mode : {proof_modet::TRAVERSER, proof_modet::ON_FILE})
    for(int instance = 0; instance < 4; instance++)
    {
      SCOPED_TRACE(
        std::string(mode_name(mode)) + " instance " + std::to_string(instance));
      int vars = 100 + 10 * instance;
      solver_harnesst h(mode, vars);
      for(int i = 0; i < vars * 426 / 100; i++)
      {
        code_clauset clause;
        while(clause.size() < 3)
        {
          int code = int(random() % (2 * vars));
          if(std::none_of(
               clause.begin(),
               clause.end(),
               [code](int c) { return (c >> 1) == (code >> 1); }))
            clause.push_back(code);
        }
        h.add(clause);
      }
      code_clauset assumptions = {int(random() % (2 * vars))};
      bool answer = h.solve(instance % 2 == 0 ? code_clauset{} : assumptions);
      h.check(instance % 2 == 0 ? code_clauset{} : assumptions, answer, -1);
      unsatisfiable += !answer;
      restarts += h.solver.stats.starts;
      const resolution_checkert &proof = h.proof_checker();
      deletions += size_t(
        std::count(proof.deleted_ids.begin(), proof.deleted_ids.end(), true));
    }
  EXPECT_GT(unsatisfiable, 0);
  EXPECT_GT(restarts, 8);
  EXPECT_GT(deletions, 0u);
}

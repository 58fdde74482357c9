#include "sat/satcheck_proofsat_core.h"

#include "adapter_harness.h"
#include "tests/util/condition_regex.h"

#include <gtest/gtest.h>

TEST(SatcheckProofsatCore, UnitAndItsNegation)
{
  satcheck_proofsat_coret solver;
  literalt x = solver.new_variable(), y = solver.new_variable(),
           z = solver.new_variable();
  solver.lcnf({y, z});
  solver.lcnf({x});
  solver.lcnf({!x});
  ASSERT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);
  EXPECT_TRUE(solver.is_in_core(x));
  EXPECT_TRUE(solver.is_in_core(!x));
  EXPECT_FALSE(solver.is_in_core(y));
  EXPECT_FALSE(solver.is_in_core(z));
}

TEST(SatcheckProofsatCore, FalseClauseGivesAnEmptyCore)
{
  satcheck_proofsat_coret solver;
  literalt x = solver.new_variable();
  solver.lcnf({x});
  solver.lcnf({const_literal(false)});
  ASSERT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);
  EXPECT_FALSE(solver.is_in_core(x));
}

TEST(SatcheckProofsatCore, LaterCoresKeepEarlierFlags)
{
  satcheck_proofsat_coret solver;
  literalt x = solver.new_variable();
  solver.lcnf({x});
  solver.lcnf({!x});
  ASSERT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);
  literalt w = solver.new_variable();
  solver.lcnf({w});
  ASSERT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);
  EXPECT_TRUE(solver.is_in_core(x));
  EXPECT_FALSE(solver.is_in_core(w));
}

// The clauses whose variables all lie in the core are themselves
// contradictory.
TEST(SatcheckProofsatCore, RandomCoresAreUnsatisfiable)
{
  std::mt19937 random(4);
  const int vars = 10;
  int unsatisfiable = 0;
  for(int round = 0; unsatisfiable < 150; ++round)
  {
    ASSERT_LT(round, 3000);
    std::vector<code_clauset> codes;
    int size = 30 + int(random() % 30);
    for(int i = 0; i < size; ++i)
      codes.push_back(random_clause(random, vars));
    if(brute_force_satisfiable(vars, codes))
      continue;
    ++unsatisfiable;
    SCOPED_TRACE(round);

    satcheck_proofsat_coret solver;
    for(int v = 0; v < vars; ++v)
      solver.new_variable();
    for(const code_clauset &c : codes)
      solver.lcnf(shifted_clause(c));
    ASSERT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);

    std::vector<code_clauset> core;
    int core_variables = 0;
    for(int v = 0; v < vars; ++v)
      core_variables += solver.is_in_core(literalt(v + 1, false));
    for(const code_clauset &c : codes)
    {
      bool inside = true;
      for(int code : c)
        inside = inside && solver.is_in_core(literalt((code >> 1) + 1, false));
      if(inside)
        core.push_back(c);
    }
    EXPECT_FALSE(brute_force_satisfiable(vars, core))
      << core.size() << " clauses over " << core_variables << " variables";
  }
}

TEST(ProofsatCoreDeathTest, BrokenProofs)
{
  proofsat_coret recorder;
  std::vector<bool> in_core(4);
  EXPECT_DEATH(recorder.build_core(in_core), "!clauses.empty\\(\\)");

  vec<Lit> clause;
  clause.push(Lit(4));
  recorder.root(clause);
  EXPECT_DEATH(
    recorder.build_core(in_core), condition_regex("v<in_core.size()"));

  vec<ClauseId> ids;
  vec<Var> pivots;
  // Record 1 cannot rest on itself.
  ids.push(0);
  ids.push(1);
  pivots.push(4);
  EXPECT_DEATH(recorder.chain(ids, pivots), condition_regex("cs[i]<c_id"));

  satcheck_proofsat_coret solver;
  literalt x = solver.new_variable();
  solver.lcnf({x});
  solver.lcnf({!x});
  ASSERT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);
  EXPECT_DEATH(
    solver.is_in_core(literalt(2, false)),
    condition_regex("l.var_no()<in_core.size()"));
}

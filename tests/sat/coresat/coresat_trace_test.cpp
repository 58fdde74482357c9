#include "sat/coresat/coresat_trace.h"

#include "cnf_oracle.h"
#include "coresat_fixture.h"

typedef CoresatTest CoresatTrace;

namespace
{
void add_cnf(const int_cnft &cnf)
{
  for(const int_clauset &clause : cnf)
    add_clause(clause);
}

// Every clause derived in the engine follows by unit propagation from the
// clauses its antecedent list names.
void expect_derivations_check()
{
  for(int i = 1; i < coresat.clause_table.size(); ++i)
  {
    coresat_clause *c = clause_at(i);
    ASSERT_NE(c, nullptr) << "clause " << i << " freed with the trace on";
    if(c->flags & coresat_clause_original)
      continue;
    std::vector<int> antecedents = antecedents_of(c);
    ASSERT_FALSE(antecedents.empty()) << "clause " << i;
    int_cnft premises;
    for(int a : antecedents)
    {
      ASSERT_LT(a, i) << "clause " << i << " names a later clause";
      premises.push_back(literals_of(clause_at(a)));
    }
    ASSERT_TRUE(implied_by_unit_propagation(literals_of(c), premises))
      << "clause " << i;
  }
}
} // namespace

TEST_F(CoresatTrace, DerivationsCheckAndCoresAreUnsatisfiable)
{
  std::mt19937 random(21);
  int unsatisfiable = 0;
  for(int round = 0; round < 300; ++round)
  {
    coresat_reset();
    coresat_enable_trace(1);
    int n = 4 + int(random() % 9);
    int_cnft cnf =
      random_cnf(random, n, 3 * n + int(random() % unsigned(3 * n)), 3);
    add_cnf(cnf);
    int result = coresat_sat();
    ASSERT_EQ(result == coresat_unsatisfiable, !brute_force_sat(cnf, n));
    expect_derivations_check();
    if(result != coresat_unsatisfiable)
      continue;
    ++unsatisfiable;
    coresat_stack<int> core = coresat_core_clauses();
    int_cnft core_cnf;
    for(int i = 0; i < core.size(); ++i)
      if(clause_at(core[i])->flags & coresat_clause_original)
        core_cnf.push_back(literals_of(clause_at(core[i])));
    core.release();
    ASSERT_FALSE(brute_force_sat(core_cnf, n)) << "round " << round;
  }
  EXPECT_GT(unsatisfiable, 50);
}

TEST_F(CoresatTrace, PrintsTheDerivationOfTheEmptyClauseOnce)
{
  coresat_enable_trace(1);
  add_clause({1});
  add_clause({-1});
  EXPECT_EQ(coresat_sat(), coresat_unsatisfiable);
  EXPECT_EQ(literals_of(coresat.empty_clause), std::vector<int>{});
  EXPECT_EQ(coresat.empty_clause->idx, 3);
  EXPECT_EQ(
    captured([](std::FILE *f) { coresat_print_resolution_trace(f); }),
    "2 -1 0 0\n1 1 0 0\n3 0 2 1 0\n");
  EXPECT_EQ(
    captured([](std::FILE *f) { coresat_print_resolution_trace(f); }), "");
}

TEST_F(CoresatTrace, VariableCore)
{
  coresat_enable_trace(1);
  add_clause({1});
  add_clause({-1});
  EXPECT_EQ(coresat_sat(), coresat_unsatisfiable);
  int count = -1;
  EXPECT_EQ(
    captured(
      [&count](std::FILE *f) { count = coresat_print_variable_core(f); }),
    "c printing variable core with maximal variable index 1\n1\n");
  EXPECT_EQ(count, 1);
  EXPECT_EQ(coresat_var_in_core(-1), 1);
  EXPECT_EQ(coresat_var_in_core(2), 0);
}

TEST_F(CoresatTrace, UnusedClauseStaysOutOfTheCore)
{
  coresat_enable_trace(1);
  add_clause({1, 2});
  add_clause({1, -2});
  add_clause({-1, 2});
  add_clause({-1, -2});
  add_clause({9, 3});
  EXPECT_EQ(coresat_sat(), coresat_unsatisfiable);
  EXPECT_EQ(coresat_var_in_core(1), 1);
  EXPECT_EQ(coresat_var_in_core(2), 1);
  EXPECT_EQ(coresat_var_in_core(9), 0);
  EXPECT_EQ(coresat_var_in_core(3), 0);
}

TEST_F(CoresatTrace, NoCoreWithoutTheEmptyClause)
{
  coresat_enable_trace(1);
  add_clause({1, 2});
  EXPECT_EQ(coresat_sat(), coresat_satisfiable);
  EXPECT_EQ(
    captured([](std::FILE *f) { coresat_print_resolution_trace(f); }), "");
  EXPECT_EQ(coresat_var_in_core(1), 0);
}

#include "sat/satcheck_coresat.h"

#include "coresat/cnf_oracle.h"
#include "coresat/coresat_fixture.h"
#include "tests/util/condition_regex.h"

#include <memory>

namespace
{
class recording_handlert : public message_handlert
{
public:
  void print(unsigned level, const std::string &text) override
  {
    lines.push_back(std::to_string(level) + " " + text);
  }
  std::vector<std::string> lines;
};

literalt lit_of(int dimacs)
{
  return literalt(unsigned(dimacs < 0 ? -dimacs : dimacs), dimacs < 0);
}

void add_cnf(propt &solver, const int_cnft &cnf)
{
  for(const int_clauset &clause : cnf)
  {
    bvt bv;
    for(int lit : clause)
      bv.push_back(lit_of(lit));
    solver.lcnf(bv);
  }
}

// The model read through l_get, as assignment bits; every variable of the
// clauses must have a value (the others are unknown to the engine).
unsigned model_bits(const propt &solver, const int_cnft &cnf, int n)
{
  std::vector<bool> occurs(unsigned(n) + 1);
  for(const int_clauset &clause : cnf)
    for(int lit : clause)
      occurs[unsigned(lit < 0 ? -lit : lit)] = true;
  unsigned bits = 0;
  for(int v = 1; v <= n; ++v)
  {
    tvt value = solver.l_get(lit_of(v));
    if(occurs[unsigned(v)])
    {
      EXPECT_FALSE(value.is_unknown()) << "variable " << v;
    }
    EXPECT_EQ(solver.l_get(lit_of(-v)).is_true(), value.is_false());
    if(value.is_true())
      bits |= 1u << (v - 1);
  }
  return bits;
}

template <typename solvert>
void agree_with_enumeration(unsigned seed)
{
  std::mt19937 random(seed);
  for(int round = 0; round < 150; ++round)
  {
    int n = 3 + int(random() % 10);
    int m = 2 + int(random() % (5 * unsigned(n)));
    int_cnft cnf = random_cnf(random, n, m, 4);
    solvert solver;
    solver.set_no_variables(unsigned(n) + 1);
    add_cnf(solver, cnf);
    bool expected = brute_force_sat(cnf, n);
    propt::resultt result = solver.prop_solve();
    ASSERT_EQ(result, expected ? propt::P_SATISFIABLE : propt::P_UNSATISFIABLE)
      << "round " << round;
    if(expected)
    {
      ASSERT_TRUE(satisfies(cnf, model_bits(solver, cnf, n)))
        << "round " << round;
    }
  }
}
} // namespace

typedef CoresatTest SatcheckCoresat;

TEST_F(SatcheckCoresat, RandomFormulasAgreeWithEnumeration)
{
  agree_with_enumeration<satcheck_coresatt>(11);
  agree_with_enumeration<satcheck_coresat_coret>(12);
}

TEST_F(SatcheckCoresat, IncrementalClausesAfterSatisfiableAnswers)
{
  std::mt19937 random(5);
  for(int round = 0; round < 100; ++round)
  {
    int n = 4 + int(random() % 9);
    satcheck_coresatt solver;
    solver.set_no_variables(unsigned(n) + 1);
    int_cnft all;
    for(int step = 0; step < 8; ++step)
    {
      int_cnft more = random_cnf(random, n, 1 + int(random() % unsigned(n)), 3);
      add_cnf(solver, more);
      all.insert(all.end(), more.begin(), more.end());
      bool expected = brute_force_sat(all, n);
      propt::resultt result = solver.prop_solve();
      ASSERT_EQ(
        result, expected ? propt::P_SATISFIABLE : propt::P_UNSATISFIABLE)
        << "round " << round << " step " << step;
      if(!expected)
        break;
      ASSERT_TRUE(satisfies(all, model_bits(solver, all, n)))
        << "round " << round << " step " << step;
    }
  }
}

TEST_F(SatcheckCoresat, ConstantsAndUnseenVariables)
{
  satcheck_coresatt solver;
  recording_handlert handler;
  solver.set_message_handler(&handler);
  solver.set_no_variables(4);
  EXPECT_EQ(solver.solver_text(), "Coresat version 0.4");
  solver.lcnf({const_literal(true), lit_of(1)});
  EXPECT_EQ(solver.no_clauses(), 0u);
  solver.lcnf({lit_of(1), const_literal(false), lit_of(1)});
  EXPECT_EQ(solver.no_clauses(), 1u);
  EXPECT_EQ(coresat.stats_all.current_clauses, 1);
  EXPECT_EQ(solver.prop_solve(), propt::P_SATISFIABLE);
  EXPECT_EQ(
    handler.lines,
    std::vector<std::string>{
      "6 SAT checker: negated claim is SATISFIABLE, i.e., does not hold"});
  EXPECT_TRUE(solver.l_get(const_literal(true)).is_true());
  EXPECT_TRUE(solver.l_get(const_literal(false)).is_false());
  EXPECT_TRUE(solver.l_get(lit_of(1)).is_true());
  EXPECT_TRUE(solver.l_get(lit_of(-1)).is_false());
  // Variable 3 is below no_variables but the engine never saw it.
  EXPECT_TRUE(solver.l_get(lit_of(3)).is_unknown());
}

TEST_F(SatcheckCoresat, EmptyClauseAnswersUnsatisfiable)
{
  satcheck_coresatt solver;
  recording_handlert handler;
  solver.set_message_handler(&handler);
  solver.lcnf({const_literal(false)});
  EXPECT_EQ(solver.no_clauses(), 1u);
  EXPECT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);
  EXPECT_EQ(
    handler.lines,
    std::vector<std::string>{
      "6 SAT checker: negated claim is UNSATISFIABLE, i.e., holds"});
}

TEST_F(SatcheckCoresat, LimitReachedIsAFailure)
{
  satcheck_coresatt solver;
  recording_handlert handler;
  solver.set_message_handler(&handler);
  solver.set_no_variables(3);
  solver.lcnf({lit_of(1), lit_of(2)});
  coresat_set_time_limit(0.0);
  EXPECT_EQ(solver.prop_solve(), propt::P_ERROR);
  EXPECT_EQ(
    handler.lines,
    std::vector<std::string>{"6 SAT checker failed: unknown result"});
}

TEST_F(SatcheckCoresat, CoreAdapterTellsTheCoreVariables)
{
  satcheck_coresat_coret solver;
  solver.set_no_variables(4);
  solver.lcnf({lit_of(1)});
  solver.lcnf({lit_of(-1)});
  solver.lcnf({lit_of(2), lit_of(3)});
  EXPECT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);
  EXPECT_TRUE(solver.is_in_core(lit_of(1)));
  EXPECT_TRUE(solver.is_in_core(lit_of(-1)));
  EXPECT_FALSE(solver.is_in_core(lit_of(2)));
  EXPECT_FALSE(solver.is_in_core(lit_of(3)));
}

TEST_F(SatcheckCoresat, DestroyingTheAdapterResetsTheEngine)
{
  {
    satcheck_coresat_coret solver;
    solver.set_no_variables(3);
    solver.lcnf({lit_of(1), lit_of(2)});
    EXPECT_EQ(coresat.trace, 1);
  }
  EXPECT_EQ(coresat.max_var, 0);
  EXPECT_EQ(coresat.trace, 0);
  EXPECT_EQ(coresat_current_bytes(), 0u);
  satcheck_coresatt second;
  EXPECT_EQ(coresat.trace, 0);
}

typedef CoresatTest SatcheckCoresatDeathTest;

TEST_F(SatcheckCoresatDeathTest, OneAdapterAtATime)
{
  satcheck_coresatt first;
  EXPECT_DEATH(
    { satcheck_coresat_coret second; }, "only one Coresat adapter at a time");
}

TEST_F(SatcheckCoresatDeathTest, NoSolveAfterUnsatisfiableAndNoValues)
{
  satcheck_coresatt solver;
  solver.set_no_variables(2);
  EXPECT_DEATH(solver.l_get(lit_of(1)), condition_regex("status==SAT"));
  solver.lcnf({const_literal(false)});
  EXPECT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);
  EXPECT_DEATH(
    solver.prop_solve(), condition_regex("status==SAT || status==INIT"));
}

TEST_F(SatcheckCoresatDeathTest, ValueOfAVariableBeyondTheCount)
{
  satcheck_coresatt solver;
  solver.set_no_variables(2);
  solver.lcnf({lit_of(1)});
  EXPECT_EQ(solver.prop_solve(), propt::P_SATISFIABLE);
  EXPECT_DEATH(solver.l_get(lit_of(2)), condition_regex("v<no_variables()"));
}

#include "sat/satcheck_proofsat.h"
#include "sat/satcheck_proofsat_core.h"
#include "sat/satcheck_proofsat_interpolation.h"

#include "adapter_harness.h"
#include "tests/util/condition_regex.h"
#include "tests/util/message_recorder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>

#include <sys/resource.h>
#include <unistd.h>

TEST(SatcheckProofsat, SolverTexts)
{
  testing::internal::CaptureStdout();
  EXPECT_EQ(satcheck_proofsatt().solver_text(), "Proofsat");
  EXPECT_EQ(satcheck_proofsat_coret().solver_text(), "Proofsat + Core");
  EXPECT_EQ(
    satcheck_proofsat_interpolationt().solver_text(),
    "Proofsat + Interpolation");
  testing::internal::GetCapturedStdout();
}

TEST(SatcheckProofsat, ReportsSizesAndAnswersIncrementally)
{
  message_recordert handler;
  satcheck_proofsatt solver;
  solver.set_message_handler(&handler);
  literalt x = solver.new_variable(), y = solver.new_variable(),
           z = solver.new_variable();
  solver.lcnf({x, y});
  solver.lcnf({!x, y});
  // A unit is fixed, not stored: it does not count among the clauses.
  solver.lcnf({z});
  EXPECT_EQ(solver.prop_solve(), propt::P_SATISFIABLE);
  EXPECT_EQ(
    handler.texts(),
    "6:4 variables, 2 clauses;"
    "6:SAT checker: negated claim is SATISFIABLE, i.e., does not hold;");
  EXPECT_TRUE(solver.l_get(y).is_true());
  EXPECT_TRUE(solver.l_get(!z).is_false());

  handler.messages.clear();
  solver.lcnf({!y});
  EXPECT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);
  EXPECT_EQ(
    handler.texts(),
    "6:4 variables, 2 clauses;"
    "6:SAT checker: negated claim is UNSATISFIABLE, i.e., holds;");
  EXPECT_EQ(solver.no_clauses(), 4u);
}

TEST(SatcheckProofsat, SatisfiedClausesAreNotAdded)
{
  satcheck_proofsatt solver;
  literalt x = solver.new_variable(), y = solver.new_variable();
  solver.lcnf({const_literal(true), x});
  solver.lcnf({x, y, !x});
  EXPECT_EQ(solver.no_clauses(), 0u);
  // Constant false and repeats go; what remains is one clause.
  solver.lcnf({x, const_literal(false), x, y});
  EXPECT_EQ(solver.no_clauses(), 1u);
  solver.lcnf({!x});
  solver.lcnf({!y});
  EXPECT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);
}

TEST(SatcheckProofsat, FalseClauseMakesEveryLaterAnswerUnsatisfiable)
{
  satcheck_proofsatt solver;
  literalt x = solver.new_variable();
  solver.lcnf({const_literal(false)});
  EXPECT_EQ(solver.no_clauses(), 1u);
  EXPECT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);
  solver.lcnf({x});
  EXPECT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);
}

TEST(SatcheckProofsat, ConstantsAndSetAssignment)
{
  satcheck_proofsatt solver;
  literalt x = solver.new_variable(), y = solver.new_variable();
  solver.lcnf({x, y});
  ASSERT_EQ(solver.prop_solve(), propt::P_SATISFIABLE);
  EXPECT_TRUE(solver.l_get(const_literal(true)).is_true());
  EXPECT_TRUE(solver.l_get(const_literal(false)).is_false());

  // The variable gets value XOR sign.
  solver.set_assignment(!x, true);
  EXPECT_TRUE(solver.l_get(x).is_false());
  EXPECT_TRUE(solver.l_get(!x).is_true());
  solver.set_assignment(x, true);
  EXPECT_TRUE(solver.l_get(x).is_true());
  solver.set_assignment(y, false);
  EXPECT_TRUE(solver.l_get(!y).is_true());
}

// The answers of the plain and the core back end agree with brute force,
// and every model satisfies the clauses as read through l_get.
TEST(SatcheckProofsat, RandomFormulasAgreeWithBruteForce)
{
  std::mt19937 random(15);
  const int vars = 8;
  for(int round = 0; round < 300; ++round)
  {
    SCOPED_TRACE(round);
    std::vector<code_clauset> codes;
    int size = 10 + int(random() % 30);
    for(int i = 0; i < size; ++i)
      codes.push_back(random_clause(random, vars));
    bool expected = brute_force_satisfiable(vars, codes);

    std::unique_ptr<satcheck_proofsat_baset> solvers[] = {
      std::make_unique<satcheck_proofsatt>(),
      std::make_unique<satcheck_proofsat_coret>()};
    for(auto &solver : solvers)
    {
      for(int v = 0; v < vars; ++v)
        solver->new_variable();
      std::vector<bvt> clauses;
      for(const code_clauset &c : codes)
        clauses.push_back(shifted_clause(c));
      for(const bvt &clause : clauses)
        solver->lcnf(clause);
      propt::resultt result = solver->prop_solve();
      ASSERT_EQ(result == propt::P_SATISFIABLE, expected);
      if(!expected)
        continue;
      std::vector<bool> model(vars + 1);
      for(int v = 1; v <= vars; ++v)
      {
        tvt value = solver->l_get(literalt(v, false));
        ASSERT_FALSE(value.is_unknown());
        model[v] = value.is_true();
        EXPECT_EQ(solver->l_get(literalt(v, true)), !value);
      }
      EXPECT_TRUE(satisfies(model, clauses));
    }
  }
}

namespace
{
class errored_proofsatt : public satcheck_proofsatt
{
public:
  errored_proofsatt()
  {
    status = ERROR;
  }
};

// Lets the process map only `headroom` bytes more than it has mapped now.
void cap_address_space(rlim_t headroom)
{
  std::ifstream statm("/proc/self/statm");
  rlim_t pages = 0;
  statm >> pages;
  struct rlimit limit;
  getrlimit(RLIMIT_AS, &limit);
  limit.rlim_cur = pages * rlim_t(sysconf(_SC_PAGESIZE)) + headroom;
  setrlimit(RLIMIT_AS, &limit);
}
} // namespace

TEST(SatcheckProofsatDeathTest, BrokenPreconditions)
{
  satcheck_proofsatt solver;
  literalt x = solver.new_variable();
  solver.lcnf({x});
  EXPECT_DEATH(solver.l_get(x), condition_regex("status==SAT"));
  EXPECT_DEATH(solver.set_assignment(x, true), "solver->model.size\\(\\)");

  ASSERT_EQ(solver.prop_solve(), propt::P_SATISFIABLE);
  literalt later = solver.new_variable();
  EXPECT_DEATH(
    solver.l_get(later),
    condition_regex("a.var_no()<(unsigned)solver->model.size()"));
  EXPECT_DEATH(
    solver.set_assignment(later, false),
    condition_regex("v<(unsigned)solver->model.size()"));

  errored_proofsatt errored;
  EXPECT_DEATH(errored.prop_solve(), condition_regex("status!=ERROR"));
}

// Running out of memory, while taking a clause or while solving, is an
// error answer with its reason, not a stop; each case runs in a child whose
// address space is capped a little above what it already uses.
TEST(SatcheckProofsatDeathTest, OutOfMemoryIsAnErrorAnswer)
{
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space";
#endif
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // More variables than fit under the cap: the engine's tables for them
  // need gigabytes.
  const unsigned variables = 100000000;
  const struct
  {
    const char *name;
    std::function<std::unique_ptr<satcheck_proofsat_baset>()> make;
  } adapters[] = {
    {"plain", [] { return std::make_unique<satcheck_proofsatt>(); }},
    {"core", [] { return std::make_unique<satcheck_proofsat_coret>(); }},
    {"interpolation",
     [] { return std::make_unique<satcheck_proofsat_interpolationt>(); }},
  };
  for(const auto &adapter : adapters)
    for(bool in_lcnf : {true, false})
    {
      SCOPED_TRACE(std::string(adapter.name) + (in_lcnf ? " lcnf" : ""));
      EXPECT_EXIT(
        {
          message_recordert handler;
          std::unique_ptr<satcheck_proofsat_baset> solver = adapter.make();
          solver->set_message_handler(&handler);
          solver->set_no_variables(variables + 1);
          cap_address_space(16 << 20);
          if(in_lcnf)
            solver->lcnf({literalt(variables, false)});
          propt::resultt result = solver->prop_solve();
          solver.reset();
          std::cerr << handler.texts();
          std::exit(result == propt::P_ERROR ? 3 : 4);
        },
        ::testing::ExitedWithCode(3),
        "6:100000001 variables, 0 clauses;"
        "1:SAT checker failed: Out of memory;$");
    }
}

#include "sat/coresat/coresat.h"

#include "coresat_fixture.h"

#include <cstring>
#include <set>
#include <vector>

typedef CoresatTest CoresatInterface;

TEST_F(CoresatInterface, VersionAndConfigurationNeedNoEngine)
{
  EXPECT_STREQ(coresat_version(), "0.4");
  EXPECT_EQ(coresat.initialized, 0);
  std::string configuration = coresat_configuration();
  EXPECT_EQ(configuration.rfind("VERSION=\"0.4\"\nOS=", 0), 0u);
  for(const char *line :
      {"\nID=",
       "\nCC=",
       "\nCCVERSION=",
       "\nCFLAGS=",
       "\nNDEBUG=1\nSTATS=0\nLOG=0\nTRACE=1\n"})
    EXPECT_NE(configuration.find(line), std::string::npos) << line;
  EXPECT_GT(std::strlen(coresat_id()), 0u);
}

TEST_F(CoresatInterface, SettersAnnounceThemselvesWhenVerbose)
{
  std::string text = captured([](std::FILE *f) {
    coresat_set_output(f);
    coresat_set_verbose(-3);
    coresat_enable_trace(1);
    coresat_set_verbose(2);
    coresat_enable_trace(1);
    coresat_enable_trace(0);
    coresat_set_checking(0);
    coresat_set_checking(1);
    coresat_set_seed(0);
    coresat_set_seed(7);
    coresat_set_conflict_limit(-1);
    coresat_set_conflict_limit(10);
    coresat_set_decision_limit(-1);
    coresat_set_decision_limit(20);
    coresat_set_time_limit(-1.0);
    coresat_set_time_limit(1.5);
    coresat_set_output(stdout);
  });
  EXPECT_EQ(
    text,
    "c verbose level 2\n"
    "c trace generation enabled\n"
    "c trace generation disabled\n"
    "c checking not supported\n"
    "c random number generator seed 7\n"
    "c conflict limit 10\n"
    "c decision limit 20\n"
    "c time limit 1.50\n");
  EXPECT_EQ(coresat.conflict_limit, 10);
  EXPECT_EQ(coresat.decision_limit, 20);
  EXPECT_EQ(coresat.time_limit, 1.5);
  EXPECT_EQ(coresat.trace, 0);
}

TEST_F(CoresatInterface, SeedDecidesBetweenEquallyGoodPhases)
{
  // Pairs of variables of which exactly one is true: neither phase of a
  // variable occurs more often, so the random numbers choose.
  const auto model_for = [](unsigned seed) {
    coresat_reset();
    coresat_set_seed(seed);
    for(int v = 1; v < 16; v += 2)
    {
      add_clause({v, v + 1});
      add_clause({-v, -(v + 1)});
    }
    EXPECT_EQ(coresat_sat(), coresat_satisfiable);
    std::vector<int> model;
    for(int v = 1; v <= 16; ++v)
      model.push_back(coresat_deref(v));
    return model;
  };
  std::set<std::vector<int>> models;
  for(unsigned seed = 1; seed <= 8; ++seed)
  {
    const std::vector<int> model = model_for(seed);
    EXPECT_EQ(model_for(seed), model) << "seed " << seed;
    models.insert(model);
  }
  EXPECT_GT(models.size(), 1u);
}

TEST_F(CoresatInterface, LimitsSetBeforeFirstUse)
{
  // The decision and time limits do not initialise the engine, so its
  // initialisation replaces them; the conflict limit initialises first.
  coresat_set_decision_limit(5);
  coresat_set_time_limit(0.0);
  coresat_set_conflict_limit(3);
  EXPECT_EQ(coresat.decision_limit, -1);
  EXPECT_EQ(coresat.time_limit, -1.0);
  EXPECT_EQ(coresat.conflict_limit, 3);
  coresat_reset();
  coresat_set_decision_limit(5);
  coresat_add(1);
  EXPECT_EQ(coresat.decision_limit, -1);
}

TEST_F(CoresatInterface, ValuesAfterSolving)
{
  add_clause({1, -2});
  add_clause({2});
  EXPECT_EQ(coresat_sat(), coresat_satisfiable);
  EXPECT_EQ(coresat_deref(1), 1);
  EXPECT_EQ(coresat_deref(2), 1);
  EXPECT_EQ(coresat_deref(-1), -1);
  EXPECT_EQ(coresat_deref(3), 0);
  EXPECT_EQ(coresat_seconds(), 0.0);
}

TEST_F(CoresatInterface, PrintWritesTheClauseTableAsDimacs)
{
  add_clause({1, -2});
  add_clause({2});
  EXPECT_EQ(
    captured([](std::FILE *f) { coresat_print(f); }),
    "p cnf 2 2\n1 -2 0\n2 0\n");
}

TEST_F(CoresatInterface, StatsLines)
{
  add_clause({1, -2});
  std::string expected = "c allocated maximum ";
  char number[32];
  std::snprintf(
    number, sizeof number, "%.1f", coresat.max_bytes / double(1 << 20));
  expected += number;
  expected += " MB\nc 0.00 seconds\n";
  EXPECT_EQ(captured([](std::FILE *f) { coresat_stats(f); }), expected);
}

TEST_F(CoresatInterface, ResetForgetsEverything)
{
  add_clause({1});
  add_clause({-1});
  EXPECT_EQ(coresat_sat(), coresat_unsatisfiable);
  coresat_reset();
  EXPECT_EQ(coresat_sat(), coresat_satisfiable);
  EXPECT_EQ(coresat_deref(1), 0);
}

TEST_F(CoresatInterface, NestedCallsKeepTheNestingBalanced)
{
  coresat_enable_trace(1);
  add_clause({1});
  add_clause({-1});
  coresat_sat();
  captured([](std::FILE *f) { coresat_print_variable_core(f); });
  EXPECT_EQ(coresat.nesting, 0);
}

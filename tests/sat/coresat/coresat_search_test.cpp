#include "sat/coresat/coresat.h"

#include "coresat_fixture.h"

#include <algorithm>

typedef CoresatTest CoresatSearch;

namespace
{
// Pigeons in holes: p pigeons, p - 1 holes; unsatisfiable and needs search.
void add_pigeonhole(int pigeons)
{
  int holes = pigeons - 1;
  auto var = [holes](int p, int h) { return p * holes + h + 1; };
  for(int p = 0; p < pigeons; ++p)
  {
    std::vector<int> clause;
    for(int h = 0; h < holes; ++h)
      clause.push_back(var(p, h));
    add_clause(clause);
  }
  for(int h = 0; h < holes; ++h)
    for(int p = 0; p < pigeons; ++p)
      for(int q = p + 1; q < pigeons; ++q)
        add_clause({-var(p, h), -var(q, h)});
}

// Satisfiable, with no binary clauses to probe and needing decisions.
void add_ternary_chain()
{
  for(int v = 1; v + 2 <= 12; ++v)
    add_clause({v, v + 1, -(v + 2)});
}

std::string solve_printing(int *result)
{
  return engine_output([result]() { *result = coresat_sat(); });
}
} // namespace

TEST_F(CoresatSearch, SmallestCases)
{
  EXPECT_EQ(coresat_sat(), coresat_satisfiable);
  add_clause({1});
  add_clause({-1});
  EXPECT_EQ(coresat_sat(), coresat_unsatisfiable);
  EXPECT_EQ(coresat_sat(), coresat_unsatisfiable);
}

TEST_F(CoresatSearch, EmptyClauseAnswersAtOnce)
{
  add_clause({1, 2});
  add_clause({});
  EXPECT_EQ(coresat_sat(), coresat_unsatisfiable);
  EXPECT_EQ(coresat.decisions, 0u);
}

TEST_F(CoresatSearch, ProbingRefutesTheFourBinaryClauses)
{
  add_clause({1, 2});
  add_clause({1, -2});
  add_clause({-1, 2});
  add_clause({-1, -2});
  coresat.verbose = 2;
  int result = 0;
  EXPECT_EQ(
    solve_printing(&result),
    "c preprocessing produced 2 assignments in 0.00 seconds\n");
  EXPECT_EQ(result, coresat_unsatisfiable);
  EXPECT_EQ(coresat.decisions, 0u);
  // The failed probe was -1: the learned unit is (1).
  EXPECT_EQ(literals_of(clause_at(5)), std::vector<int>{1});
}

TEST_F(CoresatSearch, ConflictAndDecisionLimitsStopTheSearch)
{
  add_pigeonhole(5);
  coresat.verbose = 1;
  int result = -1;
  std::string text = engine_output([&result]() {
    coresat_set_conflict_limit(0);
    result = coresat_sat();
  });
  EXPECT_EQ(result, coresat_undecided);
  EXPECT_EQ(text, "c conflict limit 0\nc limit of 0 conflicts reached\n");

  text = engine_output([&result]() {
    coresat_set_conflict_limit(-1);
    coresat_set_decision_limit(int(coresat.decisions) + 3);
    result = coresat_sat();
  });
  EXPECT_EQ(result, coresat_undecided);
  char expected[100];
  std::snprintf(
    expected,
    sizeof expected,
    "c decision limit %d\nc limit of %d decisions reached\n",
    coresat.decision_limit,
    coresat.decision_limit);
  EXPECT_EQ(text, expected);
  coresat.verbose = 0;
  coresat_set_decision_limit(-1);
  EXPECT_EQ(coresat_sat(), coresat_unsatisfiable);
}

TEST_F(CoresatSearch, TimeLimitZeroStopsAndOneNeverDoes)
{
  add_ternary_chain();
  coresat.verbose = 1;
  int result = -1;
  std::string text = engine_output([&result]() {
    coresat_set_time_limit(0.0);
    result = coresat_sat();
  });
  EXPECT_EQ(result, coresat_undecided);
  EXPECT_EQ(
    text,
    "c time limit 0.00\nc time limit of 0.00 seconds reached after 0.00 "
    "seconds\n");
  coresat.verbose = 0;
  coresat_set_time_limit(1.0);
  EXPECT_EQ(coresat_sat(), coresat_satisfiable);
}

TEST_F(CoresatSearch, SecondCallAfterSatisfiableNeedsNoDecisions)
{
  add_ternary_chain();
  EXPECT_EQ(coresat_sat(), coresat_satisfiable);
  std::uint64_t decisions = coresat.decisions;
  EXPECT_GT(decisions, 0u);
  EXPECT_EQ(coresat_sat(), coresat_satisfiable);
  EXPECT_EQ(coresat.decisions, decisions);
}

TEST_F(CoresatSearch, RestartsFollowTheGeometricSchedule)
{
  add_pigeonhole(7);
  EXPECT_EQ(coresat_sat(), coresat_unsatisfiable);
  EXPECT_GT(coresat.conflicts, 1000u);
  std::uint64_t gap = 100;
  while(gap < coresat.next_restart - coresat.restart_base)
    gap += gap / 2;
  EXPECT_EQ(coresat.next_restart - coresat.restart_base, gap);
}

TEST_F(CoresatSearch, ClosingProgressLineOnce)
{
  add_pigeonhole(7);
  coresat.verbose = 2;
  int result = -1;
  std::string text = engine_output([&result]() { result = coresat_sat(); });
  EXPECT_EQ(result, coresat_unsatisfiable);
  ASSERT_GE(coresat.reports, 1);
  // Header, one line per 1000 conflicts, the closing line; the memory
  // column varies.
  EXPECT_EQ(
    text.rfind(
      "c preprocessing produced 0 assignments in 0.00 seconds\n"
      "c   seconds   MB\n",
      0),
    0u);
  std::size_t count = 0;
  for(std::size_t at = text.find("c     0.00 "); at != std::string::npos;
      at = text.find("c     0.00 ", at + 1))
    ++count;
  EXPECT_EQ(count, std::size_t(coresat.reports) + 1);
  EXPECT_EQ(coresat.final_report_done, 1);
  text = engine_output([&result]() { result = coresat_sat(); });
  EXPECT_EQ(text, "");
}

TEST_F(CoresatSearch, UnitAddedOnALaterCallIsFixedAtLevelZero)
{
  // 1 occurs most, so the search decides it true above level 0.
  add_clause({1, 2});
  add_clause({1, 3});
  add_clause({2, 3, 4});
  EXPECT_EQ(coresat_sat(), coresat_satisfiable);
  ASSERT_EQ(coresat_deref(1), 1);
  ASSERT_GT(coresat.vars[1].level, 0);
  // Now 5 is forced, and with it -1; still satisfiable with 2 and 3.
  add_clause({-1, -5});
  add_clause({5});
  EXPECT_EQ(coresat_sat(), coresat_satisfiable);
  EXPECT_EQ(coresat_deref(5), 1);
  EXPECT_EQ(coresat.vars[5].level, 0);
  EXPECT_EQ(coresat_deref(1), -1);
  EXPECT_EQ(coresat_deref(2), 1);
  EXPECT_EQ(coresat_deref(3), 1);
}

TEST_F(CoresatSearch, ClauseFalseAtLevelZeroWhenAddedIsUnsatisfiable)
{
  add_clause({2});
  add_clause({3});
  add_clause({1, 4});
  EXPECT_EQ(coresat_sat(), coresat_satisfiable);
  add_clause({-2, -3});
  EXPECT_NE(coresat.empty_clause, nullptr);
  EXPECT_EQ(coresat_sat(), coresat_unsatisfiable);
}

TEST_F(CoresatSearch, ClauseUnitAtLevelZeroWhenAddedIsPropagated)
{
  // (5, -3) comes after 3 was fixed at level 0: it is unit there without
  // having been propagated. Simplification shortens it to the unit clause
  // (5), which must be assigned before any decision can falsify it.
  add_clause({3});
  EXPECT_EQ(coresat_sat(), coresat_satisfiable);
  const std::vector<std::vector<int>> more = {{-1}, {5, -3}, {-4, 2, -5}, {3}};
  for(const std::vector<int> &clause : more)
    add_clause(clause);
  EXPECT_EQ(coresat_sat(), coresat_satisfiable);
  EXPECT_EQ(coresat_deref(5), 1);
  EXPECT_EQ(coresat.vars[5].level, 0);
  for(const std::vector<int> &clause : more)
  {
    bool satisfied = false;
    for(int lit : clause)
      satisfied = satisfied || coresat_deref(lit) > 0;
    EXPECT_TRUE(satisfied);
  }
}

TEST_F(CoresatSearch, NoSimplificationAboveLevelZero)
{
  const std::vector<std::vector<int>> clauses = {
    {1, 2, 3}, {1, -2, 4}, {-1, 5, 6}, {-1, -5, 7}, {-7, 8, 9}, {20}};
  for(const std::vector<int> &clause : clauses)
    add_clause(clause);
  EXPECT_EQ(coresat_sat(), coresat_satisfiable);
  // The search implied 4 by (1, -2, 4).
  ASSERT_GT(coresat.vars[4].level, 0);
  ASSERT_EQ(coresat.vars[4].reason, clause_at(2));
  // Level-0 assignments not yet simplified, found by a call that stands
  // above level 0 (a repeated unit keeps it there): the reasons of the
  // search's assignments must stay.
  coresat.simplified_at = -1;
  add_clause({20});
  EXPECT_EQ(coresat_sat(), coresat_satisfiable);
  for(int i = 0; i < coresat.assignment_trail.size(); ++i)
  {
    coresat_var *var = coresat_var_of(coresat.assignment_trail[i]);
    coresat_clause *reason = var->reason;
    if(!reason || var->level == 0)
      continue;
    // Found in the table before it is read: a freed reason is not.
    bool held = false;
    for(int j = 1; j < coresat.clause_table.size(); ++j)
      held = held || clause_at(j) == reason;
    ASSERT_TRUE(held) << "reason of " << coresat.assignment_trail[i];
    EXPECT_FALSE(reason->flags & coresat_clause_collected);
  }
}

TEST_F(CoresatSearch, UnfinishedClauseWaitsThroughASolve)
{
  add_clause({1});
  add_clause({-1, 2});
  coresat_add(5);
  EXPECT_EQ(coresat_sat(), coresat_satisfiable);
  // 2 was fixed at level 0 through a derived unit clause (2), built without
  // the waiting literal.
  ASSERT_NE(coresat.vars[2].reason, nullptr);
  EXPECT_EQ(literals_of(coresat.vars[2].reason), std::vector<int>{2});
  coresat_add(-3);
  coresat_add(0);
  std::vector<int> last = literals_of(coresat.clause_table.top());
  std::sort(last.begin(), last.end());
  EXPECT_EQ(last, (std::vector<int>{-3, 5}));
}

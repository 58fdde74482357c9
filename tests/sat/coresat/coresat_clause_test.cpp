#include "sat/coresat/coresat_clause.h"
#include "sat/coresat/coresat_propagate.h"

#include "coresat_fixture.h"

#include <climits>

typedef CoresatTest CoresatClause;

namespace
{
// Assigns lit true as a decision at the given level.
void assign_at(int level, int lit)
{
  coresat.decision_level = level;
  coresat_assign(lit, nullptr);
}
} // namespace

TEST_F(CoresatClause, TautologyIsDroppedButItsVariableIsUsed)
{
  add_clause({1, -1});
  EXPECT_TRUE(coresat.clause_table.empty());
  EXPECT_TRUE(coresat.vars[1].flags & coresat_var_used);
  EXPECT_EQ(stack_items(coresat.decision_heap), (std::vector<int>{1}));
  EXPECT_EQ(coresat.vars[1].heap_pos, 0);
  EXPECT_TRUE(coresat_score_is_zero(coresat.vars[1].score));
  EXPECT_EQ(coresat.vars[1].mark, 0);
  EXPECT_EQ(coresat.unassigned_vars, 1);
}

TEST_F(CoresatClause, RepeatedLiteralIsKeptOnceAndBumpedOnce)
{
  add_clause({2, 2, -3});
  ASSERT_EQ(coresat.clause_table.size(), 2);
  EXPECT_EQ(coresat.clause_table[0], nullptr);
  coresat_clause *c = clause_at(1);
  EXPECT_EQ(c->idx, 1);
  EXPECT_EQ(c->flags, coresat_clause_original);
  EXPECT_EQ(literals_of(c), (std::vector<int>{2, -3}));
  EXPECT_EQ(coresat.vars[2].score, coresat_score_make(1, 0));
  EXPECT_EQ(coresat.vars[3].score, coresat_score_make(1, 0));
  EXPECT_EQ(coresat.lits[2].occurrences, 1);
  EXPECT_EQ(coresat.lits[-3].binary_occurrences, 1);
  EXPECT_EQ(coresat.lits[-2].occurrences, 0);
  // A binary clause is watched by (-idx, other literal) in both lists.
  EXPECT_EQ(watches_of(2), (std::vector<int>{-1, -3}));
  EXPECT_EQ(watches_of(-3), (std::vector<int>{-1, 2}));
  EXPECT_EQ(coresat.stats_all.current_clauses, 1);
  EXPECT_EQ(coresat.stats_original.added_literals, 2u);
  EXPECT_EQ(coresat.stats_learned.added_clauses, 0);
}

TEST_F(CoresatClause, EmptyAndUnitClausesArePlacedNotWatched)
{
  add_clause({});
  add_clause({4});
  add_clause({});
  EXPECT_EQ(coresat.empty_clause, clause_at(1));
  ASSERT_EQ(coresat.unit_clauses.size(), 1);
  EXPECT_EQ(coresat.unit_clauses[0], clause_at(2));
  EXPECT_TRUE(watches_of(4).empty());
  EXPECT_EQ(coresat.lits[4].occurrences, 1);
  EXPECT_EQ(coresat.stats_all.current_clauses, 3);
}

TEST_F(CoresatClause, VariableArraysGrowByDoublingAndKeepTheirContents)
{
  add_clause({5, -1, 3});
  EXPECT_EQ(coresat.size_vars, 8);
  EXPECT_EQ(coresat.max_var, 5);
  assign_at(0, -1);
  std::vector<int> watches_5 = watches_of(5);
  std::vector<int> watches_m1 = watches_of(-1);
  add_clause({9});
  EXPECT_EQ(coresat.size_vars, 16);
  EXPECT_EQ(coresat.max_var, 9);
  EXPECT_EQ(coresat.vals[-1], 1);
  EXPECT_EQ(coresat.vals[1], -1);
  EXPECT_EQ(watches_of(5), watches_5);
  EXPECT_EQ(watches_of(-1), watches_m1);
  EXPECT_EQ(coresat.vars[5].score, coresat_score_make(1, 0));
  EXPECT_EQ(coresat.lits[3].occurrences, 1);
}

// Variable numbers past half the int range once doubled the size past
// INT_MAX: undefined, and in practice a loop that never ended.
TEST(CoresatClauseGrowth, StopsAtTheVariableNearTheIntRange)
{
  const struct
  {
    int size, v, expected;
  } cases[] = {
    {0, 1, 2},
    {0, 5, 8},
    {8, 9, 16},
    {1 << 29, (1 << 30) + 1, (1 << 30) + 1},
    {1 << 30, (1 << 30) + 1, (1 << 30) + 1},
    {2, INT_MAX, INT_MAX},
    {(1 << 30) + 1, INT_MAX, INT_MAX},
  };
  for(const auto &c : cases)
  {
    EXPECT_EQ(coresat_grown_size(c.size, c.v), c.expected)
      << c.size << " " << c.v;
  }
}

TEST_F(CoresatClause, WatchesPreferTrueThenUnassignedThenLateFalse)
{
  add_clause({1, 2, 3, 4});
  assign_at(2, 1);
  assign_at(5, -2);
  assign_at(6, -4);
  struct caset
  {
    int a, b, expected;
  };
  const caset cases[] = {
    {1, 3, 1}, // true above unassigned
    {3, 2, 1}, // unassigned above false
    {4, 2, 1}, // false: the higher level
    {2, 4, -1},
    {3, 3, 0},
    {-2, -4, 1}, // true: the lower level
  };
  for(const caset &c : cases)
    EXPECT_EQ(coresat_cmp_watch_literals(c.a, c.b), c.expected)
      << c.a << " vs " << c.b;

  // x true at level 2, y false at level 5, z unassigned: (y, z, x) is
  // watched by x and z.
  add_clause({2, 3, 1});
  coresat_clause *c = clause_at(2);
  EXPECT_EQ(literals_of(c), (std::vector<int>{1, 3, 2}));
  // The first clause, added with nothing assigned, is watched by 1 and 2.
  EXPECT_EQ(watches_of(1), (std::vector<int>{1, 2}));
  EXPECT_EQ(watches_of(3), (std::vector<int>{2}));
  EXPECT_EQ(watches_of(2), (std::vector<int>{1}));
}

TEST_F(CoresatClause, UnassignedWatchesOfOneLevelPreferSmallerVariables)
{
  // All unassigned at level 0: the smaller variable ranks higher, so 1 and
  // then 2 are watched whatever their places.
  add_clause({3, 2, 1});
  EXPECT_EQ(literals_of(clause_at(1)), (std::vector<int>{1, 2, 3}));
}

TEST_F(CoresatClause, ClauseFalseThroughoutJumpsBackToItsSecondLevel)
{
  add_clause({1, 2, 3, 4});
  assign_at(1, -1);
  assign_at(2, -2);
  assign_at(3, -3);
  assign_at(4, 4);
  coresat.decision_level = 4;
  add_clause({1, 2, -4});
  EXPECT_EQ(coresat.decision_level, 2);
  EXPECT_EQ(stack_items(coresat.assignment_trail), (std::vector<int>{-1, -2}));
  EXPECT_EQ(coresat.vals[4], 0);
  EXPECT_EQ(coresat.conflict_clause, nullptr);
  EXPECT_TRUE(coresat.propagation_queue.empty());
  EXPECT_EQ(coresat.vars[4].heap_pos >= 0, true);
  EXPECT_EQ(coresat.unassigned_vars, 2);

  // A clause not false throughout changes nothing.
  add_clause({1, 3});
  EXPECT_EQ(coresat.decision_level, 2);
}

TEST_F(CoresatClause, LiteralsBeyondTheTablesAnswerSafely)
{
  EXPECT_EQ(coresat_deref(1), 0);
  add_clause({1, -2});
  add_clause({2});
  EXPECT_EQ(coresat_deref(3), 0);
  EXPECT_EQ(coresat_deref(-3), 0);
  EXPECT_EQ(coresat_deref(-1000000), 0);
  EXPECT_EQ(coresat_deref(INT_MAX), 0);
  EXPECT_EQ(coresat_deref(INT_MIN), 0);
  // The most negative int names no variable: refused, the clause being
  // built stays as it was.
  coresat_add(5);
  EXPECT_EQ(coresat_add(INT_MIN), -1);
  coresat_add(0);
  EXPECT_EQ(literals_of(clause_at(3)), (std::vector<int>{5}));
  EXPECT_EQ(coresat.max_var, 5);
}

TEST_F(CoresatClause, ResetGivesBackEveryByte)
{
  coresat.trace = 1;
  add_clause({1, 2, 3});
  add_clause({-1, 2});
  add_clause({7});
  EXPECT_GT(coresat_current_bytes(), 0u);
  coresat_reset();
  EXPECT_EQ(coresat_current_bytes(), 0u);
  EXPECT_EQ(coresat.max_var, 0);
  EXPECT_EQ(coresat.initialized, 0);
  EXPECT_EQ(coresat.trace, 0);
}

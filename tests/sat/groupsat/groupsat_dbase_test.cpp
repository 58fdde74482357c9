#include "captured_output.h"

#include "sat/groupsat/groupsat_dbase.h"
#include "tests/util/condition_regex.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{
// A database whose variables 1..n exist unassigned.
class databaset : public CDatabase
{
public:
  explicit databaset(int n)
  {
    _variables.resize(std::size_t(n) + 1);
  }

  ClauseIdx add(const std::vector<int> &lits, unsigned gflag = 0)
  {
    ClauseIdx cl = add_clause(lits.data(), int(lits.size()), gflag);
    if(cl >= 0)
      clause(cl).set_status(ORIGINAL_CL);
    return cl;
  }

  void assign(int v, int value, int level)
  {
    variable(v).set_value(value);
    variable(v).dlevel() = level;
  }

  std::vector<int> literals_of(ClauseIdx cl)
  {
    std::vector<int> result;
    for(unsigned i = 0; i < clause(cl).num_lits(); ++i)
      result.push_back(clause(cl).literal(i).s_var());
    return result;
  }

  int capacity() const
  {
    return _lit_pool_end_storage - _lit_pool_start;
  }

  // Every live record and variable passes its self check, and every watch
  // list entry points into the used pool.
  void expect_consistent()
  {
    for(CClause &cl : _clauses)
    {
      if(cl.status() != DELETED_CL && cl.num_lits() > 0)
      {
        EXPECT_TRUE(cl.self_check());
      }
    }
    for(CVariable &var : _variables)
    {
      EXPECT_TRUE(var.self_check());
      for(int sign = 0; sign < 2; ++sign)
        for(CLitPoolElement *w : var.watched(sign))
        {
          EXPECT_GE(w, lit_pool_begin());
          EXPECT_LT(w, lit_pool_end());
        }
    }
  }
};

std::vector<int> positive_literals(int count)
{
  std::vector<int> lits;
  for(int i = 0; i < count; ++i)
    lits.push_back(2 * (1 + i % 50));
  return lits;
}
} // namespace

TEST(CDatabase, FreshPoolStatisticsLine)
{
  CDatabase db;
  EXPECT_EQ(
    stdout_of([&] { db.print_lit_pool_stats(); }),
    "Lit_Pool Used 1 Free 32767 Total 32768 Num. Cl 0 Num. Lit 0 "
    "Efficiency 0\n");
}

TEST(CDatabase, ClausesFollowEachOtherWithEndMarkers)
{
  databaset db(3);
  ClauseIdx first = db.add_clause(std::vector<int>{2, 5, 7}.data(), 3, 6);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(db.clause(first).status(), unsigned(NEW_CL));
  EXPECT_EQ(db.clause(first).id(), 0u);
  EXPECT_EQ(db.clause(first).gflag(), 6u);
  EXPECT_EQ(db.clause(first).literals(), db.lit_pool_begin() + 1);
  EXPECT_EQ(db.lit_pool_element(4).get_clause_index(), 0);

  ClauseIdx unit = db.add({6});
  EXPECT_EQ(unit, 1);
  EXPECT_EQ(db.clause(unit).id(), 1u);
  EXPECT_EQ(db.clause(unit).literals(), db.lit_pool_begin() + 5);
  EXPECT_FALSE(db.clause(unit).literal(0).is_watched());
  EXPECT_EQ(db.lit_pool_element(6).get_clause_index(), 1);
  EXPECT_EQ(db.lit_pool_size(), 7);
  EXPECT_EQ(db.num_clauses(), 2u);
  EXPECT_EQ(db.num_literals(), 4u);
  db.expect_consistent();
}

TEST(CDatabase, TwoLiteralCountsSurviveDeletion)
{
  databaset db(2);
  ClauseIdx cl = db.add({2, 5});
  EXPECT_EQ(db.variable(1).two_lits_count(0), 1);
  EXPECT_EQ(db.variable(2).two_lits_count(1), 1);
  EXPECT_EQ(db.variable(1).lits_count(0), 1);
  db.mark_clause_deleted(db.clause(cl));
  EXPECT_EQ(db.variable(1).two_lits_count(0), 1);
  EXPECT_EQ(db.variable(2).two_lits_count(1), 1);
  EXPECT_EQ(db.variable(1).lits_count(0), 0);
  EXPECT_EQ(db.variable(2).lits_count(1), 0);
  EXPECT_EQ(db.stats().num_deleted_clauses, 1u);
  EXPECT_EQ(db.stats().num_del_orig_cls, 1u);
  EXPECT_EQ(db.num_clauses(), 0u);
  EXPECT_EQ(db.num_literals(), 0u);
}

TEST(CDatabase, WatchesGoToFreeLiteralsOrFalseOnesOfHighestLevel)
{
  struct caset
  {
    const char *name;
    // Per variable 1..5: value (2 unassigned) and level.
    std::vector<std::pair<int, int>> assignment;
    int front_watch;
    int back_watch;
  };
  const std::vector<caset> cases = {
    {"all free", {{2, -1}, {2, -1}, {2, -1}, {2, -1}, {2, -1}}, 0, 4},
    {"first and last false",
     {{1, 1}, {2, -1}, {1, 2}, {2, -1}, {1, 3}},
     1,
     3},
    {"one free", {{1, 4}, {1, 2}, {2, -1}, {1, 4}, {1, 1}}, 2, 3},
    {"all false, first of equals from each end",
     {{1, 1}, {1, 3}, {1, 2}, {1, 3}, {1, 1}},
     1,
     3},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.name);
    databaset db(5);
    for(int v = 1; v <= 5; ++v)
      db.assign(v, c.assignment[v - 1].first, c.assignment[v - 1].second);
    // Positive literals: value 1 makes them true, so negate those.
    ClauseIdx cl = db.add({3, 5, 7, 9, 11});
    for(int i = 0; i < 5; ++i)
    {
      CLitPoolElement &l = db.clause(cl).literal(i);
      int expected = i == c.front_watch ? 3 : i == c.back_watch ? 1 : 0;
      EXPECT_EQ(l.val() & 3, expected) << "literal " << i;
      auto &list = db.variable(i + 1).watched(1);
      EXPECT_EQ(list.size(), expected != 0 ? 1u : 0u);
    }
  }
}

TEST(CDatabase, ClauseEvaluation)
{
  databaset db(3);
  db.assign(1, 0, 1); // x1 false
  db.assign(2, 1, 1); // x2 true
  struct caset
  {
    std::vector<int> lits;
    bool conflicting, satisfied, unit;
    int unit_literal;
  };
  const std::vector<caset> cases = {
    {{2, 5}, true, false, false, 0},
    {{2, 4}, false, true, false, 0},
    {{2, 6}, false, false, true, 6},
    {{6, 7}, false, false, false, 0},
    {{4, 6}, false, true, false, 0},
    {{}, true, false, false, 0},
  };
  for(const caset &c : cases)
  {
    ClauseIdx cl = db.add(c.lits);
    EXPECT_EQ(db.is_conflicting(cl), c.conflicting) << cl;
    EXPECT_EQ(db.is_satisfied(cl), c.satisfied) << cl;
    EXPECT_EQ(db.is_unit(cl), c.unit) << cl;
    EXPECT_EQ(db.find_unit_literal(cl), c.unit_literal) << cl;
  }
}

TEST(CDatabase, CompactionDropsDeletedClausesAndRebuildsPointers)
{
  databaset db(4);
  ClauseIdx a = db.add({2, 4, 6});
  ClauseIdx b = db.add({3, 5});
  ClauseIdx c = db.add({7, 8, 2});
  db.mark_clause_deleted(db.clause(b));
  db.compact_lit_pool();
  EXPECT_EQ(db.stats().num_compact, 1u);
  EXPECT_EQ(db.lit_pool_size(), 1 + 4 + 4);
  EXPECT_EQ(db.literals_of(a), (std::vector<int>{2, 4, 6}));
  EXPECT_EQ(db.literals_of(c), (std::vector<int>{7, 8, 2}));
  EXPECT_EQ(db.clause(c).literals(), db.lit_pool_begin() + 5);
  EXPECT_EQ(db.variable(2).watched(1).size(), 0u);
  db.expect_consistent();
}

TEST(CDatabase, EmptyClauseKeepsItsPlaceThroughCompactionAndGrowth)
{
  databaset db(50);
  ClauseIdx doomed = db.add({2, 4});
  ClauseIdx empty = db.add({});
  db.mark_clause_deleted(db.clause(doomed));
  db.compact_lit_pool();
  EXPECT_EQ(db.clause(empty).literals()->get_clause_index(), empty);
  // Enough clauses to make the pool grow.
  for(int i = 0; i < 2000; ++i)
    db.add(positive_literals(30));
  EXPECT_GT(db.stats().num_enlarge, 0u);
  EXPECT_EQ(db.clause(empty).literals()->get_clause_index(), empty);
  EXPECT_TRUE(db.is_conflicting(empty));
  db.expect_consistent();
}

TEST(CDatabase, GrowthRebasesRecordsAndWatchLists)
{
  databaset db(50);
  std::vector<ClauseIdx> added;
  for(int i = 0; i < 3000; ++i)
  {
    std::vector<int> lits = positive_literals(20 + i % 7);
    lits[i % lits.size()] ^= 1;
    added.push_back(db.add(lits));
  }
  EXPECT_GE(db.stats().num_enlarge, 2u);
  EXPECT_EQ(db.stats().num_compact, 0u);
  for(int i = 0; i < 3000; i += 97)
  {
    std::vector<int> lits = positive_literals(20 + i % 7);
    lits[i % lits.size()] ^= 1;
    EXPECT_EQ(db.literals_of(added[i]), lits);
  }
  db.expect_consistent();
}

TEST(CDatabase, PoolRoomBoundaries)
{
  databaset fits(50);
  fits.add(positive_literals(0x7FFD));
  EXPECT_EQ(fits.stats().num_enlarge, 0u);
  EXPECT_EQ(fits.capacity(), 0x8000);

  // The clause needs more room than any compaction of the near-empty pool
  // frees, so the pool grows instead of compacting over and over.
  databaset grows(50);
  ClauseIdx cl = grows.add(positive_literals(0x7FFE));
  EXPECT_EQ(cl, 0);
  EXPECT_EQ(grows.stats().num_enlarge, 1u);
  EXPECT_EQ(grows.stats().num_compact, 0u);
  EXPECT_EQ(grows.capacity(), 0x10000);
}

TEST(CDatabase, FullPoolAtTheMemoryLimitRefusesTheClause)
{
  databaset db(50);
  db.set_mem_limit(1000);
  EXPECT_EQ(db.add(positive_literals(0x7FFE)), -1);
  EXPECT_EQ(db.num_clauses(), 0u);
  EXPECT_EQ(db.lit_pool_size(), 1);
  EXPECT_EQ(db.capacity(), 0x8000);

  // Compaction still makes room when it can.
  ClauseIdx big = db.add(positive_literals(0x4000));
  db.mark_clause_deleted(db.clause(big));
  EXPECT_GE(db.add(positive_literals(0x6000)), 0);
  EXPECT_EQ(db.stats().num_compact, 1u);
}

TEST(CDatabase, GroupIdsAreHandedOutLowestFirst)
{
  CDatabase db;
  EXPECT_EQ(db.alloc_gid(), 1);
  EXPECT_EQ(db.alloc_gid(), 2);
  EXPECT_EQ(db.alloc_gid(), 3);
  db.free_gid(2);
  EXPECT_FALSE(db.is_gid_allocated(2));
  EXPECT_TRUE(db.is_gid_allocated(0));
  EXPECT_TRUE(db.is_gid_allocated(-1));
  EXPECT_EQ(db.alloc_gid(), 2);
  for(int gid = 4; gid <= 32; ++gid)
    EXPECT_EQ(db.alloc_gid(), gid);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(db.alloc_gid(), -1);
  EXPECT_EQ(
    ::testing::internal::GetCapturedStderr(),
    "*** at groupsat_dbase.cpp:120 Not enough GID");
}

TEST(CDatabase, MergingMovesLiveClausesAndFreesTheSecondGroup)
{
  databaset db(3);
  for(int i = 0; i < 5; ++i)
    ASSERT_EQ(db.alloc_gid(), i + 1);
  ClauseIdx in5 = db.add({2, 4}, 1u << 4);
  ClauseIdx in5and1 = db.add({2, 6}, (1u << 4) | 1u);
  ClauseIdx deleted = db.add({4, 6}, 1u << 4);
  ClauseIdx other = db.add({3, 5}, 1u << 1);
  db.mark_clause_deleted(db.clause(deleted));
  EXPECT_EQ(db.merge_clause_group(3, 5), 3);
  EXPECT_EQ(db.clause(in5).gflag(), 1u << 2);
  EXPECT_EQ(db.clause(in5and1).gflag(), (1u << 2) | 1u);
  EXPECT_EQ(db.clause(deleted).gflag(), 1u << 4);
  EXPECT_EQ(db.clause(other).gflag(), 1u << 1);
  EXPECT_FALSE(db.is_gid_allocated(5));
}

TEST(CDatabaseDeathTest, GroupContractViolations)
{
  CDatabase db;
  EXPECT_EXIT(
    db.free_gid(4),
    ::testing::ExitedWithCode(1),
    "^\\*\\*\\* at groupsat_dbase.cpp:129 Can't free unallocated GID$");
  EXPECT_DEATH(db.free_gid(0), "Can't free volatile or permanent group");
  EXPECT_DEATH(db.free_gid(33), "gid > WORD_WIDTH");
  EXPECT_DEATH(db.is_gid_allocated(40), condition_regex("gid <= 32"));
}

TEST(CDatabase, TextDumps)
{
  databaset db(3);
  db.assign(1, 0, 2);
  db.assign(3, 1, 0);
  ClauseIdx cl = db.add({2, 5, 7});
  std::ostringstream clause_text;
  db.dump_clause(clause_text, cl);
  EXPECT_EQ(
    clause_text.str(), "CL : 0 +1*(0@2)   -2*(X@-1)   -3(0@0)  \n");

  std::ostringstream variable_text;
  db.variable(1).set_marked();
  db.variable(1).dump(variable_text);
  EXPECT_EQ(
    variable_text.str(),
    "*V: 0  DL: 2  POS: -1  Ante: -1\nWPos (0  )\nWNeg ()\n\n");

  // A deleted record shows no literals: its pointer into the pool goes
  // stale once the pool moves.
  db.mark_clause_deleted(db.clause(cl));
  for(int i = 0; i < 2000; ++i)
    db.add({2, 4, 6, 2, 4, 6, 2, 4, 6, 2, 4, 6, 2, 4, 6, 2, 4, 6});
  ASSERT_GT(db.stats().num_enlarge, 0u);
  std::ostringstream removed;
  db.dump_clause(removed, cl);
  db.clause(cl).dump(removed);
  EXPECT_EQ(
    removed.str(),
    "CL : 0\t\t\t======removed=====\n\t\t\t======removed=====\n");
}

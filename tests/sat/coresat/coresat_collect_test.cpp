#include "sat/coresat/coresat_analyze.h"
#include "sat/coresat/coresat_clause.h"
#include "sat/coresat/coresat_collect.h"
#include "sat/coresat/coresat_entry.h"
#include "sat/coresat/coresat_propagate.h"

#include "coresat_fixture.h"

namespace
{
class CoresatCollect : public CoresatTest
{
protected:
  void SetUp() override
  {
    CoresatTest::SetUp();
    coresat_init();
  }
  void TearDown() override
  {
    coresat_leave();
    CoresatTest::TearDown();
  }

  // Fixes every unit clause at level 0.
  static void propagate_units()
  {
    for(int i = 0; i < coresat.unit_clauses.size(); ++i)
    {
      coresat_clause *u = coresat.unit_clauses[i];
      coresat.propagation_queue.push(
        coresat_implication{u, coresat_literals(u)[0]});
    }
    coresat_propagate();
  }

  // A learned clause over existing variables.
  static coresat_clause *learn(const std::vector<int> &lits)
  {
    for(int lit : lits)
      coresat.literal_buffer.push(lit);
    return coresat_add_derived_clause(1);
  }

  // The occurrence counts are those of the clauses neither garbage nor
  // collected.
  static void expect_occurrences_recounted()
  {
    for(int lit = -coresat.max_var; lit <= coresat.max_var; ++lit)
    {
      if(!lit)
        continue;
      int all = 0, binary = 0;
      for(int i = 1; i < coresat.clause_table.size(); ++i)
      {
        coresat_clause *c = clause_at(i);
        if(
          !c ||
          (c->flags & (coresat_clause_garbage | coresat_clause_collected)))
          continue;
        for(int l : literals_of(c))
          if(l == lit)
          {
            ++all;
            binary += c->size == 2;
          }
      }
      EXPECT_EQ(coresat.lits[lit].occurrences, all) << "literal " << lit;
      EXPECT_EQ(coresat.lits[lit].binary_occurrences, binary)
        << "literal " << lit;
    }
  }

  static std::vector<int> collected_positions()
  {
    std::vector<int> positions;
    for(int i = 1; i < coresat.clause_table.size(); ++i)
      if(clause_at(i)->flags & coresat_clause_collected)
        positions.push_back(i);
    return positions;
  }
};
} // namespace

TEST_F(CoresatCollect, SimplificationDropsSatisfiedAndShortensFalsified)
{
  coresat.trace = 1;
  add_clause({1});        // 1
  add_clause({-1, 2, 3}); // 2
  add_clause({1, 4, 5});  // 3
  propagate_units();
  coresat.simplified_at = coresat.fixed_count;
  coresat_collect_garbage(coresat_simplify_clauses);
  ASSERT_EQ(coresat.clause_table.size(), 5);
  coresat_clause *shortened = clause_at(4);
  EXPECT_EQ(literals_of(shortened), (std::vector<int>{2, 3}));
  EXPECT_EQ(shortened->flags, coresat_clause_derived);
  EXPECT_EQ(antecedents_of(shortened), (std::vector<int>{2, 1}));
  EXPECT_EQ(collected_positions(), (std::vector<int>{1, 2, 3}));
  // Connected once, by its making.
  EXPECT_EQ(watches_of(2), (std::vector<int>{-4, 3}));
  EXPECT_EQ(watches_of(3), (std::vector<int>{-4, 2}));
  EXPECT_TRUE(watches_of(-1).empty());
  EXPECT_TRUE(coresat.unit_clauses.empty());
  EXPECT_EQ(coresat.collections, 1);
  EXPECT_EQ(coresat.stats_all.current_clauses, 1);
  expect_occurrences_recounted();
  // With the trace on every clause stays, and the dump lists them all.
  EXPECT_EQ(
    captured([](std::FILE *f) { coresat_print(f); }),
    "p cnf 5 1\n1 0\n3 2 -1 0\n1 4 5 0\n2 3 0\n");
}

TEST_F(CoresatCollect, WithoutTraceCollectedClausesAreFreed)
{
  add_clause({1});
  add_clause({-1, 2, 3});
  add_clause({1, 4, 5});
  propagate_units();
  unsigned before = coresat_current_bytes();
  coresat_collect_garbage(coresat_simplify_clauses);
  EXPECT_EQ(clause_at(2), nullptr);
  EXPECT_EQ(clause_at(3), nullptr);
  // A unit record stays: it is the reason of a level-0 assignment.
  ASSERT_NE(clause_at(1), nullptr);
  EXPECT_EQ(coresat.vars[1].reason, clause_at(1));
  EXPECT_EQ(coresat.collected_clauses, 2u);
  EXPECT_EQ(coresat.collected_literals, 6u);
  EXPECT_LT(coresat_current_bytes(), before);
  EXPECT_EQ(
    captured([](std::FILE *f) { coresat_print(f); }), "p cnf 5 1\n2 3 0\n");
  expect_occurrences_recounted();
}

TEST_F(CoresatCollect, ReductionMarksTheLessActiveHalf)
{
  coresat.trace = 1;
  add_clause({1, 2, 3, 4});
  for(int k = 0; k < 10; ++k)
    learn({1, -2, 3 + k % 2});
  // Distinct scores, falling with the position: the five last go.
  for(int k = 0; k < 10; ++k)
    clause_at(2 + k)->score = coresat_score_make(unsigned(20 - k), 0);
  coresat_collect_garbage(coresat_mark_reducible_clauses);
  EXPECT_EQ(collected_positions(), (std::vector<int>{7, 8, 9, 10, 11}));
  EXPECT_EQ(coresat.stats_learned.current_clauses, 5);
  expect_occurrences_recounted();
  EXPECT_TRUE(coresat.reduce_buffer.empty());
}

TEST_F(CoresatCollect, ReductionTiesGoToTheOlderAndSparesReasonsAndBinaries)
{
  coresat.trace = 1;
  add_clause({1, 2, 3, 4});
  for(int k = 0; k < 10; ++k)
    learn({1, -2, 3 + k % 2});
  learn({2, 4});
  learn({2, -4});
  for(int i = 2; i < coresat.clause_table.size(); ++i)
    clause_at(i)->score = coresat_score_make(1, 0);
  clause_at(12)->score = coresat_score_zero;
  clause_at(13)->score = coresat_score_zero;
  clause_at(2)->flags |= coresat_clause_locked;
  coresat_collect_garbage(coresat_mark_reducible_clauses);
  // Twelve learned: the binaries (lowest scores), the locked clause 2 and
  // then 3, 4, 5 make the first half; only 3, 4, 5 go.
  EXPECT_EQ(collected_positions(), (std::vector<int>{3, 4, 5}));
  expect_occurrences_recounted();
}

TEST_F(CoresatCollect, ReductionOfOneClauseMarksNothing)
{
  add_clause({1, 2, 3});
  learn({1, -2, 3});
  coresat_collect_garbage(coresat_mark_reducible_clauses);
  EXPECT_NE(clause_at(2), nullptr);
  EXPECT_EQ(coresat.stats_learned.current_clauses, 1);
}

TEST_F(CoresatCollect, ClauseAlreadyMarkedIsNotTakenOutTwice)
{
  add_clause({1, 2, 3});
  learn({1, -2, 3});
  learn({1, -2, -3});
  learn({-1, -2, 3});
  learn({-1, 2, 3});
  // Marked by level-0 fixing before the reduction comes.
  coresat_discard_clause(clause_at(2));
  coresat_collect_garbage(coresat_mark_reducible_clauses);
  expect_occurrences_recounted();
  EXPECT_EQ(coresat.stats_learned.current_clauses, 2);
  EXPECT_EQ(coresat.stats_learned.removed_clauses, 2);
}

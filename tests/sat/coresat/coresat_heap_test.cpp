#include "sat/coresat/coresat_clause.h"
#include "sat/coresat/coresat_entry.h"
#include "sat/coresat/coresat_heap.h"
#include "sat/coresat/coresat_propagate.h"

#include "coresat_fixture.h"

#include <random>

typedef CoresatTest CoresatHeap;

namespace
{
// The heap's shape and positions: every entry ranks at or below its
// parent and knows its place.
void expect_heap_order()
{
  const coresat_stack<int> &heap = coresat.decision_heap;
  for(int k = 0; k < heap.size(); ++k)
  {
    ASSERT_EQ(coresat.vars[heap[k]].heap_pos, k);
    if(k >= 1)
    {
      ASSERT_GE(coresat_cmp_heap(heap[k / 2], heap[k]), 0) << "position " << k;
    }
  }
}

// Variables 1 ... n, used, unassigned, with no clauses.
void make_variables(int n)
{
  for(int v = 1; v <= n; ++v)
    coresat_add(v);
  coresat.literal_buffer.clear();
}

int popped_decision()
{
  coresat_decide();
  return coresat.propagation_queue.top().lit;
}
} // namespace

TEST_F(CoresatHeap, InitialScoresCountOccurrencesAndTiesGoToLargerIndex)
{
  add_clause({1, 2});
  add_clause({1, -3});
  EXPECT_EQ(coresat.vars[1].score, coresat_score_make(2, 0));
  EXPECT_EQ(coresat.decision_heap[0], 1);
  EXPECT_GT(coresat_cmp_heap(3, 2), 0);
  EXPECT_LT(coresat_cmp_heap(2, 3), 0);
  EXPECT_GT(coresat_cmp_heap(1, 3), 0);
}

TEST_F(CoresatHeap, TieBreaksAfterScoreAreOccurrencesThenBinaryOccurrences)
{
  make_variables(3);
  // Equal scores: more occurrences of the more frequent literal first.
  coresat.lits[-1].occurrences = 3;
  coresat.lits[2].occurrences = 2;
  coresat.lits[-2].occurrences = 1;
  EXPECT_GT(coresat_cmp_heap(1, 2), 0);
  // Equal occurrences: more binary occurrences first.
  coresat.lits[3].occurrences = 3;
  coresat.lits[3].binary_occurrences = 1;
  EXPECT_GT(coresat_cmp_heap(3, 1), 0);
  // Score beats everything.
  coresat.vars[2].score = coresat_score_make(1, -40);
  EXPECT_GT(coresat_cmp_heap(2, 3), 0);
}

TEST_F(CoresatHeap, RemovalsKeepTheOrderAndPopInRankOrder)
{
  const int n = 200;
  make_variables(n);
  coresat.decision_heap.clear();
  std::mt19937 random(3);
  std::uniform_int_distribution<unsigned> mantissa(1, 8);
  for(int v = 1; v <= n; ++v)
  {
    coresat.vars[v].score = coresat_score_make(mantissa(random), 0);
    coresat.lits[v].occurrences = int(random() % 3);
    coresat_heap_push(v);
  }
  expect_heap_order();
  for(int i = 0; i < 50; ++i)
  {
    int p = int(random() % unsigned(coresat.decision_heap.size()));
    int v = coresat.decision_heap[p];
    EXPECT_EQ(coresat_heap_remove(p), v);
    EXPECT_EQ(coresat.vars[v].heap_pos, -1);
    expect_heap_order();
  }
  int previous = coresat_heap_remove(0);
  while(!coresat.decision_heap.empty())
  {
    int v = coresat_heap_remove(0);
    ASSERT_GE(coresat_cmp_heap(previous, v), 0);
    previous = v;
  }
}

TEST_F(CoresatHeap, RandomGeneratorSequence)
{
  const std::uint32_t expected[] = {
    1013904223u, 1196435762u, 3519870697u, 2868466484u, 1649599747u};
  std::uint32_t state = 0;
  for(std::uint32_t value : expected)
  {
    state = coresat_rng_step(state);
    EXPECT_EQ(state, value);
  }
}

TEST_F(CoresatHeap, DecisionTakesTheRootAndThePhaseOfMoreOccurrences)
{
  make_variables(3);
  coresat.vars[2].score = coresat_score_make(4, 0);
  coresat_heap_push(2);
  coresat.decision_heap.clear();
  for(int v = 1; v <= 3; ++v)
    coresat_heap_push(v);
  // 5 occurrences of 2 against 2 of -2: decided as 2.
  coresat.lits[2].occurrences = 5;
  coresat.lits[-2].occurrences = 2;
  EXPECT_EQ(popped_decision(), 2);
  EXPECT_EQ(coresat.rng_state, 1013904223u);
  EXPECT_EQ(coresat.decision_level, 1);
  EXPECT_EQ(coresat.decisions, 1u);
  EXPECT_EQ(coresat.vars[2].heap_pos, -1);
  expect_heap_order();

  // Equal occurrences: the literal of fewer binary occurrences.
  coresat.propagation_queue.clear();
  coresat.rng_state = 0;
  coresat.vars[3].score = coresat_score_make(8, 0);
  coresat_heap_remove(coresat.vars[3].heap_pos);
  coresat_heap_push(3);
  coresat.lits[3].occurrences = 3;
  coresat.lits[-3].occurrences = 3;
  coresat.lits[3].binary_occurrences = 1;
  coresat.lits[-3].binary_occurrences = 2;
  EXPECT_EQ(popped_decision(), 3);
  coresat.lits[3].binary_occurrences = 2;
  coresat.lits[-3].binary_occurrences = 1;
  coresat_heap_push(3);
  coresat.rng_state = 0;
  EXPECT_EQ(popped_decision(), -3);
}

TEST_F(CoresatHeap, PhaseCoinIsBitFifteenBeforeAStep)
{
  make_variables(1);
  // From state 0: k = 0, then the coin reads 1013904223, bit 15 set.
  coresat.rng_state = 0;
  EXPECT_EQ(popped_decision(), -1);
  EXPECT_EQ(coresat.rng_state, 1196435762u);
  // From 1013904223 (k = 55) the coin reads 1196435762, bit 15 clear.
  coresat_heap_push(1);
  coresat.rng_state = 1013904223u;
  EXPECT_EQ(popped_decision(), 1);
}

TEST_F(CoresatHeap, OneDecisionInSixtyFourPicksARandomPosition)
{
  make_variables(5);
  for(int v = 1; v <= 5; ++v)
    coresat.lits[v].occurrences = 1;
  // (8192 >> 13) & 63 is 1; the next state 1764791135 picks position
  // 1764791135 % 5 = 0 ... computed here.
  std::uint32_t next = coresat_rng_step(8192);
  int p = int(next % 5u);
  int expected = coresat.decision_heap[p];
  coresat.rng_state = 8192;
  EXPECT_EQ(popped_decision(), expected);
  EXPECT_EQ(coresat.rng_state, coresat_rng_step(next));
}

TEST_F(CoresatHeap, AssignedVariablesArePoppedForGood)
{
  make_variables(2);
  coresat.vars[1].score = coresat_score_make(4, 0);
  coresat.decision_heap.clear();
  coresat_heap_push(1);
  coresat_heap_push(2);
  coresat_assign(1, nullptr);
  coresat.lits[2].occurrences = 1;
  EXPECT_EQ(popped_decision(), 2);
  EXPECT_TRUE(coresat.decision_heap.empty());
  EXPECT_EQ(coresat.vars[1].heap_pos, -1);
  // Backtracking puts both back.
  coresat_assign(2, nullptr);
  coresat_backtrack(-1);
  EXPECT_EQ(coresat.decision_heap.size(), 2);
  EXPECT_EQ(coresat.decision_heap[0], 1);
  expect_heap_order();
}

TEST_F(CoresatHeap, OverflowingBumpScalesEveryScoreDown)
{
  add_clause({1, 2});
  add_clause({1, 3});
  score_number near_top = coresat_score_make(0xC000, 32767);
  coresat.vars[1].score = near_top;
  coresat.vars[2].score = near_top;
  coresat.var_score_inc = near_top;
  coresat_bump_variable_score(2);
  score_number scaled = coresat_score_shift(near_top, -100);
  EXPECT_EQ(coresat.var_score_inc, scaled);
  EXPECT_EQ(coresat.vars[1].score, scaled);
  // The bump is recomputed from the scaled score and increment.
  EXPECT_EQ(coresat.vars[2].score, coresat_score_shift(near_top, -99));
  EXPECT_EQ(coresat.vars[3].score, coresat_score_make(1, -100));
  EXPECT_GT(coresat_cmp_heap(2, 1), 0);
  EXPECT_GT(coresat_cmp_heap(1, 3), 0);
}

TEST_F(CoresatHeap, IncrementsGrowBySixteenthAndThousandTwentyFourth)
{
  coresat_init();
  coresat_grow_score_increments();
  EXPECT_EQ(coresat.var_score_inc, coresat_score_make(17, -4));
  EXPECT_EQ(coresat.clause_score_inc, coresat_score_make(1025, -10));
  coresat.no_bump = 1;
  coresat_grow_score_increments();
  EXPECT_EQ(coresat.var_score_inc, coresat_score_make(17, -4));
  coresat.no_bump = 0;
  // An increment that would overflow shrinks by 2^100 instead of growing.
  score_number top = coresat_score_make(0xFFFF, 32767);
  coresat.var_score_inc = top;
  coresat_grow_score_increments();
  EXPECT_EQ(coresat.var_score_inc, coresat_score_shift(top, -100));
  coresat_leave();
}

TEST_F(CoresatHeap, OnlyLearnedClausesGainScore)
{
  add_clause({1, 2});
  coresat_clause *original = clause_at(1);
  coresat_bump_clause_score(original);
  EXPECT_TRUE(coresat_score_is_zero(original->score));
}

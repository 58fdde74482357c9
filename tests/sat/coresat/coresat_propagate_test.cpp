#include "sat/coresat/coresat_propagate.h"

#include "coresat_fixture.h"

typedef CoresatTest CoresatPropagate;

namespace
{
void queue(coresat_clause *reason, int lit)
{
  coresat.propagation_queue.push(coresat_implication{reason, lit});
}

// Opens the next decision level with lit and propagates.
void decide(int lit)
{
  ++coresat.decision_level;
  queue(nullptr, lit);
  coresat_propagate();
}

// Queues every unit clause at the current level and propagates.
void propagate_units()
{
  for(int i = 0; i < coresat.unit_clauses.size(); ++i)
  {
    coresat_clause *u = coresat.unit_clauses[i];
    queue(u, coresat_literals(u)[0]);
  }
  coresat_propagate();
}
} // namespace

TEST_F(CoresatPropagate, TrueFirstWatchKeepsTheClauseUntouched)
{
  add_clause({1, 2, 3});
  decide(1);
  decide(-2);
  EXPECT_EQ(watches_of(2), (std::vector<int>{1}));
  EXPECT_EQ(literals_of(clause_at(1)), (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(watches_of(3).empty());
  EXPECT_EQ(coresat.vals[3], 0);
}

TEST_F(CoresatPropagate, FalsifiedWatchMovesToAnUnassignedLiteral)
{
  add_clause({1, 2, 3});
  decide(-1);
  EXPECT_EQ(literals_of(clause_at(1)), (std::vector<int>{3, 2, 1}));
  EXPECT_TRUE(watches_of(1).empty());
  EXPECT_EQ(watches_of(3), (std::vector<int>{1}));
  EXPECT_EQ(watches_of(2), (std::vector<int>{1}));
  // Now the watch at position 1 falls: no replacement is left, 3 is implied.
  decide(-2);
  EXPECT_EQ(coresat.vals[3], 1);
  EXPECT_EQ(coresat.vars[3].reason, clause_at(1));
  EXPECT_EQ(coresat.vars[3].level, 2);
  EXPECT_TRUE(clause_at(1)->flags & coresat_clause_locked);
  EXPECT_EQ(
    stack_items(coresat.assignment_trail), (std::vector<int>{-1, -2, 3}));
  EXPECT_EQ(coresat.unassigned_vars, 0);
  EXPECT_TRUE(coresat.propagation_queue.empty());
  EXPECT_EQ(coresat.queue_head, 0);
}

TEST_F(CoresatPropagate, BinaryClausesImplyAndConflictFromTheWatchList)
{
  add_clause({1, 2});
  add_clause({1, -2});
  add_clause({3, 4, 5});
  decide(-1);
  // (1, 2) implies 2, then (1, -2) is false: one conflict, counted once.
  EXPECT_EQ(coresat.conflict_clause, clause_at(2));
  EXPECT_EQ(coresat.conflicts, 1u);
  EXPECT_EQ(coresat.vals[2], 1);
  // The watch lists stay whole.
  EXPECT_EQ(watches_of(-2), (std::vector<int>{-2, 1}));
  EXPECT_EQ(watches_of(1), (std::vector<int>{-1, 2, -2, -2}));
}

TEST_F(
  CoresatPropagate, QueuedPairsOfTrueLiteralsAreSkippedAndFalseOnesConflict)
{
  add_clause({1, 2});
  add_clause({-1, 3});
  decide(1);
  queue(clause_at(1), 1);
  coresat_propagate();
  EXPECT_EQ(coresat.conflict_clause, nullptr);
  EXPECT_EQ(coresat.conflicts, 0u);
  queue(clause_at(2), -1);
  queue(clause_at(1), 2);
  coresat_propagate();
  EXPECT_EQ(coresat.conflict_clause, clause_at(2));
  EXPECT_EQ(coresat.conflicts, 1u);
  // The pair waiting behind the conflict is dropped.
  EXPECT_EQ(coresat.vals[2], 0);
  EXPECT_TRUE(coresat.propagation_queue.empty());
}

TEST_F(CoresatPropagate, ConflictLeavesTheRestOfTheWatchListInPlace)
{
  add_clause({1, 2, 3});
  add_clause({1, 2, -3});
  add_clause({1, 2, 4});
  decide(-2);
  decide(-1);
  EXPECT_NE(coresat.conflict_clause, nullptr);
  EXPECT_EQ(coresat.conflicts, 1u);
  // Every clause stays watched twice.
  int watches = 0;
  for(int lit = -4; lit <= 4; ++lit)
    if(lit)
      watches += int(watches_of(lit).size());
  EXPECT_EQ(watches, 6);
}

TEST_F(CoresatPropagate, LevelZeroImplicationGetsADerivedUnitReason)
{
  coresat.trace = 1;
  add_clause({-2});
  add_clause({-3});
  add_clause({2, 1, 3});
  propagate_units();
  coresat_clause *old_reason = clause_at(3);
  ASSERT_EQ(coresat.clause_table.size(), 5);
  coresat_clause *unit = clause_at(4);
  EXPECT_EQ(coresat.vals[1], 1);
  EXPECT_EQ(coresat.vars[1].reason, unit);
  EXPECT_EQ(
    unit->flags & (coresat_clause_derived | coresat_clause_locked),
    coresat_clause_derived | coresat_clause_locked);
  EXPECT_EQ(literals_of(unit), (std::vector<int>{1}));
  // The old reason, then the unit reasons in the order of its literals,
  // now (1, 3, 2) after the watches moved.
  EXPECT_EQ(literals_of(old_reason), (std::vector<int>{1, 3, 2}));
  EXPECT_EQ(antecedents_of(unit), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(old_reason->references, 1);
  EXPECT_TRUE(old_reason->flags & coresat_clause_garbage);
  EXPECT_FALSE(old_reason->flags & coresat_clause_locked);
  EXPECT_EQ(coresat.lits[2].occurrences, 0);
  EXPECT_EQ(coresat.lits[1].occurrences, 1); // the unit's
  EXPECT_EQ(coresat.fixed_count, 3);
  EXPECT_EQ(coresat.stats_original.current_clauses, 2);
  EXPECT_EQ(coresat.stats_derived.current_clauses, 1);
  EXPECT_TRUE(coresat.antecedent_buffer.empty());
  EXPECT_TRUE(coresat.literal_buffer.empty());
  EXPECT_EQ(coresat.unit_clauses.top(), unit);
}

TEST_F(CoresatPropagate, BacktrackUndoesDownToTheTargetLevel)
{
  add_clause({1, 2, 3});
  add_clause({4, 5});
  decide(-4); // implies 5
  decide(-1);
  decide(-2); // implies 3
  // Backtracking to the level of the trail's end changes nothing.
  coresat_backtrack(3);
  EXPECT_EQ(coresat.assignment_trail.size(), 5);
  coresat_backtrack(1);
  coresat.decision_level = 1;
  EXPECT_EQ(stack_items(coresat.assignment_trail), (std::vector<int>{-4, 5}));
  EXPECT_EQ(coresat.vals[3], 0);
  EXPECT_EQ(coresat.vals[-3], 0);
  EXPECT_FALSE(clause_at(1)->flags & coresat_clause_locked);
  EXPECT_TRUE(clause_at(2)->flags & coresat_clause_locked);
  // Level and reason stay as they were.
  EXPECT_EQ(coresat.vars[3].level, 3);
  EXPECT_EQ(coresat.vars[3].reason, clause_at(1));
  EXPECT_EQ(coresat.unassigned_vars, 3);
  for(int v : {1, 2, 3})
    EXPECT_GE(coresat.vars[v].heap_pos, 0) << v;
}

#ifndef MORVANE_SAT_CORESAT_CORESAT_HEAP_H
#define MORVANE_SAT_CORESAT_CORESAT_HEAP_H

#include "sat/coresat/coresat_state.h"

#include <cstdint>

// The decision heap and the activity scores. The heap is a binary max-heap
// of variable indices whose root, position 0, has the single child 1;
// position k >= 1 has the children 2k and 2k + 1. It holds every unassigned
// used variable, and possibly assigned ones, which decisions skip.

// Positive when variable a belongs above b: higher score, then more
// occurrences of its more frequent literal, then more binary occurrences of
// its more binary literal, then the larger index.
int coresat_cmp_heap(int a, int b);

void coresat_heap_push(int v);

// Takes the entry at position p off the heap (its heap_pos becomes -1) and
// returns it.
int coresat_heap_remove(int p);

// Adds the increment to the score of |lit|'s variable (nothing while
// no_bump is set), scaling every variable score down by 2^100 when the sum
// overflows.
void coresat_bump_variable_score(int lit);

// The same for a learned clause; other clauses keep their score.
void coresat_bump_clause_score(coresat_clause *c);

// After each analysed conflict: the variable increment grows by 1/16, the
// clause increment by 1/1024 (nothing while no_bump is set).
void coresat_grow_score_increments();

// state * 1664525 + 1013904223 modulo 2^32.
std::uint32_t coresat_rng_step(std::uint32_t state);

// Picks the decision variable (the heap's root, or one time in 64 a random
// heap entry) and its phase (the literal with more occurrences, then the one
// with fewer binary occurrences, then a coin), opens a new decision level
// and queues the literal. Needs an unassigned used variable.
void coresat_decide();

#endif

#ifndef MORVANE_SAT_CORESAT_CORESAT_ANALYZE_H
#define MORVANE_SAT_CORESAT_CORESAT_ANALYZE_H

#include "sat/coresat/coresat_state.h"

// Conflict analysis and the making of derived clauses.

// Explains conflict_clause by a learned clause: the negated decisions when
// the conflict depends on at most two of them, otherwise the first-UIP
// clause with locally redundant literals removed. Grows the score
// increments, adds the clause, jumps back to the second-highest level of its
// literals and queues its asserting literal (an empty clause: back to level
// 0, empty_clause set). Clears conflict_clause. Every 1000 conflicts a
// progress line is due (printed above verbosity 1).
void coresat_analyze();

// A clause of kind learned (learned = 1) or derived (0) made of
// literal_buffer, its literals sorted by decreasing level, then increasing
// value; with the trace on it names the antecedent_buffer clauses. Bumps its
// variables, its antecedents and itself, places it and counts its
// occurrences. Empties both buffers.
coresat_clause *coresat_add_derived_clause(int learned);

#endif

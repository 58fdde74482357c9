#ifndef MORVANE_SAT_CORESAT_CORESAT_CLAUSE_H
#define MORVANE_SAT_CORESAT_CORESAT_CLAUSE_H

#include "sat/coresat/coresat_state.h"

// Clause records: creation, watches, occurrence counts and statistics.

// A new clause record of size(literal_buffer) literals, with room for the
// antecedent_buffer entries and their ending 0 when the trace is on. Kind
// original when `original`, else learned when `learned`, else derived. The
// record is entered in clause_table (idx >= 1) and in the statistics; its
// literals are neither copied nor watched yet.
coresat_clause *coresat_new_clause(int original, int learned);

// Positive when literal a makes a better watch than b: true before
// unassigned before false; among true ones the lower level, among false or
// unassigned ones the higher level; then the smaller variable index.
int coresat_cmp_watch_literals(int a, int b);

// Moves the two best watches (above) to positions 0 and 1 and enters the
// clause in their watch lists. Clause of two or more literals only.
void coresat_connect_clause(coresat_clause *c);

// delta is +size when a clause comes into being, -size when it goes.
void coresat_count_clause_stats(coresat_clause *c, int delta);

// Adds delta (+1 or -1) to the occurrence counts of c's literals.
void coresat_count_occurrences(coresat_clause *c, int delta);

// Puts a new clause in place: the first empty clause becomes empty_clause,
// a unit joins unit_clauses, a longer clause is connected.
void coresat_place_clause(coresat_clause *c);

// Flags c garbage and takes it out of the occurrence counts and statistics.
void coresat_discard_clause(coresat_clause *c);

// Lists c in antecedent_buffer unless it is listed already.
void coresat_add_antecedent(coresat_clause *c);

// The size the variable arrays grow to from `size` so that variable v fits
// (v > size): doubled, from 2, until v fits; v itself where doubling would
// pass the int range.
int coresat_grown_size(int size, int v);

// The original-clause half of coresat_add: a nonzero literal goes to the
// clause being built (creating its variable), 0 ends and adds the clause.
void coresat_add_literal(int lit);

#endif

#ifndef MORVANE_SAT_CORESAT_CORESAT_TRACE_H
#define MORVANE_SAT_CORESAT_CORESAT_TRACE_H

#include "sat/coresat/coresat_state.h"

// The clausal core: the clauses reached from empty_clause through the
// antecedent lists, in depth-first visiting order (the last antecedent of a
// clause first). Each clause is visited once in the engine's lifetime, so a
// second search after the first finds nothing. The caller releases the
// array.
coresat_stack<int> coresat_core_clauses();

// Sets the core flag on every variable of the core clauses, once.
void coresat_mark_core_variables();

#endif

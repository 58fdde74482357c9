#ifndef MORVANE_SAT_CORESAT_CORESAT_PROPAGATE_H
#define MORVANE_SAT_CORESAT_CORESAT_PROPAGATE_H

#include "sat/coresat/coresat_state.h"

// Assignment, unit propagation over two watched literals, and backtracking.

// Appends (reason, lit) to the propagation queue; a decision has no reason.
void coresat_queue(coresat_clause *reason, int lit);

// Makes lit true at the current decision level with the given reason (null
// for a decision). At level 0 a reason of two or more literals is first
// replaced by a derived unit clause (lit), so that every variable fixed at
// level 0 has a unit reason; the old reason becomes garbage.
void coresat_assign(int lit, coresat_clause *reason);

// lit has just become false: visits its watch list, queueing implied
// literals and moving watches, and sets conflict_clause (counting the
// conflict) when a clause is found false.
void coresat_propagate_literal(int lit);

// Processes the propagation queue until it is exhausted or a conflict is
// found (conflict_clause tells which); empties the queue.
void coresat_propagate();

// Undoes the assignments of the trail's end down to the first one made at
// the given level; unassigned variables return to the decision heap. The
// caller sets decision_level.
void coresat_backtrack(int level);

#endif

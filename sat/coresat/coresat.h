#ifndef MORVANE_SAT_CORESAT_CORESAT_H
#define MORVANE_SAT_CORESAT_CORESAT_H

// The Coresat engine: a clause-learning SAT solver over integer literals
// (v and -v for variable v >= 1), used through plain functions over one
// global state, so a process holds exactly one engine. A client adds
// clauses literal by literal, each ended by 0, solves, reads values, and
// resets the engine to discard it.

const int coresat_satisfiable = 10;
const int coresat_unsatisfiable = 20;
const int coresat_undecided = 0;

// Appends lit to the clause being built; 0 ends the clause and adds it
// (tautologies are dropped, repeated literals kept once). Variables are
// created by their first mention. Returns 0, or -1 for the most negative
// int, which names no variable and is refused (the clause being built stays
// as it was).
int coresat_add(int lit);

// 1 true, -1 false, 0 unassigned; 0 for a literal of a variable beyond the
// largest one added and for the most negative int.
int coresat_deref(int lit);

// Frees everything and returns the engine to its state before first use.
void coresat_reset();

#endif

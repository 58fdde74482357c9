#ifndef MORVANE_SAT_CORESAT_CORESAT_H
#define MORVANE_SAT_CORESAT_CORESAT_H

#include <cstdio>

// The Coresat engine: a clause-learning SAT solver over integer literals
// (v and -v for variable v >= 1), used through plain functions over one
// global state, so a process holds exactly one engine. A client optionally
// sets verbosity, output, seed, limits and the trace (before the first
// clause when the core is wanted), adds clauses literal by literal, each
// ended by 0, solves, reads values (after 10) or the core (after 20 with the
// trace on), may add clauses and solve again, and resets the engine to
// discard it. Messages begin with "c " and go to the output stream, standard
// output unless set.

const int coresat_satisfiable = 10;
const int coresat_unsatisfiable = 20;
const int coresat_undecided = 0;

// "0.4".
const char *coresat_version();
// The revision identification of this unit.
const char *coresat_id();
// The build description, one KEY=value line each.
const char *coresat_configuration();

// Negative levels count as 0; a nonzero level is announced.
void coresat_set_verbose(int level);
void coresat_set_output(std::FILE *stream);
void coresat_enable_trace(int on);
// Checking is not supported; asking for it is announced as such.
void coresat_set_checking(int on);
void coresat_set_seed(unsigned seed);
// A negative limit means none. The decision and time limits do not
// initialise the engine: set before its first use, they are replaced by "no
// limit" when it initialises.
void coresat_set_conflict_limit(int n);
void coresat_set_decision_limit(int n);
void coresat_set_time_limit(double seconds);

// Appends lit to the clause being built; 0 ends the clause and adds it
// (tautologies are dropped, repeated literals kept once). Variables are
// created by their first mention. Returns 0, or -1 for the most negative
// int, which names no variable and is refused (the clause being built stays
// as it was).
int coresat_add(int lit);

// Decides the clauses added so far: coresat_satisfiable (the assignment is
// complete), coresat_unsatisfiable, or coresat_undecided when a limit was
// reached. Learned clauses, scores and the assignment are kept for a later
// call.
int coresat_sat();

// 1 true, -1 false, 0 unassigned; 0 for a literal of a variable beyond the
// largest one added and for the most negative int.
int coresat_deref(int lit);

// After coresat_unsatisfiable with the trace on from the start: whether
// variable |v| occurs in the clausal core (0 beyond the largest variable).
int coresat_var_in_core(int v);
// The core's clauses, antecedents before the clauses made from them, one
// line each: idx, literals, 0, and for derived clauses their antecedents'
// idx, then 0. Only the first core search since the answer finds them.
void coresat_print_resolution_trace(std::FILE *stream);
// A header line, then each core variable on its own line; returns their
// number.
int coresat_print_variable_core(std::FILE *stream);

// The clause table as DIMACS: every clause held, of every kind; clauses
// removed by garbage collection only while the trace keeps them.
void coresat_print(std::FILE *stream);
// Time spent inside the engine so far.
double coresat_seconds();
// Peak memory and time, as "c " lines.
void coresat_stats(std::FILE *stream);

// Frees everything and returns the engine to its state before first use.
void coresat_reset();

#endif

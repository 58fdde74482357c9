#ifndef MORVANE_SAT_GROUPSAT_INCREMENTAL_H
#define MORVANE_SAT_GROUPSAT_INCREMENTAL_H

// The clause-learning engine for a changing formula, with its diagnostics:
// returning to the unsolved state, deleting a clause group, adding a
// clause to a solver that holds a partial assignment, dropping the learned
// clauses, a full consistency check and text dumps of the assignment
// stack, the implication queue and the clause table.
//
// These are operations of the engine itself; they live in a class derived
// from CSolver only so that they stand outside the engine's own folder.
// None of them rebuilds the decision order (solve does that), and the
// outcome is sticky: clauses added after a finished solve take part in a
// new search only after reset, which delete_clause_group performs itself.

#include "sat/groupsat/groupsat_solver.h"

#include <iosfwd>

class CIncrementalSolver : public CSolver
{
public:
  // Undoes every assignment, level 0 included, empties the conflicts and
  // the implication queue and clears the outcome. Nothing when already
  // reset or without variables.
  void reset();

  // Deletes every live clause in group gid (1..32, allocated), volatile
  // clauses included, purges the watch lists and frees the id. Resets the
  // solver first. Cost: one pass over the clause records and one over
  // every watch list.
  void delete_clause_group(int gid);

  // Adds an original clause in group gid (0 permanent, -1 volatile, 1..32)
  // to a solver that may hold a partial assignment, backtracking as far as
  // needed for the clause to be watched correctly and queueing its implied
  // literal; a clause false at level 0 makes the outcome UNSATISFIABLE.
  // The clause index, or -1 (nothing changed) when the pool is full.
  ClauseIdx add_clause_incr(const int *lits, int n, int gid);

  // At level 0: deletes every learned clause (but the last record, which
  // stays whatever it is) and shrinks the watch lists to their live
  // entries; at verbosity 1 or more reports the bytes released.
  void clean_up_dbase();

  // Stops at an invariant violation naming the first broken rule: the
  // assignment stack agrees with the variables, every clause of two or
  // more literals has two watches, and a false watch has only false
  // literals of no higher level beside it.
  void verify_integrity();

  void dump_assignment_stack(std::ostream &os);
  // Leaves the queue unchanged.
  void dump_implication_queue(std::ostream &os);
  // Every live clause: "0 " (original) or "A " (learned), the 32 group
  // bits from bit 0, a tab, the literals and "0".
  void print_cls(std::ostream &os);

  // The database figure plus the assignment stack's levels in use.
  int estimate_mem_usage();
  // The highest level among the clause's assigned literals (0 when none);
  // the current level for -1.
  int max_dlevel_of_clause(ClauseIdx cl);

private:
  // back_track(0) and level-0 preprocessing anew, for a clause made false
  // by a level-0 assignment.
  void redo_level0();
};

#endif

#ifndef MORVANE_TESTS_SAT_GROUPSAT_TRACE_CHECKER_H
#define MORVANE_TESTS_SAT_GROUPSAT_TRACE_CHECKER_H

// An independent replay of a resolution trace, written from its record
// formats alone:
//   "CL: id <= i1 i2 ..."   learned clause id, resolved from clause i1 with
//                           i2, ... in turn, each step on exactly one pivot;
//   "VAR: v L: pos V: val A: id Lits: l1 ..."   v implied at level 0 by
//                           clause id, whose literals are listed;
//   "CONF: id == l1 ..."    the clause false at level 0.
// Literals are signed variables (2 * variable + sign). Learned clauses drop
// the literals false at level 0, so a learned clause is checked as a subset
// of its resolvent whose other literals the level-0 implications make
// false. The original clauses have the ids 0 .. n-1.

#include <string>
#include <vector>

// Checks every learned clause; with `refutation` also that the trace ends in
// a conflict reached by level-0 implications, each of whose clauses has all
// other literals false through earlier implications. Returns "" when the
// trace passes, otherwise what is wrong.
std::string check_resolution_trace(
  const std::vector<std::vector<int>> &originals,
  const std::string &trace,
  bool refutation);

#endif

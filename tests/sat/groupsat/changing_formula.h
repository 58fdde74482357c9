#ifndef MORVANE_TESTS_SAT_GROUPSAT_CHANGING_FORMULA_H
#define MORVANE_TESTS_SAT_GROUPSAT_CHANGING_FORMULA_H

// A random session of the engine's incremental use, judged by brute force:
// a formula on 4 to 14 variables, partly in clause groups, solved with
// restarts, clean-ups and score decays at nearly every backtrack, while a
// periodic hook and the satisfying-assignment hook add clauses and units
// (in groups too) to the partial assignment; between the solves clauses are
// added, groups deleted, the solver reset and its learned clauses dropped.
// Every answer must match brute force on the clauses in force (those added
// and not in a deleted group) and every model must satisfy them; a broken
// invariant stops the program.

#include <string>

struct changing_formula_reportt
{
  // Empty when every answer was right; otherwise what went wrong first.
  std::string failure;
  int satisfiable = 0;
  int unsatisfiable = 0;
  // Clauses the hooks added during searches.
  int hook_additions = 0;
};

// Solver output goes to standard output; the trace to the engine's file.
changing_formula_reportt run_changing_formula(unsigned seed);

#endif

#ifndef MORVANE_SAT_SATCHECK_GROUPSAT_CORE_H
#define MORVANE_SAT_SATCHECK_GROUPSAT_CORE_H

#include "propositional/dimacs_cnf.h"

#include <set>

// Decides the formula with the clause-learning engine and, when it is
// unsatisfiable, has the external program "groupsat_verify" extract an
// unsatisfiable core from the engine's resolution trace. Exchange files in
// the working directory: "cnf.dimacs" (the formula), "resolve_trace" (the
// engine's trace of this run), "unsat_core.cnf" (the core clauses, written
// by the program) and "cnf.out"; all four are removed after a core was
// read, and stay after any other answer. A link at any of the names is
// never followed: the formula and the trace replace whatever has their
// names, and a link at the core's name reads as no core. Gives no model.
class satcheck_groupsat_coret : public dimacs_cnft
{
public:
  std::string solver_text() const override;

  // P_UNSATISFIABLE once a core with at least one variable was read;
  // P_SATISFIABLE for a satisfiable formula; P_ERROR when the engine fails,
  // the core is empty or missing, an exchange file cannot be written or the
  // program cannot be run.
  resultt prop_solve() override;

  // There is no model: asking is an invariant violation.
  tvt l_get(literalt a) const override;

  // Whether a's variable occurs in the core clauses.
  bool is_in_core(literalt a) const override;

  // The variables of the core clauses read by the last prop_solve.
  std::set<unsigned> in_core;

private:
  void read_core();
};

#endif

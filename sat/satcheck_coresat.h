#ifndef MORVANE_SAT_SATCHECK_CORESAT_H
#define MORVANE_SAT_SATCHECK_CORESAT_H

#include "propositional/cnf.h"

#include <string>

// The Coresat engine as a propositional back end: clauses go to the engine
// as lcnf receives them (variable n as literal n, its negation as -n), each
// prop_solve decides everything added so far, and new clauses may follow a
// satisfiable answer. The engine is one global state, so only one adapter
// may exist at a time (a second one is a broken invariant); destroying the
// adapter resets the engine.
class satcheck_coresat_baset : public cnf_solvert
{
public:
  ~satcheck_coresat_baset() override;
  // A copy would get around the one-adapter rule, and its destruction
  // would reset the engine under the original.
  satcheck_coresat_baset(const satcheck_coresat_baset &) = delete;
  satcheck_coresat_baset &operator=(const satcheck_coresat_baset &) = delete;

  void lcnf(const bvt &clause) override;
  std::string solver_text() const override;
  // Not again after an unsatisfiable or failed answer.
  resultt prop_solve() override;
  // Only after a satisfiable answer; unknown for a variable the engine has
  // not seen.
  tvt l_get(literalt a) const override;

protected:
  satcheck_coresat_baset();
};

// Trace generation off.
class satcheck_coresatt : public satcheck_coresat_baset
{
public:
  satcheck_coresatt();
};

// Trace generation on: after an unsatisfiable answer, tells the variables
// of the clausal core.
class satcheck_coresat_coret : public satcheck_coresat_baset
{
public:
  satcheck_coresat_coret();

  bool is_in_core(literalt l) const override;
};

#endif

#ifndef MORVANE_SAT_SATCHECK_GROUPSAT_H
#define MORVANE_SAT_SATCHECK_GROUPSAT_H

#include "propositional/cnf_clause_list.h"

#include <memory>

class CSolver;

// The clause-learning engine as a propositional back end: collects the
// clauses like any clause list, copies them into the engine on prop_solve,
// runs it once and reads the model back. Literal words are the engine's
// signed variables unchanged. The engine receives no_variables() variables,
// one more than the highest handed out; that last one is in no clause.
//
// One object solves once: a second prop_solve, values read without a model
// and out-of-range literals are invariant violations.
class satcheck_groupsat_baset : public cnf_clause_listt
{
public:
  // The engine is not owned and must outlive the adapter.
  explicit satcheck_groupsat_baset(CSolver *solver);

  std::string solver_text() const override;
  resultt prop_solve() override;
  // Only after a satisfiable answer.
  tvt l_get(literalt a) const override;
  // Overwrites the value of a's variable in the engine so that a reads back
  // as `value`; nothing else of the engine's state changes.
  void set_assignment(literalt a, bool value) override;

  // Gives the engine the variable count and every clause, in list order,
  // in the permanent group 0.
  virtual void copy_cnf();

protected:
  CSolver *solver;
  enum statust
  {
    INIT = 0,
    SAT = 1,
    UNSAT = 2,
    ERROR = 3
  } status = INIT;
};

// The same adapter owning its engine.
class satcheck_groupsatt : public satcheck_groupsat_baset
{
public:
  satcheck_groupsatt();
  ~satcheck_groupsatt() override;
  satcheck_groupsatt(const satcheck_groupsatt &) = delete;
  satcheck_groupsatt &operator=(const satcheck_groupsatt &) = delete;

private:
  // The engine is made before the base that drives it, and kept here.
  explicit satcheck_groupsatt(std::unique_ptr<CSolver> engine);
  std::unique_ptr<CSolver> engine;
};

#endif

#ifndef MORVANE_SAT_SATCHECK_PROOFSAT_H
#define MORVANE_SAT_SATCHECK_PROOFSAT_H

// The proof-logging engine as a propositional back end. A literalt word and
// an engine literal code are the same number, so clauses pass to the engine
// word for word and engine variable n is literalt variable n (variable 0
// exists in the engine too). The engine is incremental: clauses may be
// added after an answer and prop_solve run again.

#include "propositional/cnf.h"

#include <memory>
#include <new>

class Solver;

class satcheck_proofsat_baset : public cnf_solvert
{
public:
  satcheck_proofsat_baset();
  ~satcheck_proofsat_baset() override;
  // The adapter owns its engine: a copy would share it.
  satcheck_proofsat_baset(const satcheck_proofsat_baset &) = delete;
  satcheck_proofsat_baset &operator=(const satcheck_proofsat_baset &) = delete;

  // Adds the clause unless process_clause finds it satisfied; counts it in
  // no_clauses whatever the engine makes of it. A clause of only false
  // literals makes the clauses contradictory for good.
  void lcnf(const bvt &clause) override;

  std::string solver_text() const override;

  // Reports "<variables> variables, <clauses> clauses" (the engine's stored
  // problem clauses: units and dropped clauses do not count), then the
  // answer, both at level 6. When the engine ran out of memory, here or in
  // an earlier lcnf, answers P_ERROR instead and reports "SAT checker
  // failed: Out of memory" at level 1.
  resultt prop_solve() override;

  // Only after a satisfiable answer; the constants answer themselves,
  // variables beyond the model stop the program.
  tvt l_get(literalt a) const override;

  // Overwrites the model entry of a's variable so that a gets the value.
  void set_assignment(literalt a, bool value) override;

protected:
  // The derived constructor creates the engine (and attaches its proof
  // before anything else is done with it).
  std::unique_ptr<Solver> solver;

  // Creates engine variables until the engine has no_variables of them.
  void add_variables();

  // Set once the engine ran out of memory: it then holds only part of the
  // clauses and is not asked again.
  bool out_of_memory = false;

  // Runs step on the engine unless it ran out of memory before; a
  // std::bad_alloc from it sets out_of_memory.
  template <class stept>
  void on_engine(stept step)
  {
    if(out_of_memory)
      return;
    try
    {
      step();
    }
    catch(const std::bad_alloc &)
    {
      out_of_memory = true;
    }
  }

  // "<variables> variables, <clauses> clauses".
  std::string size_text() const;

  // Searches unless the engine is already contradictory or out of memory,
  // reports the answer and sets the status.
  resultt run_engine();
};

// The plain back end over the engine without a proof.
class satcheck_proofsatt : public satcheck_proofsat_baset
{
public:
  satcheck_proofsatt();
};

#endif

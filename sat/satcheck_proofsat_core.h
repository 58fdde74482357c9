#ifndef MORVANE_SAT_SATCHECK_PROOFSAT_CORE_H
#define MORVANE_SAT_SATCHECK_PROOFSAT_CORE_H

// The proof-logging back end that also names the variables of an
// unsatisfiable core after an unsatisfiable answer: the variables of the
// input clauses the refutation rests on.

#include "sat/satcheck_proofsat.h"
#include "sat/proofsat/Proof.h"

#include <memory>
#include <vector>

// Records the proof as it is made, one record per root or chain in id
// order (record n is clause id n). Deletions are ignored: the core is read
// from the whole proof.
class proofsat_coret : public ProofTraverser
{
public:
  struct clauset
  {
    // A root: the variables of its literals in order; a chain: the ids of
    // its antecedents, the start clause first.
    std::vector<int> ids;
    bool is_root;
  };

  std::vector<clauset> clauses;

  void root(const vec<Lit> &literals) override;
  // Stops the program when an antecedent is not an earlier record.
  void chain(const vec<ClauseId> &cs, const vec<Var> &xs) override;

  // Sets in_core[v] for every variable v of a root that the last record
  // (the empty clause of a refutation) rests on; clears no flag. Each
  // record is visited once: O(size of the proof).
  void build_core(std::vector<bool> &in_core) const;
};

class satcheck_proofsat_coret : public satcheck_proofsat_baset
{
public:
  satcheck_proofsat_coret();
  ~satcheck_proofsat_coret() override;
  satcheck_proofsat_coret(const satcheck_proofsat_coret &) = delete;
  satcheck_proofsat_coret &operator=(const satcheck_proofsat_coret &) = delete;

  std::string solver_text() const override;

  // As the plain back end; an unsatisfiable answer then adds the core's
  // variables to the flags of earlier cores.
  resultt prop_solve() override;

  // Whether l's variable is in a core found so far; stops the program for
  // variables made after the last unsatisfiable answer.
  bool is_in_core(literalt l) const override;

protected:
  std::vector<bool> in_core;
  // The recorder outlives the proof that reports to it.
  std::unique_ptr<proofsat_coret> core_recorder;
  std::unique_ptr<Proof> proof;
};

#endif

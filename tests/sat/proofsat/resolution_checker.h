#ifndef MORVANE_TESTS_SAT_PROOFSAT_RESOLUTION_CHECKER_H
#define MORVANE_TESTS_SAT_PROOFSAT_RESOLUTION_CHECKER_H

// A proof receiver that checks every chain by doing its resolution steps on
// the recorded clauses: each step must resolve on a variable that occurs
// with opposite signs in the clause so far and in the next clause, every id
// must name an earlier clause that was not deleted, and every root must be
// one of the clauses the test gave the engine.

#include "sat/proofsat/Proof.h"

#include <set>
#include <string>
#include <vector>

class resolution_checkert : public ProofTraverser
{
public:
  typedef std::set<int> clauset; // literal codes

  // When inputs is not empty, every root must be one of them (as a set).
  std::set<clauset> inputs;

  std::vector<clauset> clauses; // by id
  std::vector<bool> deleted_ids;
  int done_calls = 0;
  // The first fault found, empty while the proof is sound.
  std::string error;

  void root(const vec<Lit> &literals) override;
  void chain(const vec<ClauseId> &ids, const vec<Var> &pivots) override;
  void deleted(ClauseId id) override;
  void done() override
  {
    done_calls++;
  }

  bool has_clause(ClauseId id) const
  {
    return id >= 0 && id < ClauseId(clauses.size());
  }

private:
  void fail(const std::string &message);
};

std::string to_text(const resolution_checkert::clauset &clause);

#endif

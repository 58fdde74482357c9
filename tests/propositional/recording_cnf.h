#ifndef MORVANE_TESTS_PROPOSITIONAL_RECORDING_CNF_H
#define MORVANE_TESTS_PROPOSITIONAL_RECORDING_CNF_H

// A back end that records every lcnf call as given, unsimplified and in
// order, and never solves: what a test or a driver hands on to an engine or
// an oracle is exactly what the encoder or reader produced.

#include "propositional/cnf.h"

#include <string>
#include <vector>

class recording_cnft : public cnft
{
public:
  void lcnf(const bvt &clause) override
  {
    clauses.push_back(clause);
  }
  std::string solver_text() const override
  {
    return "recording";
  }
  resultt prop_solve() override
  {
    return P_ERROR;
  }
  tvt l_get(literalt) const override
  {
    return tvt();
  }
  unsigned no_clauses() const override
  {
    return clauses.size();
  }

  std::vector<bvt> clauses;
};

#endif

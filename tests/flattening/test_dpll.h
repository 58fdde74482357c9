#ifndef MORVANE_TESTS_FLATTENING_TEST_DPLL_H
#define MORVANE_TESTS_FLATTENING_TEST_DPLL_H

// A test-only SAT back end until a real engine adapter lands: the clause
// list of cnf_clause_list_assignmentt decided by plain DPLL (unit
// propagation over two watched literals, chronological backtracking, no
// learning). Good for the few hundred variables of the circuit tests and
// nothing more.

#include "propositional/cnf_clause_list.h"

class test_dpll_propt : public cnf_clause_list_assignmentt
{
public:
  // Solves the clauses together with these unit assumptions, which are
  // not added as clauses; the model goes to `assignment`, every variable
  // assigned.
  resultt prop_solve() override;

  std::string solver_text() const override
  {
    return "test DPLL";
  }

  bvt assumptions;
};

#endif

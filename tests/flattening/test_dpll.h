#ifndef MORVANE_TESTS_FLATTENING_TEST_DPLL_H
#define MORVANE_TESTS_FLATTENING_TEST_DPLL_H

// A test-only SAT back end until a real engine adapter lands: the clause
// list of cnf_clause_list_assignmentt decided by plain DPLL (unit
// propagation over two watched literals, chronological backtracking, no
// learning). The search state persists between solves: clauses added since
// the last solve are taken over, so many solves under different
// assumptions stay cheap. Good for the few hundred variables of the
// circuit tests and nothing more.

#include "propositional/cnf_clause_list.h"

#include <memory>

class test_dpllt;

class test_dpll_propt : public cnf_clause_list_assignmentt
{
public:
  test_dpll_propt();
  ~test_dpll_propt() override;

  // Solves the clauses together with the unit assumptions, which are not
  // added as clauses; the model goes to `assignment`, every variable
  // assigned.
  resultt prop_solve() override;

  std::string solver_text() const override
  {
    return "test DPLL";
  }

  bvt assumptions;

private:
  std::unique_ptr<test_dpllt> dpll;
  // The clauses of clause_list already handed to the search.
  std::size_t clauses_taken = 0;
};

#endif

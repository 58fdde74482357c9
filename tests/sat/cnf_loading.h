#ifndef MORVANE_TESTS_SAT_CNF_LOADING_H
#define MORVANE_TESTS_SAT_CNF_LOADING_H

// Random formulas of the engine tests handed to a propositional back end.

#include "groupsat/random_cnf.h"
#include "propositional/cnf.h"

// Declares the formula's variables and adds every clause through lcnf, so
// the back end's own clause simplification applies.
inline void load_into(cnft &back_end, const cnf_formulat &formula)
{
  back_end.set_no_variables(unsigned(formula.variables) + 1);
  for(const auto &clause : formula.clauses)
  {
    bvt literals;
    for(int svar : clause)
      literals.push_back(literalt::from_word(unsigned(svar)));
    back_end.lcnf(literals);
  }
}

#endif

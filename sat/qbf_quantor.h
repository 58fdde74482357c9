#ifndef MORVANE_SAT_QBF_QUANTOR_H
#define MORVANE_SAT_QBF_QUANTOR_H

#include "propositional/qdimacs_cnf.h"

// Decides the quantified formula by running the external QBF solver
// "quantor" through the shell on the exchange files "quantor.qbf" (the
// formula) and "quantor.out" (its answer) in the working directory. Both
// files stay after the run; two adapters in one directory share them. A
// link at either name is never followed: the formula replaces whatever has
// its name, and a link at the answer's name reads as no answer.
//
// Note the inverted mapping of the answer: a true formula ("s TRUE") is
// P_UNSATISFIABLE and a false one ("s FALSE") P_SATISFIABLE, so that a
// formula stated as a negated claim reads as for the SAT back ends.
class qbf_quantort : public qdimacs_cnft
{
public:
  std::string solver_text() const override;

  // The program answers with no assignment: asking is an invariant
  // violation.
  tvt l_get(literalt a) const override;

  // Writes the formula, removes an old answer, runs the program and reads
  // the first line "s TRUE" or "s FALSE" of its answer. P_ERROR when the
  // formula cannot be written, the program cannot be run or no answer line
  // is found.
  resultt prop_solve() override;
};

#endif

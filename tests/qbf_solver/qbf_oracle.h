#ifndef MORVANE_TESTS_QBF_SOLVER_QBF_ORACLE_H
#define MORVANE_TESTS_QBF_SOLVER_QBF_ORACLE_H

// Decides small formulas by expanding the quantifier prefix: the truth the
// solver's answers are measured against. Exponential; meant for a dozen
// variables at most.

#include "qbf_formula.h"

bool qbf_is_true(const qbf_formulat &formula);

#endif

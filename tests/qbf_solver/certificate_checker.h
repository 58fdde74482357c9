#ifndef MORVANE_TESTS_QBF_SOLVER_CERTIFICATE_CHECKER_H
#define MORVANE_TESTS_QBF_SOLVER_CERTIFICATE_CHECKER_H

// Checks a certificate file against the formula it claims to decide.
//
// A VALID certificate is a network of AND and if-then-else gates and a
// witness for existential variables. It is accepted when every witness
// depends only on variables of its own or outer blocks (universal ones
// strictly outer, no cycle through witnesses), and no values of the
// universal and unwitnessed variables leave a clause false.
//
// An INVALID certificate is a list of resolution steps, each followed by
// universal reduction, over the clause lines of the formula (numbered from 1)
// and earlier steps. It is accepted when every step resolves on exactly one
// clashing variable, drops only universal literals that no remaining
// existential literal is inside of, and the concluding entry reduces to the
// empty clause.

#include "qbf_formula.h"

#include <string>

struct certificate_verdictt
{
  bool accepted = false;
  std::string claim;  // "VALID" or "INVALID" when the conclusion was read
  std::string reason; // why it was rejected
};

certificate_verdictt check_certificate(
  const qbf_formulat &formula,
  const std::string &certificate);

#endif

#ifndef MORVANE_FLATTENING_SAT_MINIMIZER_H
#define MORVANE_FLATTENING_SAT_MINIMIZER_H

// A decision procedure that, once the problem is satisfiable, settles
// chosen unsigned bit-vector symbols at their smallest values, greedily
// and lexicographically: earlier symbols first, and within a symbol the
// more significant bits first, every later choice keeping the earlier
// ones. Each settled bit is an assumption of the proof-logging engine, so
// the clause database (and what it learnt) is kept between the calls.
//
// Cost: at most two engine calls per bit that the current model has at 1
// (none for a bit already 0); the status lines of each call are written
// at level 6.

#include "flattening/bv_pointers.h"
#include "sat/satcheck_proofsat.h"

#include <list>

class satcheck_minimizert : public satcheck_proofsatt
{
public:
  using satcheck_proofsatt::prop_solve;

  // Decides the clauses given so far under the constraints, which are
  // assumed, not added: later calls may assume others. Writes
  // "<variables> variables, <clauses> clauses, <constraints> constraints"
  // at level 6. A satisfiable answer makes the engine's model the one
  // l_get reads; the status of the last plain prop_solve stays. A
  // constant-false constraint answers unsatisfiable, a constant-true one
  // is no assumption.
  resultt prop_solve(const std::list<literalt> &constraints);
};

// Built before the procedure that runs on it.
class bv_minimizing_dec_backendt
{
public:
  satcheck_minimizert satcheck;
};

class bv_minimizing_dect : public bv_minimizing_dec_backendt,
                           public bv_pointerst
{
public:
  bv_minimizing_dect() : bv_pointerst(satcheck)
  {
  }

  typedef std::list<exprt> minimization_listt;

  // Only after solve answered satisfiable. Every symbol must be of type
  // "unsignedbv" and already converted. Writes "Minimizing... " and then
  // "<identifier> = <value>" (any width, in decimal) per symbol at level
  // 6; afterwards the back end's model is a model of the problem with all
  // the settled values. Always true.
  bool minimize(const minimization_listt &to_minimize);
};

#endif

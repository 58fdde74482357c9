#include "flattening/sat_minimizer.h"

#include "flattening/boolbv_width.h"
#include "sat/proofsat/Solver.h"
#include "util/invariant.h"
#include "util/mp_arith.h"
#include "util/text_utils.h"

#include <sstream>

propt::resultt
satcheck_minimizert::prop_solve(const std::list<literalt> &constraints)
{
  print(
    6,
    unsigned_to_string(no_variables()) + " variables, " +
      int_to_string(solver->nClauses()) + " clauses, " +
      unsigned_to_string(unsigned(constraints.size())) + " constraints");

  if(!solver->ok)
    return P_UNSATISFIABLE;

  // The engine knows no constant literals: a true one assumes nothing, a
  // false one cannot hold.
  vec<Lit> assumptions;
  for(const literalt l : constraints)
  {
    if(l.is_false())
      return P_UNSATISFIABLE;
    if(!l.is_true())
      assumptions.push(Lit::fromIndex(int(l.get())));
  }

  add_variables();
  solver->simplifyDB();
  return solver->solve(assumptions) ? P_SATISFIABLE : P_UNSATISFIABLE;
}

bool bv_minimizing_dect::minimize(const minimization_listt &to_minimize)
{
  std::list<literalt> constraints;

  for(const exprt &symbol : to_minimize)
  {
    print(6, "Minimizing... ");
    INVARIANT(symbol.type().id() == ID_unsignedbv);

    unsigned width;
    const bool width_unknown = width_of_type(symbol.type(), width);
    INVARIANT(!width_unknown);
    mp_integer value;

    for(unsigned b = width; b-- > 0;)
    {
      literalt l;
      const bool no_literal = literal(symbol, b, l);
      INVARIANT(!no_literal);
      constraints.push_back(satcheck.lnot(l));
      if(satcheck.l_get(l).is_false())
        continue;
      if(satcheck.prop_solve(constraints) == propt::P_UNSATISFIABLE)
      {
        constraints.back() = l;
        value += integer_shift_left(mp_integer(1), b);
        // With the bit fixed at 1 the constraints are satisfiable again,
        // which also leaves the solver's model on this value.
        const propt::resultt fixed = satcheck.prop_solve(constraints);
        INVARIANT(fixed != propt::P_UNSATISFIABLE);
      }
    }

    std::ostringstream line;
    line << symbol.get("identifier").as_string() << " = " << value;
    print(6, line.str());
  }
  return true;
}

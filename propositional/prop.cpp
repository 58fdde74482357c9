#include "propositional/prop.h"

#include "util/invariant.h"

void propt::set_equal(literalt a, literalt b)
{
  bvt clause(2);
  clause[0] = a;
  clause[1] = lnot(b);
  lcnf(clause);
  clause[0] = lnot(a);
  clause[1] = b;
  lcnf(clause);
}

void propt::l_set_to(literalt a, bool value)
{
  set_equal(a, const_literal(value));
}

void propt::set_assignment(literalt, bool)
{
  INVARIANT(false);
}

void propt::copy_assignment_from(const propt &)
{
  INVARIANT(false);
}

bool propt::is_in_core(literalt) const
{
  INVARIANT(false);
}

#include "propositional/prop.h"

#include "util/invariant.h"

literalt propt::lnand(literalt a, literalt b)
{
  return lnot(land(a, b));
}

literalt propt::lnor(literalt a, literalt b)
{
  return lnot(lor(a, b));
}

literalt propt::lequal(literalt a, literalt b)
{
  return lnot(lxor(a, b));
}

literalt propt::limplies(literalt a, literalt b)
{
  return lor(lnot(a), b);
}

bool propt::and_with_constant(literalt a, literalt b, literalt &result) const
{
  if(a.is_true())
    result = b;
  else if(b.is_true())
    result = a;
  else if(a.is_false() || b.is_false())
    result = const_literal(false);
  else
    return false;
  return true;
}

bool propt::xor_with_constant(literalt a, literalt b, literalt &result)
{
  if(a.is_false())
    result = b;
  else if(b.is_false())
    result = a;
  else if(a.is_true())
    result = lnot(b);
  else if(b.is_true())
    result = lnot(a);
  else
    return false;
  return true;
}

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

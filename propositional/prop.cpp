#include "propositional/prop.h"

#include "util/invariant.h"

namespace
{
literalt chain(
  propt &prop,
  literalt (propt::*gate)(literalt, literalt),
  literalt neutral,
  const bvt &bv)
{
  literalt result = neutral;
  for(literalt l : bv)
    result = (prop.*gate)(l, result);
  return result;
}
} // namespace

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

literalt propt::land_chain(const bvt &bv)
{
  return chain(*this, &propt::land, const_literal(true), bv);
}

literalt propt::lor_chain(const bvt &bv)
{
  return chain(*this, &propt::lor, const_literal(false), bv);
}

literalt propt::lxor_chain(const bvt &bv)
{
  return chain(*this, &propt::lxor, const_literal(false), bv);
}

literalt propt::lxor_pair_or_chain(const bvt &bv)
{
  if(bv.empty())
    return const_literal(false);
  if(bv.size() == 1)
    return bv[0];
  if(bv.size() == 2)
    return lxor(bv[0], bv[1]);
  return lxor_chain(bv);
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

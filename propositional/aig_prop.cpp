#include "propositional/aig_prop.h"

#include "util/invariant.h"

literalt and_graph_propt::lnot(literalt a)
{
  return !a;
}

literalt and_graph_propt::new_variable()
{
  literalt l(dest.number_of_nodes(), false);
  dest.nodes.emplace_back();
  return l;
}

unsigned and_graph_propt::no_variables() const
{
  return dest.number_of_nodes();
}

// No shortcut for a = b: land(x, x) makes a node.
literalt and_graph_propt::land(literalt a, literalt b)
{
  literalt result;
  if(and_with_constant(a, b, result))
    return result;
  if(a == lnot(b))
    return const_literal(false);

  literalt o = new_variable();
  unsigned n = o.var_no();
  INVARIANT(n<dest.number_of_nodes());
  and_grapht::nodet &node = dest.nodes[n];
  node.is_and = true;
  node.a = a;
  node.b = b;
  return o;
}

literalt and_graph_propt::lor(literalt a, literalt b)
{
  literalt not_b = lnot(b);
  literalt not_a = lnot(a);
  return lnot(land(not_a, not_b));
}

literalt and_graph_propt::lxor(literalt a, literalt b)
{
  literalt result;
  if(xor_with_constant(a, b, result))
    return result;
  if(a == b)
    return const_literal(false);
  if(a == lnot(b))
    return const_literal(true);

  literalt y = land(lnot(a), b);
  literalt x = land(a, lnot(b));
  return lor(x, y);
}

literalt and_graph_propt::lselect(literalt a, literalt b, literalt c)
{
  if(a.is_true())
    return b;
  if(a.is_false() || b == c)
    return c;

  literalt y = land(lnot(a), c);
  literalt x = land(a, b);
  return lor(x, y);
}

literalt and_graph_propt::land(const bvt &bv)
{
  return land_chain(bv);
}

literalt and_graph_propt::lor(const bvt &bv)
{
  return lor_chain(bv);
}

literalt and_graph_propt::lxor(const bvt &bv)
{
  return lxor_chain(bv);
}

std::string and_graph_propt::solver_text() const
{
  return "conversion into and-inverter graph";
}

// The graph holds gates, not constraints.

void and_graph_propt::lcnf(const bvt &)
{
  INVARIANT(0);
}

propt::resultt and_graph_propt::prop_solve()
{
  INVARIANT(0);
}

tvt and_graph_propt::l_get(literalt) const
{
  INVARIANT(0);
}

#include "external_solvers/cvc_prop.h"

#include "util/invariant.h"

#include <unordered_set>

cvc_propt::cvc_propt(std::ostream &_out) : cvc_propt(_out, "CVC")
{
}

cvc_propt::cvc_propt(std::ostream &_out, const char *_solver_name)
  : out(_out), solver_name(_solver_name)
{
}

std::string cvc_propt::cvc_literal(literalt l) const
{
  if(l.is_false())
    return "FALSE";
  if(l.is_true())
    return "TRUE";
  std::string text = "l" + std::to_string(l.var_no());
  return l.sign() ? "(NOT " + text + ")" : text;
}

literalt cvc_propt::new_variable()
{
  ++_no_variables;
  out << "l" << _no_variables << ": BOOLEAN;" << std::endl;
  return literalt(_no_variables, false);
}

literalt cvc_propt::cvc_define()
{
  ++_no_variables;
  out << "l" << _no_variables << ": BOOLEAN = ";
  return literalt(_no_variables, false);
}

void cvc_propt::set_no_variables(unsigned)
{
  INVARIANT(false);
}

literalt cvc_propt::define_gate(
  const char *comment, literalt left, const char *op, literalt right)
{
  out << comment << std::endl;
  literalt l = cvc_define();
  out << cvc_literal(left) << op << cvc_literal(right) << ";" << std::endl
      << std::endl;
  return l;
}

literalt
cvc_propt::define_list(const char *comment, const bvt &bv, const char *op)
{
  out << comment << std::endl;
  literalt l = cvc_define();
  for(std::size_t i = 0; i < bv.size(); ++i)
    out << (i == 0 ? "" : op) << cvc_literal(bv[i]);
  out << ";" << std::endl << std::endl;
  return l;
}

literalt cvc_propt::land(literalt a, literalt b)
{
  literalt result;
  if(and_with_constant(a, b, result))
    return result;
  if(a == b)
    return a;
  return define_gate("%% land", a, " AND ", b);
}

literalt cvc_propt::lor(literalt a, literalt b)
{
  // De Morgan turns the AND shortcuts into those of OR.
  literalt result;
  if(and_with_constant(!a, !b, result))
    return !result;
  if(a == b)
    return a;
  return define_gate("%% lor", a, " OR ", b);
}

literalt cvc_propt::land(const bvt &bv)
{
  if(bv.empty())
    return const_literal(true);
  return define_list("%% land", bv, " AND ");
}

literalt cvc_propt::lor(const bvt &bv)
{
  if(bv.empty())
    return const_literal(false);
  return define_list("%% lor", bv, " OR ");
}

literalt cvc_propt::lnot(literalt a)
{
  return !a;
}

literalt cvc_propt::lxor(literalt a, literalt b)
{
  literalt result;
  if(xor_with_constant(a, b, result))
    return result;
  return define_gate("%% lxor", a, " XOR ", b);
}

literalt cvc_propt::lxor(const bvt &bv)
{
  return lxor_pair_or_chain(bv);
}

literalt cvc_propt::lselect(literalt a, literalt b, literalt c)
{
  if(a.is_true())
    return b;
  if(a.is_false())
    return c;
  if(b == c)
    return b;
  out << "%% lselect" << std::endl;
  literalt l = cvc_define();
  out << "IF " << cvc_literal(a) << " THEN " << cvc_literal(b) << " ELSE "
      << cvc_literal(c) << " ENDIF;" << std::endl
      << std::endl;
  return l;
}

void cvc_propt::assert_gate(
  const char *comment, const std::string &gate, literalt o)
{
  out << comment << std::endl
      << "ASSERT " << gate << " <=> " << cvc_literal(o) << ";" << std::endl
      << std::endl;
}

void cvc_propt::land(literalt a, literalt b, literalt o)
{
  assert_gate(
    "%% land", "(" + cvc_literal(a) + " AND " + cvc_literal(b) + ")", o);
}

void cvc_propt::lor(literalt a, literalt b, literalt o)
{
  assert_gate(
    "%% lor", "(" + cvc_literal(a) + " OR " + cvc_literal(b) + ")", o);
}

void cvc_propt::lxor(literalt a, literalt b, literalt o)
{
  assert_gate(
    "%% lxor", "(" + cvc_literal(a) + " XOR " + cvc_literal(b) + ")", o);
}

void cvc_propt::lnand(literalt a, literalt b, literalt o)
{
  assert_gate(
    "%% lnand", "(NOT (" + cvc_literal(a) + " AND " + cvc_literal(b) + "))", o);
}

void cvc_propt::lnor(literalt a, literalt b, literalt o)
{
  assert_gate(
    "%% lnor", "(NOT (" + cvc_literal(a) + " OR " + cvc_literal(b) + "))", o);
}

void cvc_propt::lequal(literalt a, literalt b, literalt o)
{
  assert_gate(
    "%% lequal", "(" + cvc_literal(a) + " <=> " + cvc_literal(b) + ")", o);
}

void cvc_propt::limplies(literalt a, literalt b, literalt o)
{
  assert_gate(
    "%% limplies", "(" + cvc_literal(a) + " => " + cvc_literal(b) + ")", o);
}

void cvc_propt::lcnf(const bvt &clause)
{
  std::unordered_set<unsigned> seen;
  bvt kept;
  kept.reserve(clause.size());
  for(literalt l : clause)
  {
    if(l.is_true())
      return;
    if(l.is_false())
      continue;
    if(seen.insert(l.get()).second)
      kept.push_back(l);
    if(seen.count((!l).get()) != 0)
      return;
    INVARIANT(l.var_no() <= _no_variables);
  }

  out << "%% lcnf" << std::endl << "ASSERT ";
  if(kept.empty())
    out << "FALSE";
  for(std::size_t i = 0; i < kept.size(); ++i)
    out << (i == 0 ? "" : " OR ") << cvc_literal(kept[i]);
  out << ";" << std::endl << std::endl;
}

propt::resultt cvc_propt::prop_solve()
{
  out << "QUERY FALSE;" << std::endl;
  return P_ERROR;
}

tvt cvc_propt::l_get(literalt a) const
{
  const unsigned v = a.var_no();
  if(v >= assignment.size())
    return tvt(tvt::TV_UNKNOWN);
  return a.sign() ? !assignment[v] : assignment[v];
}

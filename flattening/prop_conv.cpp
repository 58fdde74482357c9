#include "flattening/prop_conv.h"

#include "util/invariant.h"

#include <cstdlib>
#include <ostream>

prop_convt::prop_convt(propt &_prop) : prop(_prop), cache(100)
{
}

literalt prop_convt::convert(const exprt &expr)
{
  return convert_with_cache_flag(expr, use_cache);
}

literalt prop_convt::convert_uncached(const exprt &expr)
{
  return convert_with_cache_flag(expr, false);
}

literalt prop_convt::convert_with_cache_flag(const exprt &expr, bool with_cache)
{
  if(!with_cache || expr.id() == ID_symbol || expr.id() == ID_constant)
    return convert_bool(expr);

  cachet::const_iterator found = cache.find(expr);
  if(found != cache.end())
    return found->second;

  // Stored only once the conversion has returned: one that throws leaves
  // no entry behind.
  literalt result = convert_bool(expr);
  cache.insert({expr, result});
  return result;
}

literalt prop_convt::get_literal(const dstring &identifier)
{
  std::pair<symbolst::iterator, bool> inserted =
    symbols.insert({identifier, literalt()});
  if(inserted.second)
    inserted.first->second = prop.new_variable();
  return inserted.first->second;
}

bool prop_convt::literal(const exprt &expr, literalt &dest) const
{
  INVARIANT(expr.type().id() == ID_bool);
  if(expr.id() != ID_symbol)
    throw "found no literal for expression";
  symbolst::const_iterator found = symbols.find(expr.get("identifier"));
  if(found == symbols.end())
    return true;
  dest = found->second;
  return false;
}

void prop_convt::warn_ignoring(const exprt &expr)
{
  print(2, "warning: ignoring " + expr.pretty(0));
}

literalt prop_convt::convert_rest(const exprt &expr)
{
  warn_ignoring(expr);
  return prop.new_variable();
}

literalt prop_convt::convert_constraint_select_one(const exprt &expr)
{
  const exprt::operandst &operands = expr.operands();
  if(operands.size() < 2)
    throw "constraint_select_one takes at least two operands";

  bvt literals;
  literals.reserve(operands.size());
  for(const exprt &operand : operands)
    literals.push_back(convert(operand));

  bvt choices;
  choices.reserve(literals.size() - 1);
  for(std::size_t i = 1; i < literals.size(); ++i)
    choices.push_back(prop.lequal(literals[0], literals[i]));
  prop.l_set_to(prop.lor(choices), true);
  return literals[0];
}

literalt prop_convt::convert_bool(const exprt &expr)
{
  if(expr.type().id() != ID_bool)
    throw "prop_convt::convert_bool got non-boolean expression:\n" +
      expr.to_string();

  const exprt::operandst &operands = expr.operands();
  const dstring &id = expr.id();

  if(id == ID_constant)
    return const_literal(expr.get("value") != ID_false);
  if(id == ID_symbol)
    return get_literal(expr.get("identifier"));
  if(id == ID_literal)
  {
    // The flattening writes these itself, as the decimal word.
    unsigned long word = std::strtoul(expr.get("literal").c_str(), nullptr, 10);
    return literalt::from_word(static_cast<unsigned>(word));
  }
  if(id == ID_nondet_symbol)
    return prop.new_variable();
  if(id == ID_implies)
  {
    if(operands.size() != 2)
      throw "implication takes two operands";
    literalt l0 = convert(operands[0]);
    literalt l1 = convert(operands[1]);
    return prop.limplies(l0, l1);
  }
  if(id == ID_if)
  {
    if(operands.size() != 3)
      throw "if takes three operands";
    literalt l0 = convert(operands[0]);
    literalt l1 = convert(operands[1]);
    literalt l2 = convert(operands[2]);
    return prop.lselect(l0, l1, l2);
  }
  if(id == ID_constraint_select_one)
    return convert_constraint_select_one(expr);
  if(
    id == ID_or || id == ID_and || id == ID_xor || id == ID_nor ||
    id == ID_nand)
  {
    if(operands.empty())
      throw "operator " + id.as_string() + " takes at least one operand";
    bvt bv;
    bv.reserve(operands.size());
    for(const exprt &operand : operands)
      bv.push_back(convert(operand));
    if(id == ID_or)
      return prop.lor(bv);
    if(id == ID_and)
      return prop.land(bv);
    if(id == ID_xor)
      return prop.lxor(bv);
    if(id == ID_nor)
      return prop.lnot(prop.lor(bv));
    return prop.lnot(prop.land(bv));
  }
  if(id == ID_not)
  {
    if(operands.size() != 1)
      throw "not takes one operand";
    return prop.lnot(convert(operands[0]));
  }
  if(id == ID_equal || id == ID_notequal)
  {
    if(operands.size() != 2)
      throw "equality takes two operands";
    if(operands[0].type().id() == ID_bool && operands[1].type().id() == ID_bool)
    {
      literalt l0 = convert(operands[0]);
      literalt l1 = convert(operands[1]);
      return id == ID_equal ? prop.lequal(l0, l1) : prop.lxor(l0, l1);
    }
  }
  return convert_rest(expr);
}

bool prop_convt::set_equality_to_true(const exprt &expr)
{
  if(!equality_propagation)
    return true;
  const exprt::operandst &operands = expr.operands();
  if(operands.size() != 2 || operands[0].id() != ID_symbol)
    return true;

  const dstring &identifier = operands[0].get("identifier");
  literalt value = convert(operands[1]);
  return !symbols.insert({identifier, value}).second;
}

void prop_convt::set_to(const exprt &expr, bool value)
{
  if(expr.type().id() != ID_bool)
    throw "prop_convt::set_to got non-boolean expression:\n" +
      expr.to_string();

  const exprt::operandst &operands = expr.operands();
  bool boolean_operands = true;
  for(const exprt &operand : operands)
    boolean_operands = boolean_operands && operand.type().id() == ID_bool;

  if(boolean_operands)
  {
    const dstring &id = expr.id();
    if(id == ID_not && operands.size() == 1)
    {
      set_to(operands[0], !value);
      return;
    }
    if(value)
    {
      if(id == ID_and)
      {
        for(const exprt &operand : operands)
          set_to(operand, true);
        return;
      }
      if(id == ID_or && !operands.empty())
      {
        bvt clause;
        clause.reserve(operands.size());
        for(const exprt &operand : operands)
          clause.push_back(convert(operand));
        prop.lcnf(clause);
        return;
      }
      if(id == ID_implies && operands.size() == 2)
      {
        literalt l0 = convert(operands[0]);
        literalt l1 = convert(operands[1]);
        prop.lcnf({prop.lnot(l0), l1});
        return;
      }
      if(id == ID_equal && !set_equality_to_true(expr))
        return;
    }
    else if(id == ID_implies && operands.size() == 2)
    {
      set_to(operands[0], true);
      set_to(operands[1], false);
    }
    else if(id == ID_or)
    {
      for(const exprt &operand : operands)
        set_to(operand, false);
    }
  }

  prop.l_set_to(convert(expr), value);
}

void prop_convt::post_process()
{
}

decision_proceduret::resultt prop_convt::solve()
{
  post_process();
  print(7, "Solving with " + prop.solver_text());
  switch(prop.prop_solve())
  {
  case propt::P_SATISFIABLE:
    return D_SATISFIABLE;
  case propt::P_UNSATISFIABLE:
    return D_UNSATISFIABLE;
  default:
    return D_ERROR;
  }
}

std::string prop_convt::solver_description() const
{
  return prop.solver_text();
}

tvt prop_convt::literal_value(literalt l) const
{
  // Equality propagation and gate folding hand out constant literals,
  // which back ends need not know: their value is plain.
  if(l.is_constant())
    return tvt(l.is_true());
  return prop.l_get(l);
}

bool prop_convt::get_bool(const exprt &expr, tvt &value) const
{
  const exprt::operandst &operands = expr.operands();
  const bool is_bool = expr.type().id() == ID_bool;
  const dstring &id = expr.id();

  if(id == ID_constant && is_bool)
  {
    value = tvt(expr.get("value") != ID_false);
    return false;
  }
  if(id == ID_symbol)
  {
    symbolst::const_iterator found = symbols.find(expr.get("identifier"));
    if(found == symbols.end())
      return true;
    value = literal_value(found->second);
    return false;
  }
  if(id == ID_not && is_bool && operands.size() == 1)
  {
    tvt operand_value;
    if(get_bool(operands[0], operand_value))
      return true;
    value = !operand_value;
    return false;
  }
  if((id == ID_and || id == ID_or) && is_bool && !operands.empty())
  {
    // Kleene's three-valued logic: a deciding operand (false for "and",
    // true for "or") wins over unknown ones.
    const bool is_and = id == ID_and;
    tvt result(is_and);
    for(const exprt &operand : operands)
    {
      tvt operand_value;
      if(get_bool(operand, operand_value))
        return true;
      if(operand_value == tvt(!is_and))
      {
        result = operand_value;
        break;
      }
      if(result.is_unknown() || operand_value.is_unknown())
        result = tvt(tvt::TV_UNKNOWN);
    }
    value = result;
    return false;
  }

  cachet::const_iterator found = cache.find(expr);
  if(found == cache.end())
    return true;
  value = literal_value(found->second);
  return false;
}

exprt prop_convt::get(const exprt &expr) const
{
  exprt result("nil");
  tvt value;
  if(expr.type().id() == ID_bool && !get_bool(expr, value))
    result.make_bool(value.is_true());
  return result;
}

void prop_convt::print_values(std::ostream &out) const
{
  for(const auto &entry : symbols)
    out << entry.first << " = " << tvt_name(literal_value(entry.second))
        << '\n';
}

#include "flattening/prop_conv_store.h"

#include "util/invariant.h"

#include <ostream>

void prop_conv_store_constraintt::print(std::ostream &out) const
{
  switch(type)
  {
  case CONVERT:
    out << "CONVERT(" << literal.dimacs() << "): ";
    irep_to_stream(out, expr);
    out << std::endl;
    return;
  case SET_TO:
    out << "SET_TO " << (value ? "TRUE" : "FALSE") << ": ";
    irep_to_stream(out, expr);
    out << std::endl;
    return;
  }
  INVARIANT(false);
}

void prop_conv_store_constraintt::replay(prop_convt &dest) const
{
  switch(type)
  {
  case CONVERT:
    dest.prop.set_equal(dest.convert_rest(expr), literal);
    return;
  case SET_TO:
    dest.set_to(expr, value);
    return;
  }
  INVARIANT(false);
}

void prop_conv_store_constraintst::print(std::ostream &out) const
{
  for(const prop_conv_store_constraintt &constraint : *this)
    constraint.print(out);
}

void prop_conv_store_constraintst::replay(prop_convt &dest) const
{
  for(const prop_conv_store_constraintt &constraint : *this)
    constraint.replay(dest);
}

void prop_conv_storet::set_to(const exprt &expr, bool value)
{
  prop_conv_store_constraintt constraint;
  constraint.type = prop_conv_store_constraintt::SET_TO;
  constraint.expr = expr;
  constraint.value = value;
  constraint_list.push_back(constraint);
}

literalt prop_conv_storet::convert_rest(const exprt &expr)
{
  prop_conv_store_constraintt constraint;
  constraint.type = prop_conv_store_constraintt::CONVERT;
  constraint.expr = expr;
  constraint.literal = clauses.new_variable();
  constraint_list.push_back(constraint);
  return constraint.literal;
}

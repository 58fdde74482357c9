#include "flattening/boolbv.h"

#include "flattening/boolbv_choice.h"

bool boolbvt::convert_cond(const exprt &expr, bvt &bv)
{
  if(free_bits_for(expr, bv))
    return true;
  const std::size_t width = bv.size();

  const exprt::operandst &operands = expr.operands();
  if(operands.size() < 2)
    throw "cond takes at least two operands";
  if(operands.size() % 2 != 0)
    throw "number of cond operands must be even";

  // matched: an earlier condition holds; first: this one is the first.
  literalt matched = const_literal(false);
  literalt first = const_literal(false);
  for(std::size_t i = 0; i < operands.size(); i += 2)
  {
    first = prop.land(prop.lnot(matched), convert(operands[i]));
    matched = prop.lor(matched, first);
    bvt value;
    if(convert_cached(operands[i + 1], value))
      return true;
    if(value.size() != width)
      throw_value_width(width, value, operands[i + 1]);
    prop.l_set_to(prop.limplies(first, bv_utils.equal(bv, value)), true);
  }
  return false;
}

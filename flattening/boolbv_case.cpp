#include "flattening/boolbv.h"

#include "flattening/boolbv_choice.h"

#include <iostream>

bool boolbvt::convert_case(const exprt &expr, bvt &bv)
{
  if(free_bits_for(expr, bv))
    return true;
  const std::size_t width = bv.size();

  const exprt::operandst &operands = expr.operands();
  if(operands.size() < 3)
    throw "case takes at least three operands";
  if(operands.size() % 2 != 1)
    throw "number of case operands must be odd";

  // matched: an earlier candidate equals the selector; first: this one is
  // the first that does.
  literalt matched = const_literal(false);
  literalt first = const_literal(false);
  bvt selector;
  for(std::size_t i = 0; i < operands.size(); ++i)
  {
    bvt op;
    if(convert_cached(operands[i], op))
      return true;
    if(i == 0)
      selector = op;
    else if(i % 2 == 1)
    {
      if(op.size() != selector.size())
      {
        std::cerr << "compare operand: " << selector.size() << '\n'
                  << "operand: " << op.size() << '\n'
                  << operands[i].pretty() << '\n';
        throw "size of compare operand does not match";
      }
      first = prop.land(prop.lnot(matched), bv_utils.equal(selector, op));
      matched = prop.lor(matched, first);
    }
    else
    {
      if(op.size() != width)
        throw_value_width(width, op, operands[i]);
      prop.l_set_to(prop.limplies(first, bv_utils.equal(bv, op)), true);
    }
  }
  return false;
}

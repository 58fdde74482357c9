#include "flattening/boolbv.h"

#include "expr_algorithms/arith_tools.h"
#include "util/invariant.h"
#include "util/mp_arith.h"

literalt boolbvt::convert_extractbit(const exprt &expr)
{
  if(expr.operands().size() != 2)
    throw "extractbit takes two operands";
  bvt src;
  if(convert_cached(expr.op0(), src) || expr.op0().type().id() == ID_verilogbv)
    return prop_convt::convert_rest(expr);

  mp_integer position;
  if(!expr_to_integer(expr.op1(), position))
  {
    if(position.is_negative() || position >= mp_integer(src.size()))
      throw "extractbit: second operand out of range";
    return src[static_cast<std::size_t>(integer_to_unsigned(position))];
  }

  // A variable position: l is bit i wherever the position is i; outside
  // the vector l is free.
  INVARIANT(prop.has_set_to());
  const literalt l = prop.new_variable();
  for(std::size_t i = 0; i < src.size(); ++i)
  {
    literalt at_i;
    if(position_literal(expr.op1(), mp_integer(i), at_i))
      continue;
    prop.l_set_to(prop.limplies(at_i, prop.lequal(l, src[i])), true);
  }
  return l;
}

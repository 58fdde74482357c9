#include "flattening/boolbv.h"

bool boolbvt::convert_if(const exprt &expr, bvt &bv)
{
  unsigned width;
  if(get_width(expr.type(), width))
    return true;
  if(expr.operands().size() != 3)
    throw "if takes three operands";
  const literalt condition = convert(expr.op0());
  bvt then_bits, else_bits;
  if(
    convert_cached(expr.op1(), then_bits) ||
    convert_cached(expr.op2(), else_bits))
    return true;
  if(then_bits.size() != width || else_bits.size() != width)
    return true;
  bv = bv_utils.bv_if(condition, then_bits, else_bits);
  return false;
}

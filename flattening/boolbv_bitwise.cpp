#include "flattening/boolbv.h"

bool boolbvt::convert_bitwise(const exprt &expr, bvt &bv)
{
  unsigned width;
  if(get_width(expr.type(), width))
    return true;
  const dstring &id = expr.id();

  if(id == ID_bitnot)
  {
    if(expr.operands().size() != 1)
      throw "bitnot takes one operand";
    bvt op;
    if(convert_cached(expr.op0(), op))
      return true;
    if(op.size() != width)
      throw "convert_bitwise: unexpected operand width";
    bv.resize(width);
    for(unsigned i = 0; i < width; ++i)
      bv[i] = prop.lnot(op[i]);
    return false;
  }

  if(id != ID_bitand && id != ID_bitor && id != ID_bitxor)
    throw "unexpected bitwise operand";

  // Start from the neutral element, so that no operands give it.
  bv.assign(width, const_literal(id == ID_bitand));
  for(const exprt &operand : expr.operands())
  {
    bvt op;
    if(convert_cached(operand, op))
      return true;
    if(op.size() != width)
      throw "convert_bitwise: unexpected operand width";
    for(unsigned i = 0; i < width; ++i)
      bv[i] = id == ID_bitand  ? prop.land(bv[i], op[i])
              : id == ID_bitor ? prop.lor(bv[i], op[i])
                               : prop.lxor(bv[i], op[i]);
  }
  return false;
}

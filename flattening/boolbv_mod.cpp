#include "flattening/boolbv.h"

bool boolbvt::convert_mod(const exprt &expr, bvt &bv)
{
  const typet &type = expr.type();
  if(type.id() != "unsignedbv" && type.id() != "signedbv")
    return true;
  unsigned width;
  if(get_width(type, width))
    return true;
  if(expr.operands().size() != 2)
    throw "mod takes two operands";
  if(expr.op0().type().id() != type.id() || expr.op1().type().id() != type.id())
    return true;

  bvt a, b;
  if(convert_cached(expr.op0(), a) || convert_cached(expr.op1(), b))
    return true;
  if(a.size() != width || b.size() != width)
    throw "convert_mod: unexpected operand width";

  // A value of no bits has no sign to read and nothing to compute.
  if(width == 0)
  {
    bv.clear();
    return false;
  }
  bvt quotient;
  bv_utils.divider(a, b, quotient, bv, type.id() == "signedbv");
  return false;
}

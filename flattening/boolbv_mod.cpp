#include "flattening/boolbv.h"

bool boolbvt::convert_mod(const exprt &expr, bvt &bv)
{
  const typet &type = expr.type();
  if(type.id() != ID_unsignedbv && type.id() != ID_signedbv)
    return true;
  unsigned width;
  if(get_width(type, width))
    return true;
  bvt a, b;
  if(convert_divider_operands(
       expr,
       width,
       "mod takes two operands",
       "convert_mod: unexpected operand width",
       a,
       b))
    return true;

  // A value of no bits has no sign to read and nothing to compute.
  if(width == 0)
  {
    bv.clear();
    return false;
  }
  bvt quotient;
  bv_utils.divider(a, b, quotient, bv, type.id() == ID_signedbv);
  return false;
}

#include "flattening/boolbv.h"

bool boolbvt::convert_shift(const exprt &expr, bvt &bv)
{
  const typet &type = expr.type();
  if(type.id() != ID_unsignedbv && type.id() != ID_signedbv)
    return true;
  unsigned width;
  if(get_width(type, width))
    return true;
  if(width == 0)
    throw "zero length bit vector type: " + type.to_string();
  if(expr.operands().size() != 2)
    throw "shifting takes two operands";

  bvt distance;
  if(convert_cached(expr.op0(), bv) || convert_cached(expr.op1(), distance))
    return true;
  if(bv.size() != width)
    throw "convert_shift: unexpected operand width";

  // The distance is unsigned, of any width; one of the width or more
  // shifts every bit out.
  const dstring &id = expr.id();
  bv_utilst::shiftt kind;
  if(id == ID_shl)
    kind = bv_utilst::SHIFT_LEFT;
  else if(id == ID_ashr)
    kind = bv_utilst::SHIFT_ARITHMETIC_RIGHT;
  else if(id == ID_lshr)
    kind = bv_utilst::SHIFT_LOGICAL_RIGHT;
  else
    throw "unexpected operand";
  bv_utils.shifter(kind, bv, distance);
  return false;
}

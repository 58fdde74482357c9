#include "flattening/boolbv.h"

#include <iostream>

bool boolbvt::convert_add_sub(const exprt &expr, bvt &bv)
{
  const typet &type = expr.type();
  unsigned width;
  if(get_width(type, width))
    return true;
  const dstring &type_id = type.id();
  if(
    type_id != ID_unsignedbv && type_id != ID_signedbv &&
    type_id != ID_fixedbv && type_id != ID_range)
    return true;

  const exprt::operandst &operands = expr.operands();
  if(operands.empty())
    throw "operand " + expr.id().as_string() + " takes at least one operand";

  const dstring &id = expr.id();
  const bool subtract = id == ID_minus || id == ID_no_overflow_minus;
  const bool no_overflow = id == ID_no_overflow_plus ||
                           id == ID_no_overflow_minus;
  const bool is_signed = type_id == ID_signedbv || type_id == ID_fixedbv;

  for(std::size_t i = 0; i < operands.size(); ++i)
  {
    // The type is checked before the operand is converted.
    if(operands[i].type() != type)
    {
      std::cerr << expr.pretty() << '\n';
      throw "add/sub with mixed types";
    }
    bvt op;
    if(convert_cached(operands[i], op))
      return true;
    if(op.size() != width)
      throw "convert_add_sub: unexpected operand width";
    if(i == 0)
      bv = op;
    else if(no_overflow && width != 0) // no top bit to test at width 0
      bv_utils.adder_no_overflow(bv, op, subtract, is_signed);
    else
      bv_utils.add_sub(bv, op, subtract);
  }
  return false;
}

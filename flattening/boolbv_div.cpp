#include "flattening/boolbv.h"

#include "flattening/fixedbv_fraction.h"

bool boolbvt::convert_div(const exprt &expr, bvt &bv)
{
  const typet &type = expr.type();
  if(
    type.id() != "unsignedbv" && type.id() != "signedbv" &&
    type.id() != "fixedbv")
    return true;
  unsigned width;
  if(get_width(type, width))
    return true;
  if(expr.operands().size() != 2)
    throw "division takes two operands";
  if(expr.op0().type().id() != type.id() || expr.op1().type().id() != type.id())
    return true;

  bvt a, b;
  if(convert_cached(expr.op0(), a) || convert_cached(expr.op1(), b))
    return true;
  if(a.size() != width || b.size() != width)
    throw "convert_div: unexpected operand width";

  // A value of no bits has no sign to read and nothing to compute.
  if(width == 0)
  {
    bv.clear();
    return false;
  }
  bvt quotient, remainder;
  if(type.id() == "fixedbv")
  {
    // a * 2^f / b keeps the quotient's f fraction bits.
    const unsigned fraction = fixedbv_fraction_bits(type);
    a.insert(a.begin(), fraction, const_literal(false));
    b.resize(width + fraction, b.back());
    bv_utils.divider(a, b, quotient, remainder, true);
    quotient.resize(width);
  }
  else
    bv_utils.divider(a, b, quotient, remainder, type.id() == "signedbv");
  bv = quotient;
  return false;
}

#include "flattening/boolbv.h"

#include "flattening/fixedbv_fraction.h"

bool boolbvt::convert_div(const exprt &expr, bvt &bv)
{
  const typet &type = expr.type();
  if(
    type.id() != ID_unsignedbv && type.id() != ID_signedbv &&
    type.id() != ID_fixedbv)
    return true;
  unsigned width;
  if(get_width(type, width))
    return true;
  bvt a, b;
  if(convert_divider_operands(
       expr,
       width,
       "division takes two operands",
       "convert_div: unexpected operand width",
       a,
       b))
    return true;

  // A value of no bits has no sign to read and nothing to compute.
  if(width == 0)
  {
    bv.clear();
    return false;
  }
  bvt quotient, remainder;
  if(type.id() == ID_fixedbv)
  {
    // a * 2^f / b keeps the quotient's f fraction bits.
    const unsigned fraction = fixedbv_fraction_bits(type);
    a.insert(a.begin(), fraction, const_literal(false));
    b.resize(width + fraction, b.back());
    bv_utils.divider(a, b, quotient, remainder, true);
    quotient.resize(width);
  }
  else
    bv_utils.divider(a, b, quotient, remainder, type.id() == ID_signedbv);
  bv = quotient;
  return false;
}

bool boolbvt::convert_divider_operands(
  const exprt &expr,
  unsigned width,
  const char *arity_error,
  const char *width_error,
  bvt &a,
  bvt &b)
{
  if(expr.operands().size() != 2)
    throw arity_error;
  const dstring &type_id = expr.type().id();
  if(expr.op0().type().id() != type_id || expr.op1().type().id() != type_id)
    return true;
  if(convert_cached(expr.op0(), a) || convert_cached(expr.op1(), b))
    return true;
  if(a.size() != width || b.size() != width)
    throw width_error;
  return false;
}

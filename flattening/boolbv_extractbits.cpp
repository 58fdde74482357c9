#include "flattening/boolbv.h"

#include "expr_algorithms/arith_tools.h"
#include "util/mp_arith.h"

bool boolbvt::convert_extractbits(const exprt &expr, bvt &bv)
{
  const typet &type = expr.type();
  unsigned width;
  if(get_width(type, width))
    return true;
  if(
    type.id() != ID_signedbv && type.id() != ID_unsignedbv &&
    type.id() != ID_bv)
    return true;
  if(expr.operands().size() != 3)
    throw "extractbits takes three operands";

  bvt src;
  if(convert_cached(expr.op0(), src))
    return true;
  mp_integer upper, lower;
  if(expr_to_integer(expr.op1(), upper) || expr_to_integer(expr.op2(), lower))
    return true;

  const mp_integer size(src.size());
  if(upper.is_negative() || upper >= size)
    throw "extractbits: second operand out of range: " + expr.to_string();
  if(lower.is_negative() || lower >= size)
    throw "extractbits: third operand out of range: " + expr.to_string();
  // The bounds may come in either order; both are included.
  if(upper < lower)
    std::swap(upper, lower);

  mp_integer expected = upper;
  expected -= lower;
  expected += 1;
  if(expected != mp_integer(width))
    throw "extractbits: wrong width (expected " +
      integer_to_string_base(expected, 10) + " but got " +
      std::to_string(width) + "): " + expr.to_string();

  const std::size_t from = static_cast<std::size_t>(integer_to_unsigned(lower));
  bv.assign(
    src.begin() + static_cast<std::ptrdiff_t>(from),
    src.begin() + static_cast<std::ptrdiff_t>(from + width));
  return false;
}

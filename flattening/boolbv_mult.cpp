#include "flattening/boolbv.h"

#include "flattening/fixedbv_fraction.h"

namespace
{
void sign_extend(bvt &bv, std::size_t width)
{
  const literalt sign = bv.back();
  bv.resize(width, sign);
}
} // namespace

bool boolbvt::convert_mult(const exprt &expr, bvt &bv)
{
  const typet &type = expr.type();
  unsigned width;
  if(get_width(type, width))
    return true;
  const exprt::operandst &operands = expr.operands();
  if(operands.empty())
    return true;
  const bool no_overflow = expr.id() == ID_no_overflow_mult;
  // A factor's bits; true when it cannot be converted.
  const auto convert_factor = [&](const exprt &operand, bvt &op) {
    if(operand.type() != type)
      throw "multiplication with mixed types";
    if(convert_cached(operand, op))
      return true;
    if(op.size() != width)
      throw "convert_mult: unexpected operand width";
    return false;
  };

  if(type.id() == ID_fixedbv)
  {
    if(width == 0)
    {
      // No bits: no sign to extend and no value.
      bv.clear();
      return false;
    }
    // The factors are multiplied on width + f bits, and the f extra
    // fraction bits of the product are dropped at the end.
    const unsigned fraction = fixedbv_fraction_bits(type);
    for(std::size_t i = 0; i < operands.size(); ++i)
    {
      bvt op;
      if(convert_factor(operands[i], op))
        return true;
      if(i == 0)
      {
        bv = op;
        sign_extend(bv, width + fraction);
        continue;
      }
      sign_extend(op, bv.size());
      bv_utils.multiplier(bv, op, true);
    }
    bv.erase(bv.begin(), bv.begin() + fraction);
    return false;
  }

  if(type.id() != ID_unsignedbv && type.id() != ID_signedbv)
    return true;
  const bool is_signed = type.id() == ID_signedbv;
  for(std::size_t i = 0; i < operands.size(); ++i)
  {
    bvt op;
    if(convert_factor(operands[i], op))
      return true;
    if(i == 0)
      bv = op;
    else if(no_overflow)
      bv_utils.multiplier_no_overflow(bv, op, is_signed);
    else
      bv_utils.multiplier(bv, op, is_signed);
  }
  return false;
}

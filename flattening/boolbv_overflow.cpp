#include "flattening/boolbv.h"

#include <cstdlib>

namespace
{
const std::string typecast_prefix = "overflow-typecast-";
}

literalt boolbvt::convert_overflow(const exprt &expr)
{
  const std::string &id = expr.id().as_string();
  const exprt::operandst &operands = expr.operands();

  if(
    expr.id() == ID_overflow_plus || expr.id() == ID_overflow_minus ||
    expr.id() == ID_overflow_mult)
  {
    if(operands.size() != 2)
      throw "operand " + id + " takes two operands";
    bvt a, b;
    if(convert_cached(operands[0], a) || convert_cached(operands[1], b))
      return prop_convt::convert_rest(expr);
    // Operands of no bits have no sign to compare.
    if(a.size() != b.size() || a.empty())
      return prop_convt::convert_rest(expr);

    if(expr.id() != ID_overflow_mult)
    {
      // Two's-complement overflow whatever the operand types: the
      // operands' signs agree (for "-": differ) and the result's sign
      // differs from the first operand's.
      const bool subtract = expr.id() == ID_overflow_minus;
      const literalt sign = a.back();
      literalt same = prop.lequal(a.back(), b.back());
      if(subtract)
        same = prop.lnot(same);
      literalt carry;
      bv_utils.adder(a, b, subtract, const_literal(subtract), carry, false);
      return prop.land(same, prop.lxor(a.back(), sign));
    }

    const dstring &type_id = operands[0].type().id();
    if(
      (type_id != ID_unsignedbv && type_id != ID_signedbv) ||
      operands[0].type() != operands[1].type())
      return prop_convt::convert_rest(expr);
    const bool is_signed = type_id == ID_signedbv;
    const std::size_t n = a.size();
    a.resize(2 * n, is_signed ? a.back() : const_literal(false));
    b.resize(2 * n, is_signed ? b.back() : const_literal(false));
    bv_utils.multiplier(a, b, is_signed);
    bvt upper(a.begin() + n, a.end());
    if(!is_signed)
      return prop.lor(upper);
    // The product fits n signed bits exactly when bits n - 1 to 2n - 1
    // all equal the sign bit n - 1.
    bvt differs;
    for(const literalt bit : upper)
      differs.push_back(prop.lxor(bit, a[n - 1]));
    return prop.lor(differs);
  }

  if(expr.id() == ID_overflow_unary_minus)
  {
    if(operands.size() != 1)
      throw "operand " + id + " takes one operand";
    bvt a;
    if(convert_cached(operands[0], a) || a.empty())
      return prop_convt::convert_rest(expr);
    return bv_utils.is_most_negative(a);
  }

  if(id.compare(0, typecast_prefix.size(), typecast_prefix) == 0)
  {
    const unsigned long bits =
      std::strtoul(id.c_str() + typecast_prefix.size(), nullptr, 10);
    if(operands.size() != 1)
      throw "operand " + id + " takes one operand";
    bvt a;
    if(convert_cached(operands[0], a))
      return prop_convt::convert_rest(expr);
    if(a.size() <= bits)
      throw "overflow-typecast got wrong number of bits";
    return prop.lor(
      bvt(a.begin() + static_cast<std::ptrdiff_t>(bits), a.end()));
  }

  return prop_convt::convert_rest(expr);
}

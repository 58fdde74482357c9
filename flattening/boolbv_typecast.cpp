#include "flattening/boolbv.h"
#include "flattening/fixedbv_fraction.h"

#include "util/mp_arith.h"
#include "util/std_types.h"

namespace
{
bool is_integral_kind(bv_kindt kind)
{
  return kind == BV_KIND_SIGNED || kind == BV_KIND_UNSIGNED ||
         kind == BV_KIND_C_ENUM;
}

// Whether the target's components are the source's first ones: as many
// or fewer, each of the same name and type, in order.
bool is_struct_prefix(const typet &target, const typet &source)
{
  const irept::subt &prefix = target.find("components").get_sub();
  const irept::subt &whole = source.find("components").get_sub();
  if(prefix.size() > whole.size())
    return false;
  for(std::size_t i = 0; i < prefix.size(); ++i)
    if(
      prefix[i].find("type") != whole[i].find("type") ||
      prefix[i].get("name") != whole[i].get("name"))
      return false;
  return true;
}
} // namespace

bool boolbvt::convert_typecast(const exprt &expr, bvt &bv)
{
  if(expr.operands().size() != 1)
    throw "typecast takes one operand";
  const exprt &operand = expr.op0();
  bvt op;
  if(convert_cached(operand, op))
    return true;

  const typet &type = expr.type();
  const bv_kindt target = classify_bv_type(type);
  const bv_kindt source = classify_bv_type(operand.type());
  const std::size_t n = op.size();
  unsigned width;
  if(get_width(type, width))
    return true;
  bv.clear();
  bv.reserve(width);
  if(n == 0)
    return true;

  // Widening fills with the sign of a signed source, whatever the target,
  // so that a value keeps its meaning as the simplifier reads it (the
  // 8-bit -1 becomes the 16-bit unsigned 65535).
  const bool signed_source = source == BV_KIND_SIGNED ||
                             source == BV_KIND_C_ENUM ||
                             source == BV_KIND_FIXED;
  const literalt fill = signed_source ? op[n - 1] : const_literal(false);
  const bool from_bool = operand.type().id() == ID_bool;

  if(is_integral_kind(target))
  {
    std::size_t first = 0;
    if(source == BV_KIND_FIXED)
    {
      // The integer part: the fraction is dropped.
      unsigned fraction;
      if(fixedbv_fraction_bits(operand.type(), fraction) || fraction > n)
        return true;
      first = fraction;
    }
    else if(!is_integral_kind(source) && !from_bool)
      return true;
    for(std::size_t i = 0; i < width; ++i)
      bv.push_back(first + i < n ? op[first + i] : fill);
    return false;
  }

  if(target == BV_KIND_FIXED)
  {
    unsigned target_fraction;
    if(fixedbv_fraction_bits(type, target_fraction) || target_fraction > width)
      return true;
    if(source == BV_KIND_FIXED)
    {
      unsigned source_fraction;
      if(
        fixedbv_fraction_bits(operand.type(), source_fraction) ||
        source_fraction > n)
        return true;
      // Aligned at the point: surplus low fraction bits are dropped,
      // missing ones are zero.
      bv.resize(width);
      for(unsigned k = 0; k < target_fraction; ++k)
        bv[target_fraction - 1 - k] = k < source_fraction
                                        ? op[source_fraction - 1 - k]
                                        : const_literal(false);
      for(unsigned k = 0; target_fraction + k < width; ++k)
        bv[target_fraction + k] =
          source_fraction + k < n ? op[source_fraction + k] : fill;
      return false;
    }
    if(!is_integral_kind(source) && !from_bool)
      return true;
    bv.assign(target_fraction, const_literal(false));
    for(std::size_t k = 0; target_fraction + k < width; ++k)
      bv.push_back(k < n ? op[k] : fill);
    return false;
  }

  if(target == BV_KIND_VERILOG)
  {
    // The operand's bits as the digits '1' and '0'.
    if(source != BV_KIND_UNSIGNED)
      return true;
    for(std::size_t k = 0; 2 * k < width; ++k)
    {
      bv.push_back(k < n ? op[k] : const_literal(false));
      bv.push_back(const_literal(false));
    }
    bv.resize(width);
    return false;
  }

  if(target == BV_KIND_RANGE)
  {
    if(source != BV_KIND_SIGNED && source != BV_KIND_UNSIGNED)
      return true;
    if(!string_to_integer(type.get("from").as_string(), 10).is_zero())
      return true;
    for(std::size_t i = 0; i < width; ++i)
      bv.push_back(i < n ? op[i] : fill);
    return false;
  }

  if(target == BV_KIND_BV || target == BV_KIND_FLOAT || target == BV_KIND_OTHER)
  {
    if(type.id() == ID_array)
    {
      if(n != width)
        return true;
      bv = op;
      return false;
    }
    if(
      type.id() == ID_struct && operand.type().id() == ID_struct &&
      is_struct_prefix(type, operand.type()) && width <= n)
    {
      bv.assign(op.begin(), op.begin() + width);
      return false;
    }
  }
  return true;
}

literalt boolbvt::convert_typecast_to_bool(const exprt &expr)
{
  bvt op;
  if(
    expr.operands().size() != 1 || convert_cached(expr.op0(), op) ||
    op.empty())
    return prop_convt::convert_rest(expr);
  return prop.lor(op);
}

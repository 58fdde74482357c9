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

// The converted operand of a cast, with what every target reads of it.
struct cast_sourcet
{
  const typet &type;
  bv_kindt kind;
  const bvt &bits;
  // The bit that widens it: its sign bit for a signed source, whatever the
  // target, so that a value keeps its meaning as the simplifier reads it
  // (the 8-bit -1 becomes the 16-bit unsigned 65535); zero otherwise.
  literalt fill;

  bool is_integral_or_bool() const
  {
    return is_integral_kind(kind) || type.id() == ID_bool;
  }
};

// Each cast below writes the target's `width` bits into the empty bv, or
// returns true when it does not convert that source.

bool cast_to_integral(const cast_sourcet &source, unsigned width, bvt &bv)
{
  const bvt &op = source.bits;
  std::size_t first = 0;
  if(source.kind == BV_KIND_FIXED)
  {
    // The integer part: the fraction is dropped.
    unsigned fraction;
    if(fixedbv_fraction_bits(source.type, fraction) || fraction > op.size())
      return true;
    first = fraction;
  }
  else if(!source.is_integral_or_bool())
    return true;
  for(std::size_t i = 0; i < width; ++i)
    bv.push_back(first + i < op.size() ? op[first + i] : source.fill);
  return false;
}

// Aligned at the point: surplus low fraction bits are dropped, missing
// ones are zero.
bool cast_fixedbv_to_fixedbv(
  const cast_sourcet &source, unsigned target_fraction, unsigned width, bvt &bv)
{
  const bvt &op = source.bits;
  const std::size_t n = op.size();
  unsigned source_fraction;
  if(fixedbv_fraction_bits(source.type, source_fraction) || source_fraction > n)
    return true;
  bv.resize(width);
  for(unsigned k = 0; k < target_fraction; ++k)
    bv[target_fraction - 1 - k] =
      k < source_fraction ? op[source_fraction - 1 - k] : const_literal(false);
  for(unsigned k = 0; target_fraction + k < width; ++k)
    bv[target_fraction + k] = source_fraction + k < n ? op[source_fraction + k]
                                                      : source.fill;
  return false;
}

bool cast_to_fixedbv(
  const typet &type, const cast_sourcet &source, unsigned width, bvt &bv)
{
  unsigned target_fraction;
  if(fixedbv_fraction_bits(type, target_fraction) || target_fraction > width)
    return true;
  if(source.kind == BV_KIND_FIXED)
    return cast_fixedbv_to_fixedbv(source, target_fraction, width, bv);
  if(!source.is_integral_or_bool())
    return true;
  const bvt &op = source.bits;
  bv.assign(target_fraction, const_literal(false));
  for(std::size_t k = 0; target_fraction + k < width; ++k)
    bv.push_back(k < op.size() ? op[k] : source.fill);
  return false;
}

// The operand's bits as the digits '1' and '0'.
bool cast_to_verilog(const cast_sourcet &source, unsigned width, bvt &bv)
{
  if(source.kind != BV_KIND_UNSIGNED)
    return true;
  const bvt &op = source.bits;
  for(std::size_t k = 0; 2 * k < width; ++k)
  {
    bv.push_back(k < op.size() ? op[k] : const_literal(false));
    bv.push_back(const_literal(false));
  }
  bv.resize(width);
  return false;
}

bool cast_to_range(
  const typet &type, const cast_sourcet &source, unsigned width, bvt &bv)
{
  if(source.kind != BV_KIND_SIGNED && source.kind != BV_KIND_UNSIGNED)
    return true;
  if(!string_to_integer(type.get("from").as_string(), 10).is_zero())
    return true;
  const bvt &op = source.bits;
  for(std::size_t i = 0; i < width; ++i)
    bv.push_back(i < op.size() ? op[i] : source.fill);
  return false;
}

// Arrays of the same width keep the bits; a structure keeps those of the
// components it shares as a prefix.
bool cast_to_aggregate(
  const typet &type, const cast_sourcet &source, unsigned width, bvt &bv)
{
  const bvt &op = source.bits;
  if(type.id() == ID_array)
  {
    if(op.size() != width)
      return true;
    bv = op;
    return false;
  }
  if(
    type.id() == ID_struct && source.type.id() == ID_struct &&
    is_struct_prefix(type, source.type) && width <= op.size())
  {
    bv.assign(op.begin(), op.begin() + width);
    return false;
  }
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
  unsigned width;
  if(get_width(type, width))
    return true;
  bv.clear();
  bv.reserve(width);
  if(op.empty())
    return true;

  const bv_kindt source_kind = classify_bv_type(operand.type());
  const bool signed_source = source_kind == BV_KIND_SIGNED ||
                             source_kind == BV_KIND_C_ENUM ||
                             source_kind == BV_KIND_FIXED;
  const cast_sourcet source{
    operand.type(),
    source_kind,
    op,
    signed_source ? op.back() : const_literal(false)};

  switch(classify_bv_type(type))
  {
  case BV_KIND_SIGNED:
  case BV_KIND_UNSIGNED:
  case BV_KIND_C_ENUM:
    return cast_to_integral(source, width, bv);
  case BV_KIND_FIXED:
    return cast_to_fixedbv(type, source, width, bv);
  case BV_KIND_VERILOG:
    return cast_to_verilog(source, width, bv);
  case BV_KIND_RANGE:
    return cast_to_range(type, source, width, bv);
  case BV_KIND_BV:
  case BV_KIND_FLOAT:
  case BV_KIND_OTHER:
    return cast_to_aggregate(type, source, width, bv);
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

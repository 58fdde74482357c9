#include "flattening/boolbv.h"

#include "expr_algorithms/arith_tools.h"
#include "util/mp_arith.h"

namespace
{
// The first bit of byte k of an operand of n bytes.
std::size_t byte_start(std::size_t k, std::size_t n, bool little_endian)
{
  return 8 * (little_endian ? k : n - 1 - k);
}
} // namespace

bool boolbvt::convert_byte_extract(const exprt &expr, bvt &bv)
{
  if(expr.operands().size() != 2)
    throw "byte_extract takes two operands";
  const dstring &id = expr.id();
  if(id != ID_byte_extract_little_endian && id != ID_byte_extract_big_endian)
    return true;
  const bool little_endian = id == ID_byte_extract_little_endian;
  const exprt &offset = expr.op1();

  mp_integer constant_offset;
  if(!expr_to_integer(offset, constant_offset))
    return convert_byte_extract_constant(
      expr.op0(), constant_offset, bv, little_endian);

  bvt bytes;
  if(convert_cached(expr.op0(), bytes))
    return true;
  const std::size_t n = bytes.size() / 8;
  if(n == 0)
    throw "byte_extract expects at least one byte as operand";

  if(prop.has_set_to())
  {
    bv.resize(8);
    for(literalt &bit : bv)
      bit = prop.new_variable();
    for(std::size_t k = 0; k < n; ++k)
    {
      literalt at_k;
      if(position_literal(offset, mp_integer(k), at_k))
        continue;
      const std::size_t start = byte_start(k, n, little_endian);
      bvt equal_bits(8);
      for(std::size_t j = 0; j < 8; ++j)
        equal_bits[j] = prop.lequal(bv[j], bytes[start + j]);
      prop.l_set_to(prop.limplies(at_k, prop.land(equal_bits)), true);
    }
    return false;
  }

  const std::size_t first = byte_start(0, n, little_endian);
  bv.assign(
    bytes.begin() + static_cast<std::ptrdiff_t>(first),
    bytes.begin() + static_cast<std::ptrdiff_t>(first + 8));
  for(std::size_t k = 1; k < n; ++k)
  {
    literalt at_k;
    if(position_literal(offset, mp_integer(k), at_k))
      continue;
    const std::size_t start = byte_start(k, n, little_endian);
    for(std::size_t j = 0; j < 8; ++j)
      bv[j] = prop.lselect(at_k, bytes[start + j], bv[j]);
  }
  return false;
}

bool boolbvt::convert_byte_extract_constant(
  const exprt &operand, const mp_integer &offset, bvt &bv, bool little_endian)
{
  bvt bytes;
  if(convert_cached(operand, bytes))
    return true;
  bv.resize(8);
  const std::size_t n = bytes.size() / 8;
  // Outside the operand (or under a whole byte) the byte is free.
  if(offset.is_negative() || offset >= mp_integer(n))
  {
    for(literalt &bit : bv)
      bit = prop.new_variable();
    return false;
  }
  const std::size_t start = byte_start(
    static_cast<std::size_t>(integer_to_unsigned(offset)), n, little_endian);
  for(std::size_t j = 0; j < 8; ++j)
    bv[j] = bytes[start + j];
  return false;
}

#include "flattening/boolbv.h"

#include "expr_algorithms/arith_tools.h"
#include "util/mp_arith.h"

#include <iostream>
#include <limits>

bool boolbvt::convert_index(const exprt &expr, bvt &bv)
{
  if(expr.id() != ID_index)
    throw "expected index expression";
  if(expr.operands().size() != 2)
    throw "index takes two operands";
  const exprt &array = expr.op0();
  const exprt &index = expr.op1();
  const typet &array_type = array.type();
  if(array_type.id() != ID_array)
    return true;

  if(treat_as_unbounded_array(array_type))
  {
    // The read gets bits of its own; the array theory relates the reads.
    if(free_bits_for(expr, bv))
      return true;
    record_function_application(expr);
    if(array.id() == ID_symbol)
      symbol_map_entry(array.get("identifier"), array_type);
    // Only cached, so that the index's value can be read back.
    bvt index_bits;
    convert_cached(index, index_bits);
    return false;
  }

  mp_integer constant_index;
  if(!expr_to_integer(index, constant_index))
    return convert_index_constant(array, constant_index, bv);

  unsigned width;
  if(get_width(expr.type(), width))
    return true;
  const exprt &size_expr = static_cast<const exprt &>(array_type.find("size"));
  mp_integer size;
  if(expr_to_integer(size_expr, size))
  {
    std::cout << size_expr.pretty() << '\n';
    throw "failed to convert array size";
  }
  bvt elements;
  if(convert_cached(array, elements))
    return true;
  mp_integer expected_bits = size;
  expected_bits *= width;
  if(expected_bits != mp_integer(elements.size()))
    throw "unexpected array size";
  const std::size_t n = static_cast<std::size_t>(integer_to_unsigned(size));

  if(prop.has_set_to() || n == 0)
  {
    // An index outside the array (or an array of no elements) leaves the
    // read free.
    bv.resize(width);
    for(literalt &bit : bv)
      bit = prop.new_variable();
    for(std::size_t i = 0; i < n; ++i)
    {
      if(integer_to_expr(mp_integer(i), index.type()).is_nil())
        throw "number conversion failed (1)";
      literalt at_i;
      if(position_literal(index, mp_integer(i), at_i))
        continue;
      bvt equal_bits(width);
      for(unsigned j = 0; j < width; ++j)
        equal_bits[j] = prop.lequal(bv[j], elements[i * width + j]);
      prop.l_set_to(prop.limplies(at_i, prop.land(equal_bits)), true);
    }
    return false;
  }

  // Without constraints, a chain of selections; an index outside the
  // array reads element 0.
  bv.assign(elements.begin(), elements.begin() + width);
  for(std::size_t i = 1; i < n; ++i)
  {
    literalt at_i;
    if(position_literal(index, mp_integer(i), at_i))
      continue;
    for(unsigned j = 0; j < width; ++j)
      bv[j] = prop.lselect(at_i, elements[i * width + j], bv[j]);
  }
  return false;
}

bool boolbvt::convert_index_constant(
  const exprt &array, const mp_integer &index, bvt &bv)
{
  const typet &array_type = array.type();
  if(array_type.id() != ID_array)
    return true;
  unsigned width;
  if(get_width(array_type.subtype(), width))
    return true;
  bv.resize(width);

  mp_integer offset_value = index;
  offset_value *= width;
  mp_integer end = offset_value;
  end += width;
  // Below 0, or beyond what a bit number can hold, there are no bits of
  // the array to read (and none to alias).
  if(
    index.is_negative() ||
    end > mp_integer(std::numeric_limits<unsigned>::max()))
  {
    for(literalt &bit : bv)
      bit = prop.new_variable();
    return false;
  }

  if(array.id() == ID_symbol)
  {
    // Bits beyond the end are the symbol's too: the same read gives the
    // same bits.
    const unsigned offset =
      static_cast<unsigned>(integer_to_unsigned(offset_value));
    for(unsigned j = 0; j < width; ++j)
      bv[j] =
        symbol_bit_literal(array.get("identifier"), offset + j, array_type);
    return false;
  }

  bvt elements;
  if(convert_cached(array, elements))
    return true;
  if(end <= mp_integer(elements.size()))
  {
    const std::size_t offset =
      static_cast<std::size_t>(integer_to_unsigned(offset_value));
    for(unsigned j = 0; j < width; ++j)
      bv[j] = elements[offset + j];
  }
  else
    for(literalt &bit : bv)
      bit = prop.new_variable();
  return false;
}

// "with": functional updates, applied pair by pair from the left, each
// step dispatched on the type of the updated value.

#include "flattening/boolbv.h"

#include "expr_algorithms/arith_tools.h"
#include "util/mp_arith.h"
#include "util/std_types.h"

namespace
{
// The bits written over those of `next` from the offset on.
void overwrite(bvt &next, std::size_t offset, const bvt &bits)
{
  std::copy(
    bits.begin(),
    bits.end(),
    next.begin() + static_cast<std::ptrdiff_t>(offset));
}

// A union holds the member's bits from bit 0, and the member's number in
// the selector, its top bits.
void write_union_member(
  const typet &type, const dstring &name, const bvt &bits, bvt &next)
{
  if(bits.size() > next.size())
    throw "unexpected operand op2 width";
  overwrite(next, 0, bits);

  unsigned number;
  if(get_component_number(type, name, number))
    throw "with/union: component not found";
  const std::size_t count = type.find("components").get_sub().size();
  const std::size_t selector_bits = static_cast<std::size_t>(
    integer_to_unsigned(address_bits(static_cast<unsigned long long>(count))));
  const std::size_t width = next.size();
  for(std::size_t j = 0; j < selector_bits && j < width; ++j)
    next[width - selector_bits + j] = const_literal(((number >> j) & 1) != 0);
}
} // namespace

bool boolbvt::convert_with(const exprt &expr, bvt &bv)
{
  const exprt::operandst &operands = expr.operands();
  if(operands.size() < 3)
    throw "with takes at least three operands";
  if(operands.size() % 2 != 1)
    throw "with takes an odd number of operands";

  bvt current;
  if(convert_cached(operands[0], current))
    return true;
  unsigned width;
  if(get_width(expr.type(), width))
    return true;
  if(current.size() != width)
    throw "unexpected operand 0 width";

  for(std::size_t i = 1; i < operands.size(); i += 2)
  {
    bvt next;
    if(convert_with_type(
         operands[0].type(), operands[i], operands[i + 1], current, next))
      return true;
    current.swap(next);
  }
  bv.swap(current);
  return false;
}

bool boolbvt::convert_with_type(
  const typet &type,
  const exprt &designator,
  const exprt &value,
  const bvt &current,
  bvt &next)
{
  next.resize(current.size());
  const dstring &id = type.id();
  if(id == ID_array)
    return convert_with_array(type, designator, value, current, next);
  if(id == ID_bv || id == ID_unsignedbv || id == ID_signedbv)
    return convert_with_bv(type, designator, value, current, next);
  if(id == ID_struct || id == ID_union)
    return convert_with_member(type, designator, value, current, next);
  return true;
}

bool boolbvt::convert_with_array(
  const typet &type,
  const exprt &designator,
  const exprt &value,
  const bvt &current,
  bvt &next)
{
  // The array theory constrains updates of unbounded arrays through their
  // reads; the bits stay those of the old value.
  if(treat_as_unbounded_array(type))
  {
    next = current;
    return false;
  }
  mp_integer size;
  if(expr_to_integer(static_cast<const exprt &>(type.find("size")), size))
    return true;
  bvt element;
  if(convert_cached(value, element))
    return true;
  mp_integer expected_bits = size;
  expected_bits *= static_cast<unsigned long long>(element.size());
  if(expected_bits != mp_integer(current.size()))
    throw "unexpected operand 2 width";
  const std::size_t n = static_cast<std::size_t>(integer_to_unsigned(size));
  const std::size_t w = element.size();

  next = current;
  mp_integer position;
  if(!expr_to_integer(designator, position))
  {
    // A constant outside the array changes nothing.
    if(!position.is_negative() && position < size)
    {
      const std::size_t e =
        static_cast<std::size_t>(integer_to_unsigned(position));
      overwrite(next, e * w, element);
    }
    return false;
  }
  for(std::size_t e = 0; e < n; ++e)
  {
    literalt at_e;
    if(position_literal(designator, mp_integer(e), at_e))
      continue;
    for(std::size_t j = 0; j < w; ++j)
      next[e * w + j] = prop.lselect(at_e, element[j], current[e * w + j]);
  }
  return false;
}

bool boolbvt::convert_with_bv(
  const typet &,
  const exprt &designator,
  const exprt &value,
  const bvt &current,
  bvt &next)
{
  const literalt bit = convert(value);
  next = current;
  mp_integer position;
  if(!expr_to_integer(designator, position))
  {
    if(!position.is_negative() && position < mp_integer(current.size()))
      next[static_cast<std::size_t>(integer_to_unsigned(position))] = bit;
    return false;
  }
  for(std::size_t k = 0; k < current.size(); ++k)
  {
    literalt at_k;
    if(position_literal(designator, mp_integer(k), at_k))
      continue;
    next[k] = prop.lselect(at_k, bit, current[k]);
  }
  return false;
}

// Structure and union updates: the new value's bits, converted first,
// replace the member's; the other bits stay.
bool boolbvt::convert_with_member(
  const typet &type,
  const exprt &designator,
  const exprt &value,
  const bvt &current,
  bvt &next)
{
  next = current;
  bvt bits;
  if(convert_cached(value, bits))
    return true;
  const dstring &name = designator.get("component_name");
  if(type.id() == ID_struct)
    return write_component(type, name, value.type(), bits, next);
  write_union_member(type, name, bits, next);
  return false;
}

bool boolbvt::write_component(
  const typet &type,
  const dstring &name,
  const typet &value_type,
  const bvt &bits,
  bvt &next)
{
  const typet *component_type;
  std::size_t offset;
  unsigned component_width;
  if(locate_component(type, name, component_type, offset, component_width))
    return true;
  // No such component: the value stays as it was.
  if(component_type == nullptr)
    return false;
  if(*component_type != value_type)
    throw "with/struct: component `" + name.as_string() +
      "' type does not match: " + component_type->to_string() + " vs. " +
      value_type.to_string();
  if(bits.size() != component_width)
    throw "unexpected operand op2 width";
  overwrite(next, offset, bits);
  return false;
}

// Values read back from the back end's last model, type by type. Bits the
// conversion never created count as unknown: they read as 0 inside a
// bit-vector, and make a Boolean or a union selector unreadable (nil).

#include "flattening/boolbv.h"

#include "expr_algorithms/arith_tools.h"
#include "util/invariant.h"
#include "util/mp_arith.h"

#include <map>

namespace
{
exprt value_constant(const typet &type, const std::string &value)
{
  exprt constant("constant", type);
  constant.set("value", dstring(value));
  return constant;
}

// The constant of a bit-vector type from its digits: enumerations and
// ranges as decimal numbers, the others as the digits themselves.
exprt number_value(const typet &type, bv_kindt kind, const std::string &digits)
{
  if(kind == BV_KIND_C_ENUM)
    return value_constant(
      type, integer_to_string_base(binary_to_integer(digits, true), 10));
  if(kind == BV_KIND_RANGE)
  {
    mp_integer value = binary_to_integer(digits, false);
    value += string_to_integer(type.get("from").as_string(), 10);
    return value_constant(type, integer_to_string_base(value, 10));
  }
  return value_constant(type, digits);
}
} // namespace

tvt boolbvt::literal_value(literalt l) const
{
  // Constant literals, which back ends need not know, have plain values.
  if(l.is_constant())
    return tvt(l.is_true());
  return prop.l_get(l);
}

exprt boolbvt::get(const exprt &expr) const
{
  const dstring &id = expr.id();
  if(id == ID_symbol || id == ID_nondet_symbol)
  {
    const dstring &identifier = expr.get("identifier");
    const symbol_mapt::const_iterator found = symbol_map.find(identifier);
    if(found != symbol_map.end())
    {
      const symbol_entryt &entry = found->second;
      exprt dest;
      if(treat_as_unbounded_array(entry.type))
      {
        bv_get_array_list(identifier, entry.type, dest);
        return dest;
      }
      bvt bv(entry.width, const_literal(false));
      std::vector<bool> unknown(entry.width, true);
      for(const auto &bit : entry.bit_literals)
        if(bit.first < entry.width)
        {
          bv[bit.first] = bit.second;
          unknown[bit.first] = false;
        }
      bv_get_rec(bv, unknown, 0, entry.type, dest);
      return dest;
    }
  }
  else if(id == ID_constant)
    return expr;
  return prop_convt::get(expr);
}

void boolbvt::bv_get(const bvt &bv, const typet &type, exprt &dest) const
{
  bv_get_rec(bv, std::vector<bool>(bv.size(), false), 0, type, dest);
}

void boolbvt::bv_get_cached(const exprt &expr, exprt &dest) const
{
  if(expr.type().id() == ID_bool)
  {
    dest = get(expr);
    return;
  }
  const bv_cachet::const_iterator found = bv_cache.find(expr);
  if(found == bv_cache.end())
    dest.make_nil();
  else
    bv_get(found->second, expr.type(), dest);
}

void boolbvt::bv_get_rec(
  const bvt &bv,
  const std::vector<bool> &unknown,
  unsigned offset,
  const typet &type,
  exprt &dest) const
{
  dest.make_nil();
  unsigned width;
  if(width_of(type, width))
    return;
  INVARIANT(bv.size()==unknown.size());
  INVARIANT(bv.size()>=offset+width);

  const dstring &type_id = type.id();
  if(type_id == ID_bool)
  {
    if(!unknown[offset])
      dest.make_bool(literal_value(bv[offset]).is_true());
    return;
  }

  const bv_kindt kind = classify_bv_type(type);
  const bit_slicet slice{bv, unknown, offset, width};
  if(kind == BV_KIND_OTHER)
  {
    if(type_id == ID_array)
      bv_get_array(slice, type, dest);
    else if(type_id == ID_struct)
      bv_get_struct(slice, type, dest);
    else if(type_id == ID_union)
      bv_get_union(slice, type, dest);
    return;
  }
  dest = number_value(type, kind, bv_get_digits(slice));
}

void boolbvt::bv_get_array(
  const bit_slicet &slice, const typet &type, exprt &dest) const
{
  const typet &element_type = type.subtype();
  unsigned element_width;
  if(width_of(element_type, element_width))
    return;
  dest = exprt("array", type);
  // Elements of no bits cannot be told apart: such an array reads as one
  // without elements.
  if(element_width == 0)
    return;
  for(unsigned k = 0; k < slice.width; k += element_width)
  {
    exprt element;
    bv_get_rec(
      slice.bv, slice.unknown, slice.offset + k, element_type, element);
    dest.move_to_operands(element);
  }
}

void boolbvt::bv_get_struct(
  const bit_slicet &slice, const typet &type, exprt &dest) const
{
  exprt result("struct", type);
  unsigned running = 0;
  for(const irept &component : type.find("components").get_sub())
  {
    const typet &component_type =
      static_cast<const typet &>(component.find("type"));
    exprt value;
    unsigned component_width;
    if(!width_of(component_type, component_width))
    {
      bv_get_rec(
        slice.bv, slice.unknown, slice.offset + running, component_type, value);
      running += component_width;
    }
    result.move_to_operands(value);
  }
  dest.swap(result);
}

// The selector, the number of the component, sits in the top bits.
void boolbvt::bv_get_union(
  const bit_slicet &slice, const typet &type, exprt &dest) const
{
  const irept::subt &components = type.find("components").get_sub();
  const unsigned selector_bits = static_cast<unsigned>(integer_to_unsigned(
    address_bits(static_cast<unsigned long long>(components.size()))));
  if(selector_bits > slice.width)
    return;
  const unsigned first = slice.offset + slice.width - selector_bits;
  unsigned long long number = 0;
  for(unsigned j = 0; j < selector_bits; ++j)
  {
    if(slice.unknown[first + j])
      return;
    if(literal_value(slice.bv[first + j]).is_true())
      number |= 1ULL << j;
  }
  if(number >= components.size())
    return;
  const irept &component = components[number];
  exprt value;
  bv_get_rec(
    slice.bv,
    slice.unknown,
    slice.offset,
    static_cast<const typet &>(component.find("type")),
    value);
  exprt result("union", type);
  result.set("component_name", component.get("name"));
  result.move_to_operands(value);
  dest.swap(result);
}

std::string boolbvt::bv_get_digits(const bit_slicet &slice) const
{
  std::string digits(slice.width, '0');
  for(unsigned i = 0; i < slice.width; ++i)
  {
    const unsigned bit = slice.offset + i;
    if(!slice.unknown[bit] && literal_value(slice.bv[bit]).is_true())
      digits[slice.width - 1 - i] = '1';
  }
  return digits;
}

void boolbvt::bv_get_array_list(
  const dstring &identifier,
  const typet &type,
  exprt &dest) const
{
  dest.make_nil();
  const exprt size_value = get(static_cast<const exprt &>(type.find("size")));
  mp_integer size;
  if(size_value.is_nil() || expr_to_integer(size_value, size) ||
     size.is_negative())
    return;

  exprt array("symbol", type);
  array.set("identifier", identifier);
  const auto reads = function_applications.find(array);
  if(reads == function_applications.end())
    return;

  // A later read of the same index replaces an earlier one.
  std::map<mp_integer, exprt> values;
  for(const exprt &read : reads->second)
  {
    if(read.id() != ID_index)
      continue;
    if(read.operands().size() != 2)
      throw "index expected to have two operands";
    if(read.op0() != array)
      throw "unexpected function application in function map";
    exprt value;
    bv_get_cached(read, value);
    // A compound index has no symbol of its own: its value is read from
    // the bits it was converted to.
    exprt index_value = get(read.op1());
    if(index_value.is_nil())
      bv_get_cached(read.op1(), index_value);
    mp_integer index;
    if(
      value.is_nil() || index_value.is_nil() ||
      expr_to_integer(index_value, index) || index.is_negative() ||
      index >= size)
      continue;
    values[index] = value;
  }

  if(size <= 100)
  {
    const std::size_t count =
      static_cast<std::size_t>(integer_to_unsigned(size));
    exprt result("array", type);
    result.type().add("size") = size_value;
    result.operands().assign(count, exprt("unknown"));
    for(const auto &entry : values)
      result.operands()[integer_to_unsigned(entry.first)] = entry.second;
    dest.swap(result);
    return;
  }

  exprt result("array-list", type);
  result.type().add("size").id(dstring(integer_to_string_base(size, 10)));
  for(const auto &entry : values)
  {
    exprt index = integer_to_expr(entry.first, size_value.type());
    exprt value = entry.second;
    result.move_to_operands(index, value);
  }
  dest.swap(result);
}

// Aggregate values from the bits of their parts. Layouts, bit 0 lowest:
// a structure holds its components in order, the first lowest, a
// component of width 0 taking no bits; a union holds the active member
// from bit 0 and the member's number in its top address_bits(components)
// bits; an array holds element i at bits i*w to i*w + w - 1.

#include "flattening/boolbv.h"

#include "expr_algorithms/arith_tools.h"
#include "expr_algorithms/lambda.h"
#include "util/mp_arith.h"
#include "util/std_types.h"

namespace
{
// The array type's constant size; true when it has none.
bool constant_size(const typet &type, mp_integer &size)
{
  return expr_to_integer(static_cast<const exprt &>(type.find("size")), size);
}

void copy_bits(const bvt &from, bvt &to, std::size_t offset)
{
  for(std::size_t j = 0; j < from.size(); ++j)
    to[offset + j] = from[j];
}
} // namespace

bool boolbvt::convert_struct(const exprt &expr, bvt &bv)
{
  const typet &type = expr.type();
  unsigned width;
  if(type.id() != ID_struct || get_width(type, width))
    return true;
  const irept::subt &components = type.find("components").get_sub();
  const exprt::operandst &operands = expr.operands();
  if(operands.size() != components.size())
    throw "struct: wrong number of arguments";

  bv.resize(width);
  std::size_t offset = 0;
  for(std::size_t i = 0; i < components.size(); ++i)
  {
    const typet &component_type =
      static_cast<const typet &>(components[i].find("type"));
    if(component_type != operands[i].type())
      throw "struct: component type does not match: " +
        component_type.to_string() + " vs. " + operands[i].type().to_string();
    unsigned component_width;
    if(get_width(component_type, component_width))
      return true;
    if(component_width == 0)
      continue;
    bvt component;
    if(convert_cached(operands[i], component))
      return true;
    copy_bits(component, bv, offset);
    offset += component_width;
  }
  INVARIANT(offset==width);
  return false;
}

bool boolbvt::convert_union_value(const exprt &expr, bvt &bv)
{
  const typet &type = expr.type();
  unsigned width;
  if(get_width(type, width))
    return true;
  if(expr.operands().size() != 1)
    throw "union: wrong number of arguments";
  bvt member;
  if(convert_cached(expr.op0(), member))
    return true;
  if(member.size() > width)
    throw "union: unexpected operand op width";

  // The bits between the member and its number are not part of the value;
  // they are fixed so that they carry no freedom.
  bv.assign(width, const_literal(false));
  copy_bits(member, bv, 0);

  unsigned number;
  if(get_component_number(type, expr.get("component_name"), number))
    throw "union: component not found";
  const std::size_t count = type.find("components").get_sub().size();
  const unsigned selector_bits = static_cast<unsigned>(
    integer_to_unsigned(address_bits(static_cast<unsigned long long>(count))));
  for(unsigned j = 0; j < selector_bits && j < width; ++j)
    bv[width - selector_bits + j] = const_literal(((number >> j) & 1) != 0);
  return false;
}

bool boolbvt::convert_array(const exprt &expr, bvt &bv)
{
  unsigned width;
  if(get_width(expr.type(), width))
    return true;
  bv.resize(width);
  if(expr.type().id() != ID_array)
    return true;
  return convert_array_elements(
    expr.operands(), "convert_array: unexpected operand width", bv);
}

bool boolbvt::convert_array_elements(
  const exprt::operandst &operands, const char *width_error, bvt &bv)
{
  // Without elements there is no element width to divide by: only an
  // array of no bits is such a value.
  if(operands.empty())
    return !bv.empty();
  const std::size_t element_width = bv.size() / operands.size();
  std::size_t offset = 0;
  for(const exprt &operand : operands)
  {
    bvt element;
    if(convert_cached(operand, element))
      return true;
    if(element.size() != element_width)
      throw width_error;
    copy_bits(element, bv, offset);
    offset += element_width;
  }
  return false;
}

bool boolbvt::convert_array_of(const exprt &expr, bvt &bv)
{
  if(expr.operands().size() != 1)
    throw "array_of takes one operand";
  const typet &type = expr.type();
  unsigned width;
  mp_integer size;
  if(
    type.id() != ID_array || treat_as_unbounded_array(type) ||
    get_width(type, width) || constant_size(type, size))
    return true;

  bvt element;
  if(convert_cached(expr.op0(), element))
    return true;
  bv.resize(width);
  mp_integer total = size;
  total *= static_cast<unsigned long long>(element.size());
  for(mp_integer i = 0; i < size; i += 1)
  {
    if(total != width)
      throw "convert_array_of: unexpected operand width";
    copy_bits(element, bv, integer_to_unsigned(i) * element.size());
  }
  return false;
}

bool boolbvt::convert_lambda(const exprt &expr, bvt &bv)
{
  const typet &type = expr.type();
  unsigned width;
  if(get_width(type, width))
    return true;
  if(expr.operands().size() != 2)
    throw "lambda takes two operands";
  mp_integer size;
  if(type.id() != ID_array || constant_size(type, size))
    return true;

  bv.resize(width);
  const exprt &variable = expr.op0();
  for(mp_integer i = 0; i < size; i += 1)
  {
    const exprt index = integer_to_expr(i, variable.type());
    if(index.is_nil())
      return true;
    exprt element = expr.op1();
    replace_bound_variables({{variable, index}}, element);
    bvt element_bits;
    if(convert_cached(element, element_bits))
      return true;
    mp_integer total = size;
    total *= static_cast<unsigned long long>(element_bits.size());
    if(total != width)
      throw "convert_lambda: unexpected operand width";
    copy_bits(element_bits, bv, integer_to_unsigned(i) * element_bits.size());
  }
  return false;
}

bool boolbvt::convert_constraint_select_one(const exprt &expr, bvt &bv)
{
  if(expr.id() != ID_constraint_select_one)
    throw "expected constraint_select_one expression";
  const exprt::operandst &operands = expr.operands();
  if(operands.size() < 2)
    throw "constraint_select_one takes at least two operands";
  if(expr.type() != operands[0].type())
    throw "constraint_select_one expects matching types";
  // The choice is a constraint: a back end that takes none leaves the
  // value free instead.
  if(!prop.has_set_to())
    return true;

  std::vector<bvt> candidates(operands.size());
  for(std::size_t i = 0; i < operands.size(); ++i)
    if(convert_cached(operands[i], candidates[i]))
      return true;

  bv = candidates[0];
  bvt choices;
  choices.reserve(candidates.size() - 1);
  for(std::size_t i = 1; i < candidates.size(); ++i)
  {
    if(candidates[i].size() != bv.size())
      throw "constraint_select_one expects matching width";
    bvt equal_bits(bv.size());
    for(std::size_t j = 0; j < bv.size(); ++j)
      equal_bits[j] = prop.lequal(bv[j], candidates[i][j]);
    choices.push_back(prop.land(equal_bits));
  }
  prop.l_set_to(prop.lor(choices), true);
  return false;
}

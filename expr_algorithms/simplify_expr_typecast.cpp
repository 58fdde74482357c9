// The simplifier's rule for typecasts.

#include "expr_algorithms/arith_tools.h"
#include "expr_algorithms/simplify_expr.h"
#include "expr_algorithms/simplify_expr_util.h"
#include "util/expr_util.h"
#include "util/mp_arith.h"
#include "util/std_types.h"

namespace
{
bool is_bitvector(const dstring &id)
{
  return id == ID_unsignedbv || id == ID_signedbv;
}

bool is_decimal(const dstring &id)
{
  return id == ID_integer || id == ID_natural || id == ID_c_enum ||
         id == ID_incomplete_c_enum;
}

// The fraction bits of a fixed-point type of that width.
unsigned fraction_bits(const typet &type, unsigned width)
{
  if(type.get("integer_bits").empty())
    return width / 2;
  const unsigned integer_bits = static_cast<unsigned>(integer_to_unsigned(
    string_to_integer(type.get("integer_bits").as_string(), 10)));
  return integer_bits > width ? 0 : width - integer_bits;
}

exprt make_constant(const typet &type, const std::string &value)
{
  exprt constant("constant", type);
  constant.set("value", dstring(value));
  return constant;
}

// The constant of the target type, of that width, holding the operand's
// value; nil when the conversion has no entry.
exprt convert_constant(
  const exprt &operand, const typet &target, unsigned target_width)
{
  const dstring &source = operand.type().id();
  const dstring &target_id = target.id();
  const std::string &text = operand.get("value").as_string();
  exprt nil;
  nil.make_nil();

  if(is_decimal(source))
  {
    const mp_integer value = string_to_integer(text, 10);
    if(target_id == ID_bool)
      return make_constant(target, value.is_zero() ? "false" : "true");
    if(is_bitvector(target_id))
      return make_constant(target, integer_to_binary(value, target_width));
    if(target_id == ID_integer)
      return make_constant(target, text);
    if(target_id == ID_c_enum || target_id == ID_incomplete_c_enum)
      return make_constant(target, integer_to_string_base(value, 10));
    return nil;
  }
  if(source == ID_bool)
  {
    if(
      !is_bitvector(target_id) && target_id != ID_integer &&
      target_id != ID_natural)
      return nil;
    if(operand.is_true())
      return integer_to_expr(1, target);
    return zero_constant(target);
  }
  if(is_bitvector(source))
  {
    const mp_integer value = binary_to_integer(text, source == ID_signedbv);
    if(target_id == ID_bool)
    {
      exprt result;
      result.make_bool(!value.is_zero());
      return result;
    }
    if(target_id == ID_integer)
      return integer_to_expr(value, target);
    if(target_id == ID_natural)
      return value.is_negative() ? nil : integer_to_expr(value, target);
    if(is_bitvector(target_id))
      return make_constant(target, integer_to_binary(value, target_width));
    if(target_id == ID_c_enum || target_id == ID_incomplete_c_enum)
      return make_constant(target, integer_to_string_base(value, 10));
    if(target_id == ID_fixedbv)
    {
      const unsigned fraction = fraction_bits(target, target_width);
      return make_constant(
        target,
        integer_to_binary(value, target_width - fraction) +
          std::string(fraction, '0'));
    }
  }
  return nil;
}
} // namespace

bool simplify_exprt::simplify_typecast(exprt &expr, modet mode)
{
  const exprt &node = expr;
  if(node.operands().size() != 1)
    return true;
  const typet &target = expr.type();
  const exprt &operand = node.op0();

  if(operand.type() == target)
  {
    replace_by_operand(expr, 0);
    return false;
  }

  // No value has a width beyond what read_width accepts; folding or
  // comparing with zero would build a constant of that width.
  unsigned target_width, source_width;
  if(
    read_width(target, target_width) ||
    read_width(operand.type(), source_width))
    return true;

  if(target == typet("bool"))
  {
    // A cast to "bool" means: not equal to zero.
    exprt equality("=", typet("bool"));
    equality.copy_to_operands(operand, zero_constant(operand.type()));
    equality.location() = expr.location();
    simplify_node(equality, mode);
    equality.make_not();
    simplify_node(equality, mode);
    expr.swap(equality);
    return false;
  }

  if(
    target.id() == ID_pointer && operand.id() == ID_typecast &&
    operand.type().id() == ID_pointer && operand.operands().size() == 1)
  {
    exprt inner;
    inner.swap(expr.op0().op0());
    expr.op0().swap(inner);
    return false;
  }

  if(!operand.is_constant())
  {
    // Narrowing twice within one kind is narrowing once.
    if(
      operand.id() == ID_typecast && operand.operands().size() == 1 &&
      operand.type().id() == target.id() && is_bitvector(target.id()) &&
      source_width >= target_width)
    {
      exprt inner;
      inner.swap(expr.op0().op0());
      expr.op0().swap(inner);
      return false;
    }
  }
  else
  {
    exprt converted = convert_constant(operand, target, target_width);
    if(converted.is_not_nil())
    {
      expr.swap(converted);
      return false;
    }
  }

  // The low bits of a sum, difference, negation or product depend only on
  // the low bits of its operands, so a narrowing cast moves inside.
  const dstring &operand_id = operand.id();
  if(
    is_bitvector(target.id()) && is_bitvector(operand.type().id()) &&
    (operand_id == ID_plus || operand_id == ID_minus ||
     operand_id == ID_unary_minus || operand_id == ID_mult) &&
    source_width >= target_width)
  {
    const typet new_type = target;
    replace_by_operand(expr, 0);
    expr.type() = new_type;
    if(has_operand_list(expr))
      for(exprt &op : expr.operands())
      {
        op.make_typecast(new_type);
        simplify_rec(op, mode);
      }
    return false;
  }
  return true;
}

// The simplifier's rules for arrays, members, pointers and objects.

#include "expr_algorithms/arith_tools.h"
#include "expr_algorithms/lambda.h"
#include "expr_algorithms/pointer_offset_size.h"
#include "expr_algorithms/simplify_expr.h"
#include "expr_algorithms/simplify_expr_util.h"
#include "util/expr_util.h"
#include "util/mp_arith.h"
#include "util/std_types.h"

bool simplify_exprt::simplify_index(exprt &expr, modet mode)
{
  const exprt &node = expr;
  if(node.operands().size() != 2)
    return true;
  const exprt &array = node.op0();
  const exprt &index = node.op1();
  const dstring &array_id = array.id();

  if(array_id == ID_lambda)
  {
    if(array.operands().size() != 2 || array.op0().type() != index.type())
      return true;
    const bindingst bindings{{array.op0(), index}};
    exprt body;
    body.swap(expr.op0().op1());
    replace_bound_variables(bindings, body);
    expr.swap(body);
    return false;
  }

  if(array_id == ID_with)
  {
    if(array.operands().size() != 3)
      return true;
    if(array.op1() == index)
    {
      exprt value;
      value.swap(expr.op0().op2());
      expr.swap(value);
      return false;
    }
    // index(with(a, j, v), i) = if(i = j, v, index(a, i)).
    exprt &with = expr.op0();
    exprt condition("=", typet("bool"));
    condition.copy_to_operands(index, with.op1());
    exprt rest("index", expr.type());
    rest.move_to_operands(with.op0());
    rest.copy_to_operands(index);
    simplify_index(rest, mode);
    exprt result("if", expr.type());
    result.move_to_operands(condition, with.op2(), rest);
    expr.swap(result);
    return false;
  }

  if(array_id == ID_constant || array_id == ID_array)
  {
    mp_integer i;
    if(
      mode == MODE_UNDER_ADDRESS_OF || expr_to_integer(index, i) ||
      i.is_negative() || i >= array.operands().size())
      return true;
    exprt element;
    element.swap(expr.op0().operands()[integer_to_unsigned(i)]);
    expr.swap(element);
    return false;
  }

  if(array_id == ID_string_constant)
  {
    const std::string &text = array.get("value").as_string();
    mp_integer i;
    if(
      mode == MODE_UNDER_ADDRESS_OF || expr_to_integer(index, i) ||
      i.is_negative() || i > text.size())
      return true;
    const std::size_t position = integer_to_unsigned(i);
    const int code =
      position == text.size() ? 0 : static_cast<signed char>(text[position]);
    exprt character = integer_to_expr(code, expr.type());
    if(character.is_nil())
      return true;
    expr.swap(character);
    return false;
  }

  if(array_id == ID_array_of && array.operands().size() == 1)
  {
    exprt value;
    value.swap(expr.op0().op0());
    expr.swap(value);
    return false;
  }
  return true;
}

bool simplify_exprt::simplify_with(exprt &expr)
{
  const exprt &node = expr;
  if(node.operands().size() % 2 == 0)
    return true;
  bool unchanged = true;
  exprt::operandst &operands = expr.operands();
  const typet old_type = operands[0].type();
  const dstring &old_id = operands[0].id();

  if(
    old_type.id() == ID_struct &&
    (old_id == ID_struct || old_id == ID_constant))
  {
    while(operands.size() >= 3)
    {
      unsigned position;
      if(
        get_component_number(
          old_type, operands[1].get("component_name"), position) ||
        position >= operands[0].operands().size())
        return unchanged;
      operands[0].operands()[position].swap(operands[2]);
      operands.erase(operands.begin() + 1, operands.begin() + 3);
      unchanged = false;
    }
  }
  else if(
    old_type.id() == ID_array && (old_id == ID_array || old_id == ID_constant))
  {
    while(operands.size() >= 3)
    {
      mp_integer k;
      if(
        expr_to_integer(operands[1], k) || k.is_negative() ||
        k >= operands[0].operands().size() || !operands[2].is_constant())
        break;
      operands[0].operands()[integer_to_unsigned(k)].swap(operands[2]);
      operands.erase(operands.begin() + 1, operands.begin() + 3);
      unchanged = false;
    }
  }

  if(operands.size() == 1)
  {
    replace_by_operand(expr, 0);
    return false;
  }
  return unchanged;
}

bool simplify_exprt::simplify_member(exprt &expr)
{
  const exprt &node = expr;
  if(node.operands().size() != 1)
    return true;
  const dstring name = expr.get("component_name");
  const exprt &op = node.op0();

  if(op.id() == ID_with && op.operands().size() > 2)
  {
    exprt::operandst &updates = expr.op0().operands();
    // The last update of the component wins; updates of other components
    // after it do not matter.
    while(updates.size() >= 3)
    {
      const std::size_t last = updates.size() - 2;
      if(updates[last].get("component_name") == name)
      {
        exprt value;
        value.swap(updates[last + 1]);
        expr.swap(value);
        return false;
      }
      updates.erase(updates.begin() + last, updates.end());
    }
    replace_by_operand(expr.op0(), 0);
    simplify_member(expr);
    return false;
  }

  if(op.id() == ID_struct || op.id() == ID_constant)
  {
    unsigned position;
    if(
      op.type().id() != ID_struct ||
      get_component_number(op.type(), name, position) ||
      position >= op.operands().size())
      return true;
    exprt component;
    component.swap(expr.op0().operands()[position]);
    expr.swap(component);
    return false;
  }
  return true;
}

bool simplify_exprt::simplify_address_of(exprt &expr)
{
  const exprt &node = expr;
  if(
    node.operands().size() != 1 || expr.type().id() != ID_pointer ||
    node.op0().id() != ID_index || node.op0().operands().size() != 2 ||
    node.op0().op1().is_zero())
    return true;
  // &a[i] = &a[0] + i: the sum steps by the element's size.
  exprt zero = zero_constant(node.op0().op1().type());
  if(zero.is_nil())
    return true;
  exprt index;
  index.swap(expr.op0().op1());
  expr.op0().op1().swap(zero);
  exprt sum("+", expr.type());
  sum.copy_to_operands(expr);
  sum.move_to_operands(index);
  expr.swap(sum);
  return false;
}

bool simplify_exprt::simplify_dereference(exprt &expr)
{
  const exprt &node = expr;
  if(
    node.operands().size() != 1 || node.op0().type().id() != ID_pointer ||
    node.op0().id() != ID_address_of || node.op0().operands().size() != 1)
    return true;
  exprt object;
  object.swap(expr.op0().op0());
  expr.swap(object);
  return false;
}

bool simplify_exprt::simplify_pointer_offset(exprt &expr)
{
  const exprt &node = expr;
  if(
    node.operands().size() != 1 || node.op0().type().id() != ID_pointer ||
    node.op0().id() != ID_address_of || node.op0().operands().size() != 1)
    return true;
  const exprt &object = node.op0().op0();

  if(object.id() == ID_symbol)
  {
    exprt zero = zero_constant(expr.type());
    if(zero.is_nil())
      return true;
    zero.location() = expr.location();
    expr.swap(zero);
    return false;
  }
  if(
    object.id() == ID_index && object.operands().size() == 2 &&
    object.op0().id() == ID_symbol && object.op0().type().id() == ID_array)
  {
    // The offset of an element is its index times the element's size, as
    // the pointer encoding counts it; only for elements of size 1 is that
    // the index itself.
    const mp_integer size = pointer_offset_size(object.op0().type().subtype());
    if(size == 1)
    {
      exprt offset;
      offset.swap(expr.op0().op0().op1());
      expr.swap(offset);
      return false;
    }
    const dstring &type_id = expr.type().id();
    exprt factor = integer_to_expr(size, expr.type());
    if(
      (type_id != ID_unsignedbv && type_id != ID_signedbv) || factor.is_nil() ||
      size.is_zero())
      return true;
    exprt index;
    index.swap(expr.op0().op0().op1());
    if(index.type() != expr.type())
      index.make_typecast(expr.type());
    exprt product("*", expr.type());
    product.move_to_operands(index, factor);
    expr.swap(product);
    return false;
  }
  return true;
}

bool simplify_exprt::simplify_object(exprt &expr)
{
  if(expr.id() == ID_plus && expr.type().id() == ID_pointer)
  {
    const exprt &node = expr;
    std::size_t pointers = 0, position = 0;
    for(std::size_t i = 0; i < node.operands().size(); ++i)
      if(node.operands()[i].type().id() == ID_pointer)
      {
        ++pointers;
        position = i;
      }
    if(pointers != 1)
      return true;
    replace_by_operand(expr, position);
    simplify_object(expr);
    return false;
  }
  if(
    expr.id() == ID_typecast &&
    static_cast<const exprt &>(expr).operands().size() == 1 &&
    expr.op0().type().id() == ID_pointer)
  {
    replace_by_operand(expr, 0);
    simplify_object(expr);
    return false;
  }
  return true;
}

// The common shape of the four object predicates: one operand, which is
// reduced to its base pointer.
static bool simplify_object_operand(simplify_exprt &simplifier, exprt &expr)
{
  if(static_cast<const exprt &>(expr).operands().size() != 1)
    return true;
  return simplifier.simplify_object(expr.op0());
}

bool simplify_exprt::simplify_pointer_object(exprt &expr)
{
  return simplify_object_operand(*this, expr);
}

bool simplify_exprt::simplify_is_dynamic_object(exprt &expr)
{
  return simplify_object_operand(*this, expr);
}

bool simplify_exprt::simplify_dynamic_size(exprt &expr)
{
  return simplify_object_operand(*this, expr);
}

bool simplify_exprt::simplify_valid_object(exprt &expr)
{
  return simplify_object_operand(*this, expr);
}

bool simplify_exprt::simplify_switch(exprt &)
{
  return true;
}

bool simplify_exprt::simplify_lambda(exprt &)
{
  return true;
}

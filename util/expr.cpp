#include "util/expr.h"

#include "util/mp_arith.h"

const locationt &exprt::find_location() const
{
  const irept &own = find("#location");
  if(own.is_not_nil())
    return static_cast<const locationt &>(own);
  for(const exprt &op : operands())
  {
    const locationt &found = op.find_location();
    if(found.is_not_nil())
      return found;
  }
  return static_cast<const locationt &>(get_nil_irep());
}

void exprt::copy_to_operands(const exprt &a)
{
  operands().push_back(a);
}

void exprt::copy_to_operands(const exprt &a, const exprt &b)
{
  operandst &ops = operands();
  ops.reserve(ops.size() + 2);
  ops.push_back(a);
  ops.push_back(b);
}

void exprt::copy_to_operands(const exprt &a, const exprt &b, const exprt &c)
{
  operandst &ops = operands();
  ops.reserve(ops.size() + 3);
  ops.push_back(a);
  ops.push_back(b);
  ops.push_back(c);
}

static void move_into(exprt::operandst &ops, exprt &a)
{
  ops.push_back(static_cast<const exprt &>(get_nil_irep()));
  ops.back().swap(a);
}

void exprt::move_to_operands(exprt &a)
{
  move_into(operands(), a);
}

void exprt::move_to_operands(exprt &a, exprt &b)
{
  operandst &ops = operands();
  ops.reserve(ops.size() + 2);
  move_into(ops, a);
  move_into(ops, b);
}

void exprt::move_to_operands(exprt &a, exprt &b, exprt &c)
{
  operandst &ops = operands();
  ops.reserve(ops.size() + 3);
  move_into(ops, a);
  move_into(ops, b);
  move_into(ops, c);
}

bool exprt::is_true() const
{
  return is_constant() && is_boolean() && get("value") != ID_false;
}

bool exprt::is_false() const
{
  return is_constant() && is_boolean() && get("value") == ID_false;
}

void exprt::make_bool(bool value)
{
  exprt constant("constant", typet("bool"));
  constant.set("value", value ? "true" : "false");
  swap(constant);
}

void exprt::make_true()
{
  make_bool(true);
}

void exprt::make_false()
{
  make_bool(false);
}

// Replaces the expression by its single operand. The operand lives inside
// this expression's own block, so it is swapped out before the block goes.
static void replace_by_only_operand(exprt &expr)
{
  exprt operand;
  operand.swap(expr.op0());
  expr.swap(operand);
}

// Makes the expression the single operand of a new node of that kind and
// type, which takes its place.
static void wrap_into(exprt &expr, const dstring &id, const typet &type)
{
  exprt wrapper(id, type);
  wrapper.move_to_operands(expr);
  expr.swap(wrapper);
}

void exprt::make_not()
{
  if(is_true())
    make_false();
  else if(is_false())
    make_true();
  else if(id() == ID_not && operands().size() == 1)
    replace_by_only_operand(*this);
  else
  {
    const typet type_copy = static_cast<const exprt &>(*this).type();
    wrap_into(*this, "not", type_copy);
  }
}

void exprt::negate()
{
  const typet type_copy = type();
  if(type_copy.id() == ID_bool)
    make_not();
  else if(type_copy.id() != ID_integer)
    make_nil();
  else if(is_constant())
  {
    mp_integer negated;
    negated -= string_to_integer(get("value").as_string(), 10);
    set("value", dstring(integer_to_string_base(negated, 10)));
  }
  else if(id() == ID_unary_minus)
  {
    INVARIANT(operands().size()==1);
    replace_by_only_operand(*this);
  }
  else
    wrap_into(*this, "unary-", type_copy);
}

void exprt::make_typecast(const typet &type)
{
  wrap_into(*this, "typecast", type);
}

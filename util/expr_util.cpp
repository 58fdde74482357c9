#include "util/expr_util.h"

#include "util/std_types.h"

#include <string>

exprt true_expr()
{
  exprt result("constant", typet("bool"));
  result.set("value", "true");
  return result;
}

exprt false_expr()
{
  exprt result("constant", typet("bool"));
  result.set("value", "false");
  return result;
}

exprt make_unary_expr(const std::string &id, const typet &type, const exprt &a)
{
  exprt result(id, type);
  result.copy_to_operands(a);
  return result;
}

exprt make_binary_expr(
  const std::string &id,
  const typet &type,
  const exprt &a,
  const exprt &b)
{
  exprt result(id, type);
  result.copy_to_operands(a, b);
  return result;
}

exprt make_not_expr(const exprt &a)
{
  return make_unary_expr("not", typet("bool"), a);
}

exprt make_and(const exprt &a, const exprt &b)
{
  return make_binary_expr("and", typet("bool"), a, b);
}

exprt make_and(const exprt &a, const exprt &b, const exprt &c)
{
  exprt result("and", typet("bool"));
  result.copy_to_operands(a, b, c);
  return result;
}

exprt make_or(const exprt &a, const exprt &b)
{
  return make_binary_expr("or", typet("bool"), a, b);
}

exprt make_or(const exprt &a, const exprt &b, const exprt &c)
{
  exprt result("or", typet("bool"));
  result.copy_to_operands(a, b, c);
  return result;
}

exprt make_equality(const exprt &a, const exprt &b)
{
  return make_binary_expr("=", typet("bool"), a, b);
}

exprt make_implication(const exprt &a, const exprt &b)
{
  return make_binary_expr("=>", typet("bool"), a, b);
}

exprt make_index_expr(const exprt &array, const exprt &index)
{
  exprt result("index", array.type().subtype());
  result.copy_to_operands(array, index);
  return result;
}

typet make_pointer_type(const typet &subtype)
{
  typet result("pointer");
  result.subtype() = subtype;
  return result;
}

exprt make_address_of(const exprt &a)
{
  exprt result("address_of", make_pointer_type(a.type()));
  result.copy_to_operands(a);
  return result;
}

exprt make_symbol_expr(const symbolt &symbol)
{
  exprt result("symbol", symbol.type);
  result.set("identifier", symbol.name);
  return result;
}

static bool is_unbounded_number_kind(const dstring &id)
{
  return id == ID_rational || id == ID_real || id == ID_integer ||
         id == ID_natural || id == ID_complex;
}

static bool is_bitvector_number_kind(const dstring &id)
{
  return id == ID_unsignedbv || id == ID_signedbv || id == ID_floatbv;
}

exprt zero_constant(const typet &type)
{
  exprt result("constant", type);
  const dstring &id = type.id();
  if(is_unbounded_number_kind(id))
    result.set("value", "0");
  else if(is_bitvector_number_kind(id) || id == ID_fixedbv)
  {
    unsigned width;
    if(read_width(type, width))
      result.make_nil();
    else
      result.set("value", dstring(std::string(width, '0')));
  }
  else if(id == ID_bool)
    result.make_false();
  else if(id == ID_pointer)
    result.set("value", "NULL");
  else
    result.make_nil();
  return result;
}

exprt one_constant(const typet &type)
{
  exprt result("constant", type);
  const dstring &id = type.id();
  if(id == ID_bool || is_unbounded_number_kind(id))
    result.set("value", "1");
  else if(is_bitvector_number_kind(id))
  {
    unsigned width;
    if(read_width(type, width))
      result.make_nil();
    else
    {
      std::string value(width > 1 ? width - 1 : 0, '0');
      value += '1';
      result.set("value", dstring(value));
    }
  }
  else
    result.make_nil();
  return result;
}

void make_and_or_from_operands(exprt &expr, const std::string &id, bool is_and)
{
  exprt::operandst &ops = expr.operands();
  if(ops.empty())
    expr.make_bool(is_and);
  else if(ops.size() == 1)
  {
    exprt operand;
    operand.swap(ops.front());
    expr.swap(operand);
  }
  else
  {
    expr.id(id);
    expr.type() = typet("bool");
  }
}

void make_and_from_operands(exprt &expr)
{
  make_and_or_from_operands(expr, "and", true);
}

void make_or_from_operands(exprt &expr)
{
  make_and_or_from_operands(expr, "or", false);
}

void make_next_symbols(exprt &expr)
{
  if(expr.find("operands").is_not_nil())
    for(exprt &op : expr.operands())
      make_next_symbols(op);
  if(expr.id() == ID_symbol)
    expr.id("next_symbol");
}

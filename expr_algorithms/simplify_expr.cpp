#include "expr_algorithms/simplify_expr.h"

#include "expr_algorithms/arith_tools.h"
#include "expr_algorithms/simplify_expr_util.h"
#include "expr_algorithms/sort_operands.h"

bool simplify(exprt &expr)
{
  simplify_exprt simplifier;
  simplifier.normalise_if = true;
  return simplifier.simplify_rec(expr, simplify_exprt::MODE_NORMAL);
}

bool simplify_exprt::simplify(exprt &expr)
{
  return simplify_rec(expr, MODE_NORMAL);
}

bool simplify_exprt::simplify_rec(exprt &expr, modet mode)
{
  const modet operand_mode =
    expr.id() == "address_of" ? MODE_UNDER_ADDRESS_OF : mode;
  bool unchanged = true;
  if(has_operand_list(expr))
    for(exprt &op : expr.operands())
      unchanged = simplify_rec(op, operand_mode) && unchanged;
  return simplify_node(expr, mode) && unchanged;
}

bool simplify_exprt::is_commutative(const dstring &op, const dstring &type)
{
  static const char *const table[][2] = {
    {"+", "integer"},       {"+", "natural"},      {"+", "real"},
    {"+", "complex"},       {"+", "rational"},     {"+", "unsignedbv"},
    {"+", "signedbv"},      {"+", "floatbv"},      {"+", "pointer"},
    {"*", "integer"},       {"*", "natural"},      {"*", "real"},
    {"*", "complex"},       {"*", "rational"},     {"*", "unsignedbv"},
    {"*", "signedbv"},      {"*", "floatbv"},      {"and", "bool"},
    {"or", "bool"},         {"xor", "bool"},       {"bitand", "unsignedbv"},
    {"bitand", "signedbv"}, {"bitand", "floatbv"}, {"bitor", "unsignedbv"},
    {"bitor", "signedbv"},  {"bitor", "floatbv"},  {"bitxor", "unsignedbv"},
    {"bitxor", "signedbv"}, {"bitxor", "floatbv"}};
  for(const auto &row : table)
    if(op == row[0] && type == row[1])
      return true;
  return false;
}

bool simplify_exprt::flatten_and_sort_operands(exprt &expr)
{
  if(!has_operand_list(expr) || !is_commutative(expr.id(), expr.type().id()))
    return true;
  const exprt &node = expr;
  for(const exprt &op : node.operands())
    if(!is_commutative(expr.id(), op.type().id()))
      return true;

  bool unchanged = true;
  exprt::operandst &operands = expr.operands();
  for(std::size_t i = 0; i < operands.size();)
  {
    // A nested node of another type is not merged: the integer sum inside
    // a pointer sum wraps at its own width, the pointer sum does not.
    if(operands[i].id() != expr.id() || operands[i].type() != expr.type())
    {
      ++i;
      continue;
    }
    // One level per call: the inner node was flattened when it was
    // simplified, so its operands need no further look.
    exprt::operandst inner;
    inner.swap(operands[i].operands());
    operands.erase(operands.begin() + i);
    operands.insert(operands.begin() + i, inner.begin(), inner.end());
    i += inner.size();
    unchanged = false;
  }
  return sort_operands(operands) && unchanged;
}

bool simplify_exprt::collect_constant_values(
  const exprt &expr, std::set<mp_integer> &values)
{
  if(expr.is_constant())
  {
    mp_integer value;
    if(expr_to_integer(expr, value))
      return true;
    values.insert(value);
    return false;
  }
  if(expr.id() == "if" && expr.operands().size() == 3)
    return collect_constant_values(expr.op1(), values) ||
           collect_constant_values(expr.op2(), values);
  return true;
}

bool simplify_exprt::simplify_node(exprt &expr, modet mode)
{
  if(!has_operand_list(expr))
    return true;
  const bool sorted = flatten_and_sort_operands(expr);
  const dstring id = expr.id();
  bool rule = true;

  if(id == "typecast")
    rule = simplify_typecast(expr, mode);
  else if(
    id == "=" || id == "notequal" || id == ">" || id == "<" || id == ">=" ||
    id == "<=")
    rule = simplify_relation(expr, mode);
  else if(id == "if")
    rule = simplify_if(expr);
  else if(id == "lambda")
    rule = simplify_lambda(expr);
  else if(id == "with")
    rule = simplify_with(expr);
  else if(id == "index")
    rule = simplify_index(expr, mode);
  else if(id == "member")
    rule = simplify_member(expr);
  else if(id == "pointer_object")
    rule = simplify_pointer_object(expr);
  else if(id == "is_dynamic_object")
    rule = simplify_is_dynamic_object(expr);
  else if(id == "dynamic_size")
    rule = simplify_dynamic_size(expr);
  else if(id == "valid_object")
    rule = simplify_valid_object(expr);
  else if(id == "switch")
    rule = simplify_switch(expr);
  else if(id == "/")
    rule = simplify_division(expr);
  else if(id == "mod")
    rule = simplify_modulo(expr);
  else if(id == "bitnot")
    rule = simplify_bitnot(expr);
  else if(id == "bitand" || id == "bitor" || id == "bitxor")
    rule = simplify_bitwise(expr);
  else if(id == "ashr" || id == "lshr" || id == "shl")
    rule = simplify_shifts(expr);
  else if(id == "+" || id == "-")
    rule = simplify_addition_subtraction(expr, mode);
  else if(id == "*")
    rule = simplify_multiplication(expr);
  else if(id == "unary-")
    rule = simplify_unary_minus(expr);
  else if(
    id == "=>" || id == "<=>" || id == "not" || id == "or" || id == "xor" ||
    id == "and")
    rule = simplify_boolean(expr, mode);
  else if(id == "comma")
  {
    if(!expr.operands().empty())
    {
      replace_by_operand(expr, expr.operands().size() - 1);
      rule = false;
    }
  }
  else if(id == "dereference")
    rule = simplify_dereference(expr);
  else if(id == "address_of")
    rule = simplify_address_of(expr);
  else if(id == "pointer_offset")
    rule = simplify_pointer_offset(expr);
  else if(id == "extractbit")
    rule = simplify_extractbit(expr);

  return sorted && rule;
}

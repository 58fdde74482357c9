#include "expr_algorithms/string_constant.h"

#include "expr_algorithms/arith_tools.h"
#include "util/config.h"

void string_constant_to_array(const exprt &string_constant, exprt &dest)
{
  const std::string &text = string_constant.get("value").as_string();
  const typet &char_type = string_constant.type().subtype();
  const bool is_unsigned = char_type.id() == ID_unsignedbv;

  typet size_type("signedbv");
  size_type.set("width", static_cast<int>(config.ansi_c.int_width));
  typet array_type("array");
  array_type.subtype() = char_type;
  array_type.set(
    "size",
    integer_to_expr(
      static_cast<unsigned long long>(text.size()) + 1, size_type));

  exprt result("constant", array_type);
  exprt::operandst &operands = result.operands();
  operands.reserve(text.size() + 1);
  for(char c : text)
  {
    const unsigned char byte = static_cast<unsigned char>(c);
    const int code = is_unsigned ? byte : static_cast<signed char>(byte);
    operands.push_back(integer_to_expr(code, char_type));
    if(byte >= 32 && byte <= 126)
      operands.back().set("#cformat", dstring(std::string{'\'', c, '\''}));
  }
  operands.push_back(integer_to_expr(0, char_type));
  dest.swap(result);
}

std::string array_name_text(const namespacet &ns, const exprt &expr)
{
  if(expr.id() == ID_index)
  {
    if(expr.operands().size() != 2)
      throw "index takes two operands";
    return array_name_text(ns, expr.op0()) + "[]";
  }
  if(expr.id() == ID_symbol)
    return "array `" + ns.lookup(expr.get("identifier")).base_name.as_string() +
           "'";
  if(expr.id() == ID_string_constant)
    return "string";
  return "array";
}

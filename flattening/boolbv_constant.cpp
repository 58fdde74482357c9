#include "flattening/boolbv.h"

#include "util/mp_arith.h"

namespace
{
std::string wrong_length(const exprt &expr)
{
  return "wrong value length in constant: " + expr.to_string();
}

// bv[i] from character w - 1 - i of the text: most significant first.
void bits_from_text(const std::string &text, bvt &bv)
{
  const std::size_t width = bv.size();
  for(std::size_t i = 0; i < width; ++i)
    bv[i] = const_literal(text[width - 1 - i] == '1');
}
} // namespace

bool boolbvt::convert_constant(const exprt &expr, bvt &bv)
{
  const typet &type = expr.type();
  unsigned width;
  if(get_width(type, width))
    return true;
  bv.resize(width);

  const dstring &type_id = type.id();
  if(type_id == ID_array)
    return convert_array_elements(
      expr.operands(), "convert_constant: unexpected operand width", bv);
  if(
    type_id == ID_range || type_id == ID_c_enum ||
    type_id == ID_incomplete_c_enum)
  {
    mp_integer value = string_to_integer(expr.get("value").as_string(), 10);
    if(type_id == ID_range)
      value -= string_to_integer(type.get("from").as_string(), 10);
    bits_from_text(integer_to_binary(value, width), bv);
    return false;
  }
  if(
    type_id == ID_unsignedbv || type_id == ID_signedbv || type_id == ID_bv ||
    type_id == ID_fixedbv)
  {
    const std::string &text = expr.get("value").as_string();
    if(text.size() != width)
      throw wrong_length(expr);
    bits_from_text(text, bv);
    return false;
  }
  if(type_id == ID_verilogbv)
  {
    // Two bits per digit, digit 0 the last character: '0' (F, F), '1'
    // (T, F), 'x' (F, T), 'z' (T, T).
    const std::string &text = expr.get("value").as_string();
    if(text.size() * 2 != width)
      throw wrong_length(expr);
    const std::size_t digits = text.size();
    for(std::size_t k = 0; k < digits; ++k)
    {
      const char digit = text[digits - 1 - k];
      if(digit != '0' && digit != '1' && digit != 'x' && digit != 'z')
        throw "unknown character in Verilog constant:" + expr.to_string();
      bv[2 * k] = const_literal(digit == '1' || digit == 'z');
      bv[2 * k + 1] = const_literal(digit == 'x' || digit == 'z');
    }
    return false;
  }
  return true;
}

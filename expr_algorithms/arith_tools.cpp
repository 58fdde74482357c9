#include "expr_algorithms/arith_tools.h"

#include "util/invariant.h"
#include "util/mp_arith.h"
#include "util/std_types.h"

bool expr_to_integer(const exprt &expr, mp_integer &value)
{
  if(!expr.is_constant())
    return true;
  const std::string &text = expr.get("value").as_string();
  const dstring &type_id = expr.type().id();
  if(type_id == ID_pointer)
  {
    if(text != "NULL")
      return true;
    value = 0;
    return false;
  }
  if(type_id == ID_integer || type_id == ID_natural)
  {
    value = string_to_integer(text, 10);
    return false;
  }
  if(type_id == ID_unsignedbv || type_id == ID_signedbv)
  {
    value = binary_to_integer(text, type_id == ID_signedbv);
    return false;
  }
  return true;
}

exprt integer_to_expr(const mp_integer &value, const typet &type)
{
  exprt result("constant", type);
  const dstring &type_id = type.id();
  unsigned width;
  if(type_id == ID_integer || (type_id == ID_natural && !value.is_negative()))
    result.set("value", dstring(integer_to_string_base(value, 10)));
  else if(
    (type_id == ID_unsignedbv || type_id == ID_signedbv) &&
    !read_width(type, width))
    result.set("value", dstring(integer_to_binary(value, width)));
  else if(type_id == ID_bool && (value == 0 || value == 1))
    result.make_bool(value == 1);
  else
    result.make_nil();
  return result;
}

mp_integer power(const mp_integer &base, const mp_integer &exponent)
{
  INVARIANT(!exponent.is_negative());
  mp_integer result = 1, square = base, rest = exponent;
  while(!rest.is_zero())
  {
    mp_integer low_bit = rest;
    low_bit %= 2;
    if(!low_bit.is_zero())
      result *= square;
    rest /= 2;
    if(!rest.is_zero())
      square *= square;
  }
  return result;
}

mp_integer address_bits(const mp_integer &size)
{
  mp_integer bits = 1, capacity = 2;
  while(capacity < size)
  {
    bits += 1;
    capacity *= 2;
  }
  return bits;
}

void assign_max(mp_integer &a, const mp_integer &b)
{
  if(b > a)
    a = b;
}

void assign_min(mp_integer &a, const mp_integer &b)
{
  if(b < a)
    a = b;
}

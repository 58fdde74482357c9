#include "util/expr.h"

#include "util/mp_arith.h"
#include "util/std_types.h"

// A constant's value as a number by its type's kind; true when the kind is
// not one read here.
static bool read_number(const exprt &expr, mp_integer &value)
{
  const dstring &kind = expr.type().id();
  const std::string &text = expr.get("value").as_string();
  if(kind == ID_integer || kind == ID_natural)
    value = string_to_integer(text, 10);
  else if(kind == ID_unsignedbv || kind == ID_signedbv)
    value = binary_to_integer(text, false);
  else
    return true;
  return false;
}

bool exprt::is_zero() const
{
  mp_integer value;
  return is_constant() && !read_number(*this, value) && value == 0;
}

bool exprt::is_one() const
{
  mp_integer value;
  return is_constant() && !read_number(*this, value) && value == 1;
}

namespace
{
enum class arithmetict
{
  SUM,
  SUBTRACT,
  MUL
};
} // namespace

// this := this op other for two constants of one number type; bit-vectors
// wrap at their width. True when that does not apply.
static bool constant_arithmetic(exprt &expr, const exprt &other, arithmetict op)
{
  if(!expr.is_constant() || !other.is_constant())
    return true;
  const typet &type = expr.type();
  if(other.type() != type)
    return true;
  const dstring &kind = type.id();
  const bool decimal = kind == ID_integer || kind == ID_natural;
  if(!decimal && kind != ID_unsignedbv && kind != ID_signedbv)
    return true;
  // No value can have a width that read_width refuses.
  unsigned width = 0;
  if(!decimal && read_width(type, width))
    return true;

  mp_integer result, operand;
  read_number(expr, result);
  read_number(other, operand);
  switch(op)
  {
  case arithmetict::SUM:
    result += operand;
    break;
  case arithmetict::SUBTRACT:
    result -= operand;
    break;
  case arithmetict::MUL:
    result *= operand;
    break;
  }
  expr.set(
    "value",
    dstring(
      decimal ? integer_to_string_base(result, 10)
              : integer_to_binary(result, width)));
  return false;
}

bool exprt::sum(const exprt &other)
{
  return constant_arithmetic(*this, other, arithmetict::SUM);
}

bool exprt::subtract(const exprt &other)
{
  return constant_arithmetic(*this, other, arithmetict::SUBTRACT);
}

bool exprt::mul(const exprt &other)
{
  return constant_arithmetic(*this, other, arithmetict::MUL);
}

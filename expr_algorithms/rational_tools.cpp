#include "expr_algorithms/rational_tools.h"

#include "expr_algorithms/arith_tools.h"
#include "util/mp_arith.h"

#include <string>

bool constant_to_rational(const exprt &expr, rationalt &value)
{
  if(!expr.is_constant())
    return true;
  std::string first, second;
  char separator = 0;
  for(char c : expr.get("value").as_string())
  {
    if(c >= '0' && c <= '9')
      (separator == 0 ? first : second) += c;
    else if((c == '.' || c == '/') && separator == 0)
      separator = c;
    else
      return true;
  }

  // Digit strings only, so the decimal reading cannot fail; empty reads 0.
  const mp_integer whole = string_to_integer(first, 10);
  const mp_integer part = string_to_integer(second, 10);
  rationalt result(whole);
  if(separator == '.')
  {
    rationalt fraction(part);
    fraction.denominator =
      power(10, static_cast<unsigned long long>(second.size()));
    result += fraction;
  }
  else if(separator == '/')
  {
    // A zero denominator would make the division fail; it is no value.
    if(part.is_zero())
      return true;
    result.denominator = part;
    result.normalize();
  }
  value = result;
  return false;
}

#include "expr_algorithms/format_constant.h"

#include "expr_algorithms/arith_tools.h"
#include "util/mp_arith.h"

std::string format_constant(const exprt &expr)
{
  if(expr.is_constant())
  {
    const dstring &type_id = expr.type().id();
    mp_integer value;
    if(
      (type_id == ID_natural || type_id == ID_integer ||
       type_id == ID_unsignedbv || type_id == ID_signedbv) &&
      !expr_to_integer(expr, value))
      return integer_to_string_base(value, 10);
  }
  else if(expr.id() == ID_string_constant)
    return expr.get("value").as_string();
  return "(format-constant failed: " + expr.id().as_string() + ")";
}

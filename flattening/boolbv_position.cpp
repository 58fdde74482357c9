#include "flattening/boolbv.h"

#include "expr_algorithms/arith_tools.h"

bool boolbvt::position_literal(
  const exprt &index, const mp_integer &position, literalt &l)
{
  const exprt constant = integer_to_expr(position, index.type());
  if(constant.is_nil())
    return true;
  // A Boolean index has constants for 0 and 1 only, which do not read back
  // as numbers.
  mp_integer value;
  if(
    index.type().id() != ID_bool &&
    (expr_to_integer(constant, value) || value != position))
    return true;
  exprt equality("=", typet("bool"));
  equality.copy_to_operands(index);
  equality.copy_to_operands(constant);
  l = convert(equality);
  return false;
}

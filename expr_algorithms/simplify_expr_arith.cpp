// The simplifier's rules for arithmetic and bit-vector operators.

#include "expr_algorithms/arith_tools.h"
#include "expr_algorithms/simplify_expr.h"
#include "expr_algorithms/simplify_expr_util.h"
#include "util/expr_util.h"
#include "util/mp_arith.h"
#include "util/std_types.h"

// Whether two constant addends of a sum may be folded. A pointer sum adds
// its integer operands each at the width of the offset, so two of them
// fold only when their sum needs no wrap-around in their own type; the
// operands of a number-typed sum wrap like the sum itself.
static bool
fits_unwrapped(const exprt &sum, const exprt &first, const exprt &second)
{
  if(sum.type().id() != ID_pointer)
    return true;
  mp_integer a, b;
  if(expr_to_integer(first, a) || expr_to_integer(second, b))
    return false;
  a += b;
  const exprt folded = integer_to_expr(a, first.type());
  mp_integer back;
  return folded.is_not_nil() && !expr_to_integer(folded, back) && back == a;
}

bool simplify_exprt::simplify_addition_subtraction(exprt &expr, modet mode)
{
  if(!is_number_type(expr.type()) && expr.type().id() != ID_pointer)
    return true;
  // A sum of zeros would become a zero of this type, and none exists.
  unsigned width;
  if(read_width(expr.type(), width))
    return true;

  if(expr.id() == ID_plus)
  {
    bool unchanged = true;
    exprt::operandst &operands = expr.operands();
    // The first constant kept; later ones are folded into it. It always
    // lies before the operand looked at, so erasing never moves it.
    bool have_constant = false;
    std::size_t constant = 0;
    for(std::size_t i = 0; i < operands.size();)
    {
      exprt &op = operands[i];
      if(is_number_type(op.type()))
      {
        if(op.is_zero())
        {
          operands.erase(operands.begin() + i);
          unchanged = false;
          continue;
        }
        if(op.is_constant())
        {
          if(!have_constant)
          {
            have_constant = true;
            constant = i;
          }
          else if(
            fits_unwrapped(expr, operands[constant], op) &&
            !operands[constant].sum(op))
          {
            operands.erase(operands.begin() + i);
            unchanged = false;
            continue;
          }
        }
      }
      ++i;
    }

    if(operands.empty())
    {
      exprt zero = zero_constant(expr.type());
      expr.swap(zero);
      return false;
    }
    if(operands.size() == 1)
    {
      replace_by_operand(expr, 0);
      return false;
    }
    return unchanged;
  }

  const exprt &node = expr;
  if(
    expr.id() == ID_minus && node.operands().size() == 2 &&
    is_number_type(node.op0().type()) && is_number_type(node.op1().type()) &&
    is_number_type(expr.type()))
  {
    exprt negation("unary-", expr.type());
    negation.move_to_operands(expr.op1());
    simplify_node(negation, mode);
    exprt sum("+", expr.type());
    sum.move_to_operands(expr.op0(), negation);
    expr.swap(sum);
    simplify_node(expr, mode);
    return false;
  }
  return true;
}

bool simplify_exprt::simplify_multiplication(exprt &expr)
{
  if(!is_number_type(expr.type()))
    return true;
  // A product with a zero would become a zero of this type, and none
  // exists.
  unsigned width;
  if(read_width(expr.type(), width))
    return true;

  bool unchanged = true;
  exprt::operandst &operands = expr.operands();
  bool have_constant = false;
  std::size_t constant = 0;
  for(std::size_t i = 0; i < operands.size();)
  {
    exprt &op = operands[i];
    if(!is_number_type(op.type()))
      return unchanged;
    if(op.is_zero())
    {
      exprt zero = zero_constant(expr.type());
      expr.swap(zero);
      return false;
    }
    if(op.is_constant() && op.type() == expr.type())
    {
      if(!have_constant)
      {
        have_constant = true;
        constant = i;
      }
      else if(!operands[constant].mul(op))
      {
        operands.erase(operands.begin() + i);
        unchanged = false;
        continue;
      }
    }
    ++i;
  }

  if(operands.size() == 1)
  {
    replace_by_operand(expr, 0);
    return false;
  }
  if(have_constant && operands[constant].is_one())
  {
    // A single operand left by this is unwrapped by a later pass.
    operands.erase(operands.begin() + constant);
    return false;
  }
  return unchanged;
}

bool simplify_exprt::simplify_unary_minus(exprt &expr)
{
  const exprt &node = expr;
  if(
    node.operands().size() != 1 || !is_number_type(expr.type()) ||
    node.op0().type() != expr.type())
    return true;

  const exprt &op = node.op0();
  if(op.id() == ID_unary_minus)
  {
    if(op.operands().size() != 1 || !is_number_type(op.op0().type()))
      return true;
    exprt inner;
    inner.swap(expr.op0().op0());
    expr.swap(inner);
    return false;
  }

  const dstring &type_id = expr.type().id();
  if(
    !op.is_constant() || (type_id != ID_integer && type_id != ID_signedbv &&
                          type_id != ID_unsignedbv))
    return true;
  mp_integer value;
  if(expr_to_integer(op, value))
    return true;
  mp_integer negated;
  negated -= value;
  exprt result = integer_to_expr(negated, expr.type());
  if(result.is_nil())
    return true;
  expr.swap(result);
  return false;
}

// The common part of "/" and "mod": both operands of the node's type, an
// integer or bit-vector type.
static bool divide(exprt &expr, bool is_division)
{
  const exprt &node = expr;
  const dstring &type_id = expr.type().id();
  if(
    node.operands().size() != 2 ||
    (type_id != ID_signedbv && type_id != ID_unsignedbv &&
     type_id != ID_natural && type_id != ID_integer) ||
    node.op0().type() != expr.type() || node.op1().type() != expr.type())
    return true;

  mp_integer dividend, divisor;
  const bool dividend_unknown = expr_to_integer(node.op0(), dividend);
  const bool divisor_unknown = expr_to_integer(node.op1(), divisor);

  if(!divisor_unknown && divisor.is_zero())
    return true; // never fold a division by zero
  // x / 1 and 0 / y are the dividend; x % 1 and 0 % y are 0.
  if((!divisor_unknown && divisor == 1) ||
     (!dividend_unknown && dividend.is_zero()))
  {
    if(is_division)
      replace_by_operand(expr, 0);
    else
    {
      exprt zero = zero_constant(expr.type());
      expr.swap(zero);
    }
    return false;
  }
  if(dividend_unknown || divisor_unknown)
    return true;

  mp_integer quotient, remainder;
  mp_integer::divide(dividend, divisor, quotient, remainder);
  exprt result =
    integer_to_expr(is_division ? quotient : remainder, expr.type());
  if(result.is_nil())
    return true;
  expr.swap(result);
  return false;
}

bool simplify_exprt::simplify_division(exprt &expr)
{
  return divide(expr, true);
}

bool simplify_exprt::simplify_modulo(exprt &expr)
{
  return divide(expr, false);
}

bool simplify_exprt::simplify_shifts(exprt &expr)
{
  const exprt &node = expr;
  if(!is_number_type(expr.type()) || node.operands().size() != 2)
    return true;
  mp_integer distance;
  if(expr_to_integer(node.op1(), distance) || distance.is_negative())
    return true;
  if(distance.is_zero())
  {
    replace_by_operand(expr, 0);
    return false;
  }
  mp_integer value;
  if(expr_to_integer(node.op0(), value))
    return true;

  const dstring &type_id = expr.type().id();
  const bool is_bitvector = type_id == ID_unsignedbv || type_id == ID_signedbv;
  unsigned width = 0;
  if(is_bitvector && read_width(expr.type(), width))
    return true;
  mp_integer result;
  if(expr.id() == ID_shl)
  {
    // A bit-vector loses everything shifted past its width; keep the
    // factor small for huge distances.
    if(is_bitvector && distance > width)
      distance = width;
    result = value;
    result *= power(2, distance);
  }
  else if(!is_bitvector)
  {
    // Unbounded numbers: the truncating quotient for both right shifts.
    result = value;
    result /= power(2, distance);
  }
  else
  {
    // Right shifts of bit-vectors act on the bit pattern, whatever the
    // signedness of the type: "lshr" reads it as unsigned, "ashr" as two's
    // complement, and both round toward minus infinity, as the
    // flattening's shifter does.
    const std::string &bits = node.op0().get("value").as_string();
    const mp_integer pattern = binary_to_integer(bits, expr.id() == ID_ashr);
    if(distance >= width)
      result = pattern.is_negative() ? -1 : 0;
    else
    {
      mp_integer divisor = power(2, distance), remainder;
      mp_integer::divide(pattern, divisor, result, remainder);
      if(remainder.is_negative())
        result -= 1;
    }
  }

  exprt folded = integer_to_expr(result, expr.type());
  if(folded.is_nil())
    return true;
  expr.swap(folded);
  return false;
}

bool simplify_exprt::simplify_bitwise(exprt &expr)
{
  const dstring &type_id = expr.type().id();
  if(type_id != ID_unsignedbv && type_id != ID_signedbv && type_id != ID_bv)
    return true;
  const unsigned width = type_width(expr.type());

  bool unchanged = true;
  exprt::operandst &operands = expr.operands();
  while(operands.size() >= 2 && operands[0].is_constant() &&
        operands[1].is_constant() && operands[0].type() == expr.type() &&
        operands[1].type() == expr.type())
  {
    const std::string &a = operands[0].get("value").as_string();
    const std::string &b = operands[1].get("value").as_string();
    // Constants of one type have texts of its width; anything else is not
    // folded.
    if(a.size() != width || b.size() != width)
      break;
    std::string bits(width, '0');
    for(unsigned i = 0; i < width; ++i)
    {
      const bool x = a[i] == '1', y = b[i] == '1';
      const bool bit = expr.id() == ID_bitand  ? x && y
                       : expr.id() == ID_bitor ? x || y
                                               : x != y;
      bits[i] = bit ? '1' : '0';
    }
    exprt folded("constant", expr.type());
    folded.set("value", dstring(bits));
    operands.erase(operands.begin());
    operands[0].swap(folded);
    unchanged = false;
  }

  if(operands.size() == 1)
  {
    replace_by_operand(expr, 0);
    return false;
  }
  return unchanged;
}

bool simplify_exprt::simplify_bitnot(exprt &expr)
{
  const exprt &node = expr;
  const dstring &type_id = expr.type().id();
  if(
    node.operands().size() != 1 ||
    (type_id != ID_bv && type_id != ID_unsignedbv && type_id != ID_signedbv) ||
    node.op0().type() != expr.type() || !node.op0().is_constant())
    return true;
  std::string bits = node.op0().get("value").as_string();
  for(char &c : bits)
    c = c == '0' ? '1' : '0';
  exprt result("constant", node.op0().type());
  result.set("value", dstring(bits));
  expr.swap(result);
  return false;
}

bool simplify_exprt::simplify_extractbit(exprt &expr)
{
  const exprt &node = expr;
  if(node.operands().size() != 2)
    return true;
  const exprt &vector = node.op0();
  const dstring &type_id = vector.type().id();
  if(type_id != ID_unsignedbv && type_id != ID_signedbv && type_id != ID_bv)
    return true;
  const unsigned width = type_width(vector.type());
  mp_integer index;
  if(
    expr_to_integer(node.op1(), index) || index.is_negative() ||
    index >= width || !vector.is_constant())
    return true;
  const std::string &bits = vector.get("value").as_string();
  if(bits.size() != width)
    return true;
  const bool bit =
    bits[width - 1 - static_cast<unsigned>(integer_to_unsigned(index))] == '1';
  expr.make_bool(bit);
  return false;
}

bool simplify_exprt::eliminate_common_addends(exprt &left, exprt &right)
{
  if(left.is_zero() || right.is_zero())
    return true;
  if(left.id() == ID_plus)
  {
    if(!has_operand_list(left))
      return true;
    bool unchanged = true;
    for(exprt &op : left.operands())
      unchanged = eliminate_common_addends(op, right) && unchanged;
    return unchanged;
  }
  if(right.id() == ID_plus)
  {
    if(!has_operand_list(right))
      return true;
    bool unchanged = true;
    for(exprt &op : right.operands())
      unchanged = eliminate_common_addends(left, op) && unchanged;
    return unchanged;
  }
  if(left == right)
  {
    exprt zero_left = zero_constant(left.type());
    exprt zero_right = zero_constant(right.type());
    // No zero in a width no value can have: the addends stay.
    if(zero_left.is_nil() || zero_right.is_nil())
      return true;
    left.swap(zero_left);
    right.swap(zero_right);
    return false;
  }
  return true;
}

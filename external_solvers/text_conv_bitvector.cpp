// Bit-level operators in the text: bitwise logic, shifts, single bits,
// concatenation and replication.

#include "external_solvers/text_conv.h"

#include "expr_algorithms/arith_tools.h"
#include "util/invariant.h"
#include "util/mp_arith.h"

void text_convt::convert_bitwise(const exprt &expr)
{
  const dstring &id = expr.id();
  const char *separator = id == ID_concatenation ? " @ "
                          : id == ID_bitand      ? " & "
                                                 : " | ";
  const exprt::operandst &operands = expr.operands();
  *out << "(";
  for(std::size_t k = 0; k < operands.size(); ++k)
  {
    if(k != 0)
      *out << separator;
    convert_as_bv(operands[k]);
  }
  *out << ")";
}

void text_convt::convert_bitxor(const exprt &expr)
{
  const exprt::operandst &operands = expr.operands();
  const std::size_t n = operands.size();
  INVARIANT(n >= 1);
  if(n == 1)
  {
    convert_expr(operands[0]);
    return;
  }
  // Nests to the left: the operator of all but the last operand first.
  *out << "BVXOR(";
  if(n == 2)
    convert_expr(operands[0]);
  else
  {
    exprt front = expr;
    front.operands().pop_back();
    convert_expr(front);
  }
  *out << ", ";
  convert_expr(operands[n - 1]);
  *out << ")";
}

void text_convt::convert_bitnand(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(n == 2);
  *out << "BVNAND(";
  convert_arguments(expr.op0(), expr.op1());
}

void text_convt::convert_bitnot(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(n == 1);
  *out << "~(";
  convert_expr(expr.op0());
  *out << ")";
}

void text_convt::convert_shift(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(n == 2);
  const dstring &id = expr.id();
  const typet &type = expr.type();
  if(!is_bitvector(type))
    throw unsupported_type(id, type);
  *out << (id == ID_ashr   ? "BVASHR("
           : id == ID_lshr ? "BVLSHR("
                           : "BVSHL(")
       << type.get("width") << ", ";
  convert_arguments(expr.op0(), expr.op1());
}

void text_convt::convert_extractbit(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(n == 2);
  const exprt &vector = expr.op0();
  if(!is_bitvector(vector.type()))
    throw unsupported_type(expr.id(), vector.type());
  *out << "(";
  convert_expr(vector);
  mp_integer position;
  if(expr_to_integer(expr.op1(), position))
    throw "extractbit takes constant as second parameter";
  *out << "[" << position << ":" << position << "]=0bin1)";
}

void text_convt::convert_replication(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(n == 2);
  mp_integer count;
  if(expr_to_integer(expr.op0(), count))
    throw "replication takes constant as first parameter";
  *out << "(LET v: BITVECTOR(1) = ";
  convert_expr(expr.op1());
  *out << " IN ";
  for(mp_integer k = 0; k.compare(count) < 0; k += 1)
    *out << (k.is_zero() ? "v" : "@v");
  *out << ")";
}

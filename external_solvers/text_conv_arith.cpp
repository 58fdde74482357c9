// Arithmetic and comparison of bit-vectors in the text (addition, which
// also moves pointers, is with the pointer writers).

#include "external_solvers/text_conv.h"

#include "util/invariant.h"

void text_convt::convert_unary_minus(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(n == 1);
  const typet &type = expr.type();
  if(!is_bitvector(type))
    throw "unsupported type for unary-: " + type.id().as_string();
  *out << "BVUMINUS(";
  convert_expr(expr.op0());
  *out << ")";
}

void text_convt::convert_minus_mult(const exprt &expr)
{
  const exprt::operandst &operands = expr.operands();
  const std::size_t n = operands.size();
  INVARIANT(n == 1 || n == 2);
  if(n == 1)
  {
    convert_expr(operands[0]);
    return;
  }
  const typet &type = expr.type();
  if(!is_bitvector(type))
    throw unsupported_type(expr.id(), type);
  *out << (expr.id() == ID_minus ? "BVSUB(" : "BVMULT(") << type.get("width")
       << ", ";
  convert_arguments(operands[0], operands[1]);
}

void text_convt::convert_div_mod(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(n == 2);
  const typet &type = expr.type();
  if(!is_bitvector(type))
    throw unsupported_type(expr.id(), type);
  if(type.id() == ID_signedbv)
    *out << "S";
  *out << (expr.id() == ID_div ? "BVDIV(" : "BVMOD(") << type.get("width")
       << ", ";
  convert_arguments(expr.op0(), expr.op1());
}

void text_convt::convert_relation(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(n == 2);
  const dstring &id = expr.id();
  const typet &operand_type = expr.op0().type();
  if(!is_bitvector(operand_type))
    throw unsupported_type(id, operand_type);
  if(operand_type.id() == ID_signedbv)
    *out << "S";
  *out
    << (id == ID_le   ? "BVLE("
        : id == ID_lt ? "BVLT("
        : id == ID_ge ? "BVGE("
                      : "BVGT(");
  convert_arguments(expr.op0(), expr.op1());
}

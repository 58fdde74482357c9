// Formulas in the text: connectives, equality and the choice.

#include "external_solvers/text_conv.h"

#include "util/invariant.h"

void text_convt::convert_if(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(n == 3);
  *out << "IF ";
  convert_expr(expr.op0());
  *out << " THEN ";
  convert_expr(expr.op1());
  *out << " ELSE ";
  convert_expr(expr.op2());
  *out << " ENDIF";
}

void text_convt::convert_junction(const exprt &expr)
{
  const exprt::operandst &operands = expr.operands();
  const std::size_t n = operands.size();
  INVARIANT(expr.type().id() == ID_bool);
  INVARIANT(n >= 1);
  if(n == 1)
  {
    convert_expr(operands[0]);
    return;
  }
  const dstring &id = expr.id();
  const char *op = id == ID_and ? " AND " : id == ID_or ? " OR " : " XOR ";
  for(std::size_t k = 0; k < n; ++k)
  {
    if(k != 0)
      *out << op;
    *out << "(";
    convert_expr(operands[k]);
    *out << ")";
  }
}

void text_convt::convert_not(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(n == 1);
  *out << "NOT (";
  convert_expr(expr.op0());
  *out << ")";
}

void text_convt::convert_equality(const exprt &expr)
{
  const exprt::operandst &operands = expr.operands();
  const std::size_t n = operands.size();
  INVARIANT(n == 2);
  INVARIANT(operands[0].type() == operands[1].type());
  const bool equal = expr.id() == ID_equal;
  if(operands[0].type().id() == ID_bool)
  {
    if(!equal)
      *out << "NOT (";
    *out << "(";
    convert_expr(operands[0]);
    *out << ") <=> (";
    convert_expr(operands[1]);
    *out << ")";
    if(!equal)
      *out << ")";
  }
  else
  {
    *out << "(";
    convert_expr(operands[0]);
    *out << ")" << (equal ? "=" : "/=") << "(";
    convert_expr(operands[1]);
    *out << ")";
  }
}

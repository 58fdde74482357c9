// Casts between Booleans, bit-vectors and pointers in the text: vectors
// are cut, sign- or zero-extended to the target width.

#include "external_solvers/text_conv.h"

#include "util/expr_util.h"
#include "util/invariant.h"

#include <string>

void text_convt::convert_typecast(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(n == 1);
  const exprt &x = expr.op0();
  const dstring &to_id = expr.type().id();
  const dstring &from_id = x.type().id();

  if(to_id == ID_bool)
  {
    if(!is_bitvector(x.type()) && from_id != ID_pointer)
      throw "TODO typecast1 " + from_id.as_string() + " -> bool";
    convert_expr(x);
    *out << "/=";
    convert_expr(zero_constant(x.type()));
  }
  else if(is_bitvector(expr.type()))
    convert_typecast_to_bv(expr);
  else if(to_id == ID_pointer)
  {
    if(from_id != ID_pointer)
      throw "TODO typecast3 " + from_id.as_string() + " -> pointer";
    convert_expr(x);
  }
  else
    throw "TODO typecast4 ? -> " + to_id.as_string();
}

void text_convt::convert_typecast_to_bv(const exprt &expr)
{
  const exprt &x = expr.op0();
  const dstring &from_id = x.type().id();
  const unsigned to = width_of(expr.type());
  if(is_bitvector(x.type()))
  {
    const unsigned from = width_of(x.type());
    if(to == from)
      convert_expr(x);
    else if(to < from)
    {
      *out << "(";
      convert_expr(x);
      *out << ")[" << (to - 1) << ":0]";
    }
    else if(from_id == ID_signedbv)
    {
      *out << "SX(";
      convert_expr(x);
      *out << ", " << to << ")";
    }
    else
    {
      *out << "(0bin" << std::string(to - from, '0') << " @ (";
      convert_expr(x);
      *out << "))";
    }
  }
  else if(from_id == ID_bool)
  {
    if(to > 1)
      *out << "(0bin" << std::string(to - 1, '0') << " @ ";
    *out << "IF ";
    convert_expr(x);
    *out << " THEN 0bin1 ELSE 0bin0 ENDIF";
    if(to > 1)
      *out << ")";
  }
  else
    throw "TODO typecast2 " + from_id.as_string() + " -> " +
      expr.type().id().as_string();
}

// Constants in the text: vectors as binary digits, the null pointer,
// truth values, array literals and strings as the arrays they stand for.

#include "external_solvers/text_conv.h"

#include "expr_algorithms/string_constant.h"
#include "util/config.h"
#include "util/invariant.h"

#include <iostream>

void text_convt::convert_constant(const exprt &expr)
{
  const dstring &type_id = expr.type().id();
  const dstring &value = expr.get("value");

  if(is_bitvector(expr.type()) || type_id == ID_bv)
    *out << "0bin" << value;
  else if(type_id == ID_pointer)
  {
    if(value != ID_NULL)
      throw "unknown pointer constant: " + value.as_string();
    *out << "(# object:=" << pointer_logic.null_object
         << ", offset:=" << bin_zero(config.ansi_c.pointer_width) << " #)";
  }
  else if(type_id == ID_bool)
    *out << (value == ID_false ? "FALSE" : "TRUE");
  else if(type_id == ID_array)
    convert_array_literal(expr);
  else if(
    dialect == dialectt::CVC &&
    (type_id == ID_integer || type_id == ID_natural || type_id == ID_range))
    *out << value;
  else
  {
    std::cerr << expr.pretty(0) << std::endl;
    throw "unknown constant: " + type_id.as_string();
  }
}

void text_convt::convert_array_literal(const exprt &expr)
{
  const exprt::operandst &elements = expr.operands();
  INVARIANT(!elements.empty());
  *out << "ARRAY (i: " << array_index_type_text() << "):";
  for(std::size_t k = 0; k < elements.size(); ++k)
  {
    *out << "\n  " << (k == 0 ? "IF " : "ELSIF ")
         << "i=" << bin_constant(static_cast<unsigned>(k)) << " THEN ";
    convert_as_bv(elements[k]);
  }
  *out << "\n  ELSE ";
  convert_as_bv(elements[0]);
  *out << "\n  ENDIF";
}

void text_convt::convert_string_constant(const exprt &expr)
{
  exprt array;
  string_constant_to_array(expr, array);
  convert_expr(array);
}

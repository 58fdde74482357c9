// Arrays and records in the text: values, reads and updates.

#include "external_solvers/text_conv.h"

#include "util/invariant.h"

void text_convt::convert_struct(const exprt &expr)
{
  const exprt::operandst &operands = expr.operands();
  const std::size_t n = operands.size();
  const typet &type = expr.type();
  INVARIANT(
    type.id() == ID_struct || type.id() == ID_union || type.id() == ID_class);
  const irept::subt &components = type.find("components").get_sub();
  INVARIANT(components.size() == n);
  *out << "(# ";
  for(std::size_t k = 0; k < n; ++k)
  {
    if(k != 0)
      *out << ", ";
    convert_component_name(components[k].get("name"));
    *out << ":=";
    convert_expr(operands[k]);
  }
  *out << " #)";
}

void text_convt::convert_array_of(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(expr.type().id() == ID_array);
  INVARIANT(n == 1);
  *out << "(ARRAY (i: " << array_index_type_text() << "): ";
  convert_as_bv(expr.op0());
  *out << ")";
}

void text_convt::convert_index(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(n == 2);
  *out << "(";
  convert_expr(expr.op0());
  *out << ")[";
  convert_array_index(expr.op1());
  *out << "]";
}

void text_convt::convert_member(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(n == 1);
  convert_expr(expr.op0());
  *out << ".";
  convert_component_name(expr.get("component_name"));
}

void text_convt::convert_with(const exprt &expr)
{
  const exprt::operandst &operands = expr.operands();
  INVARIANT(operands.size() % 2 == 1);
  const dstring &type_id = expr.type().id();

  *out << "(";
  convert_expr(operands[0]);
  *out << ")";
  for(std::size_t i = 1; i < operands.size(); i += 2)
  {
    INVARIANT((i + 1) < operands.size());
    const exprt &designator = operands[i];
    const exprt &value = operands[i + 1];
    if(type_id == ID_array)
    {
      *out << " WITH [";
      if(dialect == dialectt::CVC)
        convert_array_index(designator);
      else
        convert_expr(designator);
      *out << "]:=(";
      convert_as_bv(value);
      *out << ")";
    }
    else if(type_id == ID_struct || type_id == ID_union)
    {
      // A Boolean component stays Boolean, as the record type declares it.
      *out << " WITH .";
      convert_component_name(designator.get("component_name"));
      *out << ":=(";
      convert_expr(value);
      *out << ")";
    }
    else
      throw "with expects struct or array type, but got " + type_id.as_string();
  }
}

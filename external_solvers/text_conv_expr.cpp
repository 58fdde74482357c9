// The expression half of the CVC Lite writer: one expression as a term or
// a formula, each operand through the virtual convert_expr again.

#include "external_solvers/text_conv.h"

#include "expr_algorithms/arith_tools.h"
#include "expr_algorithms/string_constant.h"
#include "util/config.h"
#include "util/expr_util.h"
#include "util/invariant.h"
#include "util/mp_arith.h"

#include <iostream>

namespace
{
bool is_bitvector(const typet &type)
{
  return type.id() == ID_unsignedbv || type.id() == ID_signedbv;
}

unsigned width_of(const typet &type)
{
  return static_cast<unsigned>(
    std::strtoul(type.get("width").c_str(), nullptr, 10));
}

// The failure text of an operator that does not take operands of this type.
std::string unsupported_type(const dstring &id, const typet &type)
{
  return "unsupported type for " + id.as_string() + ": " +
         type.id().as_string();
}
} // namespace

void text_convt::unsupported(const exprt &expr) const
{
  throw std::string(
    dialect == dialectt::CVC ? "convert_cvc_expr: " : "convert_smt_expr: ") +
    expr.id().as_string() + " is unsupported";
}

void text_convt::convert_expr(const exprt &expr)
{
  const dstring &id = expr.id();
  const exprt::operandst &operands = expr.operands();
  const std::size_t n = operands.size();
  const typet &type = expr.type();

  if(id == ID_symbol)
    convert_identifier(expr.get("identifier"));
  else if(id == ID_nondet_symbol)
    convert_identifier("nondet$" + expr.get("identifier").as_string());
  else if(id == ID_typecast)
  {
    INVARIANT(n == 1);
    convert_typecast(expr);
  }
  else if(id == ID_struct)
  {
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
  else if(id == ID_constant)
    convert_constant(expr);
  else if(id == ID_concatenation || id == ID_bitand || id == ID_bitor)
  {
    const char *separator = id == ID_concatenation ? " @ "
                            : id == ID_bitand      ? " & "
                                                   : " | ";
    *out << "(";
    for(std::size_t k = 0; k < n; ++k)
    {
      if(k != 0)
        *out << separator;
      convert_as_bv(operands[k]);
    }
    *out << ")";
  }
  else if(id == ID_bitxor)
  {
    INVARIANT(n >= 1);
    if(n == 1)
      convert_expr(operands[0]);
    else
    {
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
  }
  else if(id == ID_bitnand)
  {
    INVARIANT(n == 2);
    *out << "BVNAND(";
    convert_expr(operands[0]);
    *out << ", ";
    convert_expr(operands[1]);
    *out << ")";
  }
  else if(id == ID_bitnot)
  {
    INVARIANT(n == 1);
    *out << "~(";
    convert_expr(operands[0]);
    *out << ")";
  }
  else if(id == ID_unary_minus)
  {
    INVARIANT(n == 1);
    if(!is_bitvector(type))
      throw "unsupported type for unary-: " + type.id().as_string();
    *out << "BVUMINUS(";
    convert_expr(operands[0]);
    *out << ")";
  }
  else if(id == ID_if)
  {
    INVARIANT(n == 3);
    *out << "IF ";
    convert_expr(operands[0]);
    *out << " THEN ";
    convert_expr(operands[1]);
    *out << " ELSE ";
    convert_expr(operands[2]);
    *out << " ENDIF";
  }
  else if(id == ID_and || id == ID_or || id == ID_xor)
  {
    INVARIANT(type.id() == ID_bool);
    INVARIANT(n >= 1);
    if(n == 1)
      convert_expr(operands[0]);
    else
    {
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
  }
  else if(id == ID_not)
  {
    INVARIANT(n == 1);
    *out << "NOT (";
    convert_expr(operands[0]);
    *out << ")";
  }
  else if(id == ID_equal || id == ID_notequal)
  {
    INVARIANT(n == 2);
    INVARIANT(operands[0].type() == operands[1].type());
    const bool equal = id == ID_equal;
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
  else if(id == ID_le || id == ID_lt || id == ID_ge || id == ID_gt)
  {
    INVARIANT(n == 2);
    const typet &operand_type = operands[0].type();
    if(!is_bitvector(operand_type))
      throw unsupported_type(id, operand_type);
    if(operand_type.id() == ID_signedbv)
      *out << "S";
    *out
      << (id == ID_le   ? "BVLE("
          : id == ID_lt ? "BVLT("
          : id == ID_ge ? "BVGE("
                        : "BVGT(");
    convert_expr(operands[0]);
    *out << ", ";
    convert_expr(operands[1]);
    *out << ")";
  }
  else if(id == ID_plus)
    convert_plus(expr);
  else if(id == ID_minus || id == ID_mult)
  {
    INVARIANT(n == 1 || n == 2);
    if(n == 1)
      convert_expr(operands[0]);
    else
    {
      if(!is_bitvector(type))
        throw unsupported_type(id, type);
      *out << (id == ID_minus ? "BVSUB(" : "BVMULT(") << type.get("width")
           << ", ";
      convert_expr(operands[0]);
      *out << ", ";
      convert_expr(operands[1]);
      *out << ")";
    }
  }
  else if(id == ID_div || id == ID_mod)
  {
    INVARIANT(n == 2);
    if(!is_bitvector(type))
      throw unsupported_type(id, type);
    if(type.id() == ID_signedbv)
      *out << "S";
    *out << (id == ID_div ? "BVDIV(" : "BVMOD(") << type.get("width") << ", ";
    convert_expr(operands[0]);
    *out << ", ";
    convert_expr(operands[1]);
    *out << ")";
  }
  else if(
    id == ID_address_of || id == ID_implicit_address_of ||
    id == ID_reference_to)
  {
    INVARIANT(n == 1);
    INVARIANT(type.id() == ID_pointer);
    convert_address_of_rec(operands[0]);
  }
  else if(id == ID_array_of)
  {
    INVARIANT(type.id() == ID_array);
    INVARIANT(n == 1);
    *out << "(ARRAY (i: " << array_index_type_text() << "): ";
    convert_as_bv(operands[0]);
    *out << ")";
  }
  else if(id == ID_index)
  {
    INVARIANT(n == 2);
    *out << "(";
    convert_expr(operands[0]);
    *out << ")[";
    convert_array_index(operands[1]);
    *out << "]";
  }
  else if(id == ID_ashr || id == ID_lshr || id == ID_shl)
  {
    INVARIANT(n == 2);
    if(!is_bitvector(type))
      throw unsupported_type(id, type);
    *out << (id == ID_ashr   ? "BVASHR("
             : id == ID_lshr ? "BVLSHR("
                             : "BVSHL(")
         << type.get("width") << ", ";
    convert_expr(operands[0]);
    *out << ", ";
    convert_expr(operands[1]);
    *out << ")";
  }
  else if(id == ID_with)
    convert_with(expr);
  else if(id == ID_member)
  {
    INVARIANT(n == 1);
    convert_expr(operands[0]);
    *out << ".";
    convert_component_name(expr.get("component_name"));
  }
  else if(id == ID_pointer_offset)
  {
    INVARIANT(n == 1);
    *out << "(";
    convert_expr(operands[0]);
    *out << ").offset";
  }
  else if(id == ID_same_object)
  {
    INVARIANT(n == 2);
    *out << "(";
    convert_expr(operands[0]);
    *out << ").object=(";
    convert_expr(operands[1]);
    *out << ").object";
  }
  else if(id == ID_string_constant)
  {
    exprt array;
    string_constant_to_array(expr, array);
    convert_expr(array);
  }
  else if(id == ID_extractbit)
  {
    INVARIANT(n == 2);
    if(!is_bitvector(operands[0].type()))
      throw unsupported_type(id, operands[0].type());
    *out << "(";
    convert_expr(operands[0]);
    mp_integer position;
    if(expr_to_integer(operands[1], position))
      throw "extractbit takes constant as second parameter";
    *out << "[" << position << ":" << position << "]=0bin1)";
  }
  else if(id == ID_replication)
  {
    INVARIANT(n == 2);
    mp_integer count;
    if(expr_to_integer(operands[0], count))
      throw "replication takes constant as first parameter";
    *out << "(LET v: BITVECTOR(1) = ";
    convert_expr(operands[1]);
    *out << " IN ";
    for(mp_integer k = 0; k.compare(count) < 0; k += 1)
      *out << (k.is_zero() ? "v" : "@v");
    *out << ")";
  }
  else
    unsupported(expr);
}

void text_convt::convert_typecast(const exprt &expr)
{
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
  {
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
        to_id.as_string();
  }
  else if(to_id == ID_pointer)
  {
    if(from_id != ID_pointer)
      throw "TODO typecast3 " + from_id.as_string() + " -> pointer";
    convert_expr(x);
  }
  else
    throw "TODO typecast4 ? -> " + to_id.as_string();
}

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

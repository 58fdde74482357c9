// The expression half of the CVC Lite writer: one expression as a term or
// a formula, found by its id in a table of writers (one file per family),
// each operand through the virtual convert_expr again.

#include "external_solvers/text_conv.h"

#include "util/hash_containers.h"

#include <cstdlib>

bool text_convt::is_bitvector(const typet &type)
{
  return type.id() == ID_unsignedbv || type.id() == ID_signedbv;
}

unsigned text_convt::width_of(const typet &type)
{
  return static_cast<unsigned>(
    std::strtoul(type.get("width").c_str(), nullptr, 10));
}

std::string text_convt::unsupported_type(const dstring &id, const typet &type)
{
  return "unsupported type for " + id.as_string() + ": " +
         type.id().as_string();
}

void text_convt::unsupported(const exprt &expr) const
{
  throw std::string(
    dialect == dialectt::CVC ? "convert_cvc_expr: " : "convert_smt_expr: ") +
    expr.id().as_string() + " is unsupported";
}

void text_convt::convert_arguments(const exprt &first, const exprt &second)
{
  convert_expr(first);
  *out << ", ";
  convert_expr(second);
  *out << ")";
}

void text_convt::convert_expr(const exprt &expr)
{
  typedef void (text_convt::*convertert)(const exprt &);
  // Looked up by the interned id; calls through the table stay virtual.
  static const hash_mapt<dstring, convertert, dstring_hash> converters = [] {
    hash_mapt<dstring, convertert, dstring_hash> table;
    const std::pair<dstring, convertert> entries[] = {
      {ID_symbol, &text_convt::convert_symbol},
      {ID_nondet_symbol, &text_convt::convert_nondet_symbol},
      {ID_typecast, &text_convt::convert_typecast},
      {ID_struct, &text_convt::convert_struct},
      {ID_constant, &text_convt::convert_constant},
      {ID_string_constant, &text_convt::convert_string_constant},
      {ID_concatenation, &text_convt::convert_bitwise},
      {ID_bitand, &text_convt::convert_bitwise},
      {ID_bitor, &text_convt::convert_bitwise},
      {ID_bitxor, &text_convt::convert_bitxor},
      {ID_bitnand, &text_convt::convert_bitnand},
      {ID_bitnot, &text_convt::convert_bitnot},
      {ID_ashr, &text_convt::convert_shift},
      {ID_lshr, &text_convt::convert_shift},
      {ID_shl, &text_convt::convert_shift},
      {ID_extractbit, &text_convt::convert_extractbit},
      {ID_replication, &text_convt::convert_replication},
      {ID_unary_minus, &text_convt::convert_unary_minus},
      {ID_plus, &text_convt::convert_plus},
      {ID_minus, &text_convt::convert_minus_mult},
      {ID_mult, &text_convt::convert_minus_mult},
      {ID_div, &text_convt::convert_div_mod},
      {ID_mod, &text_convt::convert_div_mod},
      {ID_le, &text_convt::convert_relation},
      {ID_lt, &text_convt::convert_relation},
      {ID_ge, &text_convt::convert_relation},
      {ID_gt, &text_convt::convert_relation},
      {ID_if, &text_convt::convert_if},
      {ID_and, &text_convt::convert_junction},
      {ID_or, &text_convt::convert_junction},
      {ID_xor, &text_convt::convert_junction},
      {ID_not, &text_convt::convert_not},
      {ID_equal, &text_convt::convert_equality},
      {ID_notequal, &text_convt::convert_equality},
      {ID_address_of, &text_convt::convert_address_of},
      {ID_implicit_address_of, &text_convt::convert_address_of},
      {ID_reference_to, &text_convt::convert_address_of},
      {ID_pointer_offset, &text_convt::convert_pointer_offset},
      {ID_same_object, &text_convt::convert_same_object},
      {ID_array_of, &text_convt::convert_array_of},
      {ID_index, &text_convt::convert_index},
      {ID_with, &text_convt::convert_with},
      {ID_member, &text_convt::convert_member}};
    for(const auto &entry : entries)
      table.insert({entry.first, entry.second});
    return table;
  }();

  const auto found = converters.find(expr.id());
  if(found == converters.end())
    unsupported(expr);
  (this->*(found->second))(expr);
}

void text_convt::convert_symbol(const exprt &expr)
{
  convert_identifier(expr.get("identifier"));
}

void text_convt::convert_nondet_symbol(const exprt &expr)
{
  convert_identifier("nondet$" + expr.get("identifier").as_string());
}

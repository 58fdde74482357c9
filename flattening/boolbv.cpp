#include "flattening/boolbv.h"

#include "expr_algorithms/arith_tools.h"
#include "expr_algorithms/string_constant.h"
#include "util/invariant.h"
#include "util/mp_arith.h"

#include <cstdlib>
#include <iostream>
#include <limits>
#include <string>

bv_kindt classify_bv_type(const typet &type)
{
  const dstring &id = type.id();
  if(id == ID_signedbv)
    return BV_KIND_SIGNED;
  if(id == ID_unsignedbv)
    return BV_KIND_UNSIGNED;
  if(id == ID_c_enum || id == ID_incomplete_c_enum)
    return BV_KIND_C_ENUM;
  if(id == ID_floatbv)
    return BV_KIND_FLOAT;
  if(id == ID_fixedbv)
    return BV_KIND_FIXED;
  if(id == ID_bv)
    return BV_KIND_BV;
  if(id == ID_verilogbv)
    return BV_KIND_VERILOG;
  if(id == ID_range)
    return BV_KIND_RANGE;
  return BV_KIND_OTHER;
}

boolbvt::boolbvt(propt &_prop)
  : arrayst(_prop), bv_utils(_prop), symbol_map(100), bv_cache(100)
{
}

bool boolbvt::convert_cached(const exprt &expr, bvt &bv)
{
  bv_cachet::const_iterator found = bv_cache.find(expr);
  if(found != bv_cache.end())
  {
    bv = found->second;
    return false;
  }

  if(convert_vector_expr(expr, bv))
  {
    warn_ignoring(expr);
    if(free_bits_for(expr, bv))
      return true;
  }

  bv_cache.insert({expr, bv});
  return false;
}

bool boolbvt::convert_vector_expr(const exprt &expr, bvt &bv)
{
  if(expr.type().id() == ID_bool)
  {
    bv.assign(1, convert(expr));
    return false;
  }

  typedef bool (boolbvt::*convertert)(const exprt &, bvt &);
  // Looked up by the interned id; calls through the table stay virtual.
  static const hash_mapt<dstring, convertert, dstring_hash> converters = [] {
    hash_mapt<dstring, convertert, dstring_hash> table;
    const std::pair<dstring, convertert> entries[] = {
      {ID_index, &boolbvt::convert_index},
      {ID_constraint_select_one, &boolbvt::convert_constraint_select_one},
      {ID_member, &boolbvt::convert_member},
      {ID_with, &boolbvt::convert_with},
      {ID_case, &boolbvt::convert_case},
      {ID_cond, &boolbvt::convert_cond},
      {ID_if, &boolbvt::convert_if},
      {ID_constant, &boolbvt::convert_constant},
      {ID_typecast, &boolbvt::convert_typecast},
      {ID_symbol, &boolbvt::convert_symbol_bits},
      {ID_bv_literals, &boolbvt::convert_literal_list},
      {ID_plus, &boolbvt::convert_add_sub},
      {ID_minus, &boolbvt::convert_add_sub},
      {ID_no_overflow_plus, &boolbvt::convert_add_sub},
      {ID_no_overflow_minus, &boolbvt::convert_add_sub},
      {ID_mult, &boolbvt::convert_mult},
      {ID_no_overflow_mult, &boolbvt::convert_mult},
      {ID_div, &boolbvt::convert_div},
      {ID_mod, &boolbvt::convert_mod},
      {ID_shl, &boolbvt::convert_shift},
      {ID_ashr, &boolbvt::convert_shift},
      {ID_lshr, &boolbvt::convert_shift},
      {ID_concatenation, &boolbvt::convert_concatenation},
      {ID_replication, &boolbvt::convert_replication},
      {ID_extractbits, &boolbvt::convert_extractbits},
      {ID_bitnot, &boolbvt::convert_bitwise},
      {ID_bitand, &boolbvt::convert_bitwise},
      {ID_bitor, &boolbvt::convert_bitwise},
      {ID_bitxor, &boolbvt::convert_bitwise},
      {ID_unary_minus, &boolbvt::convert_unary_minus},
      {ID_no_overflow_unary_minus, &boolbvt::convert_unary_minus},
      {ID_nondet_symbol, &boolbvt::convert_symbol_bits},
      {ID_quant_symbol, &boolbvt::convert_symbol_bits},
      {ID_struct, &boolbvt::convert_struct},
      {ID_union, &boolbvt::convert_union_value},
      {ID_array, &boolbvt::convert_array},
      {ID_lambda, &boolbvt::convert_lambda},
      {ID_array_of, &boolbvt::convert_array_of}};
    for(const auto &entry : entries)
      table.insert({entry.first, entry.second});
    return table;
  }();

  const dstring &id = expr.id();
  const auto found = converters.find(id);
  if(found != converters.end())
    return (this->*(found->second))(expr, bv);
  if(id.as_string().compare(0, 12, "byte_extract") == 0)
    return convert_byte_extract(expr, bv);
  if(id == ID_string_constant)
  {
    exprt array;
    string_constant_to_array(expr, array);
    return convert_vector_expr(array, bv);
  }
  return true;
}

literalt boolbvt::convert_single_bit(
  bool (boolbvt::*converter)(const exprt &, bvt &),
  const char *wrong_width,
  const exprt &expr)
{
  bvt bv;
  if((this->*converter)(expr, bv))
    return prop_convt::convert_rest(expr);
  if(bv.size() != 1)
    throw wrong_width;
  return bv[0];
}

literalt boolbvt::convert_rest(const exprt &expr)
{
  if(expr.type().id() != ID_bool)
  {
    std::cerr << expr.to_string() << '\n';
    throw "boolbvt::convert_rest got non-boolean operand";
  }

  const dstring &id = expr.id();
  if(id == ID_typecast)
    return convert_typecast_to_bool(expr);
  if(id == ID_equal || id == ID_notequal)
    return convert_equality(expr);
  if(id == ID_le || id == ID_ge || id == ID_lt || id == ID_gt)
    return convert_relation(expr);
  if(id == ID_extractbit)
    return convert_extractbit(expr);
  if(id == ID_forall || id == ID_exists)
    return convert_quantifier(expr);
  if(id == ID_index)
    return convert_single_bit(
      &boolbvt::convert_index,
      "convert_index returned non-bool bitvector",
      expr);
  if(id == ID_member)
    return convert_single_bit(
      &boolbvt::convert_member,
      "convert_member returned non-bool bitvector",
      expr);
  if(id == ID_case)
    return convert_single_bit(
      &boolbvt::convert_case, "convert_case returned non-bool bitvector", expr);
  if(id == ID_cond)
    return convert_single_bit(
      &boolbvt::convert_cond, "convert_cond returned non-bool bitvector", expr);
  if(id == ID_sign)
    return convert_sign(expr);
  if(
    id == ID_reduction_or || id == ID_reduction_and || id == ID_reduction_nor ||
    id == ID_reduction_nand || id == ID_reduction_xor ||
    id == ID_reduction_xnor)
    return convert_reduction(expr);
  if(id.as_string().compare(0, 9, "overflow-") == 0)
    return convert_overflow(expr);
  return prop_convt::convert_rest(expr);
}

literalt boolbvt::convert_sign(const exprt &expr)
{
  if(expr.operands().size() != 1)
    throw "sign expects one operand";
  bvt bv;
  if(convert_cached(expr.op0(), bv))
    return prop_convt::convert_rest(expr);
  if(bv.empty())
    throw "sign operator takes one non-empty operand";
  const dstring &type_id = expr.op0().type().id();
  if(type_id == ID_signedbv || type_id == ID_fixedbv)
    return bv.back();
  if(type_id == ID_unsignedbv)
    return const_literal(false);
  return prop_convt::convert_rest(expr);
}

void boolbvt::set_to(const exprt &expr, bool value)
{
  if(expr.type().id() != ID_bool)
  {
    std::cerr << expr.to_string() << '\n';
    throw "boolbvt::set_to got non-boolean operand";
  }
  if(value && expr.id() == ID_equal && !equality_to_true_shortcut(expr))
    return;
  prop_convt::set_to(expr, value);
}

bool boolbvt::equality_to_true_shortcut(const exprt &expr)
{
  if(!equality_propagation)
    return true;
  const exprt::operandst &operands = expr.operands();
  if(operands.size() != 2 || operands[0].id() != ID_symbol)
    return true;
  const typet &type = operands[0].type();
  if(
    type != operands[1].type() || type.id() == ID_bool ||
    treat_as_unbounded_array(type))
    return true;

  bvt bv;
  if(convert_cached(operands[1], bv))
    return true;
  const dstring &identifier = operands[0].get("identifier");
  for(unsigned i = 0; i < bv.size(); ++i)
    bind_symbol_bit(identifier, i, type, bv[i]);
  return false;
}

void boolbvt::post_process()
{
  post_process_quantifiers();
  add_array_constraints_all();
  add_function_constraints_all();
  add_equality_constraints_all();
  prop_convt::post_process();
}

boolbvt::symbol_entryt &
boolbvt::symbol_map_entry(const dstring &identifier, const typet &type)
{
  std::pair<symbol_mapt::iterator, bool> inserted =
    symbol_map.insert({identifier, symbol_entryt()});
  symbol_entryt &entry = inserted.first->second;
  if(inserted.second)
  {
    entry.type = type;
    // A type without width records 0 bits rather than an undefined count.
    if(get_width(type, entry.width))
      entry.width = 0;
    entry.kind = classify_bv_type(type);
  }
  return entry;
}

literalt boolbvt::symbol_bit_literal(
  const dstring &identifier,
  unsigned bit,
  const typet &type)
{
  symbol_entryt &entry = symbol_map_entry(identifier, type);
  std::pair<std::map<unsigned, literalt>::iterator, bool> inserted =
    entry.bit_literals.insert({bit, literalt()});
  if(inserted.second)
    inserted.first->second = prop.new_variable();
  return inserted.first->second;
}

void boolbvt::bind_symbol_bit(
  const dstring &identifier,
  unsigned bit,
  const typet &type,
  literalt l)
{
  symbol_entryt &entry = symbol_map_entry(identifier, type);
  std::pair<std::map<unsigned, literalt>::iterator, bool> inserted =
    entry.bit_literals.insert({bit, l});
  if(!inserted.second)
    prop.set_equal(inserted.first->second, l);
}

bool boolbvt::free_bits_for(const exprt &expr, bvt &bv)
{
  unsigned width;
  if(get_width(expr.type(), width))
    return true;
  bv.resize(width);
  for(literalt &bit : bv)
    bit = prop.new_variable();
  return false;
}

bool boolbvt::treat_as_unbounded_array(const typet &type) const
{
  if(type.id() != ID_array)
    return false;
  if(unbounded_array_mode == 1)
    return true;
  mp_integer size;
  if(expr_to_integer(static_cast<const exprt &>(type.find("size")), size))
    return true;
  return unbounded_array_mode == 2 && size > 1000;
}

bool boolbvt::convert_symbol_bits(const exprt &expr, bvt &bv)
{
  unsigned width;
  if(get_width(expr.type(), width))
    return true;
  const dstring &identifier = expr.get("identifier");
  if(identifier.empty())
    throw "got empty identifier";
  bv.resize(width);
  for(unsigned i = 0; i < width; ++i)
    bv[i] = symbol_bit_literal(identifier, i, expr.type());
  return false;
}

bool boolbvt::convert_literal_list(const exprt &expr, bvt &bv)
{
  unsigned width;
  if(get_width(expr.type(), width))
    return true;
  const irept::subt &words = expr.find("bv").get_sub();
  if(words.size() != width)
    throw "bv_literals with wrong size";
  bv.resize(width);
  for(unsigned i = 0; i < width; ++i)
    bv[i] = literalt::from_word(static_cast<unsigned>(
      std::strtoul(words[i].id().c_str(), nullptr, 10)));
  return false;
}

void boolbvt::bits_to_expr(const typet &type, const bvt &bv, exprt &dest)
{
  dest = exprt("bv_literals", type);
  irept::subt &words = dest.add("bv").get_sub();
  words.reserve(bv.size());
  for(const literalt &bit : bv)
    words.push_back(irept(dstring(std::to_string(bit.get()))));
}

void boolbvt::fresh_bits_expr(const typet &type, exprt &dest)
{
  unsigned width;
  if(get_width(type, width))
    throw "failed to get width of " + type.to_string();
  bvt bv(width);
  for(literalt &bit : bv)
    bit = prop.new_variable();
  bits_to_expr(type, bv, dest);
}

bool boolbvt::literal(const exprt &expr, unsigned bit, literalt &dest) const
{
  if(expr.type().id() == ID_bool)
  {
    INVARIANT(bit==0);
    return prop_convt::literal(expr, dest);
  }

  const dstring &id = expr.id();
  if(id == ID_symbol || id == ID_nondet_symbol)
  {
    const symbol_mapt::const_iterator entry =
      symbol_map.find(expr.get("identifier"));
    if(entry == symbol_map.end())
      return true;
    const auto found = entry->second.bit_literals.find(bit);
    if(found == entry->second.bit_literals.end())
      return true;
    dest = found->second;
    return false;
  }
  if(id == ID_index)
  {
    if(expr.operands().size() != 2)
      throw "index takes two operands";
    unsigned width;
    if(width_of(expr.type(), width))
      throw "literal expects a bit-vector type";
    mp_integer index;
    if(expr_to_integer(expr.op1(), index))
      throw "literal expects constant index";
    index *= width;
    index += bit;
    // No bit has a negative number or one beyond 32 bits.
    if(index.is_negative() || index > std::numeric_limits<unsigned>::max())
      return true;
    const unsigned position = static_cast<unsigned>(integer_to_unsigned(index));
    return literal(expr.op0(), position, dest);
  }
  if(id == ID_member)
  {
    if(expr.operands().size() != 1)
      throw "member takes one operand";
    const dstring &name = expr.get("component_name");
    unsigned offset = 0;
    for(const irept &component :
        expr.op0().type().find("components").get_sub())
    {
      unsigned width;
      if(width_of(static_cast<const typet &>(component.find("type")), width))
        throw "literal expects a bit-vector type";
      if(component.get("name") == name)
        return literal(expr.op0(), offset + bit, dest);
      offset += width;
    }
    throw "failed to find component";
  }
  throw "found no literal for expression";
}

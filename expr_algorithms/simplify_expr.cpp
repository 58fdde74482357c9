#include "expr_algorithms/simplify_expr.h"

#include "expr_algorithms/arith_tools.h"
#include "expr_algorithms/simplify_expr_util.h"
#include "expr_algorithms/sort_operands.h"

bool simplify(exprt &expr)
{
  simplify_exprt simplifier;
  simplifier.normalise_if = true;
  return simplifier.simplify_rec(expr, simplify_exprt::MODE_NORMAL);
}

bool simplify_exprt::simplify(exprt &expr)
{
  return simplify_rec(expr, MODE_NORMAL);
}

bool simplify_exprt::simplify_rec(exprt &expr, modet mode)
{
  const modet operand_mode = expr.id() == ID_address_of ? MODE_UNDER_ADDRESS_OF
                                                        : mode;
  bool unchanged = true;
  if(has_operand_list(expr))
    for(exprt &op : expr.operands())
      unchanged = simplify_rec(op, operand_mode) && unchanged;
  return simplify_node(expr, mode) && unchanged;
}

bool simplify_exprt::is_commutative(const dstring &op, const dstring &type)
{
  static const dstring table[][2] = {
    {ID_plus, ID_integer},      {ID_plus, ID_natural},
    {ID_plus, ID_real},         {ID_plus, ID_complex},
    {ID_plus, ID_rational},     {ID_plus, ID_unsignedbv},
    {ID_plus, ID_signedbv},     {ID_plus, ID_floatbv},
    {ID_plus, ID_pointer},      {ID_mult, ID_integer},
    {ID_mult, ID_natural},      {ID_mult, ID_real},
    {ID_mult, ID_complex},      {ID_mult, ID_rational},
    {ID_mult, ID_unsignedbv},   {ID_mult, ID_signedbv},
    {ID_mult, ID_floatbv},      {ID_and, ID_bool},
    {ID_or, ID_bool},           {ID_xor, ID_bool},
    {ID_bitand, ID_unsignedbv}, {ID_bitand, ID_signedbv},
    {ID_bitand, ID_floatbv},    {ID_bitor, ID_unsignedbv},
    {ID_bitor, ID_signedbv},    {ID_bitor, ID_floatbv},
    {ID_bitxor, ID_unsignedbv}, {ID_bitxor, ID_signedbv},
    {ID_bitxor, ID_floatbv}};
  for(const auto &row : table)
    if(op == row[0] && type == row[1])
      return true;
  return false;
}

bool simplify_exprt::flatten_and_sort_operands(exprt &expr)
{
  if(!has_operand_list(expr) || !is_commutative(expr.id(), expr.type().id()))
    return true;
  const exprt &node = expr;
  for(const exprt &op : node.operands())
    if(!is_commutative(expr.id(), op.type().id()))
      return true;

  bool unchanged = true;
  exprt::operandst &operands = expr.operands();
  for(std::size_t i = 0; i < operands.size();)
  {
    // A nested node of another type is not merged: the integer sum inside
    // a pointer sum wraps at its own width, the pointer sum does not.
    if(operands[i].id() != expr.id() || operands[i].type() != expr.type())
    {
      ++i;
      continue;
    }
    // One level per call: the inner node was flattened when it was
    // simplified, so its operands need no further look.
    exprt::operandst inner;
    inner.swap(operands[i].operands());
    operands.erase(operands.begin() + i);
    operands.insert(operands.begin() + i, inner.begin(), inner.end());
    i += inner.size();
    unchanged = false;
  }
  return sort_operands(operands) && unchanged;
}

bool simplify_exprt::collect_constant_values(
  const exprt &expr, std::set<mp_integer> &values)
{
  if(expr.is_constant())
  {
    mp_integer value;
    if(expr_to_integer(expr, value))
      return true;
    values.insert(value);
    return false;
  }
  if(expr.id() == ID_if && expr.operands().size() == 3)
    return collect_constant_values(expr.op1(), values) ||
           collect_constant_values(expr.op2(), values);
  return true;
}

namespace
{
typedef bool (*rulet)(simplify_exprt &, exprt &, simplify_exprt::modet);

// The rule of each id; looked up by the interned id, as the flattening
// looks up its converters.
rulet rule_of(const dstring &id)
{
  typedef simplify_exprt::modet modet;
  static const hash_mapt<dstring, rulet, dstring_hash> rules = [] {
    const rulet relation = [](simplify_exprt &s, exprt &e, modet m) {
      return s.simplify_relation(e, m);
    };
    const rulet bitwise = [](simplify_exprt &s, exprt &e, modet) {
      return s.simplify_bitwise(e);
    };
    const rulet shifts = [](simplify_exprt &s, exprt &e, modet) {
      return s.simplify_shifts(e);
    };
    const rulet addition_subtraction =
      [](simplify_exprt &s, exprt &e, modet m) {
        return s.simplify_addition_subtraction(e, m);
      };
    const rulet boolean = [](simplify_exprt &s, exprt &e, modet m) {
      return s.simplify_boolean(e, m);
    };
    const std::pair<dstring, rulet> entries[] = {
      {ID_typecast,
       [](simplify_exprt &s, exprt &e, modet m) {
         return s.simplify_typecast(e, m);
       }},
      {ID_equal, relation},
      {ID_notequal, relation},
      {ID_gt, relation},
      {ID_lt, relation},
      {ID_ge, relation},
      {ID_le, relation},
      {ID_if,
       [](simplify_exprt &s, exprt &e, modet) { return s.simplify_if(e); }},
      {ID_lambda,
       [](simplify_exprt &s, exprt &e, modet) { return s.simplify_lambda(e); }},
      {ID_with,
       [](simplify_exprt &s, exprt &e, modet) { return s.simplify_with(e); }},
      {ID_index,
       [](simplify_exprt &s, exprt &e, modet m) {
         return s.simplify_index(e, m);
       }},
      {ID_member,
       [](simplify_exprt &s, exprt &e, modet) { return s.simplify_member(e); }},
      {ID_pointer_object,
       [](simplify_exprt &s, exprt &e, modet) {
         return s.simplify_pointer_object(e);
       }},
      {ID_is_dynamic_object,
       [](simplify_exprt &s, exprt &e, modet) {
         return s.simplify_is_dynamic_object(e);
       }},
      {ID_dynamic_size,
       [](simplify_exprt &s, exprt &e, modet) {
         return s.simplify_dynamic_size(e);
       }},
      {ID_valid_object,
       [](simplify_exprt &s, exprt &e, modet) {
         return s.simplify_valid_object(e);
       }},
      {ID_switch,
       [](simplify_exprt &s, exprt &e, modet) { return s.simplify_switch(e); }},
      {ID_div,
       [](simplify_exprt &s, exprt &e, modet) {
         return s.simplify_division(e);
       }},
      {ID_mod,
       [](simplify_exprt &s, exprt &e, modet) { return s.simplify_modulo(e); }},
      {ID_bitnot,
       [](simplify_exprt &s, exprt &e, modet) { return s.simplify_bitnot(e); }},
      {ID_bitand, bitwise},
      {ID_bitor, bitwise},
      {ID_bitxor, bitwise},
      {ID_ashr, shifts},
      {ID_lshr, shifts},
      {ID_shl, shifts},
      {ID_plus, addition_subtraction},
      {ID_minus, addition_subtraction},
      {ID_mult,
       [](simplify_exprt &s, exprt &e, modet) {
         return s.simplify_multiplication(e);
       }},
      {ID_unary_minus,
       [](simplify_exprt &s, exprt &e, modet) {
         return s.simplify_unary_minus(e);
       }},
      {ID_implies, boolean},
      {ID_equivalent, boolean},
      {ID_not, boolean},
      {ID_or, boolean},
      {ID_xor, boolean},
      {ID_and, boolean},
      {ID_comma,
       [](simplify_exprt &, exprt &e, modet) {
         if(e.operands().empty())
           return true;
         replace_by_operand(e, e.operands().size() - 1);
         return false;
       }},
      {ID_dereference,
       [](simplify_exprt &s, exprt &e, modet) {
         return s.simplify_dereference(e);
       }},
      {ID_address_of,
       [](simplify_exprt &s, exprt &e, modet) {
         return s.simplify_address_of(e);
       }},
      {ID_pointer_offset,
       [](simplify_exprt &s, exprt &e, modet) {
         return s.simplify_pointer_offset(e);
       }},
      {ID_extractbit, [](simplify_exprt &s, exprt &e, modet) {
         return s.simplify_extractbit(e);
       }}};
    hash_mapt<dstring, rulet, dstring_hash> table;
    for(const auto &entry : entries)
      table.insert({entry.first, entry.second});
    return table;
  }();
  const auto found = rules.find(id);
  return found == rules.end() ? nullptr : found->second;
}
} // namespace

bool simplify_exprt::simplify_node(exprt &expr, modet mode)
{
  if(!has_operand_list(expr))
    return true;
  const bool sorted = flatten_and_sort_operands(expr);
  const rulet rule = rule_of(expr.id());
  const bool unchanged = rule == nullptr || rule(*this, expr, mode);
  return sorted && unchanged;
}

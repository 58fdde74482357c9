#ifndef MORVANE_EXPR_ALGORITHMS_SIMPLIFY_EXPR_H
#define MORVANE_EXPR_ALGORITHMS_SIMPLIFY_EXPR_H

// The expression simplifier: rewrites a tree in place, bottom-up, into a
// smaller tree of the same value under every assignment. It folds
// constants, removes neutral operands, flattens and sorts the operands of
// commutative operators and applies a fixed set of algebraic, Boolean,
// array, structure and pointer identities, one rule per node chosen by the
// node's id.
//
// Every operation returns true when it left the expression unchanged and
// false when it changed it in any way. Writes go through the copy-on-write
// accessors, so subtrees shared with other expressions are not affected.

#include "util/expr.h"
#include "util/mp_integer.h"

#include <set>

class simplify_exprt
{
public:
  enum modet
  {
    // An ordinary expression.
    MODE_NORMAL = 0,
    // Inside the operand of an "address_of": object designators are not
    // replaced by their values there.
    MODE_UNDER_ADDRESS_OF = 1
  };

  // When set, the conditional rule also strips a negated condition and
  // turns a Boolean conditional with constant branches into its condition.
  bool normalise_if = false;

  virtual ~simplify_exprt() = default;

  // One node whose operands are simplified already: flattening and
  // sorting, then the rule of its id.
  virtual bool simplify_node(exprt &expr, modet mode);
  // The whole tree, operands first; everything below an "address_of" in
  // MODE_UNDER_ADDRESS_OF.
  virtual bool simplify_rec(exprt &expr, modet mode);
  virtual bool simplify(exprt &expr);

  // Framework.
  // Whether the operands of `op` over a type of that id may be flattened
  // and reordered: "+" and "*" over the number types ("+" also over
  // "pointer"), "and", "or" and "xor" over "bool", the bitwise operators
  // over "unsignedbv", "signedbv" and "floatbv".
  static bool is_commutative(const dstring &op, const dstring &type);
  // When the node and all its operands are of such types: merges operands
  // of the node's id and type into it (one level) and sorts the operands.
  bool flatten_and_sort_operands(exprt &expr);
  // The values a tree of "if"s with constant leaves can take; true when
  // some leaf is not a readable constant.
  static bool
  collect_constant_values(const exprt &expr, std::set<mp_integer> &values);

  // Arithmetic and bit-vectors.
  bool simplify_addition_subtraction(exprt &expr, modet mode);
  bool simplify_multiplication(exprt &expr);
  bool simplify_unary_minus(exprt &expr);
  bool simplify_division(exprt &expr);
  bool simplify_modulo(exprt &expr);
  bool simplify_shifts(exprt &expr);
  bool simplify_bitwise(exprt &expr);
  bool simplify_bitnot(exprt &expr);
  bool simplify_extractbit(exprt &expr);
  // Zeroes every addend that occurs on both sides, once on each side.
  bool eliminate_common_addends(exprt &left, exprt &right);

  // Boolean operators, relations and conditionals.
  bool simplify_boolean(exprt &expr, modet mode);
  bool simplify_if(exprt &expr);
  bool simplify_relation(exprt &expr, modet mode);
  bool simplify_inequality(exprt &expr, modet mode);
  bool simplify_inequality_constant(exprt &expr, modet mode);
  bool simplify_inequality_not_constant(exprt &expr, modet mode);

  // Condition propagation, offered to callers; the dispatch does not apply
  // it.
  bool replace_conjuncts_true(exprt &expr, const exprt &condition);
  bool replace_disjuncts_false(exprt &expr, const exprt &condition);
  // False, with the answer in `result`, when the expression's truth
  // follows from the condition having the truth `truth`; true when that is
  // undecided.
  bool implied_truth(
    const exprt &expr, const exprt &condition, bool truth, bool &result);
  bool
  replace_implied_condition(exprt &expr, const exprt &condition, bool truth);
  bool propagate_conjuncts(exprt &expr, modet mode);
  bool propagate_if_condition(
    exprt &then_value, exprt &else_value, const exprt &condition, modet mode);

  // Arrays, members, pointers and objects.
  bool simplify_index(exprt &expr, modet mode);
  bool simplify_with(exprt &expr);
  bool simplify_member(exprt &expr);
  bool simplify_address_of(exprt &expr);
  bool simplify_dereference(exprt &expr);
  bool simplify_pointer_offset(exprt &expr);
  bool simplify_pointer_object(exprt &expr);
  bool simplify_is_dynamic_object(exprt &expr);
  bool simplify_dynamic_size(exprt &expr);
  bool simplify_valid_object(exprt &expr);
  bool simplify_object(exprt &expr);
  bool simplify_switch(exprt &expr);
  bool simplify_lambda(exprt &expr);

  // Typecasts.
  bool simplify_typecast(exprt &expr, modet mode);

private:
  // The rules of simplify_boolean that simplify what they rewrite.
  bool simplify_not(exprt &expr, modet mode);
  bool simplify_implies(exprt &expr, modet mode);
};

// Simplifies the expression with normalise_if set; true when it was left
// unchanged.
bool simplify(exprt &expr);

#endif

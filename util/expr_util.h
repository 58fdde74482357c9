#ifndef MORVANE_UTIL_EXPR_UTIL_H
#define MORVANE_UTIL_EXPR_UTIL_H

// Building expressions in the shapes the framework expects. Every result
// is a fresh tree that shares only the arguments it holds. The Boolean
// connectives get a new "bool" type each time.

#include "util/expr.h"
#include "util/symbol.h"
#include "util/type.h"

#include <string>

exprt true_expr();
exprt false_expr();

exprt make_unary_expr(const std::string &id, const typet &type, const exprt &a);
exprt make_binary_expr(
  const std::string &id,
  const typet &type,
  const exprt &a,
  const exprt &b);

exprt make_not_expr(const exprt &a);
exprt make_and(const exprt &a, const exprt &b);
exprt make_and(const exprt &a, const exprt &b, const exprt &c);
exprt make_or(const exprt &a, const exprt &b);
exprt make_or(const exprt &a, const exprt &b, const exprt &c);
exprt make_equality(const exprt &a, const exprt &b);
exprt make_implication(const exprt &a, const exprt &b);

// "index" of the array, typed by the array type's "subtype" (nil when the
// array has no type or the type no subtype).
exprt make_index_expr(const exprt &array, const exprt &index);

typet make_pointer_type(const typet &subtype);

// "address_of" the expression, typed as a pointer to the expression's type.
exprt make_address_of(const exprt &a);

// The "symbol" expression naming the symbol, with its type.
exprt make_symbol_expr(const symbolt &symbol);

// The constant zero (one) of a type: "0" ("1") for the number kinds, a
// string of "width" digits for bit-vectors, false ("1") for "bool", "NULL"
// for a pointer's zero; nil for types without such a value and for a
// bit-vector whose width read_width refuses.
exprt zero_constant(const typet &type);
exprt one_constant(const typet &type);

// Turns an expression holding an operand list into the n-ary `id` of its
// operands: no operand gives the neutral constant (true for and, false for
// or), one operand gives that operand, more keep the operands as they are
// under `id` with type "bool". Nothing is folded or flattened.
void make_and_or_from_operands(exprt &expr, const std::string &id, bool is_and);
void make_and_from_operands(exprt &expr);
void make_or_from_operands(exprt &expr);

// Renames every "symbol" in the operands, at any depth, to "next_symbol".
// Types and other attributes are not visited.
void make_next_symbols(exprt &expr);

#endif

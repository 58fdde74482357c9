#ifndef MORVANE_EXPR_ALGORITHMS_CNF_SIMPLIFY_H
#define MORVANE_EXPR_ALGORITHMS_CNF_SIMPLIFY_H

// Rewrites of Boolean and bitwise expressions towards a normal form in
// which negation stands directly on atoms and nested associative
// operators are merged. All rewrite in place.

#include "util/expr.h"

// Replaces the expression by its negation, pushed inwards: "and" and "or"
// swap and negate their operands, "nand" and "nor" lose their negation,
// "not" is stripped (it must have one operand), "=" and "notequal" swap;
// anything else is wrapped in a "not" of its type.
void propagate_not(exprt &expr);

// Removes "nor", "nand", "=>" (of two operands) throughout the tree and
// pushes every "not" of one operand down onto atoms by propagate_not (a
// "not" stays above what propagate_not wraps: atoms, "xor", bitwise
// operators, a "=>" of other than two operands).
void cnf_normalize(exprt &expr);

// Appends the operands of the expression to the list, descending into
// every operand of the same id and type and moving the others out of it.
void collect_same_operands(exprt &expr, exprt::operandst &dest);

// Merges nested "and", "or", "xor", "bitand", "bitor" and "bitxor" of the
// same id and type throughout the tree, keeping the operands in order; a
// merged node with one operand is replaced by it (one without operands
// keeps an empty operand list).
void cnf_flatten(exprt &expr);

// cnf_normalize, then cnf_flatten.
void cnf_simplify(exprt &expr);

#endif

#ifndef MORVANE_EXPR_ALGORITHMS_SIMPLIFY_EXPR_UTIL_H
#define MORVANE_EXPR_ALGORITHMS_SIMPLIFY_EXPR_UTIL_H

// Small shared steps of the simplifier's rules.

#include "util/expr.h"

// Whether the "operands" child is present (possibly empty).
inline bool has_operand_list(const exprt &expr)
{
  return expr.find("operands").is_not_nil();
}

// Replaces the node by its operand `i`: the operand is moved out of its
// place and swapped in, so nothing is copied deeply.
inline void replace_by_operand(exprt &expr, std::size_t i)
{
  exprt operand;
  operand.swap(expr.operands()[i]);
  expr.swap(operand);
}

// Replaces the node by a tree that may be part of it.
inline void replace_by(exprt &expr, exprt &replacement)
{
  exprt taken;
  taken.swap(replacement);
  expr.swap(taken);
}

#endif

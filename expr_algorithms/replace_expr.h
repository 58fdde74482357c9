#ifndef MORVANE_EXPR_ALGORITHMS_REPLACE_EXPR_H
#define MORVANE_EXPR_ALGORITHMS_REPLACE_EXPR_H

// Replacing whole subexpressions, top-down: a subexpression that matches
// (structurally, comments ignored) is replaced and not searched again, so
// an outer match wins over matches inside it and a replacement that
// contains what it replaces is inserted once. Every visited expression
// with operands becomes unshared, also when nothing is replaced.
//
// Costs: each visited node is hashed whole, so a map walk costs the sum of
// the subtree sizes; the pair walk compares instead.

#include "util/expr.h"
#include "util/hash_containers.h"

typedef hash_mapt<exprt, exprt, irep_hash> replace_mapt;

// False when at least one subexpression was replaced, true when none was.
bool replace_expr_map(const replace_mapt &what, exprt &dest);
bool replace_expr_pair(const exprt &what, const exprt &by, exprt &dest);

#endif

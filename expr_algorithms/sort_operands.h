#ifndef MORVANE_EXPR_ALGORITHMS_SORT_OPERANDS_H
#define MORVANE_EXPR_ALGORITHMS_SORT_OPERANDS_H

#include "util/expr.h"

// Puts the operands into ascending tree order (irept::compare: comments
// ignored), the canonical order of the operands of a commutative operator.
// True when they were in order already, and are left as they are; false
// when they were sorted. The sort is not stable: equal operands may trade
// places.
bool sort_operands(exprt::operandst &operands);

#endif

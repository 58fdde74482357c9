#ifndef MORVANE_EXPR_ALGORITHMS_RATIONAL_TOOLS_H
#define MORVANE_EXPR_ALGORITHMS_RATIONAL_TOOLS_H

#include "util/expr.h"
#include "util/rational.h"

// The value of a constant whose text is decimal digits, optionally with one
// '.' (a decimal fraction: "1.25", "2.", ".5") or one '/' (a quotient:
// "3/6"), normalised. False on success; true, with `value` unchanged, for a
// non-constant, any other character (a sign included), two separators, or
// a quotient whose denominator is zero. The empty text reads as 0.
bool constant_to_rational(const exprt &expr, rationalt &value);

#endif

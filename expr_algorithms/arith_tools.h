#ifndef MORVANE_EXPR_ALGORITHMS_ARITH_TOOLS_H
#define MORVANE_EXPR_ALGORITHMS_ARITH_TOOLS_H

// Constants as integers, and small integer tools.
//
// The value text of a constant by its type: decimal for "integer" and
// "natural", exactly "width" bits (most significant first, two's
// complement for "signedbv") for "unsignedbv" and "signedbv", "true" /
// "false" for "bool", "NULL" for the null pointer.

#include "util/expr.h"
#include "util/mp_integer.h"
#include "util/type.h"

// The value of a constant of type "integer", "natural", "unsignedbv",
// "signedbv", or the null pointer (0). False on success; true, with `value`
// unchanged, for anything else. Malformed text is no failure: it reads as 0
// (decimal text with a character that is neither letter nor digit, bits
// other than '0' and '1'); the length of the bit text, not the type's
// width, decides the weights.
bool expr_to_integer(const exprt &expr, mp_integer &value);

// A constant of the type holding the value: bit-vectors take it modulo
// 2^width, "bool" takes 0 and 1 (as fresh Boolean constants), "integer"
// anything and "natural" what is not negative. A nil expression for every
// other value and type, and for a bit-vector whose width read_width
// rejects.
exprt integer_to_expr(const mp_integer &value, const typet &type);

// base^exponent; power(0, 0) is 1. The exponent must not be negative.
// Costs O(log exponent) multiplications.
mp_integer power(const mp_integer &base, const mp_integer &exponent);

// The smallest n of at least 1 with 2^n >= size: the bits that number
// `size` objects (0, 1 and 2 give 1; 3 and 4 give 2).
mp_integer address_bits(const mp_integer &size);

// a := max(a, b), a := min(a, b).
void assign_max(mp_integer &a, const mp_integer &b);
void assign_min(mp_integer &a, const mp_integer &b);

#endif

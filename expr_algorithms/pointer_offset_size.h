#ifndef MORVANE_EXPR_ALGORITHMS_POINTER_OFFSET_SIZE_H
#define MORVANE_EXPR_ALGORITHMS_POINTER_OFFSET_SIZE_H

// Sizes and offsets in the units of pointer offsets. The unit is not the
// byte: a scalar counts 1, an array its element size times its element
// count, and a structure or union 1 for itself (offset 0 stands for the
// whole) plus the sizes of all its components, which follow one another
// from offset 1 (a union too: its members do not overlap here).

#include "util/expr.h"
#include "util/mp_integer.h"
#include "util/namespace.h"
#include "util/type.h"

// The size of the type. An array whose size is not a constant counts 1;
// "symbol" types are not followed and count 1, so callers pass followed
// types.
mp_integer pointer_offset_size(const typet &type);

// The offset that the outermost selection of the expression adds: 0 for a
// "symbol" or "string-constant"; for an "index" into an "array", 1 + i
// times the element size for a constant index i, 0 for any other index;
// for a "member" of a structure or union (its type followed through the
// namespace), 1 plus the sizes of the components before the named one.
// Other expressions are outside the domain: their tree text is written to
// standard output and the result is 0, as it is for a malformed index or
// member.
mp_integer compute_pointer_offset(const namespacet &ns, const exprt &expr);

#endif

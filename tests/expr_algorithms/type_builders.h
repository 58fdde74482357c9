#ifndef MORVANE_TESTS_EXPR_ALGORITHMS_TYPE_BUILDERS_H
#define MORVANE_TESTS_EXPR_ALGORITHMS_TYPE_BUILDERS_H

// Pointer and array types for the expression algorithm tests.

#include "util/expr.h"
#include "util/type.h"

inline typet pointer_to(const typet &target)
{
  typet type("pointer");
  type.subtype() = target;
  return type;
}

// An array of the element type whose "size" is the given expression.
inline typet array_of(const typet &element, const exprt &size)
{
  typet type("array");
  type.subtype() = element;
  type.set("size", size);
  return type;
}

#endif

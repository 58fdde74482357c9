#ifndef MORVANE_EXPR_ALGORITHMS_FORMAT_CONSTANT_H
#define MORVANE_EXPR_ALGORITHMS_FORMAT_CONSTANT_H

#include "util/expr.h"

#include <string>

// A short text of a constant for messages: the decimal value of an
// "integer", "natural", "unsignedbv" or "signedbv" constant (signed for
// "signedbv"), the text of a "string-constant"; for anything else
// "(format-constant failed: " with the expression's id and ")".
std::string format_constant(const exprt &expr);

#endif

#ifndef MORVANE_EXPR_ALGORITHMS_STRING_CONSTANT_H
#define MORVANE_EXPR_ALGORITHMS_STRING_CONSTANT_H

#include "util/expr.h"
#include "util/namespace.h"

#include <string>

// Overwrites `dest` with the array constant that the "string-constant"
// stands for: an "array" of the string type's "subtype" (the character
// type) whose "size" is a "signedbv" constant of the configured int width
// holding n + 1, with the n character codes and a terminating 0 as
// operands. Codes are bytes read as unsigned (0 to 255) for an
// "unsignedbv" character type and as signed 8-bit numbers otherwise; the
// printable ones (32 to 126) carry the comment "#cformat" with the
// character between single quotes. Nothing else of the string is kept.
void string_constant_to_array(const exprt &string_constant, exprt &dest);

// The name of an array for messages: "array `NAME'" for a symbol (its base
// name), NAME"[]" for an index into NAME, "string" for a string constant,
// "array" for anything else. Throws "index takes two operands" for a
// malformed index and "identifier NAME not found" for an unknown symbol.
std::string array_name_text(const namespacet &ns, const exprt &expr);

#endif

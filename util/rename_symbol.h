#ifndef MORVANE_UTIL_RENAME_SYMBOL_H
#define MORVANE_UTIL_RENAME_SYMBOL_H

#include "util/dstring.h"
#include "util/expr.h"

// Renames every "symbol" whose identifier is `old_name` to `new_name`, at
// any depth of operands, except below "address_of" and
// "implicit_address_of". True when nothing was renamed.
bool rename_symbol_in_expr(
  exprt &expr,
  const dstring &old_name,
  const dstring &new_name);

#endif

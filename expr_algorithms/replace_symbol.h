#ifndef MORVANE_EXPR_ALGORITHMS_REPLACE_SYMBOL_H
#define MORVANE_EXPR_ALGORITHMS_REPLACE_SYMBOL_H

// Replacing symbols by what they are bound to: "symbol" expressions
// through `expr_map`, "symbol" types through `type_map`, both keyed by
// identifier.

#include "util/dstring.h"
#include "util/expr.h"
#include "util/hash_containers.h"
#include "util/type.h"

class replace_symbolt
{
public:
  typedef hash_mapt<dstring, exprt, dstring_hash> expr_mapt;
  typedef hash_mapt<dstring, typet, dstring_hash> type_mapt;

  expr_mapt expr_map;
  type_mapt type_map;

  virtual ~replace_symbolt() = default;

  // A bound "symbol" expression becomes its binding (with the binding's
  // type) and is not entered; otherwise the operands and then the type are
  // rewritten. True when nothing was replaced.
  virtual bool replace(exprt &dest);

  // Rewrites the subtype, the subtypes, the components of "struct" and
  // "union" and the arguments of "code" ("class" is not entered); then
  // replaces the type itself when it is a bound "symbol" type. The result
  // reports only that last replacement: true when the type itself was not
  // replaced, whatever changed inside it.
  virtual bool replace(typet &dest);
};

// Binds the identifier of every "actual" operand of the list to its one
// operand: a "type" operand's type into `type_map`, any other operand into
// `expr_map`. An identifier bound already keeps its first binding. Throws
// "expected actual" at the first operand that is not an "actual" with one
// operand; the bindings before it stay.
void collect_actuals(const exprt &actuals, replace_symbolt &replace_symbol);

#endif

#ifndef MORVANE_EXPR_ALGORITHMS_BASE_TYPE_H
#define MORVANE_EXPR_ALGORITHMS_BASE_TYPE_H

// Types modulo "symbol" types: a "symbol" type names a type symbol whose
// type is the definition, so two different trees can denote one type.
//
// Symbol types that lead back to themselves through other symbol types
// alone (A names B, B names A) are followed only until the cycle shows:
// the rewriting leaves the symbol type in place, and a comparison that
// would follow such a chain forever throws "identifier NAME has a cyclic
// definition".

#include "util/dstring.h"
#include "util/expr.h"
#include "util/namespace.h"
#include "util/type.h"
#include "util/union_find.h"

// Rewrites the type into its base form: symbol types by their definitions
// (left in place when the symbol is missing, is no type, has a nil type,
// or is being expanded already), "subtype" types by their subtype,
// "predicate" types by the domain of their predicate's mapping; entering
// "mapping", "array" and the components of "struct", "class" and "union".
// Pointer targets are not entered, so recursion through pointers ends.
void base_type(typet &type, const namespacet &ns);

// The same on the expression's type and, recursively, on its operands.
void base_type(exprt &expr, const namespacet &ns);

// Equality of types and expressions modulo symbol types, recursive types
// included: a pair of symbol names met a second time in one comparison is
// taken as equal. Throws "identifier NAME not found" for a symbol type
// naming no symbol and "symbol NAME is not a type" for one naming a
// non-type.
class base_type_eqt
{
public:
  explicit base_type_eqt(const namespacet &_ns) : ns(_ns)
  {
  }
  virtual ~base_type_eqt() = default;

  // Array sizes and argument names are not compared; component names are.
  virtual bool type_eq(const typet &type1, const typet &type2);
  // Only ids, types and operands take part: a symbol expression's
  // identifier and a constant's value do not.
  virtual bool expr_eq(const exprt &expr1, const exprt &expr2);

protected:
  const namespacet &ns;
  // The symbol names this comparison has met in pairs and assumes equal.
  union_find<dstring> identifiers;

  // The definition of a symbol type compared with `other`; throws as
  // described above, and when `other` is no symbol type and following the
  // definition would lead round a cycle of symbol types.
  const typet &definition(const typet &symbol_type, const typet &other) const;
};

// One comparison with a fresh base_type_eqt each.
bool base_type_eq(const typet &type1, const typet &type2, const namespacet &ns);
bool base_type_eq(const exprt &expr1, const exprt &expr2, const namespacet &ns);

// Equality after following symbol types at the top only: symbol types
// inside components, subtypes or arguments are compared as written.
// Throws as base_type_eqt does.
bool type_equal_follow(
  const typet &type1, const typet &type2, const namespacet &ns);

#endif

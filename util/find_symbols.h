#ifndef MORVANE_UTIL_FIND_SYMBOLS_H
#define MORVANE_UTIL_FIND_SYMBOLS_H

// Walks over the operands of expressions that find the symbols they
// mention: "symbol" leaves name the current value of a symbol,
// "next_symbol" leaves its value in the next state; both carry the name in
// "identifier". Types and other attributes are never visited, and a leaf
// that matches is not looked below.

#include "util/dstring.h"
#include "util/expr.h"
#include "util/hash_containers.h"
#include "util/namespace.h"

#include <set>

typedef hash_sett<dstring, dstring_hash> find_symbols_sett;

// Every "symbol" and "next_symbol" subexpression; equal trees once.
void collect_symbol_exprs(const exprt &expr, std::set<exprt> &dest);

// Whether a "symbol" leaf (when `current`) or a "next_symbol" leaf (when
// `next`) names an identifier of the set. A leaf of a kind not asked for
// counts as an ordinary node.
bool has_symbol(
  const exprt &expr,
  const find_symbols_sett &symbols,
  bool current,
  bool next);
bool has_symbol(const exprt &expr, const find_symbols_sett &symbols);

// Adds the identifiers of the leaves that has_symbol would look at.
void collect_symbols(
  const exprt &expr,
  find_symbols_sett &dest,
  bool current,
  bool next);
void collect_symbols(const exprt &expr, find_symbols_sett &dest);

// Adds every macro reached from the expression, also through the values of
// the macros found; each macro's value is walked once, so mutually
// recursive macros end the walk. Throws when a leaf names an identifier
// that the namespace does not hold; what was added until then stays.
void find_macro_symbols(
  const exprt &expr,
  const namespacet &ns,
  find_symbols_sett &dest);

#endif

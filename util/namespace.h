#ifndef MORVANE_UTIL_NAMESPACE_H
#define MORVANE_UTIL_NAMESPACE_H

// The read-only view through which algorithms find symbols: a name is
// looked up in the primary symbol table and, failing that, in the optional
// secondary one. Neither table is owned.
//
// Lookups that cannot succeed throw a std::string: "identifier NAME not
// found", or "identifier NAME has a cyclic definition" when following
// symbol types, symbol values or macros leads back to where it started.

#include "util/dstring.h"
#include "util/expr.h"
#include "util/irep.h"
#include "util/symbol.h"
#include "util/symbol_table.h"
#include "util/type.h"

#include <string>
#include <vector>

class namespacet
{
public:
  explicit namespacet(const symbol_tablet &primary)
    : symbol_table1(&primary), symbol_table2(nullptr)
  {
  }
  namespacet(const symbol_tablet &primary, const symbol_tablet &secondary)
    : symbol_table1(&primary), symbol_table2(&secondary)
  {
  }
  virtual ~namespacet() = default;

  // False when a symbol of that name is in the primary table or else in
  // the secondary one, with `symbol` pointing to it; true (and `symbol`
  // unchanged) when neither holds it.
  virtual bool lookup(const dstring &name, const symbolt *&symbol) const;

  // The symbol of that name; throws when there is none.
  const symbolt &lookup(const dstring &name) const;

  // The type itself unless it is a "symbol" type; else the type its symbol
  // stands for, following chains of symbol types to their end. The symbols
  // met must be types (a broken invariant otherwise).
  const typet &follow(const typet &type) const;

  // The largest number that follows the prefix in a symbol's name (read as
  // strtol reads, as a 32-bit unsigned number); 0 when no name has it.
  unsigned largest_suffix(const std::string &prefix) const;

  // While the tree is a "symbol": replaces it by its symbol's type (for a
  // type symbol) or value, stopping before a nil one.
  void follow_symbol_expr(irept &irep) const;

  // Replaces every macro symbol in the expression's operands, at any depth,
  // by its value, expanded in turn. Types are not visited.
  void expand_macros(exprt &expr) const;

protected:
  const symbol_tablet *symbol_table1;
  const symbol_tablet *symbol_table2;

private:
  // Longest chain of symbols that can be followed without a cycle.
  std::size_t symbol_count() const;
  void expand_macros(exprt &expr, std::vector<dstring> &expanding) const;
};

#endif

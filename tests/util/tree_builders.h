#ifndef MORVANE_TESTS_UTIL_TREE_BUILDERS_H
#define MORVANE_TESTS_UTIL_TREE_BUILDERS_H

// Small helpers to write trees in tests.

#include "util/expr.h"
#include "util/irep.h"
#include "util/symbol.h"

#include <random>
#include <string>
#include <utility>
#include <vector>

inline irept make_tree(
  const std::string &id,
  const std::vector<irept> &sub = {},
  const std::vector<std::pair<std::string, irept>> &named = {})
{
  irept tree{dstring(id)};
  for(const irept &child : sub)
    tree.get_sub().push_back(child);
  for(const auto &entry : named)
    tree.set(entry.first, entry.second);
  return tree;
}

// An expression of that id, without type, with the operands in order.
inline exprt node(const std::string &id, const std::vector<exprt> &operands)
{
  exprt expr{dstring(id)};
  for(const exprt &op : operands)
    expr.copy_to_operands(op);
  return expr;
}

// A macro symbol standing for the value.
inline symbolt macro(const std::string &name, const exprt &value)
{
  symbolt symbol;
  symbol.name = name;
  symbol.value = value;
  symbol.is_macro = true;
  return symbol;
}

// A random tree over a small alphabet (so that equal parts occur), with
// unnamed children, named children and comments; never a named child with
// the empty name.
inline irept random_tree(std::mt19937 &random, unsigned depth)
{
  static const char *const ids[] = {"", "a", "b", "nil", "x y", "q\"\\"};
  static const char *const names[] = {"type", "value", "#location", "#c", "1"};
  irept tree{dstring(ids[random() % 6])};
  if(depth == 0)
    return tree;
  for(unsigned n = random() % 3; n != 0; --n)
    tree.get_sub().push_back(random_tree(random, depth - 1));
  for(unsigned n = random() % 3; n != 0; --n)
    tree.set(names[random() % 5], random_tree(random, depth - 1));
  return tree;
}

// A type of that id whose "width" is the given text.
inline typet with_width(const char *id, const char *width)
{
  typet type{dstring(id)};
  type.set("width", dstring(width));
  return type;
}

// Widths no value can have: negative, or beyond 2^31 - 1.
const char *const unrepresentable_widths[] = {
  "-1", "-8", "2147483648", "4294967297", "99999999999999999999"};

#endif

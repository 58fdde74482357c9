#include "util/namespace.h"

#include "thrown_text.h"
#include "tree_builders.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
symbolt type_symbol(const std::string &name, const typet &type)
{
  symbolt symbol;
  symbol.name = name;
  symbol.type = type;
  symbol.is_type = true;
  return symbol;
}

typet symbol_type(const std::string &name)
{
  typet type("symbol");
  type.set("identifier", dstring(name));
  return type;
}

exprt symbol_expr(const std::string &name)
{
  exprt expr("symbol", typet("bool"));
  expr.set("identifier", dstring(name));
  return expr;
}

exprt and_of(const exprt &a, const exprt &b)
{
  exprt result("and", typet("bool"));
  result.copy_to_operands(a, b);
  return result;
}

} // namespace

TEST(Namespace, PrimaryTableBeforeSecondary)
{
  symbol_tablet primary, secondary;
  symbolt in_primary = type_symbol("x", typet("bool"));
  primary.add(in_primary);
  secondary.add(type_symbol("x", typet("integer")));
  secondary.add(type_symbol("y", typet("real")));
  const namespacet ns(primary, secondary);

  const symbolt *symbol = nullptr;
  EXPECT_FALSE(ns.lookup("x", symbol));
  EXPECT_EQ(symbol->type.id(), "bool");
  EXPECT_FALSE(ns.lookup("y", symbol));
  EXPECT_EQ(symbol->type.id(), "real");
  EXPECT_TRUE(ns.lookup("z", symbol));
  EXPECT_EQ(symbol->type.id(), "real");

  EXPECT_EQ(ns.lookup("y").type.id(), "real");
  EXPECT_EQ(thrown_text([&] { ns.lookup("z"); }), "identifier z not found");
}

TEST(Namespace, FollowGoesToTheEndOfAChain)
{
  symbol_tablet table;
  typet array("array");
  array.subtype() = typet("bool");
  table.add(type_symbol("t1", symbol_type("t2")));
  table.add(type_symbol("t2", array));
  const namespacet ns(table);

  const typet plain("bool");
  EXPECT_EQ(&ns.follow(plain), &plain);
  EXPECT_EQ(ns.follow(symbol_type("t1")), array);
  EXPECT_EQ(
    thrown_text([&] { ns.follow(symbol_type("absent")); }),
    "identifier absent not found");
}

TEST(NamespaceDeathTest, FollowOfANonTypeSymbol)
{
  symbol_tablet table;
  symbolt variable;
  variable.name = "v";
  table.add(variable);
  const namespacet ns(table);
  EXPECT_DEATH(ns.follow(symbol_type("v")), "symbol->is_type");
}

TEST(Namespace, CyclesAreReportedInsteadOfFollowedForever)
{
  symbol_tablet table;
  table.add(type_symbol("a", symbol_type("b")));
  table.add(type_symbol("b", symbol_type("a")));
  table.add(type_symbol("self", symbol_type("self")));
  symbolt value_a;
  value_a.name = "va";
  value_a.value = symbol_expr("vb");
  table.add(value_a);
  symbolt value_b;
  value_b.name = "vb";
  value_b.value = symbol_expr("va");
  table.add(value_b);
  table.add(macro("m", and_of(symbol_expr("n"), symbol_expr("x"))));
  table.add(macro("n", symbol_expr("m")));
  symbolt x;
  x.name = "x";
  table.add(x);
  const namespacet ns(table);

  EXPECT_EQ(
    thrown_text([&] { ns.follow(symbol_type("a")); }),
    "identifier a has a cyclic definition");
  EXPECT_EQ(
    thrown_text([&] { ns.follow(symbol_type("self")); }),
    "identifier self has a cyclic definition");

  irept followed = symbol_expr("va");
  EXPECT_EQ(
    thrown_text([&] { ns.follow_symbol_expr(followed); }),
    "identifier va has a cyclic definition");
  EXPECT_EQ(followed.id(), "symbol");

  exprt expanded = symbol_expr("m");
  EXPECT_EQ(
    thrown_text([&] { ns.expand_macros(expanded); }),
    "identifier m has a cyclic definition");
}

TEST(Namespace, FollowSymbolExprStopsBeforeNil)
{
  symbol_tablet table;
  symbolt a;
  a.name = "a";
  a.value = symbol_expr("b");
  table.add(a);
  symbolt b;
  b.name = "b";
  table.add(b);
  table.add(type_symbol("t", typet("bool")));
  const namespacet ns(table);

  irept tree = symbol_expr("a");
  ns.follow_symbol_expr(tree);
  EXPECT_EQ(tree, symbol_expr("b"));

  irept type_tree = symbol_expr("t");
  ns.follow_symbol_expr(type_tree);
  EXPECT_EQ(type_tree, typet("bool"));
}

TEST(Namespace, ExpandMacrosReplacesUsesAtAnyDepth)
{
  symbol_tablet table;
  table.add(macro("m", and_of(symbol_expr("n"), symbol_expr("x"))));
  table.add(macro("n", exprt("constant", typet("bool"))));
  table.add(macro("empty", static_cast<const exprt &>(get_nil_irep())));
  symbolt x;
  x.name = "x";
  table.add(x);
  const namespacet ns(table);

  // Using one macro twice is no cycle.
  exprt expr =
    and_of(symbol_expr("m"), and_of(symbol_expr("m"), symbol_expr("empty")));
  ns.expand_macros(expr);
  const exprt m_expanded =
    and_of(exprt("constant", typet("bool")), symbol_expr("x"));
  EXPECT_EQ(expr, and_of(m_expanded, and_of(m_expanded, symbol_expr("empty"))));
}

TEST(Namespace, LargestSuffixReadsNumbersAfterThePrefix)
{
  symbol_tablet primary, secondary;
  for(const char *name : {"x", "x_1", "x_7", "x_abc", "y_99", "x_ 3"})
  {
    symbolt symbol;
    symbol.name = name;
    primary.add(symbol);
  }
  symbolt in_secondary;
  in_secondary.name = "x_12z";
  secondary.add(in_secondary);
  EXPECT_EQ(namespacet(primary).largest_suffix("x_"), 7u);
  EXPECT_EQ(namespacet(primary, secondary).largest_suffix("x_"), 12u);
  EXPECT_EQ(namespacet(primary).largest_suffix("z_"), 0u);
}

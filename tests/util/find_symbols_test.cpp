#include "util/find_symbols.h"

#include "tree_builders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
exprt leaf(const std::string &kind, const std::string &name)
{
  exprt expr{dstring(kind)};
  expr.set("identifier", dstring(name));
  return expr;
}

std::set<std::string> texts(const find_symbols_sett &set)
{
  std::set<std::string> result;
  for(const dstring &name : set)
    result.insert(name.as_string());
  return result;
}
} // namespace

TEST(FindSymbols, HasSymbolByKindOfLeaf)
{
  find_symbols_sett set;
  set.insert("x");
  const exprt sum = node("+", {leaf("symbol", "y"), leaf("next_symbol", "x")});
  EXPECT_TRUE(has_symbol(sum, set, false, true));
  EXPECT_FALSE(has_symbol(sum, set, true, false));
  EXPECT_TRUE(has_symbol(sum, set));
  EXPECT_FALSE(has_symbol(leaf("symbol", "y"), set));
}

TEST(FindSymbols, CollectSymbolsStopsAtMatchingLeaves)
{
  exprt odd_leaf = leaf("symbol", "s");
  odd_leaf.copy_to_operands(leaf("symbol", "below"));
  exprt typed = node("and", {odd_leaf, leaf("next_symbol", "n")});
  typed.type().set("identifier", "in_type");
  typed.type().id("symbol");

  find_symbols_sett all;
  collect_symbols(typed, all);
  EXPECT_EQ(texts(all), (std::set<std::string>{"s", "n"}));

  // A leaf of a kind not asked for is an ordinary node.
  find_symbols_sett next_only;
  collect_symbols(typed, next_only, false, true);
  EXPECT_EQ(texts(next_only), (std::set<std::string>{"n"}));
}

TEST(FindSymbols, CollectSymbolExprsHoldsEqualTreesOnce)
{
  std::set<exprt> found;
  collect_symbol_exprs(
    node(
      "+",
      {leaf("symbol", "a"), leaf("symbol", "a"), leaf("next_symbol", "a")}),
    found);
  EXPECT_EQ(found.size(), 2u);
}

TEST(FindSymbols, FindMacroSymbolsFollowsDefinitionsOnce)
{
  symbol_tablet table;
  table.add(macro("m", node("+", {leaf("symbol", "n"), leaf("symbol", "v")})));
  table.add(macro("n", leaf("next_symbol", "m")));
  symbolt variable;
  variable.name = "v";
  table.add(variable);
  const namespacet ns(table);

  find_symbols_sett found;
  find_macro_symbols(node("not", {leaf("symbol", "m")}), ns, found);
  EXPECT_EQ(texts(found), (std::set<std::string>{"m", "n"}));

  find_symbols_sett none;
  find_macro_symbols(leaf("symbol", "v"), ns, none);
  EXPECT_TRUE(none.empty());

  find_symbols_sett partial;
  try
  {
    find_macro_symbols(
      node("+", {leaf("symbol", "absent"), leaf("symbol", "n")}), ns, partial);
    FAIL();
  }
  catch(const std::string &text)
  {
    EXPECT_EQ(text, "identifier absent not found");
  }
  EXPECT_EQ(texts(partial), (std::set<std::string>{"m", "n"}));
}

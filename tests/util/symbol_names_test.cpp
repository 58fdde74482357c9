#include "util/fresh_name.h"
#include "util/rename_symbol.h"
#include "util/scoped_name.h"
#include "util/shortest_unique_names.h"

#include "tree_builders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
symbol_tablet table_of(const std::vector<std::string> &names)
{
  symbol_tablet table;
  for(const std::string &name : names)
  {
    symbolt symbol;
    symbol.name = name;
    std::vector<std::string> parts;
    split_scoped_name(name, parts);
    symbol.base_name = parts.empty() ? "" : parts.back();
    table.add(symbol);
  }
  return table;
}

std::string fresh(const symbol_tablet &table, const std::string &name)
{
  dstring result = name;
  fresh_name(result, namespacet(table));
  return result.as_string();
}

exprt symbol(const std::string &name)
{
  exprt expr("symbol");
  expr.set("identifier", dstring(name));
  return expr;
}

short_namest short_names(
  const symbol_tablet &table,
  const std::set<dstring> &ids)
{
  short_namest result;
  shortest_unique_names(result, ids, namespacet(table));
  return result;
}
} // namespace

TEST(FreshName, SuffixOneAboveTheLargest)
{
  const symbol_tablet table = table_of({"x", "x_1", "x_7", "x_abc", "y_3"});
  EXPECT_EQ(fresh(table, "x"), "x_8");
  EXPECT_EQ(fresh(table, "y"), "y");
  EXPECT_EQ(fresh(table_of({"x"}), "x"), "x_1");

  symbolt symbol;
  symbol.name = "x";
  fresh_name(symbol, namespacet(table));
  EXPECT_EQ(symbol.name, "x_8");
}

TEST(FreshName, NeverReturnsANameInTheTable)
{
  // "x_-1" reads as the largest unsigned number, so the next one wraps to
  // 0; a suffix too large for 32 bits saturates, so its successor can be
  // taken as well.
  const symbol_tablet wraps = table_of({"x", "x_0", "x_-1"});
  EXPECT_EQ(fresh(wraps, "x"), "x_1");
  const symbol_tablet saturates =
    table_of({"x", "x_2147483648", "x_2147483649", "x_9999999999"});
  EXPECT_EQ(fresh(saturates, "x"), "x_2147483650");
}

TEST(RenameSymbol, RenamesOperandsButNotBelowAddressOf)
{
  exprt expr = node(
    "+",
    {symbol("a"),
     node("address_of", {symbol("a")}),
     node("implicit_address_of", {symbol("a")}),
     node("*", {symbol("b"), symbol("a")})});
  EXPECT_FALSE(rename_symbol_in_expr(expr, "a", "c"));
  const exprt expected = node(
    "+",
    {symbol("c"),
     node("address_of", {symbol("a")}),
     node("implicit_address_of", {symbol("a")}),
     node("*", {symbol("b"), symbol("c")})});
  EXPECT_EQ(expr, expected);
  EXPECT_TRUE(rename_symbol_in_expr(expr, "a", "d"));
  EXPECT_EQ(expr, expected);
  exprt leaf("constant");
  EXPECT_TRUE(rename_symbol_in_expr(leaf, "a", "d"));
}

TEST(ScopedName, SplitAndJoin)
{
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
    {"a::b", {"a", "b"}},
    {"::a", {"", "a"}},
    {"a::", {"a"}},
    {"a:::b", {"a", ":b"}},
    {"a", {"a"}},
    {"", {}}};
  for(const auto &c : cases)
  {
    std::vector<std::string> parts = {"kept"};
    split_scoped_name(c.first, parts);
    std::vector<std::string> expected = {"kept"};
    expected.insert(expected.end(), c.second.begin(), c.second.end());
    EXPECT_EQ(parts, expected) << c.first;
  }
  EXPECT_EQ(join_scoped_name({"a", "", "b"}), "a::::b");
  EXPECT_EQ(join_scoped_name({}), "");
}

TEST(ShortestUniqueNames, LengthensOnlyWhatIsAmbiguous)
{
  const symbol_tablet table =
    table_of({"a::x", "b::x", "c::y", "f::g::z", "h::g::z", "k::z"});
  short_namest names = short_names(table, {"a::x", "b::x", "c::y"});
  EXPECT_EQ(names["a::x"], "a::x");
  EXPECT_EQ(names["b::x"], "b::x");
  EXPECT_EQ(names["c::y"], "y");

  names = short_names(table, {"f::g::z", "h::g::z", "k::z", "c::y"});
  EXPECT_EQ(names["f::g::z"], "f::g::z");
  EXPECT_EQ(names["h::g::z"], "h::g::z");
  EXPECT_EQ(names["k::z"], "k::z");
  EXPECT_EQ(names["c::y"], "y");

  // An identifier without a symbol keeps its text, also when a symbol's
  // short name equals it.
  names = short_names(table, {"q::r", "y", "c::y"});
  EXPECT_EQ(names["q::r"], "q::r");
  EXPECT_EQ(names["y"], "y");

  EXPECT_EQ(lookup_short_name(names, "c::y"), "y");
  EXPECT_EQ(lookup_short_name(names, "absent::id"), "absent::id");
}

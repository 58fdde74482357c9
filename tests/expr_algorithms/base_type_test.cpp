#include "expr_algorithms/base_type.h"
#include "harness/decision_test_harness.h"
#include "tests/util/thrown_text.h"
#include "type_builders.h"
#include "util/symbol_table.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace
{
typet named(const std::string &identifier)
{
  typet type("symbol");
  type.set("identifier", dstring(identifier));
  return type;
}

typet array_of(const typet &element, long long size)
{
  return array_of(element, bv_constant(size, signedbv_type(32)));
}

typet declarations(
  const char *id,
  const char *list,
  const std::vector<std::pair<std::string, typet>> &entries)
{
  typet type{dstring(id)};
  irept &sub = type.add(list);
  for(const auto &entry : entries)
  {
    irept declaration;
    declaration.set("name", dstring(entry.first));
    declaration.set("type", entry.second);
    sub.get_sub().push_back(declaration);
  }
  return type;
}

typet code_type(
  const std::vector<std::pair<std::string, typet>> &arguments,
  const typet &return_type)
{
  typet type = declarations("code", "arguments", arguments);
  type.set("return_type", return_type);
  return type;
}

// Named types: two recursive lists of one layout under different names,
// an alias of the first, a cycle of plain names and a non-type.
class TypeEquality : public ::testing::Test
{
protected:
  symbol_tablet table;
  const namespacet ns{table};
  const typet s32 = signedbv_type(32);

  void add_type(const std::string &name, const typet &type, bool is_type = true)
  {
    symbolt symbol;
    symbol.name = name;
    symbol.base_name = name;
    symbol.is_type = is_type;
    symbol.type = type;
    table.add(symbol);
  }

  typet list_layout(const std::string &self)
  {
    return declarations(
      "struct",
      "components",
      {{"value", s32}, {"next", pointer_to(named(self))}});
  }

  void SetUp() override
  {
    add_type("list", list_layout("list"));
    add_type("chain", list_layout("chain"));
    add_type("alias", named("list"));
    add_type("ping", named("pong"));
    add_type("pong", named("ping"));
    add_type("variable", s32, false);
  }
};
} // namespace

TEST_F(TypeEquality, TypesModuloSymbols)
{
  const typet u8 = unsignedbv_type(8);
  struct
  {
    typet type1, type2;
    bool equal, equal_follow;
  } cases[] = {
    {named("list"), named("alias"), true, true},
    {named("list"), list_layout("list"), true, true},
    {list_layout("list"), named("alias"), true, true},
    // Mutually recursive in the components: only the full comparison
    // enters them.
    {named("list"), named("chain"), true, false},
    {array_of(u8, 3), array_of(u8, 7), true, false},
    {array_of(named("alias"), 3), array_of(named("list"), 3), true, false},
    {declarations("struct", "components", {{"a", u8}, {"b", u8}}),
     declarations("struct", "components", {{"a", u8}, {"c", u8}}),
     false,
     false},
    {declarations("struct", "components", {{"a", u8}}),
     declarations("union", "components", {{"a", u8}}),
     false,
     false},
    {code_type({{"x", u8}, {"y", s32}}, bool_type()),
     code_type({{"p", u8}, {"q", s32}}, bool_type()),
     true,
     false},
    {code_type({{"x", u8}}, bool_type()),
     code_type({{"x", u8}}, u8),
     false,
     false},
    {code_type({{"x", u8}}, bool_type()),
     code_type({}, bool_type()),
     false,
     false},
    {typet("incomplete_struct"),
     declarations("incomplete_struct", "components", {{"a", u8}}),
     true,
     false},
    {pointer_to(named("chain")), pointer_to(named("list")), true, false},
    {u8, s32, false, false},
  };
  for(const auto &test : cases)
  {
    EXPECT_EQ(base_type_eq(test.type1, test.type2, ns), test.equal)
      << test.type1.pretty() << test.type2.pretty();
    EXPECT_EQ(base_type_eq(test.type2, test.type1, ns), test.equal)
      << test.type2.pretty() << test.type1.pretty();
    EXPECT_EQ(type_equal_follow(test.type1, test.type2, ns), test.equal_follow)
      << test.type1.pretty() << test.type2.pretty();
  }
}

TEST_F(TypeEquality, ExpressionsCompareIdsTypesAndOperandsOnly)
{
  const exprt a = symbol_expr("a", named("list"));
  const exprt b = symbol_expr("b", named("alias"));
  const exprt c = symbol_expr("c", named("chain"));
  EXPECT_TRUE(base_type_eq(a, b, ns));
  EXPECT_TRUE(base_type_eq(a, c, ns));
  EXPECT_TRUE(base_type_eq(
    make_expr("=", bool_type(), {a, b}),
    make_expr("=", bool_type(), {c, a}),
    ns));
  EXPECT_TRUE(base_type_eq(bv_constant(1, s32), bv_constant(2, s32), ns));
  EXPECT_FALSE(base_type_eq(a, make_expr("+", named("list"), {a}), ns));
  EXPECT_FALSE(
    base_type_eq(make_expr("+", s32, {a}), make_expr("+", s32, {a, a}), ns));
  EXPECT_FALSE(
    base_type_eq(symbol_expr("x", s32), symbol_expr("x", bool_type()), ns));
}

TEST_F(TypeEquality, ErrorsForMissingNonTypeAndCyclicSymbols)
{
  const typet u8 = unsignedbv_type(8);
  EXPECT_EQ(
    thrown_text([&] { base_type_eq(named("missing"), u8, ns); }),
    "identifier missing not found");
  EXPECT_EQ(
    thrown_text([&] { base_type_eq(u8, named("variable"), ns); }),
    "symbol variable is not a type");
  EXPECT_EQ(
    thrown_text([&] { type_equal_follow(named("missing"), u8, ns); }),
    "identifier missing not found");

  // A cycle of plain names against anything but a symbol type, and in the
  // top-level comparison against anything at all, would never end.
  EXPECT_EQ(
    thrown_text([&] { base_type_eq(named("ping"), u8, ns); }),
    "identifier ping has a cyclic definition");
  EXPECT_EQ(
    thrown_text([&] { base_type_eq(u8, pointer_to(named("pong")), ns); }),
    "(nothing thrown)");
  EXPECT_EQ(
    thrown_text(
      [&] { base_type_eq(pointer_to(u8), pointer_to(named("pong")), ns); }),
    "identifier pong has a cyclic definition");
  EXPECT_EQ(
    thrown_text([&] { type_equal_follow(named("ping"), named("list"), ns); }),
    "identifier ping has a cyclic definition");
  EXPECT_EQ(
    thrown_text([&] { type_equal_follow(u8, named("pong"), ns); }),
    "identifier pong has a cyclic definition");
  // Between two symbol types the recorded pairs end the comparison.
  EXPECT_TRUE(base_type_eq(named("ping"), named("pong"), ns));
}

TEST_F(TypeEquality, BaseTypeRewritesNamedTypes)
{
  typet type = array_of(named("alias"), 4);
  base_type(type, ns);
  EXPECT_EQ(type, array_of(list_layout("list"), 4)); // pointers not entered

  typet missing = named("missing"), variable = named("variable");
  base_type(missing, ns);
  base_type(variable, ns);
  EXPECT_EQ(missing, named("missing"));
  EXPECT_EQ(variable, named("variable"));

  // A cycle of names, and a structure holding itself, stop where they
  // come round.
  typet cyclic = named("ping");
  base_type(cyclic, ns);
  EXPECT_EQ(cyclic, named("ping"));
  add_type(
    "nested",
    declarations("struct", "components", {{"self", named("nested")}}));
  typet nested = named("nested");
  base_type(nested, ns);
  EXPECT_EQ(
    nested, declarations("struct", "components", {{"self", named("nested")}}));

  typet subtype("subtype");
  subtype.subtype() = named("alias");
  base_type(subtype, ns);
  EXPECT_EQ(subtype, named("alias"));

  typet mapping("mapping");
  mapping.copy_to_subtypes(named("alias"));
  mapping.copy_to_subtypes(bool_type());
  typet predicate("predicate");
  predicate.set("predicate", symbol_expr("p", mapping));
  base_type(predicate, ns);
  EXPECT_EQ(predicate, list_layout("list"));

  exprt expr = make_expr("=", bool_type(), {symbol_expr("x", named("alias"))});
  base_type(expr, ns);
  EXPECT_EQ(expr.op0().type(), list_layout("list"));
}

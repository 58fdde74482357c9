#include "expr_algorithms/replace_expr.h"
#include "expr_algorithms/replace_symbol.h"
#include "expr_algorithms/substitute.h"
#include "harness/decision_test_harness.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const typet s8 = signedbv_type(8);
const exprt x = symbol_expr("x", s8);
const exprt y = symbol_expr("y", s8);

exprt plus(const exprt &a, const exprt &b)
{
  return make_expr("+", s8, {a, b});
}
exprt times(const exprt &a, const exprt &b)
{
  return make_expr("*", s8, {a, b});
}
exprt one()
{
  return bv_constant(1, s8);
}

typet named(const char *identifier)
{
  typet type("symbol");
  type.set("identifier", dstring(identifier));
  return type;
}
} // namespace

TEST(ReplaceExpr, PairReplacesTopDownWithoutSearchingAgain)
{
  exprt dest = times(x, x);
  EXPECT_FALSE(replace_expr_pair(x, plus(x, one()), dest));
  EXPECT_EQ(dest, times(plus(x, one()), plus(x, one())));

  dest = x;
  EXPECT_FALSE(replace_expr_pair(x, y, dest));
  EXPECT_EQ(dest, y);

  // Comments take no part in matching.
  exprt located = plus(x, y);
  located.op0().location().set("line", dstring("7"));
  EXPECT_FALSE(replace_expr_pair(x, one(), located));
  EXPECT_EQ(located, plus(one(), y));

  const exprt before = times(y, plus(y, one()));
  dest = before;
  EXPECT_TRUE(replace_expr_pair(x, one(), dest));
  EXPECT_EQ(dest, before);
}

TEST(ReplaceExpr, MapPrefersTheOuterMatch)
{
  replace_mapt map;
  const exprt x_plus_y = plus(x, y);
  map.insert({x, one()});
  map.insert({x_plus_y, bv_constant(9, s8)});
  exprt dest = times(x_plus_y, x);
  EXPECT_FALSE(replace_expr_map(map, dest));
  EXPECT_EQ(dest, times(bv_constant(9, s8), one()));

  // A value holding its own key is inserted once.
  replace_mapt growing;
  growing.insert({x, plus(x, one())});
  dest = times(x, y);
  EXPECT_FALSE(replace_expr_map(growing, dest));
  EXPECT_EQ(dest, times(plus(x, one()), y));

  dest = times(y, y);
  EXPECT_TRUE(replace_expr_map(map, dest));
  EXPECT_EQ(dest, times(y, y));
}

TEST(ReplaceSymbol, ExpressionsAndTypes)
{
  replace_symbolt replace;
  replace.expr_map.insert({dstring("x"), bv_constant(3, unsignedbv_type(4))});
  replace.type_map.insert({dstring("tag-t"), s8});

  // A bound symbol takes its binding's type; an unbound one keeps its name
  // but has its type rewritten.
  exprt dest = make_expr(
    "+",
    named("tag-t"),
    {symbol_expr("x", named("tag-t")), symbol_expr("z", named("tag-t"))});
  EXPECT_FALSE(replace.replace(dest));
  EXPECT_EQ(
    dest,
    make_expr(
      "+", s8, {bv_constant(3, unsignedbv_type(4)), symbol_expr("z", s8)}));

  exprt unbound = symbol_expr("w", bool_type());
  EXPECT_TRUE(replace.replace(unbound));

  // Inside a type only the type itself being replaced counts as a change.
  typet pointer("pointer");
  pointer.subtype() = named("tag-t");
  EXPECT_TRUE(replace.replace(pointer));
  EXPECT_EQ(pointer.subtype(), s8);
  typet type = named("tag-t");
  EXPECT_FALSE(replace.replace(type));
  EXPECT_EQ(type, s8);

  // Components of structures and arguments of code are entered; classes
  // are not.
  for(const char *id : {"struct", "union", "class"})
  {
    typet compound{dstring(id)};
    irept component;
    component.set("name", dstring("c"));
    component.set("type", named("tag-t"));
    compound.add("components").get_sub().push_back(component);
    replace.replace(compound);
    const irept &result = compound.find("components").get_sub()[0];
    EXPECT_EQ(
      result.find("type"), std::string(id) == "class" ? named("tag-t") : s8)
      << id;
  }
  typet code("code");
  irept argument;
  argument.set("type", named("tag-t"));
  code.add("arguments").get_sub().push_back(argument);
  replace.replace(code);
  EXPECT_EQ(code.find("arguments").get_sub()[0].find("type"), s8);

  // A type without components gains no empty list.
  typet empty_struct("struct");
  replace.replace(empty_struct);
  EXPECT_EQ(empty_struct, typet("struct"));
}

TEST(ReplaceSymbol, CollectActualsKeepsTheFirstBinding)
{
  const auto actual = [](const char *name, const exprt &value)
  {
    exprt result = make_expr("actual", typet(), {value});
    result.set("identifier", dstring(name));
    return result;
  };
  exprt type_value("type", s8);
  exprt list("actuals");
  list.copy_to_operands(
    actual("a", one()), actual("a", x), actual("t", type_value));
  replace_symbolt replace;
  collect_actuals(list, replace);
  ASSERT_EQ(replace.expr_map.size(), 1u);
  EXPECT_EQ(replace.expr_map.find(dstring("a"))->second, one());
  ASSERT_EQ(replace.type_map.size(), 1u);
  EXPECT_EQ(replace.type_map.find(dstring("t"))->second, s8);

  exprt bad("actuals");
  exprt two = make_expr("actual", typet(), {x, y});
  bad.copy_to_operands(actual("b", y), two, actual("c", y));
  replace_symbolt partial;
  try
  {
    collect_actuals(bad, partial);
    ADD_FAILURE() << "no throw";
  }
  catch(const char *error)
  {
    EXPECT_STREQ(error, "expected actual");
  }
  EXPECT_EQ(partial.expr_map.size(), 1u);
  collect_actuals(exprt("actuals"), partial);
  EXPECT_EQ(partial.expr_map.size(), 1u);
}

TEST(Substitute, ReplacesUntilNoOccurrenceIsLeft)
{
  struct
  {
    const char *dest, *what, *by, *expected;
  } cases[] = {
    {"aab", "ab", "b", "b"},
    {"aaa", "a", "b", "bbb"},
    {"xabcabx", "abc", "", "xabx"},
    {"abab", "ab", "", ""},
    {"none", "q", "r", "none"},
    // The replacement holds the pattern: one pass from left to right.
    {"aa", "a", "aa", "aaaa"},
    {"a-a", "a", "[a]", "[a]-[a]"},
    // An empty pattern changes nothing.
    {"abc", "", "x", "abc"},
  };
  for(const auto &test : cases)
  {
    std::string dest = test.dest;
    substitute(dest, test.what, test.by);
    EXPECT_EQ(dest, test.expected)
      << test.dest << " " << test.what << " -> " << test.by;
  }
}

#include "boolbv_round_trip.h"
#include "logged_boolbv.h"
#include "propositional/cnf_clause_list.h"
#include "thrown_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
const typet u2 = unsignedbv_type(2);
const typet u4 = unsignedbv_type(4);
const typet u8 = unsignedbv_type(8);
const typet u16 = unsignedbv_type(16);

const typet pair = compound_type("struct", {{"a", u8}, {"b", bool_type()}});
const typet choice = compound_type("union", {{"a", u8}, {"b", u16}});

exprt union_value(const std::string &member, const exprt &value)
{
  exprt result = make_expr("union", choice, {value});
  result.set("component_name", dstring(member));
  return result;
}

std::string bits_of_value(const exprt &expr)
{
  cnf_clause_listt prop;
  boolbvt conv(prop);
  bvt bv;
  EXPECT_FALSE(conv.convert_cached(expr, bv)) << expr.pretty();
  return constant_bits(bv);
}
} // namespace

TEST(BoolbvAggregate, LayoutsFromBitZero)
{
  const exprt structure =
    make_expr("struct", pair, {bv_constant(5, u8), bool_constant(true)});
  EXPECT_EQ(bits_of_value(structure), "10100000" "1");
  // The member from bit 0, its number in the top bit.
  EXPECT_EQ(
    bits_of_value(union_value("b", bv_constant(0x8001, u16))),
    "1000000000000001" "1");
  EXPECT_EQ(
    bits_of_value(union_value("a", bv_constant(3, u8))),
    "11000000" "00000000" "0");
  const typet three = array_type(u8, 3);
  EXPECT_EQ(
    bits_of_value(make_expr(
      "array",
      three,
      {bv_constant(1, u8), bv_constant(2, u8), bv_constant(3, u8)})),
    "10000000" "01000000" "11000000");
  EXPECT_EQ(
    bits_of_value(
      make_expr("array_of", array_type(u4, 3), {bv_constant(9, u4)})),
    "1001" "1001" "1001");
  EXPECT_EQ(
    bits_of_value(
      make_expr("array_of", array_type(u4, 0u), {bv_constant(9, u4)})),
    "");
  // A component of no bits takes none, and its operand is not looked at.
  const typet with_empty = compound_type(
    "struct", {{"e", array_type(u4, 0u)}, {"a", u2}});
  EXPECT_EQ(
    bits_of_value(make_expr(
      "struct",
      with_empty,
      {symbol_expr("ignored", array_type(u4, 0u)), bv_constant(1, u2)})),
    "10");
}

TEST(BoolbvAggregate, ValuesReadBack)
{
  const typet three = array_type(u8, 3);
  const exprt elements[] = {
    bv_constant(1, u8), bv_constant(200, u8), bv_constant(3, u8)};
  const exprt values[] = {
    make_expr("struct", pair, {bv_constant(5, u8), bool_constant(true)}),
    union_value("a", bv_constant(77, u8)),
    union_value("b", bv_constant(0x1234, u16)),
    make_expr("array", three, {elements[0], elements[1], elements[2]}),
  };
  for(const exprt &value : values)
    EXPECT_EQ(round_trip(value), value) << value.to_string();

  EXPECT_EQ(
    round_trip(make_expr("array_of", three, {elements[1]})),
    make_expr("array", three, {elements[1], elements[1], elements[1]}));
}

TEST(BoolbvAggregate, LambdaSubstitutesEveryIndex)
{
  const exprt i = symbol_expr("i", u4);
  const typet four = array_type(u8, 4);
  const exprt lambda =
    make_expr("lambda", four, {i, make_expr("typecast", u8, {i})});
  EXPECT_EQ(
    round_trip(lambda),
    make_expr(
      "array",
      four,
      {bv_constant(0, u8),
       bv_constant(1, u8),
       bv_constant(2, u8),
       bv_constant(3, u8)}));
}

// The inner lambda binds i afresh: its element 1 is 1 + 2 for every
// element of the outer one, also where the outer index is 2.
TEST(BoolbvAggregate, LambdaStopsAtANestedLambdaOverTheSameVariable)
{
  const exprt i = symbol_expr("i", u4);
  const typet four = array_type(u4, 4);
  const exprt inner =
    make_expr("lambda", four, {i, make_expr("+", u4, {i, bv_constant(2, u4)})});
  const exprt outer = make_expr(
    "lambda", four, {i, make_expr("index", u4, {inner, bv_constant(1, u4)})});
  const exprt three = bv_constant(3, u4);
  EXPECT_EQ(
    round_trip(outer), make_expr("array", four, {three, three, three, three}));
}

TEST(BoolbvAggregate, SelectOneIsTheFirstEqualToSomeOther)
{
  const exprt x = symbol_expr("x", u4), y = symbol_expr("y", u4);
  const exprt z = symbol_expr("z", u4);
  struct
  {
    const char *name;
    exprt x_value;
    decision_proceduret::resultt expected;
  } cases[] = {
    {"x = y", bv_constant(1, u4), decision_proceduret::D_SATISFIABLE},
    {"x = z", bv_constant(2, u4), decision_proceduret::D_SATISFIABLE},
    {"neither", bv_constant(3, u4), decision_proceduret::D_UNSATISFIABLE},
  };
  for(const auto &test : cases)
  {
    SCOPED_TRACE(test.name);
    test_dpll_propt prop;
    boolbvt conv(prop);
    const exprt result = symbol_expr("result", u4);
    conv.set_to(equal_expr(y, bv_constant(1, u4)), true);
    conv.set_to(equal_expr(z, bv_constant(2, u4)), true);
    conv.set_to(equal_expr(x, test.x_value), true);
    conv.set_to(
      equal_expr(result, make_expr("constraint_select_one", u4, {x, y, z})),
      true);
    ASSERT_EQ(conv.solve(), test.expected);
    if(test.expected == decision_proceduret::D_SATISFIABLE)
    {
      EXPECT_EQ(conv.get(result), test.x_value);
    }
  }
}

TEST(BoolbvAggregate, WhatCannotBeLaidOutGetsFreeBits)
{
  const typet unbounded = array_type(u4, symbol_expr("n", u8));
  const exprt cases[] = {
    make_expr("array_of", unbounded, {bv_constant(1, u4)}),
    make_expr("array", array_type(u4, 2), {}),
    make_expr("lambda", unbounded, {symbol_expr("i", u4), bv_constant(1, u4)}),
  };
  for(const exprt &expr : cases)
  {
    logged_boolbvt logged;
    auto &[prop, handler, conv] = logged;
    bvt bv;
    conv.convert_cached(expr, bv);
    EXPECT_TRUE(handler.has(2, "warning: ignoring ")) << expr.to_string();
  }
  // An "array" of no elements and no bits is simply empty.
  EXPECT_EQ(bits_of_value(make_expr("array", array_type(u4, 0u), {})), "");
}

TEST(BoolbvAggregate, MalformedValuesAreThrown)
{
  const exprt wrong_component =
    make_expr("struct", pair, {bv_constant(5, u4), bool_constant(true)});
  struct
  {
    exprt expr;
    std::string thrown;
  } cases[] = {
    {make_expr("struct", pair, {bv_constant(5, u8)}),
     "char*: struct: wrong number of arguments"},
    {wrong_component,
     "string: struct: component type does not match: " + u8.to_string() +
       " vs. " + u4.to_string()},
    {make_expr("union", choice, {}), "char*: union: wrong number of arguments"},
    {union_value("c", bv_constant(1, u8)), "char*: union: component not found"},
    {union_value("b", bv_constant(1, unsignedbv_type(18))),
     "char*: union: unexpected operand op width"},
    {make_expr(
       "array", array_type(u8, 2), {bv_constant(1, u8), bv_constant(1, u4)}),
     "char*: convert_array: unexpected operand width"},
    {make_expr("array_of", array_type(u8, 2), {}),
     "char*: array_of takes one operand"},
    {make_expr("array_of", array_type(u8, 2), {bv_constant(1, u4)}),
     "char*: convert_array_of: unexpected operand width"},
    {make_expr("lambda", array_type(u8, 2), {symbol_expr("i", u4)}),
     "char*: lambda takes two operands"},
    {make_expr(
       "lambda",
       array_type(u8, 2),
       {symbol_expr("i", u4), bv_constant(1, u4)}),
     "char*: convert_lambda: unexpected operand width"},
    {make_expr("constraint_select_one", u8, {symbol_expr("x", u8)}),
     "char*: constraint_select_one takes at least two operands"},
    {make_expr(
       "constraint_select_one",
       u4,
       {symbol_expr("x", u8), symbol_expr("y", u8)}),
     "char*: constraint_select_one expects matching types"},
    {make_expr(
       "constraint_select_one",
       u8,
       {symbol_expr("x", u8), symbol_expr("y", u4)}),
     "char*: constraint_select_one expects matching width"},
  };
  for(const auto &test : cases)
  {
    EXPECT_EQ(conversion_thrown_text(test.expr), test.thrown)
      << test.expr.to_string();
  }
}

#include "harness/decision_test_harness.h"
#include "harness/reference_evaluator.h"

#include <gtest/gtest.h>

#include <optional>

// Cases worked out by hand on 4-bit values, so that the oracle itself is
// checked before other tests lean on it.
TEST(ReferenceEvaluator, HandWorkedFourBitCases)
{
  const typet u4 = unsignedbv_type(4), s4 = signedbv_type(4);
  const typet u8 = unsignedbv_type(8), b = bool_type();
  const exprt x = symbol_expr("x", u4), y = symbol_expr("y", s4);
  const assignmentt values{{"x", 13}, {"y", -3}, {"p", 1}};
  const auto c = [](long long v, const typet &t) { return bv_constant(v, t); };
  struct
  {
    exprt expr;
    long long expected;
  } cases[] = {
    {make_expr("+", u4, {x, c(5, u4)}), 2},
    {make_expr("*", s4, {y, c(3, s4)}), 7},
    {make_expr("-", s4, {c(-8, s4), c(1, s4)}), 7},
    {make_expr("unary-", s4, {c(-8, s4)}), -8},
    {make_expr("/", s4, {c(-7, s4), c(2, s4)}), -3},
    {make_expr("mod", s4, {c(-7, s4), c(2, s4)}), -1},
    {make_expr("/", u4, {x, c(4, u4)}), 3},
    {make_expr("bitnot", u4, {x}), 2},
    {make_expr("bitxor", u4, {x, c(6, u4), c(1, u4)}), 10},
    {make_expr("shl", u4, {x, c(1, u4)}), 10},
    {make_expr("lshr", s4, {y, c(1, u4)}), 6},
    {make_expr("ashr", s4, {y, c(1, u4)}), -2},
    {make_expr("ashr", s4, {y, c(9, u4)}), -1},
    {make_expr("typecast", u8, {y}), 253},
    {make_expr("typecast", s4, {c(200, u8)}), -8},
    {make_expr("extractbits", unsignedbv_type(2), {x, c(1, u4), c(2, u4)}), 2},
    {make_expr("concatenation", u8, {x, c(2, u4)}), 0xd2},
    {make_expr("replication", u8, {c(2, u4), c(5, u4)}), 0x55},
    {make_expr("if", s4, {bool_symbol("p"), y, c(0, s4)}), -3},
    {make_expr("<", b, {y, c(0, s4)}), 1},
    {make_expr("<", b, {x, c(2, u4)}), 0},
    {make_expr("extractbit", b, {x, c(1, u4)}), 0},
    {make_expr("reduction_xor", b, {x}), 1},
    {make_expr("=>", b, {bool_symbol("p"), bool_constant(false)}), 0},
    {make_expr("nor", b, {bool_constant(false), bool_constant(false)}), 1},
  };
  for(const auto &test : cases)
  {
    const auto value = reference_eval(test.expr, values);
    ASSERT_TRUE(value.has_value()) << test.expr.pretty();
    EXPECT_EQ(*value, test.expected) << test.expr.pretty();
  }
}

TEST(ReferenceEvaluator, NoValueOutsideTheSemantics)
{
  const typet u4 = unsignedbv_type(4);
  const exprt x = symbol_expr("x", u4);
  const exprt cases[] = {
    make_expr("/", u4, {x, bv_constant(0, u4)}),
    symbol_expr("unassigned", u4),
    make_expr("extractbit", bool_type(), {x, bv_constant(4, u4)}),
    make_expr("+", u4, {x, bv_constant(1, unsignedbv_type(5))}),
    make_expr("concatenation", unsignedbv_type(7), {x, x}),
    make_expr("frobnicate", u4, {x}),
    constant_expr("01", u4),
  };
  for(const exprt &expr : cases)
    EXPECT_FALSE(reference_eval(expr, {{"x", 3}}).has_value()) << expr.pretty();
}

TEST(ReferenceEvaluator, AggregateReadsAndUpdates)
{
  const typet u4 = unsignedbv_type(4), s4 = signedbv_type(4);
  const auto c = [](long long v, const typet &t) { return bv_constant(v, t); };
  typet array_type("array");
  array_type.subtype() = u4;
  array_type.set("size", c(3, u4));
  typet struct_type("struct");
  for(const char *name : {"a", "b"})
  {
    irept component;
    component.set("name", dstring(name));
    component.set("type", name[0] == 'a' ? u4 : s4);
    struct_type.add("components").get_sub().push_back(component);
  }
  const exprt x = symbol_expr("x", u4);
  const exprt array = make_expr("array", array_type, {c(10, u4), x, c(12, u4)});
  const exprt record = make_expr("struct", struct_type, {x, c(-2, s4)});
  exprt where_b("member_designator");
  where_b.set("component_name", dstring("b"));
  exprt member_b = make_expr(
    "member",
    s4,
    {make_expr("with", struct_type, {record, where_b, c(5, s4)})});
  member_b.set("component_name", dstring("b"));
  exprt member_a = make_expr("member", u4, {record});
  member_a.set("component_name", dstring("a"));
  const exprt index = symbol_expr("i", u4);
  struct
  {
    exprt expr;
    std::optional<long long> expected;
  } cases[] = {
    {make_expr("index", u4, {array, c(1, u4)}), 7},
    {make_expr("index", u4, {array, c(3, u4)}), std::nullopt},
    {make_expr(
       "index",
       u4,
       {make_expr("with", array_type, {array, index, c(9, u4)}), c(2, u4)}),
     9},
    // An update outside the array changes nothing.
    {make_expr(
       "index",
       u4,
       {make_expr("with", array_type, {array, c(5, u4), c(9, u4)}), c(0, u4)}),
     10},
    {make_expr("index", u4, {make_expr("array_of", array_type, {x}), c(2, u4)}),
     7},
    {make_expr(
       "index",
       u4,
       {make_expr(
          "if",
          array_type,
          {bool_constant(false),
           array,
           make_expr("array_of", array_type, {c(1, u4)})}),
        c(0, u4)}),
     1},
    {member_b, 5},
    {member_a, 7},
    {make_expr("comma", u4, {c(1, u4), x}), 7},
  };
  for(const auto &test : cases)
    EXPECT_EQ(reference_eval(test.expr, {{"x", 7}, {"i", 2}}), test.expected)
      << test.expr.pretty();
}

TEST(ReferenceEvaluator, AssignmentsCoverEveryValueOnce)
{
  unsigned count = 0;
  long long sum = 0;
  for_each_assignment(
    {{"a", bool_type()}, {"s", signedbv_type(3)}},
    [&](const assignmentt &assignment)
    {
      ++count;
      sum += assignment.at("a") * 100 + assignment.at("s");
    });
  EXPECT_EQ(count, 16u);
  // Both truth values with each of -4 ... 3 (sum -4): 8 * 100 + 2 * (-4).
  EXPECT_EQ(sum, 792);
}

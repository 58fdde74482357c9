#include "harness/decision_test_harness.h"
#include "harness/reference_evaluator.h"

#include <gtest/gtest.h>

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

TEST(ReferenceEvaluator, AssignmentsCoverEveryValueOnce)
{
  unsigned count = 0;
  long long sum = 0;
  for_each_assignment(
    {{"a", bool_type()}, {"s", signedbv_type(3)}},
    [&](const assignmentt &assignment) {
      ++count;
      sum += assignment.at("a") * 100 + assignment.at("s");
    });
  EXPECT_EQ(count, 16u);
  // Both truth values with each of -4 ... 3 (sum -4): 8 * 100 + 2 * (-4).
  EXPECT_EQ(sum, 792);
}

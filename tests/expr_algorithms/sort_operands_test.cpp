#include "expr_algorithms/sort_operands.h"
#include "harness/decision_test_harness.h"

#include <gtest/gtest.h>

namespace
{
const exprt a = bool_symbol("a"), b = bool_symbol("b"), c = bool_symbol("c");
} // namespace

TEST(SortOperands, SortsByTreeOrder)
{
  exprt::operandst ordered{a, b, c};
  EXPECT_TRUE(sort_operands(ordered));
  EXPECT_EQ(ordered, (exprt::operandst{a, b, c}));

  exprt::operandst single{c};
  EXPECT_TRUE(sort_operands(single));
  exprt::operandst empty;
  EXPECT_TRUE(sort_operands(empty));

  // Equal neighbours are in order; comments do not count.
  exprt located = b;
  located.location().set("line", dstring("1"));
  exprt::operandst equal{located, b, c};
  EXPECT_TRUE(sort_operands(equal));
  EXPECT_TRUE(equal[0].full_eq(located));

  const exprt constant = bv_constant(1, unsignedbv_type(2));
  exprt::operandst unordered{
    c, constant, make_expr("and", bool_type(), {a}), a};
  EXPECT_FALSE(sort_operands(unordered));
  for(std::size_t i = 1; i < unordered.size(); ++i)
    EXPECT_LE(unordered[i - 1].compare(unordered[i]), 0);
  EXPECT_EQ(unordered.size(), 4u);
}

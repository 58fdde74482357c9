#include "expr_algorithms/replace_expr.h"
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

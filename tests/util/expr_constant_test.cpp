#include "util/expr.h"

#include "tree_builders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
typet bitvector(const char *kind, int width)
{
  typet type{dstring(kind)};
  type.set("width", width);
  return type;
}

exprt constant(const std::string &value, const typet &type)
{
  exprt expr("constant", type);
  expr.set("value", dstring(value));
  return expr;
}

enum class opt
{
  SUM,
  SUBTRACT,
  MUL
};

bool apply(exprt &a, const exprt &b, opt op)
{
  switch(op)
  {
  case opt::SUM:
    return a.sum(b);
  case opt::SUBTRACT:
    return a.subtract(b);
  case opt::MUL:
    return a.mul(b);
  }
  return true;
}
} // namespace

TEST(ExprConstant, ZeroAndOneByTypeKind)
{
  struct
  {
    exprt expr;
    bool is_zero, is_one;
  } cases[] = {
    {constant("0", typet("integer")), true, false},
    {constant("-0", typet("integer")), true, false},
    {constant("1", typet("natural")), false, true},
    {constant("-1", typet("integer")), false, false},
    {constant("0000", bitvector("unsignedbv", 4)), true, false},
    {constant("0001", bitvector("signedbv", 4)), false, true},
    // Bits read as an unsigned number: all ones is neither 0 nor 1.
    {constant("1111", bitvector("signedbv", 4)), false, false},
    {constant("false", typet("bool")), false, false},
    {constant("0000", bitvector("fixedbv", 4)), false, false},
    {constant("0000", bitvector("floatbv", 4)), false, false},
    {constant("NULL", typet("pointer")), false, false},
    {constant("0", typet("real")), false, false},
  };
  for(const auto &c : cases)
  {
    EXPECT_EQ(c.expr.is_zero(), c.is_zero) << c.expr.pretty();
    EXPECT_EQ(c.expr.is_one(), c.is_one) << c.expr.pretty();
  }
  exprt symbol("symbol", typet("integer"));
  symbol.set("value", "0");
  EXPECT_FALSE(symbol.is_zero());
}

TEST(ExprConstant, ArithmeticWrapsAtTheWidth)
{
  const typet u4 = bitvector("unsignedbv", 4);
  const typet s4 = bitvector("signedbv", 4);
  const typet empty = bitvector("unsignedbv", 0);
  struct
  {
    const char *a;
    opt op;
    const char *b;
    typet type;
    const char *result;
  } cases[] = {
    {"1111", opt::SUM, "0001", u4, "0000"},
    {"0001", opt::SUBTRACT, "0010", u4, "1111"},
    {"0011", opt::MUL, "0110", u4, "0010"},
    {"0111", opt::SUM, "0001", s4, "1000"},
    {"1000", opt::SUBTRACT, "0001", s4, "0111"},
    {"1111", opt::MUL, "1111", s4, "0001"},
    {"", opt::SUM, "", empty, ""},
    {"7", opt::MUL, "-3", typet("integer"), "-21"},
    {"5", opt::SUBTRACT, "9", typet("integer"), "-4"},
    {"123456789012345678901234567890", opt::SUM, "1", typet("integer"),
     "123456789012345678901234567891"},
    // A difference of naturals keeps its sign.
    {"2", opt::SUBTRACT, "5", typet("natural"), "-3"},
    {"6", opt::SUM, "0", typet("natural"), "6"},
  };
  for(const auto &c : cases)
  {
    exprt a = constant(c.a, c.type);
    EXPECT_FALSE(apply(a, constant(c.b, c.type), c.op)) << c.a << ' ' << c.b;
    EXPECT_EQ(a.get("value"), c.result) << c.a << ' ' << c.b;
    EXPECT_EQ(a.type(), c.type);
  }

  exprt twice = constant("0011", u4);
  EXPECT_FALSE(twice.sum(twice));
  EXPECT_EQ(twice.get("value"), "0110");
}

TEST(ExprConstant, ArithmeticThatDoesNotApplyChangesNoValue)
{
  const typet u4 = bitvector("unsignedbv", 4);
  exprt symbol("symbol", u4);
  symbol.set("value", "0001");
  struct caset
  {
    exprt a, b;
  };
  std::vector<caset> cases = {
    {constant("0001", u4), constant("00000001", bitvector("unsignedbv", 8))},
    {constant("0001", u4), constant("0001", bitvector("signedbv", 4))},
    {constant("1", typet("integer")), constant("1", typet("natural"))},
    {constant("0001", u4), symbol},
    {symbol, constant("0001", u4)},
    {constant("true", typet("bool")), constant("true", typet("bool"))},
    {constant("0001", bitvector("fixedbv", 4)),
     constant("0001", bitvector("fixedbv", 4))},
    {constant("1.5", typet("real")), constant("1", typet("real"))},
    {constant("1", bitvector("unsignedbv", -1)),
     constant("1", bitvector("unsignedbv", -1))},
  };
  // Widths no value can have. Read with saturation, such a width once made
  // a value of 2^31 - 1 characters: gigabytes and minutes.
  for(const char *id : {"unsignedbv", "signedbv"})
    for(const char *text : unrepresentable_widths)
    {
      const exprt one = constant("1", with_width(id, text));
      cases.push_back({one, one});
    }
  for(const auto &c : cases)
  {
    for(opt op : {opt::SUM, opt::SUBTRACT, opt::MUL})
    {
      exprt a = c.a;
      EXPECT_TRUE(apply(a, c.b, op)) << c.a.pretty();
      EXPECT_EQ(a, c.a);
    }
  }
}

TEST(ExprConstant, NegateAnIntegerConstant)
{
  const struct
  {
    const char *value, *negated;
  } cases[] = {{"5", "-5"}, {"-5", "5"}, {"0", "0"}, {"-0", "0"},
               {"007", "-7"},
               {"98765432109876543210", "-98765432109876543210"}};
  for(const auto &c : cases)
  {
    exprt expr = constant(c.value, typet("integer"));
    expr.negate();
    EXPECT_EQ(expr.get("value"), c.negated) << c.value;
    EXPECT_TRUE(expr.is_constant());
  }
}

#include "tests/util/condition_regex.h"
#include "util/expr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
exprt symbol(const std::string &name, const std::string &type = "bool")
{
  exprt expr("symbol", typet(dstring(type)));
  expr.set("identifier", dstring(name));
  return expr;
}

exprt constant(const std::string &value, const typet &type)
{
  exprt expr("constant", type);
  expr.set("value", dstring(value));
  return expr;
}

locationt location_at(int line)
{
  locationt location;
  location.set_line(line);
  return location;
}
} // namespace

TEST(Expr, ConstReadsNeverChangeTheTree)
{
  exprt bare("x");
  const exprt before = bare;
  const exprt &reader = bare;
  EXPECT_TRUE(reader.operands().empty());
  EXPECT_TRUE(reader.type().is_nil());
  EXPECT_TRUE(reader.location().is_nil());
  EXPECT_TRUE(reader.find_location().is_nil());
  EXPECT_FALSE(reader.is_true() || reader.is_false() || reader.is_boolean());
  EXPECT_TRUE(bare.full_eq(before));
  // Still sharing: nothing unshared the block.
  EXPECT_EQ(&bare.read(), &before.read());

  // The writing form adds an empty "operands" child.
  bare.operands();
  EXPECT_TRUE(bare.operands().empty());
  EXPECT_NE(bare, before);
}

TEST(Expr, CopyingSharesAndMovingLeavesNil)
{
  exprt a = symbol("a");
  exprt b = symbol("b");
  exprt c = symbol("c");
  exprt sum("+", typet("integer"));
  sum.copy_to_operands(a);
  EXPECT_EQ(&sum.op0().read(), &a.read());

  sum.move_to_operands(b, c);
  EXPECT_TRUE(b.is_nil());
  EXPECT_TRUE(c.is_nil());
  ASSERT_EQ(sum.operands().size(), 3u);
  EXPECT_EQ(sum.op1(), symbol("b"));
  EXPECT_EQ(sum.op2(), symbol("c"));

  exprt d = symbol("d");
  sum.copy_to_operands(a, d, a);
  EXPECT_EQ(sum.operands().size(), 6u);
  EXPECT_EQ(sum.operands()[4], d);
}

TEST(Expr, BooleanConstantQueries)
{
  const typet boolean("bool");
  exprt no_value("constant", boolean);
  struct
  {
    exprt expr;
    bool is_true, is_false;
  } cases[] = {
    {constant("true", boolean), true, false},
    {constant("1", boolean), true, false},
    {no_value, true, false},
    {constant("false", boolean), false, true},
    {constant("false", typet("integer")), false, false},
    {symbol("false"), false, false},
  };
  for(const auto &c : cases)
  {
    EXPECT_EQ(c.expr.is_true(), c.is_true) << c.expr.pretty();
    EXPECT_EQ(c.expr.is_false(), c.is_false) << c.expr.pretty();
  }
}

TEST(Expr, MakeBoolReplacesEverything)
{
  exprt expr = symbol("a", "integer");
  expr.location() = location_at(3);
  expr.copy_to_operands(symbol("b"));
  expr.make_true();
  EXPECT_TRUE(expr.full_eq(constant("true", typet("bool"))));
  expr.make_bool(false);
  EXPECT_TRUE(expr.full_eq(constant("false", typet("bool"))));
}

TEST(Expr, MakeNotUndoesItself)
{
  const std::vector<exprt> cases = {
    symbol("a"), constant("true", typet("bool")),
    constant("false", typet("bool"))};
  for(const exprt &original : cases)
  {
    exprt expr = original;
    expr.make_not();
    EXPECT_NE(expr, original);
    expr.make_not();
    EXPECT_EQ(expr, original) << original.pretty();
  }

  exprt wrapped = symbol("a");
  wrapped.make_not();
  EXPECT_EQ(wrapped.id(), "not");
  EXPECT_EQ(wrapped.type(), typet("bool"));
  EXPECT_EQ(wrapped.op0(), symbol("a"));

  // A "not" of two operands is no negation to strip.
  exprt odd("not", typet("bool"));
  odd.copy_to_operands(symbol("a"), symbol("b"));
  const exprt odd_before = odd;
  odd.make_not();
  EXPECT_EQ(odd.id(), "not");
  ASSERT_EQ(odd.operands().size(), 1u);
  EXPECT_EQ(odd.op0(), odd_before);
}

TEST(Expr, MakeNotLeavesOtherHoldersAlone)
{
  exprt inner = symbol("a");
  exprt negated("not", typet("bool"));
  negated.location() = location_at(7);
  negated.copy_to_operands(inner);
  const exprt shared = negated;
  negated.make_not();
  EXPECT_TRUE(negated.full_eq(inner));
  EXPECT_EQ(shared.id(), "not");
  EXPECT_EQ(shared.op0(), inner);
}

TEST(Expr, NegateByType)
{
  exprt boolean = symbol("p");
  boolean.negate();
  EXPECT_EQ(boolean.id(), "not");

  for(const char *type : {"unsignedbv", "signedbv", "real"})
  {
    exprt expr = symbol("x", type);
    expr.negate();
    EXPECT_TRUE(expr.is_nil()) << type;
  }

  exprt untyped("symbol");
  untyped.negate();
  EXPECT_TRUE(untyped.is_nil());

  exprt integer = symbol("i", "integer");
  integer.negate();
  EXPECT_EQ(integer.id(), "unary-");
  EXPECT_EQ(integer.type(), typet("integer"));
  integer.negate();
  EXPECT_EQ(integer, symbol("i", "integer"));
}

TEST(ExprDeathTest, NegateOfAMalformedUnaryMinus)
{
  exprt minus("unary-", typet("integer"));
  minus.copy_to_operands(symbol("a", "integer"), symbol("b", "integer"));
  EXPECT_DEATH(minus.negate(), condition_regex("operands().size()==1"));
}

TEST(Expr, MakeTypecastKeepsTheOldTypeAndLocationInside)
{
  exprt expr = symbol("a", "signedbv");
  expr.location() = location_at(2);
  const exprt before = expr;
  expr.make_typecast(typet("unsignedbv"));
  EXPECT_EQ(expr.id(), "typecast");
  EXPECT_EQ(expr.type(), typet("unsignedbv"));
  EXPECT_TRUE(expr.find("#location").is_nil());
  ASSERT_EQ(expr.operands().size(), 1u);
  EXPECT_TRUE(expr.op0().full_eq(before));
}

TEST(Expr, FindLocationSearchesOperandsDepthFirst)
{
  exprt outer("+", typet("integer"));
  exprt first("*", typet("integer"));
  first.copy_to_operands(symbol("a"), symbol("b"));
  exprt second = symbol("c");
  second.location() = location_at(9);
  outer.copy_to_operands(first, second);
  EXPECT_EQ(outer.find_location().get_line(), "9");

  // A deeper location in an earlier operand wins.
  outer.op0().op1().location() = location_at(4);
  EXPECT_EQ(outer.find_location().get_line(), "4");

  // The expression's own location, even with an empty identifier.
  outer.location() = locationt();
  EXPECT_EQ(&outer.find_location(), &outer.find("#location"));
}

#include "util/expr_util.h"

#include "tree_builders.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
typet bitvector(const char *kind, int width)
{
  typet type{dstring(kind)};
  type.set("width", width);
  return type;
}

exprt symbol(const std::string &name, const typet &type = typet("bool"))
{
  exprt expr("symbol", type);
  expr.set("identifier", dstring(name));
  return expr;
}
} // namespace

TEST(ExprUtil, ZeroAndOneConstantsByTypeKind)
{
  typet unsized("signedbv");
  typet decorated("bool");
  decorated.set("#extra", "1");
  decorated.set("attribute", "1");
  struct
  {
    typet type;
    const char *zero, *one; // nullptr: a nil result
  } cases[] = {
    {bitvector("unsignedbv", 8), "00000000", "00000001"},
    {bitvector("unsignedbv", 4), "0000", "0001"},
    {bitvector("signedbv", 1), "0", "1"},
    {bitvector("floatbv", 0), "", "1"},
    {bitvector("unsignedbv", -3), nullptr, nullptr},
    {unsized, "", "1"},
    {bitvector("fixedbv", 3), "000", nullptr},
    {typet("integer"), "0", "1"},
    {typet("natural"), "0", "1"},
    {typet("rational"), "0", "1"},
    {typet("real"), "0", "1"},
    {typet("complex"), "0", "1"},
    {typet("pointer"), "NULL", nullptr},
    {typet("array"), nullptr, nullptr},
    {typet("struct"), nullptr, nullptr},
  };
  for(const auto &c : cases)
  {
    const exprt zero = zero_constant(c.type);
    const exprt one = one_constant(c.type);
    const std::string kind = c.type.pretty();
    if(c.zero == nullptr)
      EXPECT_TRUE(zero.is_nil()) << kind;
    else
    {
      EXPECT_TRUE(zero.is_constant()) << kind;
      EXPECT_TRUE(zero.type().full_eq(c.type)) << kind;
      EXPECT_EQ(zero.get("value"), c.zero) << kind;
    }
    if(c.one == nullptr)
      EXPECT_TRUE(one.is_nil()) << kind;
    else
      EXPECT_EQ(one.get("value"), c.one) << kind;
  }

  // False of "bool" is a fresh constant; one keeps the given type.
  EXPECT_TRUE(zero_constant(decorated).full_eq(false_expr()));
  const exprt bool_one = one_constant(decorated);
  EXPECT_EQ(bool_one.get("value"), "1");
  EXPECT_TRUE(bool_one.type().full_eq(decorated));
  EXPECT_TRUE(bool_one.is_true());
}

// Such a width, read with saturation, once made a value of 2^31 - 1
// characters: gigabytes and minutes, or std::bad_alloc.
TEST(ExprUtil, UnrepresentableWidthsGiveNilConstants)
{
  for(const char *id : {"unsignedbv", "signedbv", "floatbv", "fixedbv"})
    for(const char *text : unrepresentable_widths)
    {
      const typet type = with_width(id, text);
      EXPECT_TRUE(zero_constant(type).is_nil()) << id << " " << text;
      EXPECT_TRUE(one_constant(type).is_nil()) << id << " " << text;
    }
}

TEST(ExprUtil, ConnectivesAndShapes)
{
  const exprt a = symbol("a"), b = symbol("b"), c = symbol("c");
  EXPECT_TRUE(true_expr().is_true());
  EXPECT_TRUE(false_expr().is_false());

  const exprt three = make_or(a, b, c);
  EXPECT_EQ(three.id(), "or");
  EXPECT_EQ(three.type(), typet("bool"));
  EXPECT_EQ(three.operands().size(), 3u);
  EXPECT_EQ(&three.op2().read(), &c.read());

  EXPECT_EQ(make_and(a, b).id(), "and");
  EXPECT_EQ(make_and(a, b, c).operands().size(), 3u);
  EXPECT_EQ(make_or(a, b).id(), "or");
  EXPECT_EQ(make_equality(a, b).id(), "=");
  EXPECT_EQ(make_implication(a, b).id(), "=>");
  EXPECT_EQ(make_not_expr(a).op0(), a);
  const exprt minus = make_unary_expr("unary-", typet("integer"), a);
  EXPECT_EQ(minus.id(), "unary-");
  EXPECT_EQ(minus.type(), typet("integer"));
  EXPECT_EQ(make_binary_expr("+", typet("integer"), a, b).op1(), b);
}

TEST(ExprUtil, IndexAddressAndSymbol)
{
  typet array_type("array");
  array_type.subtype() = bitvector("signedbv", 8);
  const exprt array = symbol("arr", array_type);
  const exprt index = symbol("i", typet("integer"));
  const exprt element = make_index_expr(array, index);
  EXPECT_EQ(element.id(), "index");
  EXPECT_EQ(element.type(), bitvector("signedbv", 8));
  EXPECT_EQ(element.op1(), index);
  const exprt untyped_array = symbol("raw", typet("array"));
  EXPECT_TRUE(make_index_expr(untyped_array, index).type().is_nil());
  EXPECT_TRUE(make_index_expr(exprt("symbol"), index).type().is_nil());

  const exprt address = make_address_of(array);
  EXPECT_EQ(address.type(), make_pointer_type(array_type));
  EXPECT_EQ(address.type().subtype(), array_type);
  EXPECT_EQ(address.op0(), array);

  symbolt s;
  s.name = "main::x";
  s.type = typet("integer");
  EXPECT_EQ(make_symbol_expr(s), symbol("main::x", typet("integer")));
}

TEST(ExprUtil, AndOrFromOperands)
{
  exprt none("list");
  make_and_from_operands(none);
  EXPECT_TRUE(none.full_eq(true_expr()));
  exprt none_or("list");
  make_or_from_operands(none_or);
  EXPECT_TRUE(none_or.full_eq(false_expr()));

  const exprt only = symbol("i", typet("integer"));
  exprt one("list");
  one.copy_to_operands(only);
  make_and_from_operands(one);
  EXPECT_TRUE(one.full_eq(only));

  exprt many("list", typet("integer"));
  many.copy_to_operands(symbol("a"), symbol("b"), symbol("c"));
  make_and_or_from_operands(many, "xor", false);
  EXPECT_EQ(many.id(), "xor");
  EXPECT_EQ(many.type(), typet("bool"));
  EXPECT_EQ(many.operands().size(), 3u);
}

TEST(ExprUtil, MakeNextSymbolsRenamesOperandsOnly)
{
  typet symbolic("symbol");
  symbolic.set("identifier", "t");
  exprt in_type = symbol("a", symbolic);
  exprt expr = make_and(in_type, make_not_expr(symbol("b")));
  expr.type() = typet("symbol");
  make_next_symbols(expr);
  EXPECT_EQ(expr.op0().id(), "next_symbol");
  EXPECT_EQ(expr.op1().op0().id(), "next_symbol");
  EXPECT_EQ(expr.op0().type().id(), "symbol");
  EXPECT_EQ(expr.type().id(), "symbol");
  EXPECT_EQ(expr.id(), "and");
}

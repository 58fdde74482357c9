#include "expr_algorithms/arith_tools.h"
#include "harness/decision_test_harness.h"
#include "harness/reference_evaluator.h"
#include "tests/util/tree_builders.h"
#include "util/mp_arith.h"
#include "util/std_types.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace
{
std::string text(const mp_integer &value)
{
  return integer_to_string_base(value, 10);
}

typet untyped_width(const char *id)
{
  return typet(id);
}
} // namespace

TEST(ExprToInteger, ValuesByTypeKind)
{
  struct
  {
    exprt expr;
    std::optional<std::string> expected; // empty: failure
  } cases[] = {
    {constant_expr("11111111", signedbv_type(8)), "-1"},
    {constant_expr("11111111", unsignedbv_type(8)), "255"},
    {constant_expr("1", signedbv_type(8)), "-1"}, // the text decides
    {constant_expr("", unsignedbv_type(8)), "0"},
    {constant_expr("0121", unsignedbv_type(4)), "0"},
    {constant_expr("01 1", unsignedbv_type(4)), "0"},
    {constant_expr("-123456789012345678901", typet("integer")),
     "-123456789012345678901"},
    {constant_expr("42", typet("natural")), "42"},
    {constant_expr("4 2", typet("integer")), "0"},
    {constant_expr("NULL", typet("pointer")), "0"},
    {constant_expr("0", typet("pointer")), std::nullopt},
    {bool_constant(true), std::nullopt},
    {constant_expr("0101", typet("fixedbv")), std::nullopt},
    {constant_expr("1/2", typet("rational")), std::nullopt},
    {symbol_expr("x", unsignedbv_type(8)), std::nullopt},
  };
  for(const auto &test : cases)
  {
    mp_integer value = 7;
    const bool failed = expr_to_integer(test.expr, value);
    EXPECT_EQ(failed, !test.expected.has_value()) << test.expr.pretty();
    EXPECT_EQ(text(value), test.expected.value_or("7")) << test.expr.pretty();
  }
}

TEST(IntegerToExpr, ValuesAreReducedModuloTheWidth)
{
  struct
  {
    long long value;
    typet type;
    const char *expected; // nullptr: nil
  } cases[] = {
    {-1, signedbv_type(8), "11111111"},
    {-1, unsignedbv_type(8), "11111111"},
    {256, unsignedbv_type(8), "00000000"},
    {-129, signedbv_type(8), "01111111"},
    {128, signedbv_type(8), "10000000"},
    {5, untyped_width("unsignedbv"), ""},
    {-17, typet("integer"), "-17"},
    {0, typet("natural"), "0"},
    {-1, typet("natural"), nullptr},
    {2, bool_type(), nullptr},
    {5, typet("pointer"), nullptr},
    {0, typet("pointer"), nullptr},
    {1, typet("fixedbv"), nullptr},
  };
  for(const auto &test : cases)
  {
    const exprt result = integer_to_expr(test.value, test.type);
    if(test.expected == nullptr)
    {
      EXPECT_TRUE(result.is_nil()) << test.value << result.pretty();
      EXPECT_TRUE(result.type().is_nil());
      continue;
    }
    ASSERT_TRUE(result.is_constant()) << test.value;
    EXPECT_EQ(result.type(), test.type);
    EXPECT_EQ(result.get("value"), test.expected) << test.value;
  }
}

TEST(IntegerToExpr, BooleansAreFreshConstants)
{
  typet annotated = bool_type();
  annotated.set("extra", dstring("attribute"));
  EXPECT_TRUE(integer_to_expr(1, annotated).full_eq(bool_constant(true)));
  EXPECT_TRUE(integer_to_expr(0, annotated).full_eq(bool_constant(false)));
}

// Every value of every small width goes round through the constant: the
// integer read back is the value modulo 2^width in the type's range.
TEST(IntegerToExpr, RoundTripsThroughExprToInteger)
{
  for(unsigned width = 1; width <= 6; ++width)
    for(bool is_signed : {false, true})
      for(long long v = -70; v <= 70; ++v)
      {
        const typet type = bv_type(width, is_signed);
        mp_integer back;
        ASSERT_FALSE(expr_to_integer(integer_to_expr(v, type), back));
        long long expected = v;
        ASSERT_TRUE(reference_normalize(type, expected));
        EXPECT_EQ(text(back), std::to_string(expected))
          << v << " in " << type.pretty();
      }
}

TEST(ReadWidth, WidthsAreReadUpToTwoToTheThirtyOneMinusOne)
{
  const std::pair<const char *, unsigned> widths[] = {
    {"8", 8},
    {"", 0},
    {" +12bits", 12},
    {"-0", 0},
    {"2147483647", 2147483647u},
  };
  for(const auto &test : widths)
  {
    unsigned width = 77;
    EXPECT_FALSE(read_width(with_width("unsignedbv", test.first), width))
      << test.first;
    EXPECT_EQ(width, test.second) << test.first;
  }
  for(const char *text : unrepresentable_widths)
  {
    unsigned width = 77;
    EXPECT_TRUE(read_width(with_width("unsignedbv", text), width)) << text;
    EXPECT_EQ(width, 77u) << text;
  }
}

// Such a width once made a bit string of 2^31 - 1 characters (or of the
// width read as unsigned): no answer for many seconds.
TEST(IntegerToExpr, UnrepresentableWidthsGiveNil)
{
  for(const char *id : {"unsignedbv", "signedbv"})
    for(const char *text : unrepresentable_widths)
      EXPECT_TRUE(integer_to_expr(5, with_width(id, text)).is_nil())
        << id << " " << text;
}

TEST(ArithTools, PowerAndAddressBits)
{
  EXPECT_EQ(text(power(0, 0)), "1");
  EXPECT_EQ(text(power(3, 4)), "81");
  EXPECT_EQ(text(power(-2, 3)), "-8");
  EXPECT_EQ(text(power(2, 100)), "1267650600228229401496703205376");
  EXPECT_EQ(text(power(7, 1)), "7");

  const std::pair<long long, long long> bits[] = {
    {0, 1},
    {1, 1},
    {2, 1},
    {3, 2},
    {4, 2},
    {5, 3},
    {8, 3},
    {1024, 10},
    {1025, 11}};
  for(const auto &test : bits)
    EXPECT_EQ(text(address_bits(test.first)), std::to_string(test.second))
      << test.first;
}

TEST(ArithTools, AssignMaxAndMin)
{
  mp_integer a = 3;
  assign_max(a, 5);
  assign_max(a, 4);
  EXPECT_EQ(text(a), "5");
  assign_min(a, -2);
  assign_min(a, 0);
  EXPECT_EQ(text(a), "-2");
}

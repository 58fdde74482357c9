#include "tests/util/condition_regex.h"
#include "util/mp_arith.h"
#include "util/rational.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace
{
rationalt fraction(long long numerator, long long denominator)
{
  rationalt value;
  value.numerator = numerator;
  value.denominator = denominator;
  return value;
}

std::string text_of(const rationalt &value)
{
  std::ostringstream out;
  out << value;
  return out.str();
}

// The parts as written, without normalising: "n over d".
std::string parts_of(const rationalt &value)
{
  return integer_to_string_base(value.numerator, 10) + " over " +
         integer_to_string_base(value.denominator, 10);
}
} // namespace

TEST(Rational, NormalizeMakesDenominatorPositiveAndReduces)
{
  struct casest
  {
    long long numerator, denominator;
    const char *expected;
  };
  const casest cases[] = {
    {4, -6, "-2 over 3"},
    {0, 5, "0 over 1"},
    {0, -5, "0 over 1"},
    {6, 3, "2 over 1"},
    {-6, -4, "3 over 2"},
    {0, 0, "0 over 0"},
    {7, 1, "7 over 1"},
    {5, 0, "1 over 0"},
  };
  for(const auto &c : cases)
  {
    rationalt value = fraction(c.numerator, c.denominator);
    value.normalize();
    EXPECT_EQ(parts_of(value), c.expected)
      << c.numerator << "/" << c.denominator;
    EXPECT_FALSE(value.numerator.is_zero() && value.numerator.is_negative());
  }
}

TEST(Rational, AdditionAndDivisionNormalise)
{
  rationalt sum = fraction(1, 2);
  sum += fraction(1, 3);
  EXPECT_EQ(parts_of(sum), "5 over 6");
  rationalt whole = fraction(1, 2);
  whole += fraction(1, 2);
  EXPECT_EQ(parts_of(whole), "1 over 1");
  rationalt twice = fraction(-1, 2);
  twice += twice;
  EXPECT_EQ(parts_of(twice), "-1 over 1");
  rationalt zero = fraction(1, 2);
  zero += fraction(1, -2);
  EXPECT_EQ(parts_of(zero), "0 over 1");

  rationalt quotient = fraction(1, 2);
  quotient /= fraction(1, 4);
  EXPECT_EQ(parts_of(quotient), "2 over 1");
  rationalt negative = fraction(3, 4);
  negative /= fraction(-9, 2);
  EXPECT_EQ(parts_of(negative), "-1 over 6");
  rationalt itself = fraction(-3, 7);
  itself /= itself;
  EXPECT_EQ(parts_of(itself), "1 over 1");
}

TEST(Rational, SameDenominatorMultipliesUnlessEqual)
{
  rationalt a = fraction(1, 2), b = fraction(3, 4);
  a.same_denominator(b);
  EXPECT_EQ(parts_of(a), "4 over 8");
  EXPECT_EQ(parts_of(b), "6 over 8");
  rationalt c = fraction(1, 6), d = fraction(5, 6);
  c.same_denominator(d);
  EXPECT_EQ(parts_of(c), "1 over 6");
  EXPECT_EQ(parts_of(d), "5 over 6");
}

TEST(Rational, InvertDoesNotNormalise)
{
  rationalt value = fraction(-1, 2);
  value.invert();
  EXPECT_EQ(parts_of(value), "2 over -1");
  value.normalize();
  EXPECT_EQ(parts_of(value), "-2 over 1");
  EXPECT_EQ(parts_of(inverse(fraction(3, 4))), "4 over 3");
}

TEST(Rational, OutputOmitsDenominatorOne)
{
  EXPECT_EQ(text_of(fraction(3, 4)), "3/4");
  EXPECT_EQ(text_of(fraction(-3, 4)), "-3/4");
  EXPECT_EQ(text_of(fraction(5, 1)), "5");
  EXPECT_EQ(text_of(rationalt(mp_integer("-123456789012345678901", 10))),
            "-123456789012345678901");
  // Written in one piece: a field width applies to the whole text.
  std::ostringstream out;
  out.width(6);
  out << fraction(1, 2);
  EXPECT_EQ(out.str(), "   1/2");
}

TEST(RationalDeathTest, ZeroDivisorAndZeroInverseFail)
{
  rationalt value = fraction(1, 2);
  EXPECT_DEATH(
    value /= rationalt(),
    "rationalt& rationalt::operator/=\\(const rationalt&\\): Assertion "
    "`!n.numerator.is_zero\\(\\)' failed");
  rationalt zero;
  EXPECT_DEATH(
    zero.invert(),
    "void rationalt::invert\\(\\): Assertion `" +
      condition_regex("numerator!=0") + "' failed");
}

#include "util/mp_arith.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

namespace
{
mp_integer decimal(const char *text)
{
  return mp_integer(text, 10);
}

std::string text_of(const mp_integer &value)
{
  return integer_to_string_base(value, 10);
}
} // namespace

TEST(MpArith, StringToIntegerAcceptsOnlyPlainNumbers)
{
  struct casest
  {
    const char *text;
    unsigned base;
    const char *value;
  };
  const casest cases[] = {
    {"-12", 10, "-12"},
    {"+12", 10, "0"},
    {"1-2", 10, "0"},
    {"1 2", 10, "0"},
    {"- ", 10, "0"},
    {"-", 10, "0"},
    {"12a", 10, "12"},
    {"", 10, "0"},
    {"ff", 16, "255"},
    {"-FF", 16, "-255"},
    {"99999999999999999999999999", 10, "99999999999999999999999999"},
  };
  for(const auto &c : cases)
  {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(text_of(string_to_integer(c.text, c.base)), c.value);
  }
  // A NUL inside the text is not a digit either.
  EXPECT_EQ(string_to_integer(std::string("12\0" "3", 4), 10), 0);
}

TEST(MpArith, IntegerToStringBaseAndStream)
{
  EXPECT_EQ(integer_to_string_base(-255, 16), "-FF");
  EXPECT_EQ(integer_to_string_base(0, 10), "0");
  EXPECT_EQ(integer_to_string_base(-255, 2), "-11111111");
  EXPECT_EQ(text_of(decimal("-18446744073709551616")), "-18446744073709551616");
  std::ostringstream out;
  out << decimal("-123456789012345678901234567890") << ' ' << mp_integer();
  EXPECT_EQ(out.str(), "-123456789012345678901234567890 0");
}

TEST(MpArith, IntegerToUnsignedTakesLowBitsOfMagnitude)
{
  EXPECT_EQ(integer_to_unsigned(-5), 5u);
  EXPECT_EQ(integer_to_unsigned(decimal("18446744073709551619")), 3u);
}

TEST(MpArith, ShiftsMultiplyAndTruncateTowardZero)
{
  struct casest
  {
    const char *value;
    unsigned count;
    const char *left, *right;
  };
  const casest cases[] = {
    {"-3", 2, "-12", "0"},
    {"7", 1, "14", "3"},
    {"-7", 1, "-14", "-3"},
    {"-3", 1, "-6", "-1"},
    {"-1", 1, "-2", "0"},
    {"5", 0, "5", "5"},
    {"1", 100, "1267650600228229401496703205376", "0"},
    {"-1267650600228229401496703205377", 100,
     "-1606938044258990275541962092342430253122431223184289538506752",
     "-1"},
  };
  for(const auto &c : cases)
  {
    SCOPED_TRACE(std::string(c.value) + " by " + std::to_string(c.count));
    const mp_integer value = decimal(c.value);
    EXPECT_EQ(text_of(integer_shift_left(value, c.count)), c.left);
    EXPECT_EQ(text_of(integer_shift_right(value, c.count)), c.right);
  }
}

TEST(MpArith, BinaryTextsOfBothSignednesses)
{
  struct casest
  {
    const char *bits;
    const char *as_unsigned, *as_signed;
  };
  const casest cases[] = {
    {"101", "5", "-3"},
    {"1", "1", "-1"},
    {"0", "0", "0"},
    {"111", "7", "-1"},
    {"", "0", "0"},
    {"102", "0", "0"},
    {"1 1", "0", "0"},
    {"0111", "7", "7"},
    {"10000000000000000000000000000000000000000000000000000000000000000",
     "18446744073709551616", "-18446744073709551616"},
  };
  for(const auto &c : cases)
  {
    SCOPED_TRACE(c.bits);
    EXPECT_EQ(text_of(binary_to_integer(c.bits, false)), c.as_unsigned);
    EXPECT_EQ(text_of(binary_to_integer(c.bits, true)), c.as_signed);
  }
}

TEST(MpArith, IntegerToBinaryIsTwosComplementModuloWidth)
{
  struct casest
  {
    const char *value;
    unsigned width;
    const char *bits;
  };
  const casest cases[] = {
    {"5", 4, "0101"},
    {"-1", 4, "1111"},
    {"-3", 4, "1101"},
    {"-8", 4, "1000"},
    {"16", 4, "0000"},
    {"7", 0, ""},
    {"-7", 0, ""},
    {"0", 3, "000"},
    {"-129", 8, "01111111"},
    {"256", 8, "00000000"},
    {"-18446744073709551617", 66,
     "10111111111111111111111111111111111111111111111111111111111111111"
     "1"},
    {"-18446744073709551617", 3, "111"},
    {"18446744073709551617", 33, "000000000000000000000000000000001"},
  };
  for(const auto &c : cases)
  {
    SCOPED_TRACE(std::string(c.value) + " in " + std::to_string(c.width));
    EXPECT_EQ(integer_to_binary(decimal(c.value), c.width), c.bits);
  }
}

TEST(MpArith, BinaryTextRoundTripsForEveryWidth)
{
  std::mt19937 random(5);
  for(unsigned width = 1; width <= 130; ++width)
  {
    std::string bits(width, '0');
    for(char &bit : bits)
      bit = random() % 2 == 0 ? '0' : '1';
    SCOPED_TRACE(bits);
    EXPECT_EQ(integer_to_binary(binary_to_integer(bits, false), width), bits);
    EXPECT_EQ(integer_to_binary(binary_to_integer(bits, true), width), bits);
    // Signed reading: the value lies in -2^(w-1) ... 2^(w-1) - 1.
    const mp_integer value = binary_to_integer(bits, true);
    const mp_integer half = integer_shift_left(1, width - 1);
    mp_integer low(0);
    low -= half;
    EXPECT_TRUE(value >= low && value < half);
  }
}

#include "sat/coresat/score_number.h"
#include "tests/util/test_files.h"

#include "coresat_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace
{
// Runs one self-test case; the file's text, or "<missing>".
std::string self_test(const char *name, int *result)
{
  // Each test process works in a scratch folder of its own, removed at its
  // end: processes running at once never read each other's output.
  const std::string path = "score_self_test.txt";
  std::remove(path.c_str());
  char *argv[] = {
    const_cast<char *>(name),
    const_cast<char *>("unused"),
    const_cast<char *>(path.c_str())};
  *result = coresat_score_self_test(3, argv);
  std::FILE *probe = std::fopen(path.c_str(), "r");
  if(!probe)
    return "<missing>";
  std::fclose(probe);
  return file_text(path);
}

std::string printed(score_number x)
{
  return captured([x](std::FILE *f) { coresat_score_print(x, f); });
}

double value_of(score_number x)
{
  if(coresat_score_is_infinity(x))
    return HUGE_VAL;
  return std::ldexp(coresat_score_mantissa(x), coresat_score_exponent(x));
}

// The oracle's text of a positive value m * 2^e held exactly in a double.
std::string oracle_text(double v)
{
  if(v == 0)
    return "0";
  int e;
  double f = std::frexp(v, &e); // v = f * 2^e, f in [0.5, 1)
  // Shift the whole 53-bit significand into an integer, then make it odd.
  unsigned long long m = (unsigned long long)std::ldexp(f, 53);
  e -= 53;
  while(!(m & 1))
  {
    m >>= 1;
    ++e;
  }
  if(m == 1 && e != 0)
    return "2^" + std::to_string(e);
  std::string text = std::to_string(m);
  if(e != 0)
    text += "*2^" + std::to_string(e);
  return text;
}

// v cut down to its 16 leading binary digits.
double truncated16(double v)
{
  int e;
  std::frexp(v, &e);
  double unit = std::ldexp(1.0, e - 16);
  return std::floor(v / unit) * unit;
}
} // namespace

TEST(ScoreNumber, SelfTestCasesPrintExactly)
{
  struct caset
  {
    const char *name;
    const char *text;
  };
  const caset cases[] = {
    {"constants",
     "c msb(mantissa) = 32768\nc max(mantissa) = 65535\n"
     "c min(exponent) = -32768\nc max(exponent) = 32767\n"},
    {"max", "c 65535*2^32767\n"},
    {"zero", "0\n"},
    {"add0", "5*2^3 + 2^2 = 11*2^2\n"},
    {"add1", "5*2^3 + 2^2 = 11*2^2\n"},
    {"add2", "7*2^29 + 2^29 = 2^32\n"},
    {"add3", "7*2^-1 + 2^-1 = 2^2\n"},
    {"inf0", "c 65535*2^32767 + 65535*2^32767 = infinity\n"},
    {"cmp0", "0 = 0\n"},
    {"cmp1", "0 < 1\n"},
    {"cmp2", "1 > 0\n"},
    {"cmp3", "0 < 2^-1\n"},
    {"cmp4", "2^-1 > 0\n"},
    {"cmp5", "2^2 = 2^2\n"},
    {"cmp6", "infinity > 1\n"},
    {"cmp7", "1 < infinity\n"},
    {"cmp8", "infinity = infinity\n"},
  };
  for(const caset &c : cases)
  {
    int result = -1;
    EXPECT_EQ(self_test(c.name, &result), c.text) << c.name;
    EXPECT_EQ(result, 0) << c.name;
  }
}

TEST(ScoreNumber, SelfTestIncMatchesTruncatedDoubleSums)
{
  // Independent reckoning in doubles: every sum truncated to 16 binary
  // digits, as the 16-bit mantissa does.
  std::string expected;
  double s = 1;
  double x = 1;
  for(int i = 0; i <= 200; ++i)
  {
    double next = truncated16(s + x);
    if(i >= 4)
      expected += "c ";
    expected += oracle_text(s) + " + " + oracle_text(x) + " = " +
                oracle_text(next) + "\n";
    s = next;
    x = truncated16(x + truncated16(x / 2));
  }
  int result = -1;
  EXPECT_EQ(self_test("inc", &result), expected);
  EXPECT_EQ(result, 0);
}

TEST(ScoreNumber, SelfTestRefusesUnknownCaseAndMissingArguments)
{
  int result = -1;
  EXPECT_EQ(self_test("nonsense", &result), "");
  EXPECT_EQ(result, 1);

  char name[] = "zero";
  char *argv[] = {name, nullptr};
  EXPECT_EQ(coresat_score_self_test(1, argv), 1);

  char unwritable[] = "/nonexistent-folder/out.txt";
  char *argv3[] = {name, name, unwritable};
  EXPECT_EQ(coresat_score_self_test(3, argv3), 1);
}

TEST(ScoreNumber, WordLayoutOfOneAndTwo)
{
  score_number one = coresat_score_make(1, 0);
  EXPECT_EQ(coresat_score_mantissa(one), 0x8000u);
  EXPECT_EQ(coresat_score_exponent(one), -15);
  EXPECT_EQ(printed(one), "1");
  score_number two = coresat_score_add(one, one);
  EXPECT_EQ(coresat_score_mantissa(two), 0x8000u);
  EXPECT_EQ(coresat_score_exponent(two), -14);
  EXPECT_EQ(printed(coresat_score_make(7, -1)), "7*2^-1");
  EXPECT_EQ(printed(coresat_score_make(40, 0)), "5*2^3");
}

TEST(ScoreNumber, OverflowAndUnderflowAtTheRangeEnds)
{
  score_number one = coresat_score_make(1, 0);
  score_number big = coresat_score_make(0x8000, 32767);
  score_number small = coresat_score_make(0x8000, -32768);
  EXPECT_TRUE(coresat_score_is_infinity(coresat_score_shift(big, 1)));
  EXPECT_TRUE(coresat_score_is_zero(coresat_score_shift(small, -1)));
  EXPECT_TRUE(
    coresat_score_is_zero(coresat_score_shift(coresat_score_zero, -100)));
  EXPECT_EQ(
    coresat_score_add(coresat_score_make(1, 20), one),
    coresat_score_make(1, 20));
  EXPECT_TRUE(coresat_score_is_infinity(coresat_score_make(0x10000, 0)));
  EXPECT_TRUE(coresat_score_is_infinity(coresat_score_make(1, 40000)));
  EXPECT_TRUE(coresat_score_is_zero(coresat_score_make(1, -40000)));
  EXPECT_TRUE(coresat_score_is_infinity(coresat_score_make(0, 3)));
  // Shifting 1 up to bit 15 would take the exponent below its range: the
  // number underflows to zero instead of wrapping to a huge exponent.
  EXPECT_TRUE(coresat_score_is_zero(coresat_score_make(1, -32768)));
  EXPECT_TRUE(coresat_score_is_zero(coresat_score_normalize(0x80000001u)));
  EXPECT_EQ(coresat_score_normalize(0x00000001u), one);
  // Shifts far beyond the exponent's range saturate instead of wrapping.
  EXPECT_TRUE(coresat_score_is_zero(coresat_score_shift(one, -70000)));
  EXPECT_TRUE(coresat_score_is_infinity(coresat_score_shift(one, 70000)));
  EXPECT_EQ(coresat_score_cmp(coresat_score_zero, small), -1);
  EXPECT_EQ(coresat_score_cmp(coresat_score_infinity, big), 1);
  EXPECT_EQ(coresat_score_cmp(big, coresat_score_infinity), -1);
}

TEST(ScoreNumber, AddCompareShiftAgreeWithDoubles)
{
  std::mt19937 random(7);
  std::uniform_int_distribution<unsigned> mantissa(1, 0xFFFF);
  std::uniform_int_distribution<int> exponent(-60, 60);
  std::uniform_int_distribution<int> shift(-40, 40);
  for(int i = 0; i < 20000; ++i)
  {
    score_number a = coresat_score_make(mantissa(random), exponent(random));
    score_number b = coresat_score_make(mantissa(random), exponent(random));
    if(i % 7 == 0)
      b = coresat_score_shift(a, shift(random) % 20);
    double va = value_of(a);
    double vb = value_of(b);
    ASSERT_EQ(value_of(coresat_score_add(a, b)), truncated16(va + vb))
      << printed(a) << " + " << printed(b);
    int expected_cmp = va < vb ? -1 : va > vb ? 1 : 0;
    ASSERT_EQ(coresat_score_cmp(a, b), expected_cmp);
    // Normalised words order like signed integers.
    ASSERT_EQ(std::int32_t(a) < std::int32_t(b), expected_cmp < 0);
    int d = shift(random);
    ASSERT_EQ(value_of(coresat_score_shift(a, d)), std::ldexp(va, d));
  }
}

#include "util/mp_arith.h"
#include "util/mp_integer.h"

#include "mp_reference.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <string>

namespace
{
mp_integer hex(const char *text)
{
  return mp_integer(text, 16);
}

std::string text_of(const mp_integer &value)
{
  return integer_to_string_base(value, 10);
}

std::string hex_of(const mp_integer &value)
{
  return integer_to_string_base(value, 16);
}

// Each operation of a against b, both as given and as mp_integer, against
// the reference. A zero divisor is left to its own test.
void expect_operations_match(const ref_integert &a, const ref_integert &b)
{
  SCOPED_TRACE("a = " + ref_text(a) + ", b = " + ref_text(b));
  const mp_integer x = to_mp(a), y = to_mp(b);
  ASSERT_EQ(to_ref(x), a);
  ASSERT_EQ(to_ref(y), b);

  const int expected = ref_compare(a, b);
  EXPECT_EQ(x.compare(y), expected);
  EXPECT_EQ(x < y, expected < 0);
  EXPECT_EQ(x == y, expected == 0);

  mp_integer sum(x);
  sum += y;
  EXPECT_EQ(to_ref(sum), ref_add(a, b)) << "+";
  mp_integer difference(x);
  difference -= y;
  EXPECT_EQ(to_ref(difference), ref_add(a, ref_negate(b))) << "-";
  mp_integer product(x);
  product *= y;
  EXPECT_EQ(to_ref(product), ref_multiply(a, b)) << "*";

  if(b.is_zero())
    return;
  ref_integert quotient, remainder;
  ref_divide(a, b, quotient, remainder);
  mp_integer q(x);
  q /= y;
  EXPECT_EQ(to_ref(q), quotient) << "/";
  mp_integer r(x);
  r %= y;
  EXPECT_EQ(to_ref(r), remainder) << "%";
  mp_integer both_q(123), both_r(-45);
  mp_integer::divide(x, y, both_q, both_r);
  EXPECT_EQ(to_ref(both_q), quotient) << "divide quotient";
  EXPECT_EQ(to_ref(both_r), remainder) << "divide remainder";
}

void expect_all_signs_match(ref_integert a, ref_integert b)
{
  for(int signs = 0; signs < 4; ++signs)
  {
    a.negative = (signs & 1) != 0;
    b.negative = (signs & 2) != 0;
    a.trim();
    b.trim();
    expect_operations_match(a, b);
  }
}
} // namespace

TEST(MpInteger, ArithmeticMatchesSlowReferenceForEverySignCombination)
{
  std::mt19937 random(20261210);
  for(int i = 0; i < 1200; ++i)
  {
    const unsigned max_words = i % 4 == 0 ? 12 : 5;
    const ref_integert a = random_ref_magnitude(random, max_words);
    const ref_integert b = random_ref_partner(random, a, max_words);
    expect_all_signs_match(a, b);
    expect_all_signs_match(b, a);
    if(testing::Test::HasFailure())
      break;
  }
}

TEST(MpInteger, ValueCombinedWithItselfMatchesReference)
{
  std::mt19937 random(7);
  for(int i = 0; i < 500; ++i)
  {
    ref_integert a = random_ref_magnitude(random, 8);
    a.negative = random() % 2 == 0;
    a.trim();
    SCOPED_TRACE("a = " + ref_text(a));
    mp_integer x = to_mp(a);
    mp_integer sum(x), difference(x), product(x), quotient(x), remainder(x);
    sum += sum;
    difference -= difference;
    product *= product;
    quotient /= quotient;
    remainder %= remainder;
    EXPECT_EQ(to_ref(sum), ref_add(a, a));
    EXPECT_EQ(to_ref(difference), ref_integert());
    EXPECT_EQ(to_ref(product), ref_multiply(a, a));
    if(!a.is_zero())
    {
      EXPECT_EQ(to_ref(quotient), to_ref(mp_integer(1)));
      EXPECT_EQ(to_ref(remainder), ref_integert());
    }
    if(!a.is_zero())
    {
      // Quotient and remainder written over the operands themselves.
      mp_integer dividend(x), divisor(x);
      mp_integer::divide(dividend, divisor, dividend, divisor);
      EXPECT_EQ(dividend, 1);
      EXPECT_TRUE(divisor.is_zero());
    }
  }
}

TEST(MpInteger, MachineOperandsMatchTheSameValueAsMpInteger)
{
  std::mt19937 random(99);
  const long long specials[] = {
    0, 1, -1, 2, -2, LLONG_MAX, LLONG_MIN, LLONG_MIN + 1, 0xFFFFFFFFll,
    -0xFFFFFFFFll, 0x100000000ll, INT_MIN};
  for(int i = 0; i < 400; ++i)
  {
    ref_integert a = random_ref_magnitude(random, 4);
    a.negative = random() % 2 == 0;
    a.trim();
    const mp_integer x = to_mp(a);
    const std::uint64_t random_bits =
      (std::uint64_t(random()) << 32) | random();
    const long long s =
      i < 12 ? specials[i] : static_cast<long long>(random_bits);
    const unsigned long long u = static_cast<unsigned long long>(s);
    SCOPED_TRACE("a = " + ref_text(a) + ", s = " + std::to_string(s));
    const mp_integer sv(s), uv(u);
    EXPECT_EQ(x.compare(s), x.compare(sv));
    EXPECT_EQ(x.compare(u), x.compare(uv));
    EXPECT_EQ(x < s, x < sv);
    EXPECT_EQ(s < x, sv < x);
    EXPECT_EQ(u >= x, uv >= x);

    auto check = [&](const mp_integer &by_machine, const mp_integer &by_value) {
      EXPECT_EQ(to_ref(by_machine), to_ref(by_value));
    };
    mp_integer m(x), v(x);
    check(m += s, v += sv);
    check(m -= u, v -= uv);
    check(m *= s, v *= sv);
    if(s != 0)
    {
      m = x;
      v = x;
      check(m /= s, v /= sv);
      m = x;
      v = x;
      check(m %= u, v %= uv);
    }
  }
}

TEST(MpInteger, DivisionTruncatesTowardZeroAndRemainderTakesDividendSign)
{
  struct casest
  {
    const char *a, *b, *quotient, *remainder;
  };
  const casest cases[] = {
    {"7", "2", "3", "1"},
    {"-7", "2", "-3", "-1"},
    {"7", "-2", "-3", "1"},
    {"-7", "-2", "3", "-1"},
    {"-7", "-7", "1", "0"},
    {"7", "-7", "-1", "0"},
    {"-1", "2", "0", "-1"},
    {"0", "-5", "0", "0"},
    {"-4", "2", "-2", "0"},
    // Three words by one word, and by two words.
    {"-340282366920938463463374607431768211457", "4294967296",
     "-79228162514264337593543950336", "-1"},
    {"340282366920938463463374607431768211457", "-18446744073709551616",
     "-18446744073709551616", "1"},
  };
  for(const auto &c : cases)
  {
    SCOPED_TRACE(std::string(c.a) + " / " + c.b);
    const mp_integer a(c.a, 10), b(c.b, 10);
    mp_integer quotient(a), remainder(a);
    quotient /= b;
    remainder %= b;
    EXPECT_EQ(text_of(quotient), c.quotient);
    EXPECT_EQ(text_of(remainder), c.remainder);
    // No negative zero.
    EXPECT_EQ(quotient.is_negative(), quotient < 0);
    EXPECT_EQ(remainder.is_negative(), remainder < 0);
  }
}

TEST(MpInteger, ProductWithZeroIsPositiveZero)
{
  const mp_integer big_negative = hex("-123456789ABCDEF0123456789");
  mp_integer a(0);
  a *= -5;
  EXPECT_FALSE(a.is_negative());
  mp_integer b(0);
  b *= big_negative;
  EXPECT_FALSE(b.is_negative());
  mp_integer c(big_negative);
  c *= 0;
  EXPECT_TRUE(c.is_zero());
  EXPECT_FALSE(c.is_negative());
  mp_integer d(5);
  d *= 0ull;
  EXPECT_FALSE(d.is_negative());
  EXPECT_TRUE(d.is_zero());
}

// With equal top words the normalised dividend needs an extra word; without
// it the trial quotients overflow a word.
TEST(MpInteger, LongDivisionWithEqualTopWordsIsExact)
{
  struct casest
  {
    const char *a, *b, *quotient, *remainder;
  };
  const casest cases[] = {
    // 2^95 / 2^63
    {"800000000000000000000000", "8000000000000000", "100000000", "0"},
    // (2^96 - 1) / (2^64 - 1)
    {"FFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "100000000",
     "FFFFFFFF"},
    {"FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF",
     "10000000000000001", "0"},
    {"FFFFFFFF00000000000000000000000000000000", "FFFFFFFF0000000000000001",
     "FFFFFFFFFFFFFFFF", "FFFFFFFE0000000000000001"},
    // Equal top words, divisor not normalised (top word below 2^31).
    {"1234567800000000FFFFFFFF", "12345678FFFFFFFF", "FFFFFFF1",
     "11111118FFFFFFF0"},
  };
  for(const auto &c : cases)
  {
    SCOPED_TRACE(std::string(c.a) + " / " + c.b);
    const mp_integer a = hex(c.a), b = hex(c.b);
    mp_integer quotient(a), remainder(a);
    quotient /= b;
    remainder %= b;
    EXPECT_EQ(hex_of(quotient), c.quotient);
    EXPECT_EQ(hex_of(remainder), c.remainder);
    mp_integer both_quotient, both_remainder;
    mp_integer::divide(a, b, both_quotient, both_remainder);
    EXPECT_EQ(hex_of(both_quotient), c.quotient);
    EXPECT_EQ(hex_of(both_remainder), c.remainder);
  }
}

TEST(MpInteger, DivisionByZeroWritesMessageAndChangesNothing)
{
  const char *const dividends[] = {
    "0", "7", "-7", "-123456789012345678901234567890"};
  for(const char *text : dividends)
  {
    SCOPED_TRACE(text);
    const mp_integer a(text, 10);
    mp_integer quotient(a), remainder(a), by_machine(a);
    mp_integer both_quotient(11), both_remainder(-12);
    testing::internal::CaptureStderr();
    quotient /= mp_integer();
    remainder %= mp_integer();
    by_machine /= 0;
    by_machine %= 0ull;
    mp_integer::divide(a, mp_integer(), both_quotient, both_remainder);
    EXPECT_EQ(
      testing::internal::GetCapturedStderr(),
      "Division by zero.\nDivision by zero.\nDivision by zero.\n"
      "Division by zero.\nDivision by zero.\n");
    EXPECT_EQ(quotient, a);
    EXPECT_EQ(remainder, a);
    EXPECT_EQ(by_machine, a);
    EXPECT_EQ(both_quotient, 11);
    EXPECT_EQ(both_remainder, -12);
  }
}

TEST(MpInteger, ComparisonWithMachineIntegers)
{
  const mp_integer huge_negative("-100000000000000000000000000000", 10);
  EXPECT_EQ(mp_integer(5).compare(-3ll), 1);
  EXPECT_EQ(mp_integer(-5).compare(-3ll), -1);
  EXPECT_EQ(mp_integer(-1).compare(-3ll), 1);
  EXPECT_EQ(mp_integer(-3).compare(-3ll), 0);
  EXPECT_EQ(mp_integer(-1).compare(0ull), -1);
  EXPECT_EQ(huge_negative.compare(0ull), -1);
  EXPECT_EQ(huge_negative.compare(LLONG_MIN), -1);
  EXPECT_EQ(mp_integer(ULLONG_MAX).compare(ULLONG_MAX), 0);
  EXPECT_EQ(mp_integer(LLONG_MIN).compare(LLONG_MIN), 0);
  EXPECT_TRUE(mp_integer(ULLONG_MAX) > LLONG_MAX);
  EXPECT_TRUE(0 < mp_integer(1));
  EXPECT_TRUE(mp_integer() == 0);
}

TEST(MpInteger, MachineIntegerRangeAndConversions)
{
  struct casest
  {
    const char *text;
    bool fits;
    unsigned long long low_bits;
    long long signed_value;
  };
  const casest cases[] = {
    {"-9223372036854775808", true, 0x8000000000000000ull, LLONG_MIN},
    {"9223372036854775807", true, 0x7FFFFFFFFFFFFFFFull, LLONG_MAX},
    {"9223372036854775808", false, 0x8000000000000000ull, LLONG_MIN},
    {"-9223372036854775809", false, 0x8000000000000001ull, LLONG_MAX},
    {"-5", true, 5, -5},
    {"0", true, 0, 0},
    {"-4294967296", true, 0x100000000ull, -0x100000000ll},
    // 2^64 + 3: the low 64 bits only.
    {"18446744073709551619", false, 3, 3},
  };
  for(const auto &c : cases)
  {
    SCOPED_TRACE(c.text);
    const mp_integer value(c.text, 10);
    EXPECT_EQ(value.fits_long_long(), c.fits);
    EXPECT_EQ(value.to_unsigned_64(), c.low_bits);
    EXPECT_EQ(value.to_signed_64(), c.signed_value);
  }
  mp_integer assigned(hex("123456789ABCDEF0123456789"));
  assigned = LLONG_MIN;
  EXPECT_EQ(text_of(assigned), "-9223372036854775808");
  assigned = ULLONG_MAX;
  EXPECT_EQ(text_of(assigned), "18446744073709551615");
  EXPECT_EQ(text_of(mp_integer(INT_MIN)), "-2147483648");
  EXPECT_EQ(text_of(mp_integer(UINT_MAX)), "4294967295");
}

TEST(MpInteger, FormatIntoBuffersOfEverySize)
{
  struct casest
  {
    const char *value;
    unsigned base;
    std::size_t size;
    const char *expected; // null: does not fit
  };
  const casest cases[] = {
    {"255", 16, 16, "FF"},
    {"-12", 10, 16, "-12"},
    {"0", 10, 16, "0"},
    {"0", 10, 2, "0"},
    {"0", 10, 1, nullptr},
    {"7", 10, 1, nullptr},
    {"-12", 10, 4, "-12"},
    {"-12", 10, 3, nullptr},
    {"12", 10, 2, nullptr},
    {"35", 36, 8, "Z"},
    {"5", 2, 8, "101"},
    // Groups of digits inside a long value keep their inner zeros.
    {"100000000000000000000000000001", 10, 40,
     "100000000000000000000000000001"},
    {"-18446744073709551616", 2, 80,
     "-10000000000000000000000000000000000000000000000000000000000000000"},
  };
  for(const auto &c : cases)
  {
    SCOPED_TRACE(std::string(c.value) + " in base " + std::to_string(c.base));
    const mp_integer value(c.value, 10);
    char buffer[100];
    std::memset(buffer, 'x', sizeof(buffer));
    const char *text = value.format(buffer, c.size, c.base);
    if(c.expected == nullptr)
      EXPECT_EQ(text, nullptr);
    else
    {
      ASSERT_NE(text, nullptr);
      EXPECT_STREQ(text, c.expected);
      // Right-aligned: the NUL is the buffer's last character.
      EXPECT_EQ(text + std::strlen(text), buffer + c.size - 1);
    }
  }
}

TEST(MpInteger, ScanReadsSignAndDigitsUpToFirstNonDigit)
{
  struct casest
  {
    const char *text;
    unsigned base;
    const char *value;
    std::size_t read;
  };
  const casest cases[] = {
    {"-12", 10, "-12", 3},
    {"+12", 10, "12", 3},
    {"12x", 10, "12", 2},
    {"ff", 16, "255", 2},
    {"fG", 16, "15", 1},
    {"0x", 10, "0", 1},
    {"-", 10, "0", 1},
    {"-x", 10, "0", 1},
    {"", 10, "0", 0},
    {"-0", 10, "0", 2},
    {"1012", 2, "5", 3},
    {"zZ", 36, "1295", 2},
    {"000000000000000000000000000000000000000000000007", 10, "7", 48},
    {"123456789012345678901234567890", 10, "123456789012345678901234567890",
     30},
  };
  for(const auto &c : cases)
  {
    SCOPED_TRACE(c.text);
    mp_integer value;
    const char *rest = value.scan(c.text, c.base);
    EXPECT_EQ(text_of(value), c.value);
    EXPECT_EQ(rest, c.text + c.read);
    EXPECT_EQ(value.is_negative(), value < 0);
    EXPECT_EQ(text_of(mp_integer(c.text, c.base)), c.value);
  }
  // Digits accumulate onto the value already held.
  mp_integer held(12);
  held.scan_decimal("34");
  EXPECT_EQ(held, 1234);
}

TEST(MpInteger, BytesRoundTripAndTooSmallBuffer)
{
  const mp_integer value = hex("-1020304050607");
  unsigned char bytes[10];
  ASSERT_TRUE(value.dump_bytes(bytes, sizeof(bytes)));
  const unsigned char expected[10] = {0, 0, 0, 1, 2, 3, 4, 5, 6, 7};
  EXPECT_EQ(std::memcmp(bytes, expected, sizeof(bytes)), 0);
  unsigned char small[6];
  std::memset(small, 0xAA, sizeof(small));
  EXPECT_FALSE(value.dump_bytes(small, sizeof(small)));
  EXPECT_EQ(std::memcmp(small, "\0\0\0\0\0\0", 6), 0);
  EXPECT_TRUE(mp_integer().dump_bytes(small, 0));

  // The sign stays, the magnitude is replaced.
  mp_integer loaded(-1);
  loaded.load_bytes(bytes, sizeof(bytes));
  EXPECT_EQ(loaded, value);
  const unsigned char zeros[5] = {};
  loaded.load_bytes(zeros, sizeof(zeros));
  EXPECT_TRUE(loaded.is_zero());
  EXPECT_FALSE(loaded.is_negative());
}

TEST(MpInteger, CopiesAndFullArraysKeepTheirValue)
{
  // Six words: an array exactly full, which the sum must outgrow.
  mp_integer full = hex("FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF");
  full += full;
  EXPECT_EQ(hex_of(full), "1FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFE");
  mp_integer small(3);
  small = full;
  EXPECT_EQ(small, full);
  small = mp_integer(-5);
  EXPECT_EQ(small, -5);
  small = small;
  EXPECT_EQ(small, -5);
  mp_integer moved(std::move(full));
  EXPECT_EQ(hex_of(moved), "1FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFE");
  // A moved-from value is zero and usable.
  EXPECT_TRUE(full.is_zero());
  full += 5;
  EXPECT_EQ(full, 5);
}

// Multiplication, division and decimal text of big integers of a few
// hundred 32-bit words, beside a plain schoolbook implementation on word
// vectors as the yardstick.

#include "util/mp_arith.h"
#include "util/mp_integer.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

typedef std::vector<std::uint32_t> wordst;

static wordst random_words(std::size_t n, unsigned seed)
{
  std::mt19937 random(seed);
  wordst words(n);
  for(auto &word : words)
    word = static_cast<std::uint32_t>(random());
  words.back() |= 1; // no leading zero word
  return words;
}

static mp_integer to_mp(const wordst &words)
{
  std::vector<unsigned char> bytes;
  for(std::size_t i = words.size(); i-- > 0;)
  {
    for(int shift = 24; shift >= 0; shift -= 8)
      bytes.push_back(static_cast<unsigned char>(words[i] >> shift));
  }
  mp_integer value;
  value.load_bytes(bytes.data(), bytes.size());
  return value;
}

static wordst to_words(const mp_integer &value)
{
  std::vector<unsigned char> bytes(4 * (value.digits_for_base(2) / 32 + 1));
  value.dump_bytes(bytes.data(), bytes.size());
  wordst words(bytes.size() / 4, 0);
  for(std::size_t i = 0; i < bytes.size(); ++i)
    words[i / 4] |= std::uint32_t(bytes[bytes.size() - 1 - i]) << (8 * (i % 4));
  while(!words.empty() && words.back() == 0)
    words.pop_back();
  return words;
}

static wordst trimmed(wordst words)
{
  while(!words.empty() && words.back() == 0)
    words.pop_back();
  return words;
}

// The yardstick: textbook schoolbook product into a fresh vector.
static wordst reference_multiply(const wordst &x, const wordst &y)
{
  wordst out(x.size() + y.size(), 0);
  for(std::size_t i = 0; i < x.size(); ++i)
  {
    std::uint64_t carry = 0;
    for(std::size_t j = 0; j < y.size(); ++j)
    {
      const std::uint64_t t =
        std::uint64_t(x[i]) * y[j] + out[i + j] + carry;
      out[i + j] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    out[i + y.size()] = static_cast<std::uint32_t>(carry);
  }
  return out;
}

// The yardstick: textbook long division (normalise by a shift, one trial
// digit per quotient word, add back when one too large) into fresh vectors.
static void reference_divide(
  const wordst &a, const wordst &b, wordst &quotient, wordst &remainder)
{
  const std::size_t n = b.size(), m = a.size() - n;
  int shift = 0;
  while((b.back() << shift & 0x80000000u) == 0)
    ++shift;
  auto shifted = [shift](const wordst &words, std::size_t extra) {
    wordst out(words.size() + extra, 0);
    for(std::size_t i = 0; i < words.size(); ++i)
    {
      const std::uint64_t w = std::uint64_t(words[i]) << shift;
      out[i] |= static_cast<std::uint32_t>(w);
      if(i + 1 < out.size())
        out[i + 1] |= static_cast<std::uint32_t>(w >> 32);
    }
    return out;
  };
  const wordst v = shifted(b, 0);
  wordst u = shifted(a, 1);
  quotient.assign(m + 1, 0);
  const std::uint64_t base = std::uint64_t(1) << 32;
  for(std::size_t j = m + 1; j-- > 0;)
  {
    const std::uint64_t top = (std::uint64_t(u[j + n]) << 32) | u[j + n - 1];
    std::uint64_t qhat = top / v[n - 1], rhat = top % v[n - 1];
    while(qhat >= base ||
          qhat * v[n - 2] > ((rhat << 32) | u[j + n - 2]))
    {
      --qhat;
      rhat += v[n - 1];
      if(rhat >= base)
        break;
    }
    std::int64_t borrow = 0;
    std::uint64_t carry = 0;
    for(std::size_t i = 0; i < n; ++i)
    {
      const std::uint64_t p = qhat * v[i] + carry;
      carry = p >> 32;
      const std::int64_t t =
        std::int64_t(u[i + j]) - borrow - std::int64_t(p & 0xFFFFFFFFu);
      u[i + j] = static_cast<std::uint32_t>(t);
      borrow = t < 0 ? 1 : 0;
    }
    const std::int64_t t =
      std::int64_t(u[j + n]) - borrow - std::int64_t(carry);
    u[j + n] = static_cast<std::uint32_t>(t);
    if(t < 0)
    {
      --qhat;
      std::uint64_t add_carry = 0;
      for(std::size_t i = 0; i < n; ++i)
      {
        const std::uint64_t s = std::uint64_t(u[i + j]) + v[i] + add_carry;
        u[i + j] = static_cast<std::uint32_t>(s);
        add_carry = s >> 32;
      }
      u[j + n] += static_cast<std::uint32_t>(add_carry);
    }
    quotient[j] = static_cast<std::uint32_t>(qhat);
  }
  remainder.assign(n, 0);
  for(std::size_t i = 0; i < n; ++i)
  {
    remainder[i] = u[i] >> shift;
    if(shift != 0)
      remainder[i] |= static_cast<std::uint32_t>(
        std::uint64_t(u[i + 1]) << (32 - shift));
  }
}

// Arguments: words of each factor.
static void mp_multiply(benchmark::State &state)
{
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  const mp_integer x = to_mp(random_words(n, 1)), y = to_mp(random_words(n, 2));
  for(auto _ : state)
  {
    mp_integer product(x);
    product *= y;
    benchmark::DoNotOptimize(product);
  }
}
BENCHMARK(mp_multiply)->Arg(100)->Arg(300)->Arg(600);

static void schoolbook_multiply(benchmark::State &state)
{
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  const wordst x = random_words(n, 1), y = random_words(n, 2);
  mp_integer product = to_mp(x);
  product *= to_mp(y);
  if(trimmed(reference_multiply(x, y)) != to_words(product))
    state.SkipWithError("the yardstick disagrees with mp_integer");
  for(auto _ : state)
    benchmark::DoNotOptimize(reference_multiply(x, y));
}
BENCHMARK(schoolbook_multiply)->Arg(100)->Arg(300)->Arg(600);

// Arguments: words of the divisor; the dividend has twice as many.
static void mp_divide(benchmark::State &state)
{
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  const mp_integer a = to_mp(random_words(2 * n, 3));
  const mp_integer b = to_mp(random_words(n, 4));
  for(auto _ : state)
  {
    mp_integer quotient(a);
    quotient /= b;
    benchmark::DoNotOptimize(quotient);
  }
}
BENCHMARK(mp_divide)->Arg(100)->Arg(300)->Arg(600);

static void mp_divide_with_remainder(benchmark::State &state)
{
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  const mp_integer a = to_mp(random_words(2 * n, 3));
  const mp_integer b = to_mp(random_words(n, 4));
  mp_integer quotient, remainder;
  for(auto _ : state)
  {
    mp_integer::divide(a, b, quotient, remainder);
    benchmark::DoNotOptimize(quotient);
    benchmark::DoNotOptimize(remainder);
  }
}
BENCHMARK(mp_divide_with_remainder)->Arg(100)->Arg(300)->Arg(600);

static void schoolbook_divide(benchmark::State &state)
{
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  const wordst a = random_words(2 * n, 3), b = random_words(n, 4);
  wordst quotient, remainder;
  reference_divide(a, b, quotient, remainder);
  mp_integer mp_quotient, mp_remainder;
  mp_integer::divide(to_mp(a), to_mp(b), mp_quotient, mp_remainder);
  if(
    trimmed(quotient) != to_words(mp_quotient) ||
    trimmed(remainder) != to_words(mp_remainder))
  {
    state.SkipWithError("the yardstick disagrees with mp_integer");
  }
  for(auto _ : state)
  {
    reference_divide(a, b, quotient, remainder);
    benchmark::DoNotOptimize(quotient.data());
    benchmark::DoNotOptimize(remainder.data());
  }
}
BENCHMARK(schoolbook_divide)->Arg(100)->Arg(300)->Arg(600);

// Decimal text out and back in.
static void mp_decimal_text(benchmark::State &state)
{
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  const mp_integer x = to_mp(random_words(n, 5));
  for(auto _ : state)
  {
    const std::string text = integer_to_string_base(x, 10);
    benchmark::DoNotOptimize(mp_integer(text.c_str(), 10));
  }
}
BENCHMARK(mp_decimal_text)->Arg(100)->Arg(300);

#ifndef MORVANE_TESTS_UTIL_MP_REFERENCE_H
#define MORVANE_TESTS_UTIL_MP_REFERENCE_H

// A slow, independent oracle for mp_integer: sign and magnitude in 16-bit
// limbs (so no carry logic is shared with the 32-bit code under test),
// schoolbook multiplication and bit-by-bit division. Values meet mp_integer
// only through its big-endian byte form.

#include "util/mp_integer.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

struct ref_integert
{
  bool negative = false;
  // Least significant limb first, no leading zero limbs; zero is empty.
  std::vector<std::uint16_t> limbs;

  void trim()
  {
    while(!limbs.empty() && limbs.back() == 0)
      limbs.pop_back();
    if(limbs.empty())
      negative = false;
  }
  bool is_zero() const
  {
    return limbs.empty();
  }
};

inline int ref_compare_magnitude(
  const std::vector<std::uint16_t> &a, const std::vector<std::uint16_t> &b)
{
  if(a.size() != b.size())
    return a.size() < b.size() ? -1 : 1;
  for(std::size_t i = a.size(); i-- > 0;)
  {
    if(a[i] != b[i])
      return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

inline int ref_compare(const ref_integert &a, const ref_integert &b)
{
  if(a.negative != b.negative)
    return a.negative ? -1 : 1;
  const int magnitude = ref_compare_magnitude(a.limbs, b.limbs);
  return a.negative ? -magnitude : magnitude;
}

inline std::vector<std::uint16_t> ref_add_magnitude(
  const std::vector<std::uint16_t> &a, const std::vector<std::uint16_t> &b)
{
  std::vector<std::uint16_t> sum;
  std::uint32_t carry = 0;
  for(std::size_t i = 0; i < a.size() || i < b.size() || carry != 0; ++i)
  {
    std::uint32_t s = carry;
    if(i < a.size())
      s += a[i];
    if(i < b.size())
      s += b[i];
    sum.push_back(static_cast<std::uint16_t>(s & 0xFFFF));
    carry = s >> 16;
  }
  return sum;
}

// a - b for |a| >= |b|.
inline std::vector<std::uint16_t> ref_subtract_magnitude(
  const std::vector<std::uint16_t> &a, const std::vector<std::uint16_t> &b)
{
  std::vector<std::uint16_t> difference;
  std::int32_t borrow = 0;
  for(std::size_t i = 0; i < a.size(); ++i)
  {
    std::int32_t d = std::int32_t(a[i]) - borrow - (i < b.size() ? b[i] : 0);
    borrow = d < 0 ? 1 : 0;
    difference.push_back(static_cast<std::uint16_t>(d + (borrow << 16)));
  }
  return difference;
}

inline ref_integert ref_add(const ref_integert &a, const ref_integert &b)
{
  ref_integert result;
  if(a.negative == b.negative)
  {
    result.negative = a.negative;
    result.limbs = ref_add_magnitude(a.limbs, b.limbs);
  }
  else if(ref_compare_magnitude(a.limbs, b.limbs) >= 0)
  {
    result.negative = a.negative;
    result.limbs = ref_subtract_magnitude(a.limbs, b.limbs);
  }
  else
  {
    result.negative = b.negative;
    result.limbs = ref_subtract_magnitude(b.limbs, a.limbs);
  }
  result.trim();
  return result;
}

inline ref_integert ref_negate(ref_integert a)
{
  a.negative = !a.negative;
  a.trim();
  return a;
}

inline ref_integert ref_multiply(const ref_integert &a, const ref_integert &b)
{
  ref_integert result;
  result.limbs.assign(a.limbs.size() + b.limbs.size(), 0);
  for(std::size_t i = 0; i < a.limbs.size(); ++i)
  {
    std::uint32_t carry = 0;
    for(std::size_t j = 0; j < b.limbs.size(); ++j)
    {
      const std::uint32_t t =
        std::uint32_t(a.limbs[i]) * b.limbs[j] + result.limbs[i + j] + carry;
      result.limbs[i + j] = static_cast<std::uint16_t>(t & 0xFFFF);
      carry = t >> 16;
    }
    result.limbs[i + b.limbs.size()] = static_cast<std::uint16_t>(carry);
  }
  result.negative = a.negative != b.negative;
  result.trim();
  return result;
}

// Truncating division, bit by bit: the quotient's sign is the product of
// the signs, the remainder's the dividend's. b must not be zero.
inline void ref_divide(
  const ref_integert &a,
  const ref_integert &b,
  ref_integert &quotient,
  ref_integert &remainder)
{
  const std::size_t n = b.limbs.size() + 1;
  // remainder < 2 |b| at every step, so n limbs hold it.
  std::vector<std::uint16_t> rest(n, 0);
  quotient.limbs.assign(a.limbs.size(), 0);
  for(std::size_t bit = a.limbs.size() * 16; bit-- > 0;)
  {
    // rest = 2 rest + the next bit of |a|
    std::uint16_t carry = (a.limbs[bit / 16] >> (bit % 16)) & 1;
    for(std::uint16_t &limb : rest)
    {
      const std::uint16_t out = limb >> 15;
      limb = static_cast<std::uint16_t>((limb << 1) | carry);
      carry = out;
    }
    bool at_least_b = rest[n - 1] != 0;
    for(std::size_t i = n - 1; !at_least_b && i-- > 0;)
    {
      if(rest[i] != b.limbs[i])
      {
        at_least_b = rest[i] > b.limbs[i];
        break;
      }
      if(i == 0)
        at_least_b = true;
    }
    if(at_least_b)
    {
      std::int32_t borrow = 0;
      for(std::size_t i = 0; i < n; ++i)
      {
        const std::int32_t d =
          std::int32_t(rest[i]) - borrow - (i < n - 1 ? b.limbs[i] : 0);
        borrow = d < 0 ? 1 : 0;
        rest[i] = static_cast<std::uint16_t>(d + (borrow << 16));
      }
      quotient.limbs[bit / 16] |= static_cast<std::uint16_t>(1u << (bit % 16));
    }
  }
  quotient.negative = a.negative != b.negative;
  quotient.trim();
  remainder.limbs = rest;
  remainder.negative = a.negative;
  remainder.trim();
}

inline mp_integer to_mp(const ref_integert &value)
{
  std::vector<unsigned char> bytes;
  for(std::size_t i = value.limbs.size(); i-- > 0;)
  {
    bytes.push_back(static_cast<unsigned char>(value.limbs[i] >> 8));
    bytes.push_back(static_cast<unsigned char>(value.limbs[i] & 0xFF));
  }
  // load_bytes keeps the sign the object holds.
  mp_integer result(value.negative ? -1 : 1);
  result.load_bytes(bytes.data(), bytes.size());
  return result;
}

// The reference value of x; a limb 0xDEAD when x has more than 32 words. A
// negative zero gives a negative value without limbs, which equals no
// canonical reference value.
inline ref_integert to_ref(const mp_integer &x)
{
  std::vector<unsigned char> bytes(4 * 32);
  ref_integert result;
  if(!x.dump_bytes(bytes.data(), bytes.size()))
  {
    result.limbs = {0xDEAD};
    return result;
  }
  for(std::size_t i = bytes.size(); i >= 2; i -= 2)
  {
    result.limbs.push_back(
      static_cast<std::uint16_t>((bytes[i - 2] << 8) | bytes[i - 1]));
  }
  result.negative = x.is_negative();
  while(!result.limbs.empty() && result.limbs.back() == 0)
    result.limbs.pop_back();
  return result;
}

inline std::string ref_text(const ref_integert &value)
{
  static const char hex[] = "0123456789abcdef";
  std::string text = value.negative ? "-0x" : "0x";
  if(value.limbs.empty())
    return text + "0";
  for(std::size_t i = value.limbs.size(); i-- > 0;)
  {
    for(int shift = 12; shift >= 0; shift -= 4)
      text += hex[(value.limbs[i] >> shift) & 0xF];
  }
  return text;
}

inline bool operator==(const ref_integert &a, const ref_integert &b)
{
  return a.negative == b.negative && a.limbs == b.limbs;
}

// Magnitudes of 0 to max_words 32-bit words, biased toward the words where
// carries, borrows and trial quotients go wrong: 0, 1, all ones, the sign
// word and its neighbour.
inline ref_integert
random_ref_magnitude(std::mt19937 &random, unsigned max_words)
{
  static const std::uint32_t special[] = {
    0, 1, 0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, 0xFFFFFFFEu};
  ref_integert value;
  const unsigned words = random() % (max_words + 1);
  for(unsigned i = 0; i < words; ++i)
  {
    const std::uint32_t word =
      random() % 2 == 0 ? special[random() % 6] : std::uint32_t(random());
    value.limbs.push_back(static_cast<std::uint16_t>(word & 0xFFFF));
    value.limbs.push_back(static_cast<std::uint16_t>(word >> 16));
  }
  value.trim();
  return value;
}

// A second operand that often shares the first one's top words, so that
// divisions meet equal top words and equal magnitudes.
inline ref_integert random_ref_partner(
  std::mt19937 &random, const ref_integert &first, unsigned max_words)
{
  const std::size_t words = (first.limbs.size() + 1) / 2;
  if(random() % 3 != 0 || words == 0)
    return random_ref_magnitude(random, max_words);
  ref_integert partner;
  const std::size_t keep = 2 * (1 + random() % words);
  partner.limbs.assign(
    first.limbs.begin() + (2 * words - keep), first.limbs.end());
  // Vary the low words: equal, zeroed or all ones.
  for(std::size_t i = 0; i + 2 < keep; ++i)
  {
    const unsigned mode = random() % 3;
    if(mode == 1)
      partner.limbs[i] = 0;
    else if(mode == 2)
      partner.limbs[i] = 0xFFFF;
  }
  partner.trim();
  return partner;
}

#endif

#include "util/mp_arith.h"

#include "util/invariant.h"

#include <algorithm>
#include <cctype>
#include <ostream>
#include <vector>

namespace
{
// Shifts go in steps of 31 bits: a one-word operand keeps each step an
// in-place pass over the words.
const unsigned shift_step = 31;

mp_integer absolute(const mp_integer &value)
{
  mp_integer result(value);
  if(result.is_negative())
    result *= -1;
  return result;
}
} // namespace

unsigned long long integer_to_unsigned(const mp_integer &value)
{
  return value.to_unsigned_64();
}

std::string integer_to_string_base(const mp_integer &value, unsigned base)
{
  std::vector<char> buffer(value.digits_for_base(base) + 2);
  const char *text = value.format(buffer.data(), buffer.size(), base);
  INVARIANT(text != nullptr);
  return text;
}

mp_integer integer_shift_left(const mp_integer &value, unsigned count)
{
  mp_integer result(value);
  while(count != 0 && !result.is_zero())
  {
    const unsigned step = std::min(count, shift_step);
    result *= 1u << step;
    count -= step;
  }
  return result;
}

mp_integer integer_shift_right(const mp_integer &value, unsigned count)
{
  // Truncating divisions compose: the steps give the same result as one
  // division by 2^count.
  mp_integer result(value);
  while(count != 0 && !result.is_zero())
  {
    const unsigned step = std::min(count, shift_step);
    result /= 1u << step;
    count -= step;
  }
  return result;
}

mp_integer binary_to_integer(const std::string &bits, bool is_signed)
{
  const std::size_t n = bits.size();
  if(
    std::any_of(bits.begin(), bits.end(), [](char c) {
      return c != '0' && c != '1';
    }))
  {
    return mp_integer();
  }
  // Eight bits per byte, the last byte holding the last bits.
  std::vector<unsigned char> bytes((n + 7) / 8, 0);
  for(std::size_t i = 0; i < n; ++i)
  {
    if(bits[n - 1 - i] == '1')
    {
      bytes[bytes.size() - 1 - i / 8] |=
        static_cast<unsigned char>(1u << (i % 8));
    }
  }
  mp_integer result;
  result.load_bytes(bytes.data(), bytes.size());
  // A leading 1 weighs -2^(n-1) instead of 2^(n-1): take 2^n off.
  if(is_signed && n != 0 && bits[0] == '1')
    result -= integer_shift_left(1, static_cast<unsigned>(n));
  return result;
}

mp_integer string_to_integer(const std::string &text, unsigned base)
{
  for(std::size_t i = 0; i < text.size(); ++i)
  {
    const bool sign = i == 0 && text[i] == '-';
    if(!sign && !std::isalnum(static_cast<unsigned char>(text[i])))
      return mp_integer();
  }
  return mp_integer(text.c_str(), base);
}

std::string integer_to_binary(const mp_integer &value, unsigned width)
{
  // A negative value is written as the inverted bits of |value| - 1.
  mp_integer magnitude(value);
  const bool negative = value.is_negative();
  if(negative)
    magnitude += 1;
  std::vector<unsigned char> bytes((width + 7) / 8);
  // Bits beyond the width are cut off: only the low bytes are needed, so
  // dump the magnitude modulo 2^(8 * bytes).
  mp_integer low(magnitude);
  if(!low.dump_bytes(bytes.data(), bytes.size()))
  {
    low %= integer_shift_left(1, 8 * static_cast<unsigned>(bytes.size()));
    low.dump_bytes(bytes.data(), bytes.size());
  }
  std::string bits(width, '0');
  for(unsigned i = 0; i < width; ++i)
  {
    const bool set = (bytes[bytes.size() - 1 - i / 8] >> (i % 8)) & 1;
    if(set != negative)
      bits[width - 1 - i] = '1';
  }
  return bits;
}

std::ostream &operator<<(std::ostream &out, const mp_integer &value)
{
  return out << integer_to_string_base(value, 10);
}

mp_integer gcd(const mp_integer &a, const mp_integer &b)
{
  mp_integer x = absolute(a);
  mp_integer y = absolute(b);
  if(x == 1 || y == 1)
    return 1;
  if(x == y)
    return x;
  while(!y.is_zero())
  {
    x %= y;
    std::swap(x, y);
  }
  INVARIANT(!x.is_negative());
  return x;
}

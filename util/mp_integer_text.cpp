// Text and byte forms of mp_integer.

#include "util/mp_integer.h"

#include "util/invariant.h"

#include <algorithm>
#include <cctype>

namespace
{
// The largest power of the base that fits a word, and its exponent: text is
// converted that many digits per word operation.
struct digit_groupt
{
  explicit digit_groupt(unsigned base) : power(base), digits(1)
  {
    while(std::uint64_t(power) * base <= 0xFFFFFFFFu)
    {
      power *= base;
      ++digits;
    }
  }
  mp_wordt power;
  unsigned digits;
};

char digit_character(unsigned value)
{
  return static_cast<char>(value <= 9 ? '0' + value : 'A' + (value - 10));
}

// The value of a digit character in bases up to 36, or 36 for any other.
unsigned digit_value(char c)
{
  const int upper = std::toupper(static_cast<unsigned char>(c));
  if(upper >= '0' && upper <= '9')
    return static_cast<unsigned>(upper - '0');
  if(upper >= 'A' && upper <= 'Z')
    return static_cast<unsigned>(upper - 'A' + 10);
  return 36;
}

bool valid_base(unsigned base)
{
  return base >= 2 && base <= 36;
}
} // namespace

char *mp_integer::format(char *buffer, std::size_t size, unsigned base) const
{
  INVARIANT(valid_base(base));
  if(size < 2)
    return nullptr;
  char *next = buffer + size - 1;
  *next = '\0';
  if(is_zero())
  {
    *--next = '0';
    return next;
  }

  const digit_groupt group(base);
  mp_scratcht work_words(length);
  mp_wordt *work = work_words.data();
  std::copy(digits, digits + length, work);
  std::size_t work_length = length;
  while(work_length != 0)
  {
    mp_wordt group_value =
      divide_digits_by_digit(work, work_length, group.power);
    while(work_length != 0 && work[work_length - 1] == 0)
      --work_length;
    // Inner groups are written in full, with their leading zeros; the
    // leading group stops with its last non-zero digit.
    for(unsigned i = 0;
        i < group.digits && (work_length != 0 || group_value != 0);
        ++i)
    {
      if(next == buffer)
        return nullptr;
      *--next = digit_character(group_value % base);
      group_value /= base;
    }
  }
  if(!positive)
  {
    if(next == buffer)
      return nullptr;
    *--next = '-';
  }
  return next;
}

const char *mp_integer::scan(const char *text, unsigned base)
{
  if(*text == '-')
  {
    positive = false;
    ++text;
  }
  else if(*text == '+')
    ++text;
  return scan_digits(text, base);
}

const char *mp_integer::scan_digits(const char *text, unsigned base)
{
  INVARIANT(valid_base(base));
  const digit_groupt group(base);
  // Digits are gathered into a word-sized group, then the magnitude becomes
  // magnitude * base^count + group.
  auto append_group = [this](mp_wordt multiplier, mp_wordt value) {
    const mp_wordt carry = multiply_digits_by_digit(digits, length, multiplier);
    if(carry != 0)
    {
      reserve(length + 1);
      digits[length++] = carry;
    }
    if(length == 0)
    {
      reserve(1);
      digits[length++] = value;
    }
    else if(add_digits(digits, length, &value, 1, digits) != 0)
    {
      reserve(length + 1);
      digits[length++] = 1;
    }
  };

  mp_wordt multiplier = 1, value = 0;
  for(;; ++text)
  {
    const unsigned digit = digit_value(*text);
    if(digit >= base)
      break;
    value = value * base + digit;
    multiplier *= base;
    if(multiplier == group.power)
    {
      append_group(multiplier, value);
      multiplier = 1;
      value = 0;
    }
  }
  if(multiplier != 1)
    append_group(multiplier, value);
  trim();
  return text;
}

bool mp_integer::dump_bytes(unsigned char *buffer, std::size_t size) const
{
  std::fill(buffer, buffer + size, 0);
  std::size_t needed = 0;
  if(length != 0)
  {
    const mp_wordt top = digits[length - 1];
    const std::size_t top_bytes = top >= (1u << 24)   ? 4
                                  : top >= (1u << 16) ? 3
                                  : top >= (1u << 8)  ? 2
                                                      : 1;
    needed = std::size_t(4) * (length - 1) + top_bytes;
  }
  if(needed > size)
    return false;
  for(std::size_t i = 0; i < needed; ++i)
  {
    buffer[size - 1 - i] =
      static_cast<unsigned char>(digits[i / 4] >> (8 * (i % 4)));
  }
  return true;
}

void mp_integer::load_bytes(const unsigned char *bytes, std::size_t count)
{
  std::size_t first = 0;
  while(first < count && bytes[first] == 0)
    ++first;
  const std::size_t significant = count - first;
  const std::size_t words = (significant + 3) / 4;
  if(capacity < words)
    replace_array(words);
  std::fill(digits, digits + words, 0);
  for(std::size_t i = 0; i < significant; ++i)
  {
    digits[i / 4] |= mp_wordt(bytes[count - 1 - i]) << (8 * (i % 4));
  }
  length = static_cast<unsigned>(words);
  if(length == 0)
    positive = true;
}

#include "util/mp_integer.h"

#include "util/invariant.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace
{
void report_division_by_zero()
{
  std::fputs("Division by zero.\n", stderr);
}

std::uint64_t low_64(const mp_wordt *words, unsigned length)
{
  std::uint64_t value = 0;
  if(length > 1)
    value = std::uint64_t(words[1]) << 32;
  if(length > 0)
    value |= words[0];
  return value;
}
} // namespace

mp_integer::mp_integer()
  : capacity(initial_capacity),
    length(0),
    digits(new mp_wordt[initial_capacity]),
    positive(true)
{
}

mp_integer::mp_integer(const char *text, unsigned base) : mp_integer()
{
  scan(text, base);
}

mp_integer::mp_integer(const mp_integer &other)
  : capacity(capacity_for(other.length)),
    length(other.length),
    digits(new mp_wordt[capacity]),
    positive(other.positive)
{
  std::copy(other.digits, other.digits + length, digits);
}

mp_integer::mp_integer(mp_integer &&other) noexcept
  : capacity(other.capacity),
    length(other.length),
    digits(other.digits),
    positive(other.positive)
{
  // The source is left as zero without an array of its own.
  other.capacity = 0;
  other.length = 0;
  other.digits = nullptr;
  other.positive = true;
}

mp_integer::~mp_integer()
{
  if(capacity != 0)
  {
    std::fill(digits, digits + capacity, 0);
    delete[] digits;
  }
}

mp_integer &mp_integer::operator=(const mp_integer &other)
{
  if(this == &other)
    return *this;
  if(capacity < other.length)
    replace_array(other.length);
  length = other.length;
  positive = other.positive;
  std::copy(other.digits, other.digits + length, digits);
  return *this;
}

mp_integer &mp_integer::operator=(mp_integer &&other) noexcept
{
  std::swap(capacity, other.capacity);
  std::swap(length, other.length);
  std::swap(digits, other.digits);
  std::swap(positive, other.positive);
  return *this;
}

unsigned mp_integer::capacity_for(std::size_t n)
{
  const std::size_t rounded =
    (std::max<std::size_t>(n, 3) + 9) & ~std::size_t(7);
  return static_cast<unsigned>(rounded - 2);
}

void mp_integer::replace_array(std::size_t n)
{
  const unsigned new_capacity = capacity_for(n);
  mp_wordt *new_digits = new mp_wordt[new_capacity];
  if(capacity != 0)
  {
    std::fill(digits, digits + capacity, 0);
    delete[] digits;
  }
  digits = new_digits;
  capacity = new_capacity;
}

void mp_integer::reserve(std::size_t n)
{
  if(capacity >= n)
    return;
  const unsigned new_capacity = capacity_for(n);
  mp_wordt *new_digits = new mp_wordt[new_capacity];
  std::copy(digits, digits + length, new_digits);
  if(capacity != 0)
  {
    std::fill(digits, digits + capacity, 0);
    delete[] digits;
  }
  digits = new_digits;
  capacity = new_capacity;
}

void mp_integer::trim()
{
  while(length > 0 && digits[length - 1] == 0)
    --length;
  if(length == 0)
    positive = true;
}

void mp_integer::assign_unsigned(unsigned long long value)
{
  digits[0] = static_cast<mp_wordt>(value);
  digits[1] = static_cast<mp_wordt>(value >> 32);
  length = digits[1] != 0 ? 2 : digits[0] != 0 ? 1 : 0;
  positive = true;
}

void mp_integer::assign_signed(long long value)
{
  if(value >= 0)
    assign_unsigned(static_cast<unsigned long long>(value));
  else
  {
    assign_unsigned(0 - static_cast<unsigned long long>(value));
    positive = false;
  }
}

bool mp_integer::fits_long_long() const
{
  if(length <= 1)
    return true;
  if(length > 2)
    return false;
  const mp_wordt sign_word = mp_wordt(1) << 31;
  return digits[1] < sign_word ||
         (!positive && digits[1] == sign_word && digits[0] == 0);
}

unsigned long long mp_integer::to_unsigned_64() const
{
  return low_64(digits, length);
}

long long mp_integer::to_signed_64() const
{
  const unsigned long long magnitude = to_unsigned_64();
  // Conversion of an unsigned value above the signed range is modular.
  return static_cast<long long>(positive ? magnitude : 0 - magnitude);
}

unsigned mp_integer::digits_for_base(unsigned base) const
{
  INVARIANT(base >= 2 && base <= 36);
  unsigned bits = 0;
  while((2u << bits) <= base)
    ++bits;
  return (length * 32 + bits - 1) / bits;
}

int mp_integer::compare(const mp_integer &other) const
{
  if(positive != other.positive)
    return positive ? 1 : -1;
  const int magnitude =
    compare_digits(digits, length, other.digits, other.length);
  return positive ? magnitude : -magnitude;
}

void mp_integer::add_signed(
  const mp_wordt *words, unsigned count, bool words_positive)
{
  // The operand may be this object; it then moves with the array.
  const bool self = words == digits;
  reserve(std::max(length, count) + 1);
  if(self)
    words = digits;

  const bool object_larger =
    compare_digits(digits, length, words, count) >= 0;
  if(positive == words_positive)
  {
    mp_wordt carry;
    if(object_larger)
      carry = add_digits(digits, length, words, count, digits);
    else
    {
      carry = add_digits(words, count, digits, length, digits);
      length = count;
    }
    if(carry != 0)
      digits[length++] = carry;
  }
  else if(object_larger)
    subtract_digits(digits, length, words, count, digits);
  else
  {
    subtract_digits(words, count, digits, length, digits);
    length = count;
    positive = words_positive;
  }
  trim();
}

void mp_integer::multiply_by(
  const mp_wordt *words, unsigned count, bool words_positive)
{
  if(count <= 1)
  {
    const mp_wordt factor = count == 0 ? 0 : words[0];
    if(factor == 0)
    {
      set_zero();
      return;
    }
    if(factor != 1)
    {
      const mp_wordt carry = multiply_digits_by_digit(digits, length, factor);
      if(carry != 0)
      {
        reserve(length + 1);
        digits[length++] = carry;
      }
    }
  }
  else if(length <= 1)
  {
    if(length == 0)
    {
      set_zero();
      return;
    }
    const mp_wordt factor = digits[0];
    if(capacity < count + 1)
      replace_array(count + 1);
    std::copy(words, words + count, digits);
    length = count;
    const mp_wordt carry = multiply_digits_by_digit(digits, length, factor);
    if(carry != 0)
      digits[length++] = carry;
  }
  else
  {
    // The product needs a fresh array: the operands are read while it is
    // written, and the operand may be this object.
    const unsigned product_length = length + count;
    const unsigned new_capacity = capacity_for(product_length);
    mp_wordt *product = new mp_wordt[new_capacity];
    if(length <= count)
      multiply_digits(digits, length, words, count, product);
    else
      multiply_digits(words, count, digits, length, product);
    if(capacity != 0)
    {
      std::fill(digits, digits + capacity, 0);
      delete[] digits;
    }
    digits = product;
    capacity = new_capacity;
    length = product[product_length - 1] == 0 ? product_length - 1
                                              : product_length;
  }
  if(!words_positive && length != 0)
    positive = !positive;
}

mp_integer &mp_integer::operator/=(const mp_integer &other)
{
  if(other.is_zero())
  {
    report_division_by_zero();
    return *this;
  }
  const bool quotient_positive = positive == other.positive;
  const int magnitude =
    compare_digits(digits, length, other.digits, other.length);
  if(magnitude < 0)
    set_zero();
  else if(magnitude == 0)
  {
    digits[0] = 1;
    length = 1;
  }
  else if(length <= 2)
    assign_unsigned(
      low_64(digits, length) / low_64(other.digits, other.length));
  else if(other.length == 1)
    divide_digits_by_digit(digits, length, other.digits[0]);
  else
  {
    // The quotient goes into this array; the long division works on copies.
    long_divide_digits(
      digits, length, other.digits, other.length, digits, nullptr);
    length = length + 1 - other.length;
  }
  trim();
  if(length != 0)
    positive = quotient_positive;
  return *this;
}

mp_integer &mp_integer::operator%=(const mp_integer &other)
{
  if(other.is_zero())
  {
    report_division_by_zero();
    return *this;
  }
  const bool dividend_positive = positive;
  const int magnitude =
    compare_digits(digits, length, other.digits, other.length);
  if(magnitude < 0)
    return *this;
  if(magnitude == 0)
    set_zero();
  else if(length <= 2)
    assign_unsigned(
      low_64(digits, length) % low_64(other.digits, other.length));
  else if(other.length == 1)
  {
    digits[0] = divide_digits_by_digit(digits, length, other.digits[0]);
    length = 1;
  }
  else
  {
    long_divide_digits(
      digits, length, other.digits, other.length, nullptr, digits);
    length = other.length;
  }
  trim();
  if(length != 0)
    positive = dividend_positive;
  return *this;
}

void mp_integer::divide(
  const mp_integer &dividend,
  const mp_integer &divisor,
  mp_integer &quotient,
  mp_integer &remainder)
{
  if(divisor.is_zero())
  {
    report_division_by_zero();
    return;
  }
  if(
    &quotient == &dividend || &quotient == &divisor ||
    &remainder == &dividend || &remainder == &divisor)
  {
    const mp_integer dividend_copy(dividend), divisor_copy(divisor);
    divide(dividend_copy, divisor_copy, quotient, remainder);
    return;
  }

  const mp_wordt *a = dividend.digits;
  const unsigned n = dividend.length;
  const mp_wordt *b = divisor.digits;
  const unsigned m = divisor.length;
  const int magnitude = compare_digits(a, n, b, m);
  if(magnitude < 0)
  {
    remainder = dividend;
    quotient.set_zero();
    return;
  }
  if(magnitude == 0)
  {
    quotient = 1;
    remainder.set_zero();
  }
  else if(n <= 2)
  {
    const std::uint64_t x = low_64(a, n), y = low_64(b, m);
    quotient = x / y;
    remainder = x % y;
  }
  else if(m == 1)
  {
    quotient = dividend;
    remainder = divide_digits_by_digit(quotient.digits, n, b[0]);
  }
  else
  {
    if(quotient.capacity < n + 1 - m)
      quotient.replace_array(n + 1 - m);
    if(remainder.capacity < m)
      remainder.replace_array(m);
    long_divide_digits(a, n, b, m, quotient.digits, remainder.digits);
    quotient.length = n + 1 - m;
    remainder.length = m;
  }
  quotient.trim();
  remainder.trim();
  if(!quotient.is_zero())
    quotient.positive = dividend.positive == divisor.positive;
  if(!remainder.is_zero())
    remainder.positive = dividend.positive;
}

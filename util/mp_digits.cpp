#include "util/mp_digits.h"

#include <algorithm>

namespace
{
const unsigned word_bits = 32;

mp_wordt low_word(std::uint64_t value)
{
  return static_cast<mp_wordt>(value);
}
} // namespace

int compare_digits(
  const mp_wordt *x, std::size_t xn, const mp_wordt *y, std::size_t yn)
{
  if(xn != yn)
    return xn < yn ? -1 : 1;
  for(std::size_t i = xn; i-- > 0;)
  {
    if(x[i] != y[i])
      return x[i] < y[i] ? -1 : 1;
  }
  return 0;
}

mp_wordt add_digits(
  const mp_wordt *x,
  std::size_t xn,
  const mp_wordt *y,
  std::size_t yn,
  mp_wordt *out)
{
  std::uint64_t carry = 0;
  std::size_t i = 0;
  for(; i < yn; ++i)
  {
    const std::uint64_t sum = std::uint64_t(x[i]) + y[i] + carry;
    out[i] = low_word(sum);
    carry = sum >> word_bits;
  }
  for(; i < xn && carry != 0; ++i)
  {
    const std::uint64_t sum = std::uint64_t(x[i]) + carry;
    out[i] = low_word(sum);
    carry = sum >> word_bits;
  }
  if(out != x)
    std::copy(x + i, x + xn, out + i);
  return static_cast<mp_wordt>(carry);
}

void subtract_digits(
  const mp_wordt *x,
  std::size_t xn,
  const mp_wordt *y,
  std::size_t yn,
  mp_wordt *out)
{
  mp_wordt borrow = 0;
  std::size_t i = 0;
  for(; i < yn; ++i)
  {
    // Wraps below zero, which sets the top bit: that bit is the borrow.
    const std::uint64_t difference = std::uint64_t(x[i]) - y[i] - borrow;
    out[i] = low_word(difference);
    borrow = static_cast<mp_wordt>(difference >> 63);
  }
  for(; i < xn && borrow != 0; ++i)
  {
    borrow = x[i] == 0 ? 1 : 0;
    out[i] = x[i] - 1;
  }
  if(out != x)
    std::copy(x + i, x + xn, out + i);
}

mp_wordt multiply_digits_by_digit(mp_wordt *x, std::size_t n, mp_wordt d)
{
  std::uint64_t carry = 0;
  for(std::size_t i = 0; i < n; ++i)
  {
    const std::uint64_t product = std::uint64_t(x[i]) * d + carry;
    x[i] = low_word(product);
    carry = product >> word_bits;
  }
  return low_word(carry);
}

mp_wordt divide_digits_by_digit(mp_wordt *x, std::size_t n, mp_wordt d)
{
  std::uint64_t remainder = 0;
  for(std::size_t i = n; i-- > 0;)
  {
    const std::uint64_t current = (remainder << word_bits) | x[i];
    x[i] = low_word(current / d);
    remainder = current % d;
  }
  return low_word(remainder);
}

void multiply_digits(
  const mp_wordt *x,
  std::size_t n,
  const mp_wordt *y,
  std::size_t m,
  mp_wordt *out)
{
  std::fill(out, out + n + m, 0);
  for(std::size_t i = 0; i < n; ++i)
  {
    const std::uint64_t xi = x[i];
    mp_wordt *row = out + i;
    std::uint64_t carry = 0;
    // (2^32 - 1)^2 + 2 (2^32 - 1) = 2^64 - 1: the sum cannot overflow.
    for(std::size_t j = 0; j < m; ++j)
    {
      const std::uint64_t t = xi * y[j] + row[j] + carry;
      row[j] = low_word(t);
      carry = t >> word_bits;
    }
    row[m] = low_word(carry);
  }
}

void divide_digits(
  mp_wordt *u, const mp_wordt *v, std::size_t m, mp_wordt *q, std::size_t k)
{
  const std::uint64_t base = std::uint64_t(1) << word_bits;
  const std::uint64_t v1 = v[m - 1];
  const std::uint64_t v2 = v[m - 2];
  for(std::size_t j = k; j-- > 0;)
  {
    mp_wordt *window = u + j;
    // Trial digit from the top two words, corrected with the third: at most
    // one too large afterwards, which the add-back below repairs.
    const std::uint64_t top =
      (std::uint64_t(window[m]) << word_bits) | window[m - 1];
    std::uint64_t qhat, rhat;
    if(window[m] >= v1)
    {
      qhat = base - 1;
      rhat = top - qhat * v1;
    }
    else
    {
      qhat = top / v1;
      rhat = top % v1;
    }
    while(rhat < base &&
          qhat * v2 > ((rhat << word_bits) | window[m - 2]))
    {
      --qhat;
      rhat += v1;
    }

    // window -= qhat * v, with the product carry and the borrow together.
    std::uint64_t carry = 0;
    mp_wordt borrow = 0;
    for(std::size_t i = 0; i < m; ++i)
    {
      const std::uint64_t product = qhat * v[i] + carry;
      carry = product >> word_bits;
      const std::uint64_t difference =
        std::uint64_t(window[i]) - low_word(product) - borrow;
      window[i] = low_word(difference);
      borrow = static_cast<mp_wordt>(difference >> 63);
    }
    const std::uint64_t difference =
      std::uint64_t(window[m]) - carry - borrow;
    window[m] = low_word(difference);

    if((difference >> 63) != 0)
    {
      // qhat was one too large: add v back; the carry out cancels the
      // borrow of the top word.
      --qhat;
      add_digits(window, m, v, m, window);
      window[m] = 0;
    }
    if(q != nullptr)
      q[j] = low_word(qhat);
  }
}

void long_divide_digits(
  const mp_wordt *a,
  std::size_t n,
  const mp_wordt *b,
  std::size_t m,
  mp_wordt *q,
  mp_wordt *r)
{
  // The dividend always gains a top word (the normalisation carry, possibly
  // 0): only then are the top m words of the first window below the
  // divisor. Extending only when the top word exceeds the divisor's misses
  // the case of equal top words, e.g. 2^95 / 2^63.
  mp_scratcht u_words(n + 1), v_words(m);
  mp_wordt *u = u_words.data();
  mp_wordt *v = v_words.data();
  std::copy(a, a + n, u);
  std::copy(b, b + m, v);

  // Scale so that the divisor's top word is at least 2^31.
  const mp_wordt d =
    low_word((std::uint64_t(1) << word_bits) / (std::uint64_t(v[m - 1]) + 1));
  if(d != 1)
  {
    u[n] = multiply_digits_by_digit(u, n, d);
    multiply_digits_by_digit(v, m, d);
  }
  else
    u[n] = 0;

  divide_digits(u, v, m, q, n + 1 - m);

  if(r != nullptr)
  {
    std::copy(u, u + m, r);
    if(d != 1)
      divide_digits_by_digit(r, m, d);
  }
}

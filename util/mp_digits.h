#ifndef MORVANE_UTIL_MP_DIGITS_H
#define MORVANE_UTIL_MP_DIGITS_H

// Kernels on magnitudes held as arrays of 32-bit digit words, least
// significant word first. They neither allocate nor trim: callers size the
// arrays and drop leading zero words themselves.

#include <cstddef>
#include <cstdint>
#include <memory>

typedef std::uint32_t mp_wordt;

// -1, 0 or 1 as x is below, equal to or above y; both without leading zero
// words, so the longer one is the larger.
int compare_digits(
  const mp_wordt *x, std::size_t xn, const mp_wordt *y, std::size_t yn);

// out = x + y over xn words (yn <= xn), the carry propagated through the
// rest of x; returns the final carry, 0 or 1. out may be x or y.
mp_wordt add_digits(
  const mp_wordt *x,
  std::size_t xn,
  const mp_wordt *y,
  std::size_t yn,
  mp_wordt *out);

// out = x - y over xn words, for x >= y (yn <= xn). out may be x or y.
void subtract_digits(
  const mp_wordt *x,
  std::size_t xn,
  const mp_wordt *y,
  std::size_t yn,
  mp_wordt *out);

// x = x * d in place; returns the carry word.
mp_wordt multiply_digits_by_digit(mp_wordt *x, std::size_t n, mp_wordt d);

// x = x / d in place (d != 0); returns the remainder.
mp_wordt divide_digits_by_digit(mp_wordt *x, std::size_t n, mp_wordt d);

// out[0 .. n + m) = x * y, schoolbook, the outer loop over x (so x should be
// the shorter). out must not overlap x or y. Cost n * m word products.
void multiply_digits(
  const mp_wordt *x,
  std::size_t n,
  const mp_wordt *y,
  std::size_t m,
  mp_wordt *out);

// Long division of u (k + m words) by v (m >= 2 words, top word at least
// 2^31) whose top m words u[k .. k + m) are below v. The k quotient words go
// to q when q is not null; the remainder is left in u[0 .. m). Cost about
// k * m word products.
void divide_digits(
  mp_wordt *u, const mp_wordt *v, std::size_t m, mp_wordt *q, std::size_t k);

// Quotient and remainder of a (n words) by b (m words, 2 <= m <= n, top word
// not 0): n + 1 - m quotient words into q, m remainder words into r, each
// only when not null; q and r may be a. Works on copies: on the stack for
// small operands, one heap block for large ones.
void long_divide_digits(
  const mp_wordt *a,
  std::size_t n,
  const mp_wordt *b,
  std::size_t m,
  mp_wordt *q,
  mp_wordt *r);

// Working words of an operation: on the stack up to a fixed size, else one
// heap block, so that no size of operand can overflow the stack.
class mp_scratcht
{
public:
  explicit mp_scratcht(std::size_t n)
    : heap(n > local_words ? new mp_wordt[n] : nullptr),
      words(heap ? heap.get() : local)
  {
  }
  mp_scratcht(const mp_scratcht &) = delete;
  mp_scratcht &operator=(const mp_scratcht &) = delete;

  mp_wordt *data()
  {
    return words;
  }

private:
  static constexpr std::size_t local_words = 128;
  mp_wordt local[local_words];
  std::unique_ptr<mp_wordt[]> heap;
  mp_wordt *words;
};

#endif

#ifndef MORVANE_UTIL_MP_INTEGER_H
#define MORVANE_UTIL_MP_INTEGER_H

// Arbitrary-precision signed integer: a sign flag and a magnitude of 32-bit
// digit words, least significant first, in one owned array.
//
// Canonical form, which every operation returns: the top word is never 0,
// zero has no words and is positive (there is no negative zero).
//
// Storage: arrays hold 8k - 2 words (6, 14, 22, ...), the smallest such
// size that fits; they grow only when too small and are cleared before
// being released. Machine-integer operands are wrapped in a temporary that
// borrows their words from the stack, so they cost no allocation.
//
// Costs: addition and subtraction O(n); multiplication schoolbook O(n m);
// division and remainder O(m (n - m + 1)), long division on 32-bit words;
// text in and out O(n^2).

#include "util/mp_digits.h"

#include <cstddef>
#include <type_traits>

class mp_integer
{
  template <typename T>
  using if_integral =
    typename std::enable_if<std::is_integral<T>::value, int>::type;

public:
  mp_integer();
  // Every integral type, a signed value being sign-extended to 64 bits.
  template <typename T, if_integral<T> = 0>
  mp_integer(T value) : mp_integer()
  {
    assign_machine(value);
  }
  // Zero, then `scan` of the text in the base (2 to 36); what follows the
  // number is ignored.
  mp_integer(const char *text, unsigned base);
  mp_integer(const mp_integer &other);
  mp_integer(mp_integer &&other) noexcept;
  ~mp_integer();

  mp_integer &operator=(const mp_integer &other);
  mp_integer &operator=(mp_integer &&other) noexcept;
  template <typename T, if_integral<T> = 0>
  mp_integer &operator=(T value)
  {
    if(capacity < 2)
      replace_array(initial_capacity);
    assign_machine(value);
    return *this;
  }

  // Set the value from a machine integer in the existing array, which must
  // hold two words.
  void assign_unsigned(unsigned long long value);
  void assign_signed(long long value);

  bool is_zero() const
  {
    return length == 0;
  }
  bool is_negative() const
  {
    return !positive;
  }
  // The value lies in -2^63 ... 2^63 - 1.
  bool fits_long_long() const;
  // The low 64 bits of the magnitude; the sign is ignored.
  unsigned long long to_unsigned_64() const;
  // The low 64 bits of the magnitude, negated modulo 2^64 when negative.
  long long to_signed_64() const;
  // An upper bound of the number of digits of the magnitude in the base.
  unsigned digits_for_base(unsigned base) const;

  // -1, 0 or 1 for less, equal, greater.
  int compare(const mp_integer &other) const;
  template <typename T, if_integral<T> = 0>
  int compare(T value) const;

  mp_integer &operator+=(const mp_integer &other)
  {
    add_signed(other.digits, other.length, other.positive);
    return *this;
  }
  mp_integer &operator-=(const mp_integer &other)
  {
    add_signed(other.digits, other.length, !other.positive);
    return *this;
  }
  mp_integer &operator*=(const mp_integer &other)
  {
    multiply_by(other.digits, other.length, other.positive);
    return *this;
  }
  // Truncates toward zero; the quotient's sign is the product of the signs.
  // A zero divisor writes "Division by zero." on standard error and leaves
  // the value unchanged.
  mp_integer &operator/=(const mp_integer &other);
  // The remainder of the truncating division: the dividend's sign, or zero.
  // A zero divisor as for /=.
  mp_integer &operator%=(const mp_integer &other);

  template <typename T, if_integral<T> = 0>
  mp_integer &operator+=(T value);
  template <typename T, if_integral<T> = 0>
  mp_integer &operator-=(T value);
  template <typename T, if_integral<T> = 0>
  mp_integer &operator*=(T value);
  template <typename T, if_integral<T> = 0>
  mp_integer &operator/=(T value);
  template <typename T, if_integral<T> = 0>
  mp_integer &operator%=(T value);

  // quotient = dividend / divisor and remainder = dividend % divisor in one
  // pass. A zero divisor writes the message and changes neither object.
  static void divide(
    const mp_integer &dividend,
    const mp_integer &divisor,
    mp_integer &quotient,
    mp_integer &remainder);

  // Writes the value in the base (2 to 36; digits 0-9 then A-Z, a leading
  // '-' when negative) right-aligned into buffer[0 .. size), NUL-terminated;
  // returns its first character, or a null pointer when it does not fit.
  char *format(char *buffer, std::size_t size, unsigned base) const;

  // An optional sign ('-' makes the value negative, '+' is skipped), then
  // `scan_digits`. Returns the first character not read.
  const char *scan(const char *text, unsigned base);
  // Accumulates digits of the base (2 to 36, letters in either case) onto
  // the magnitude the object already holds, up to the first character that
  // is not such a digit, which is returned. A zero result is positive.
  const char *scan_digits(const char *text, unsigned base);
  const char *scan_decimal(const char *text)
  {
    return scan(text, 10);
  }

  // The magnitude big-endian in the last bytes of buffer[0 .. size), zeros
  // in front; the sign is not written. When it does not fit, the buffer is
  // all zeros and the result false.
  bool dump_bytes(unsigned char *buffer, std::size_t size) const;
  // The magnitude from big-endian bytes; the sign stays, except that zero is
  // positive.
  void load_bytes(const unsigned char *bytes, std::size_t count);

private:
  static constexpr unsigned initial_capacity = 6;

  // 0 means the words are borrowed: never written, never released.
  unsigned capacity;
  unsigned length;
  mp_wordt *digits;
  bool positive;

  // A value viewing the magnitude of a machine integer held here.
  class borrowedt;
  struct borrowed_tag
  {
  };
  explicit mp_integer(borrowed_tag)
    : capacity(0), length(0), digits(nullptr), positive(true)
  {
  }

  template <typename T>
  void assign_machine(T value)
  {
    if constexpr(std::is_signed<T>::value)
      assign_signed(static_cast<long long>(value));
    else
      assign_unsigned(static_cast<unsigned long long>(value));
  }

  // The smallest array size of the form 8k - 2 that holds n words.
  static unsigned capacity_for(std::size_t n);
  // A fresh array for n words in place of the old one, contents not kept.
  void replace_array(std::size_t n);
  // Grow to n words when smaller, keeping the digits.
  void reserve(std::size_t n);
  // Drop leading zero words; zero becomes positive.
  void trim();
  void set_zero()
  {
    length = 0;
    positive = true;
  }

  void add_signed(const mp_wordt *words, unsigned count, bool words_positive);
  void multiply_by(const mp_wordt *words, unsigned count, bool words_positive);
};

class mp_integer::borrowedt
{
public:
  template <typename T>
  explicit borrowedt(T machine)
  {
    // Negation in 64-bit unsigned arithmetic, so -2^63 has magnitude 2^63.
    unsigned long long magnitude = static_cast<unsigned long long>(machine);
    bool is_positive = true;
    if constexpr(std::is_signed<T>::value)
    {
      if(machine < 0)
      {
        magnitude = 0 - magnitude;
        is_positive = false;
      }
    }
    words[0] = static_cast<mp_wordt>(magnitude);
    words[1] = static_cast<mp_wordt>(magnitude >> 32);
    value.digits = words;
    value.length = words[1] != 0 ? 2 : words[0] != 0 ? 1 : 0;
    value.positive = is_positive;
  }
  borrowedt(const borrowedt &) = delete;
  borrowedt &operator=(const borrowedt &) = delete;

  mp_wordt words[2];
  mp_integer value{borrowed_tag()};
};

template <typename T, mp_integer::if_integral<T>>
int mp_integer::compare(T value) const
{
  return compare(borrowedt(value).value);
}

#define MORVANE_MP_MACHINE_OPERAND(op)                                        \
  template <typename T, mp_integer::if_integral<T>>                           \
  mp_integer &mp_integer::operator op(T value)                                \
  {                                                                           \
    return *this op borrowedt(value).value;                                   \
  }
MORVANE_MP_MACHINE_OPERAND(+=)
MORVANE_MP_MACHINE_OPERAND(-=)
MORVANE_MP_MACHINE_OPERAND(*=)
MORVANE_MP_MACHINE_OPERAND(/=)
MORVANE_MP_MACHINE_OPERAND(%=)
#undef MORVANE_MP_MACHINE_OPERAND

inline bool operator==(const mp_integer &a, const mp_integer &b)
{
  return a.compare(b) == 0;
}
inline bool operator!=(const mp_integer &a, const mp_integer &b)
{
  return a.compare(b) != 0;
}
inline bool operator<(const mp_integer &a, const mp_integer &b)
{
  return a.compare(b) < 0;
}
inline bool operator<=(const mp_integer &a, const mp_integer &b)
{
  return a.compare(b) <= 0;
}
inline bool operator>(const mp_integer &a, const mp_integer &b)
{
  return a.compare(b) > 0;
}
inline bool operator>=(const mp_integer &a, const mp_integer &b)
{
  return a.compare(b) >= 0;
}

// Comparisons with machine integers, on either side, without allocation.
#define MORVANE_MP_MACHINE_COMPARISON(op)                                     \
  template <                                                                  \
    typename T,                                                               \
    typename std::enable_if<std::is_integral<T>::value, int>::type = 0>       \
  bool operator op(const mp_integer &a, T b)                                  \
  {                                                                           \
    return a.compare(b) op 0;                                                 \
  }                                                                           \
  template <                                                                  \
    typename T,                                                               \
    typename std::enable_if<std::is_integral<T>::value, int>::type = 0>       \
  bool operator op(T a, const mp_integer &b)                                  \
  {                                                                           \
    return 0 op b.compare(a);                                                 \
  }
MORVANE_MP_MACHINE_COMPARISON(==)
MORVANE_MP_MACHINE_COMPARISON(!=)
MORVANE_MP_MACHINE_COMPARISON(<)
MORVANE_MP_MACHINE_COMPARISON(<=)
MORVANE_MP_MACHINE_COMPARISON(>)
MORVANE_MP_MACHINE_COMPARISON(>=)
#undef MORVANE_MP_MACHINE_COMPARISON

#endif

#ifndef MORVANE_UTIL_MP_ARITH_H
#define MORVANE_UTIL_MP_ARITH_H

// Conversions between mp_integer and machine integers, text in a base, and
// the fixed-width '0'/'1' texts of bit-vector constants (most significant
// bit first); shifts by powers of two; the greatest common divisor.

#include "util/mp_integer.h"

#include <iosfwd>
#include <string>

// The low 64 bits of the magnitude; the sign is ignored.
unsigned long long integer_to_unsigned(const mp_integer &value);

// Digits 0-9 then A-Z in the base (2 to 36), '-' in front of a negative
// value, "0" for zero.
std::string integer_to_string_base(const mp_integer &value, unsigned base);

// value * 2^count.
mp_integer integer_shift_left(const mp_integer &value, unsigned count);
// value / 2^count truncated toward zero: -3 >> 1 is -1, -1 >> 1 is 0.
mp_integer integer_shift_right(const mp_integer &value, unsigned count);

// The value of the bits, the first weighing 2^(n-1), or -2^(n-1) when
// `is_signed`. 0 for the empty text and for any character other than '0'
// and '1'.
mp_integer binary_to_integer(const std::string &bits, bool is_signed);

// The value in the base (2 to 36) of a text of letters and digits with an
// optional leading '-'; reading stops at the first letter that is not a
// digit of the base. Any other character (a '+', a blank) gives 0.
mp_integer string_to_integer(const std::string &text, unsigned base);

// Exactly `width` bits of the value modulo 2^width, two's complement.
std::string integer_to_binary(const mp_integer &value, unsigned width);

// Writes the value in decimal.
std::ostream &operator<<(std::ostream &out, const mp_integer &value);

// The greatest common divisor of |a| and |b|: gcd(0, n) = |n|, gcd(0, 0) = 0.
mp_integer gcd(const mp_integer &a, const mp_integer &b);

#endif

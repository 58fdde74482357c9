#ifndef MORVANE_UTIL_RATIONAL_H
#define MORVANE_UTIL_RATIONAL_H

// An exact fraction of two mp_integer values. Every arithmetic operation
// leaves it normalised: positive denominator, no common factor, the sign in
// the numerator, zero as 0/1. `invert` does not normalise.

#include "util/mp_integer.h"

#include <iosfwd>

class rationalt
{
public:
  mp_integer numerator;
  mp_integer denominator;

  // 0/1.
  rationalt() : denominator(1)
  {
  }
  rationalt(const mp_integer &value) : numerator(value), denominator(1)
  {
  }

  // Makes the denominator positive and divides both parts by their gcd when
  // it is neither 0 nor 1 (so 0/0 stays 0/0).
  void normalize();

  // Brings this value and `other` to a common denominator, the product of
  // the two, unless the denominators are equal already; no reduction.
  void same_denominator(rationalt &other);

  rationalt &operator+=(const rationalt &other);
  // The divisor must not be zero.
  rationalt &operator/=(const rationalt &other);

  // Exchanges numerator and denominator; the value must not be zero. A
  // negative value is left with a negative denominator.
  void invert();
};

rationalt inverse(const rationalt &value);

// The numerator in decimal, then "/" and the denominator unless it is 1.
std::ostream &operator<<(std::ostream &out, const rationalt &value);

#endif

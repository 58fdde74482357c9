#include "util/rational.h"

#include "util/invariant.h"
#include "util/mp_arith.h"

#include <ostream>
#include <string>
#include <utility>

void rationalt::normalize()
{
  if(denominator.is_negative())
  {
    denominator *= -1;
    numerator *= -1;
  }
  const mp_integer divisor = gcd(denominator, numerator);
  if(divisor != 1 && !divisor.is_zero())
  {
    denominator /= divisor;
    numerator /= divisor;
  }
}

void rationalt::same_denominator(rationalt &other)
{
  if(denominator == other.denominator)
    return;
  numerator *= other.denominator;
  other.numerator *= denominator;
  denominator *= other.denominator;
  other.denominator = denominator;
}

rationalt &rationalt::operator+=(const rationalt &other)
{
  rationalt addend(other);
  same_denominator(addend);
  numerator += addend.numerator;
  normalize();
  return *this;
}

rationalt &rationalt::operator/=(const rationalt &n)
{
  INVARIANT(!n.numerator.is_zero());
  // Dividing by itself would read a numerator already multiplied.
  if(&n == this)
    return *this /= rationalt(n);
  numerator *= n.denominator;
  denominator *= n.numerator;
  normalize();
  return *this;
}

void rationalt::invert()
{
  INVARIANT(numerator!=0);
  std::swap(numerator, denominator);
}

rationalt inverse(const rationalt &value)
{
  rationalt result(value);
  result.invert();
  return result;
}

std::ostream &operator<<(std::ostream &out, const rationalt &value)
{
  std::string text = integer_to_string_base(value.numerator, 10);
  if(value.denominator != 1)
    text += "/" + integer_to_string_base(value.denominator, 10);
  return out << text;
}

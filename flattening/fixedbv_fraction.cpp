#include "flattening/fixedbv_fraction.h"

#include "util/mp_arith.h"
#include "util/std_types.h"

unsigned fixedbv_fraction_bits(const typet &type)
{
  unsigned fraction;
  fixedbv_fraction_bits(type, fraction);
  return fraction;
}

bool fixedbv_fraction_bits(const typet &type, unsigned &fraction)
{
  const unsigned width = type_width(type);
  const std::string &integer_text = type.get("integer_bits").as_string();
  if(integer_text.empty())
  {
    fraction = width / 2;
    return false;
  }
  const mp_integer integer_bits = string_to_integer(integer_text, 10);
  if(integer_bits.is_negative())
  {
    fraction = width;
    return true;
  }
  if(integer_bits > width)
  {
    fraction = 0;
    return true;
  }
  fraction = width - static_cast<unsigned>(integer_to_unsigned(integer_bits));
  return false;
}

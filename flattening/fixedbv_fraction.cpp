#include "flattening/fixedbv_fraction.h"

#include "util/mp_arith.h"
#include "util/std_types.h"

unsigned fixedbv_fraction_bits(const typet &type)
{
  const unsigned width = type_width(type);
  const std::string &integer_text = type.get("integer_bits").as_string();
  if(integer_text.empty())
    return width / 2;
  const mp_integer integer_bits = string_to_integer(integer_text, 10);
  if(integer_bits.is_negative())
    return width;
  if(integer_bits > width)
    return 0;
  return width - static_cast<unsigned>(integer_to_unsigned(integer_bits));
}

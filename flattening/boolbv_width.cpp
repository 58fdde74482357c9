#include "flattening/boolbv_width.h"

#include "expr_algorithms/arith_tools.h"
#include "util/expr.h"
#include "util/mp_arith.h"
#include "util/std_types.h"

#include <limits>

// Widths are unsigned 32-bit numbers; sums and products are formed in a
// wider type or as big integers and checked, so that a huge array or
// structure reports no width instead of a wrapped one.
static bool to_width(const mp_integer &value, unsigned &width)
{
  if(value.is_negative() || value > std::numeric_limits<unsigned>::max())
    return true;
  width = static_cast<unsigned>(integer_to_unsigned(value));
  return false;
}

static bool to_width(unsigned long long value, unsigned &width)
{
  if(value > std::numeric_limits<unsigned>::max())
    return true;
  width = static_cast<unsigned>(value);
  return false;
}

// The bits that number `count` things, which always fits.
static unsigned numbering_bits(std::size_t count)
{
  return static_cast<unsigned>(
    integer_to_unsigned(address_bits(static_cast<unsigned long long>(count))));
}

bool boolbv_widtht::get_width(const typet &type, unsigned &width)
{
  const dstring &id = type.id();
  if(id == ID_bool)
  {
    width = 1;
    return false;
  }
  if(
    id == ID_signedbv || id == ID_unsignedbv || id == ID_floatbv ||
    id == ID_fixedbv || id == ID_bv || id == ID_c_enum ||
    id == ID_incomplete_c_enum)
    return read_width(type, width);
  if(id == ID_verilogbv)
  {
    unsigned positions;
    return read_width(type, positions) || to_width(2ULL * positions, width);
  }
  if(id == ID_range)
  {
    mp_integer count = string_to_integer(type.get("to").as_string(), 10);
    count -= string_to_integer(type.get("from").as_string(), 10);
    count += 1;
    if(count < 2)
      return true;
    return to_width(address_bits(count), width);
  }
  if(id == ID_array)
  {
    unsigned element_width;
    if(get_width(type.subtype(), element_width))
      return true;
    mp_integer size;
    if(expr_to_integer(static_cast<const exprt &>(type.find("size")), size))
    {
      width = 0;
      return false;
    }
    size *= element_width;
    return to_width(size, width);
  }
  if(id == ID_struct || id == ID_union)
  {
    const irept::subt &components = type.find("components").get_sub();
    unsigned long long total = 0;
    for(const irept &component : components)
    {
      unsigned component_width;
      if(get_width(
           static_cast<const typet &>(component.find("type")), component_width))
        return true;
      if(id == ID_struct)
        total += component_width;
      else if(component_width > total)
        total = component_width;
      // Each step adds at most 2^32 - 1: check as we go so it cannot wrap.
      if(total > std::numeric_limits<unsigned>::max())
        return true;
    }
    if(id == ID_union)
      total += numbering_bits(components.size());
    return to_width(total, width);
  }
  if(id == ID_code)
  {
    width = 0;
    return false;
  }
  if(id == ID_enum)
  {
    width = numbering_bits(type.find("elements").get_sub().size());
    return false;
  }
  return true;
}

bool width_of_type(const typet &type, unsigned &width)
{
  return boolbv_widtht().get_width(type, width);
}

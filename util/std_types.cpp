#include "util/std_types.h"

#include "util/c_conversion.h"

#include <cctype>
#include <cstdint>
#include <limits>

bool is_number_type(const typet &type)
{
  const dstring &id = type.id();
  return id == ID_rational || id == ID_real || id == ID_integer ||
         id == ID_natural || id == ID_complex || id == ID_unsignedbv ||
         id == ID_signedbv || id == ID_floatbv || id == ID_fixedbv;
}

unsigned bitvector_kind(const typet &type)
{
  const dstring &id = type.id();
  if(id == ID_bv)
    return 1;
  if(id == ID_signedbv)
    return 2;
  if(id == ID_unsignedbv)
    return 3;
  return 0;
}

unsigned type_width(const typet &type)
{
  return static_cast<unsigned>(strtol32(type.get("width").c_str()));
}

bool read_width(const typet &type, unsigned &width)
{
  const char *p = type.get("width").c_str();
  while(std::isspace(static_cast<unsigned char>(*p)))
    ++p;
  const bool negative = *p == '-';
  if(*p == '-' || *p == '+')
    ++p;
  const std::uint32_t limit = std::numeric_limits<std::int32_t>::max();
  std::uint32_t value = 0;
  for(; *p >= '0' && *p <= '9'; ++p)
  {
    const std::uint32_t digit = static_cast<std::uint32_t>(*p - '0');
    if(value > (limit - digit) / 10)
      return true;
    value = value * 10 + digit;
  }
  if(negative && value != 0)
    return true;
  width = value;
  return false;
}

bool is_reference(const typet &type)
{
  return type.id() == ID_pointer && type.get_bool("#reference");
}

bool get_component_number(
  const typet &type,
  const dstring &name,
  unsigned &number)
{
  number = 0;
  for(const irept &component : type.find("components").get_sub())
  {
    if(component.get("name") == name)
      return false;
    ++number;
  }
  return true;
}

const irept *get_component(const typet &type, const dstring &name)
{
  for(const irept &component : type.find("components").get_sub())
    if(component.get("name") == name)
      return &component;
  return nullptr;
}

bool get_component_type(
  const typet &type,
  const dstring &name,
  typet &component_type)
{
  const irept *component = get_component(type, name);
  if(component == nullptr)
    return true;
  component_type = static_cast<const typet &>(component->find("type"));
  return false;
}

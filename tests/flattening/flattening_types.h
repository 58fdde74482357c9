#ifndef MORVANE_TESTS_FLATTENING_FLATTENING_TYPES_H
#define MORVANE_TESTS_FLATTENING_FLATTENING_TYPES_H

// Builders for the types and values of the bit-vector flattening tests
// that the shared harness does not provide.

#include "harness/decision_test_harness.h"

#include <string>
#include <utility>
#include <vector>

inline typet width_type(const std::string &id, unsigned width)
{
  typet type{dstring(id)};
  type.set("width", static_cast<int>(width));
  return type;
}

inline typet fixedbv_type(unsigned width, unsigned integer_bits)
{
  typet type = width_type("fixedbv", width);
  type.set("integer_bits", static_cast<int>(integer_bits));
  return type;
}

inline typet range_type(int from, int to)
{
  typet type("range");
  type.set("from", from);
  type.set("to", to);
  return type;
}

inline typet array_type(const typet &element, const exprt &size)
{
  typet type("array");
  type.subtype() = element;
  type.add("size") = size;
  return type;
}

inline typet array_type(const typet &element, unsigned size)
{
  return array_type(element, bv_constant(size, unsignedbv_type(32)));
}

// "struct" or "union" with the components in order.
inline typet compound_type(
  const std::string &id,
  const std::vector<std::pair<std::string, typet>> &components)
{
  typet type{dstring(id)};
  irept &list = type.add("components");
  for(const auto &component : components)
  {
    irept entry("component");
    entry.set("name", dstring(component.first));
    entry.add("type") = component.second;
    list.get_sub().push_back(entry);
  }
  return type;
}

inline exprt index_expr(const exprt &array, const exprt &index)
{
  return make_expr("index", array.type().subtype(), {array, index});
}

#endif

#ifndef MORVANE_TESTS_HARNESS_TYPE_BUILDERS_H
#define MORVANE_TESTS_HARNESS_TYPE_BUILDERS_H

// Pointer, array and structure types shared by the flattening and the
// external-solver tests.

#include "harness/decision_test_harness.h"

#include <initializer_list>
#include <string>

// A pointer to `subtype`; `id` names the pointer kind ("pointer" or
// "reference").
inline typet pointer_type_to(const typet &subtype, const char *id = "pointer")
{
  typet type{dstring(id)};
  type.subtype() = subtype;
  return type;
}

// An array of `size` elements, the size a 32-bit signed constant.
inline typet array_type_of(const typet &element, unsigned size)
{
  typet type("array");
  type.subtype() = element;
  type.add("size") = bv_constant(size, signedbv_type(32));
  return type;
}

// A structure whose components are named c0, c1, ...
inline typet struct_type_of(std::initializer_list<typet> component_types)
{
  typet type("struct");
  irept &components = type.add("components");
  unsigned n = 0;
  for(const typet &component_type : component_types)
  {
    irept component("component");
    component.set("name", dstring("c" + std::to_string(n++)));
    component.add("type") = component_type;
    components.get_sub().push_back(component);
  }
  return type;
}

#endif

#ifndef MORVANE_TESTS_EXTERNAL_SOLVERS_TEXT_FIXTURES_H
#define MORVANE_TESTS_EXTERNAL_SOLVERS_TEXT_FIXTURES_H

// Types and expressions the text-converter tests share, and the text of
// one expression through either dialect.

#include "external_solvers/cvc_conv.h"
#include "external_solvers/smt_conv.h"
#include "harness/decision_test_harness.h"

#include <sstream>
#include <string>

inline typet pointer_type_to(const typet &subtype)
{
  typet type("pointer");
  type.subtype() = subtype;
  return type;
}

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

// "0bin" and the value's `width` low bits.
inline std::string bin(long long value, unsigned width)
{
  return "0bin" + bits_of(value, width);
}

// The text of the expression through a fresh converter of the dialect.
template <class convt>
std::string expr_text(const exprt &expr)
{
  std::ostringstream out;
  convt conv(out);
  conv.convert_expr(expr);
  return out.str();
}

#endif

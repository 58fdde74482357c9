#ifndef MORVANE_UTIL_STD_TYPES_H
#define MORVANE_UTIL_STD_TYPES_H

// Views of the common types, reached through casts that check the
// identifier (a failed check is a broken invariant), and the free functions
// that classify types and read their attributes.
//
// Compound types ("struct", "union", "class") list their members in the
// unnamed children of "components", each with the named children "name"
// and "type". A "pointer" type marks a reference by the comment
// "#reference".

#include "util/invariant.h"
#include "util/type.h"

class code_typet : public typet
{
};

class struct_typet : public typet
{
};

class array_typet : public typet
{
};

class fixedbv_typet : public typet
{
};

// The casts test the id by its text: the condition is the message of the
// stop, and its text is what callers match.
inline code_typet &to_code_type(typet &type)
{
  INVARIANT(type.id()=="code");
  return static_cast<code_typet &>(type);
}

inline struct_typet &to_struct_type(typet &type)
{
  INVARIANT(type.id()=="struct" || type.id()=="union" || type.id()=="class");
  return static_cast<struct_typet &>(type);
}

inline const struct_typet &to_struct_type(const typet &type)
{
  INVARIANT(type.id()=="struct" || type.id()=="union" || type.id()=="class");
  return static_cast<const struct_typet &>(type);
}

inline const array_typet &to_array_type(const typet &type)
{
  INVARIANT(type.id()=="array");
  return static_cast<const array_typet &>(type);
}

inline const fixedbv_typet &to_fixedbv_type(const typet &type)
{
  INVARIANT(type.id()=="fixedbv");
  return static_cast<const fixedbv_typet &>(type);
}

// "rational", "real", "integer", "natural", "complex", "unsignedbv",
// "signedbv", "floatbv" and "fixedbv".
bool is_number_type(const typet &type);

// 1 for "bv", 2 for "signedbv", 3 for "unsignedbv", 0 for all others.
unsigned bitvector_kind(const typet &type);

// "width" read as a decimal number; 0 when absent or not a number.
unsigned type_width(const typet &type);

// The type's "width" read as type_width reads it (leading blanks, a sign,
// then decimal digits; none reads as 0). False on success; true, with
// `width` unchanged, when the number is negative or above 2^31 - 1: no
// value can have such a width, and none is built.
bool read_width(const typet &type, unsigned &width);

// A "pointer" type whose "#reference" comment is set.
bool is_reference(const typet &type);

// The position (from 0) of the component of that name; true when there is
// none, with `number` holding the count of components.
bool get_component_number(
  const typet &type,
  const dstring &name,
  unsigned &number);

// The first component of that name, or null.
const irept *get_component(const typet &type, const dstring &name);

// The component's type; true (and `component_type` unchanged) when there
// is no component of that name.
bool get_component_type(
  const typet &type,
  const dstring &name,
  typet &component_type);

#endif

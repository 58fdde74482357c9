#ifndef MORVANE_UTIL_TYPE_H
#define MORVANE_UTIL_TYPE_H

// A type is a tree whose identifier names the type ("bool", "signedbv",
// "array", "struct", "symbol", ...), with its attributes as named children:
// "width", "subtype" (element or target type), "subtypes" (a list of types
// in the unnamed children of that child), "components", ...

#include "util/irep.h"

#include <vector>

class typet : public irept
{
public:
  // The list form of "subtypes": the views below read a vector of plain
  // trees as a vector of types, which adds no data to them.
  typedef std::vector<typet> subtypest;

  typet()
  {
  }
  explicit typet(const dstring &id) : irept(id)
  {
  }

  const typet &subtype() const
  {
    return static_cast<const typet &>(find("subtype"));
  }
  typet &subtype()
  {
    return static_cast<typet &>(add("subtype"));
  }

  const subtypest &subtypes() const
  {
    return reinterpret_cast<const subtypest &>(find("subtypes").get_sub());
  }
  subtypest &subtypes()
  {
    return reinterpret_cast<subtypest &>(add("subtypes").get_sub());
  }

  // Appends a shared copy of the type to "subtypes".
  void copy_to_subtypes(const typet &type)
  {
    subtypes().push_back(type);
  }
  // Appends the type to "subtypes" by swapping; the argument is left nil.
  void move_to_subtypes(typet &type)
  {
    subtypest &list = subtypes();
    list.push_back(static_cast<const typet &>(get_nil_irep()));
    list.back().swap(type);
  }
};

#endif

#ifndef MORVANE_UTIL_DSTRING_H
#define MORVANE_UTIL_DSTRING_H

// An interned identifier: one pointer to the single stored copy of its text
// in the global string table. Equality is pointer equality; ordering and the
// text hash look at the characters.

#include "util/string_table.h"

#include <cstddef>
#include <ostream>
#include <string>

class dstring
{
public:
  // The empty identifier: points to the table's own empty text.
  dstring() : text(&string_table.empty)
  {
  }
  dstring(const char *s) : dstring(std::string(s))
  {
  }
  dstring(const std::string &s)
    : text(s.empty() ? &string_table.empty : string_table.insert(s))
  {
  }

  const std::string &as_string() const
  {
    return *text;
  }
  const char *c_str() const
  {
    return text->c_str();
  }
  std::size_t size() const
  {
    return text->size();
  }
  bool empty() const
  {
    return text == &string_table.empty;
  }

  bool operator==(const dstring &other) const
  {
    return text == other.text;
  }
  bool operator!=(const dstring &other) const
  {
    return text != other.text;
  }
  // Text order of std::string::compare.
  bool operator<(const dstring &other) const
  {
    return text != other.text && text->compare(*other.text) < 0;
  }

  // Comparisons with plain text look at the characters and intern nothing;
  // code that tests ids compares with the pre-interned ids of irep_ids.h.
  bool operator==(const char *other) const
  {
    return *text == other;
  }
  bool operator!=(const char *other) const
  {
    return *text != other;
  }
  bool operator==(const std::string &other) const
  {
    return *text == other;
  }
  bool operator!=(const std::string &other) const
  {
    return *text != other;
  }

  // The address of the stored text: a hash that is stable within one run.
  std::size_t pointer_hash() const
  {
    return reinterpret_cast<std::size_t>(text);
  }

private:
  const std::string *text;
};

// Text hash of the identifier (hash_string of its text).
inline unsigned hash_dstring(const dstring &s)
{
  return hash_string(s.as_string());
}

// Hash for containers keyed by identifiers: the pointer value.
struct dstring_hash
{
  std::size_t operator()(const dstring &s) const
  {
    return s.pointer_hash();
  }
};

inline std::ostream &operator<<(std::ostream &out, const dstring &s)
{
  return out << s.as_string();
}

#endif

#ifndef MORVANE_UTIL_SHORTEST_UNIQUE_NAMES_H
#define MORVANE_UTIL_SHORTEST_UNIQUE_NAMES_H

// Short display names for a set of identifiers: a symbol's base name where
// that is unambiguous, else ever more of the identifier's last scoped parts,
// else the whole identifier. Identifiers without a symbol keep their text.

#include "util/dstring.h"
#include "util/namespace.h"

#include <map>
#include <set>

typedef std::map<dstring, dstring> short_namest;

void shortest_unique_names(
  short_namest &result,
  const std::set<dstring> &ids,
  const namespacet &ns);

// The identifier's short name, or the identifier itself when it has none.
const dstring &lookup_short_name(const short_namest &names, const dstring &id);

#endif

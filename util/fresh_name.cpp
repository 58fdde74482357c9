#include "util/fresh_name.h"

#include "util/text_utils.h"

#include <string>

void fresh_name(dstring &name, const namespacet &ns)
{
  const symbolt *symbol;
  if(ns.lookup(name, symbol))
    return;
  const std::string prefix = name.as_string() + "_";
  unsigned suffix = ns.largest_suffix(prefix);
  dstring candidate;
  // The table has fewer names than there are suffixes, so this ends.
  do
    candidate = prefix + unsigned_to_string(++suffix);
  while(!ns.lookup(candidate, symbol));
  name = candidate;
}

void fresh_name(symbolt &symbol, const namespacet &ns)
{
  fresh_name(symbol.name, ns);
}

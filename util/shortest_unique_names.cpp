#include "util/shortest_unique_names.h"

#include "util/scoped_name.h"

#include <string>
#include <vector>

void shortest_unique_names(
  short_namest &result,
  const std::set<dstring> &ids,
  const namespacet &ns)
{
  // A short name counts towards ambiguity only while it is taken from the
  // symbol (its base name or its last parts), not the whole identifier.
  std::map<dstring, unsigned> in_use;
  // Identifiers without a symbol keep their text and are never shortened.
  std::vector<dstring> with_symbol;
  for(const dstring &id : ids)
  {
    const symbolt *symbol;
    if(ns.lookup(id, symbol))
      result[id] = id;
    else
    {
      result[id] = symbol->base_name;
      ++in_use[symbol->base_name];
      with_symbol.push_back(id);
    }
  }

  std::map<dstring, unsigned> passes;
  while(true)
  {
    std::vector<dstring> ambiguous;
    for(const dstring &id : with_symbol)
    {
      auto count = in_use.find(result[id]);
      if(count != in_use.end() && count->second > 1)
        ambiguous.push_back(id);
    }
    if(ambiguous.empty())
      return;

    in_use.clear();
    for(const dstring &id : ambiguous)
    {
      const unsigned k = ++passes[id];
      std::vector<std::string> parts;
      split_scoped_name(id.as_string(), parts);
      if(k < parts.size())
      {
        const dstring short_name = join_scoped_name(
          std::vector<std::string>(parts.end() - k, parts.end()));
        result[id] = short_name;
        ++in_use[short_name];
      }
      else
        result[id] = id;
    }
  }
}

const dstring &lookup_short_name(const short_namest &names, const dstring &id)
{
  auto found = names.find(id);
  return found == names.end() ? id : found->second;
}

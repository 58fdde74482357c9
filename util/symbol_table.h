#ifndef MORVANE_UTIL_SYMBOL_TABLE_H
#define MORVANE_UTIL_SYMBOL_TABLE_H

// All symbols by full name, with indexes from base name and from module to
// full name. Every symbol that add or move inserts gets one entry in each
// index; the indexes are never pruned.

#include "util/dstring.h"
#include "util/hash_containers.h"
#include "util/irep.h"
#include "util/symbol.h"

#include <map>
#include <ostream>

class symbol_tablet
{
public:
  // Keyed by the address of the interned name; the listing follows this
  // map's order, which is therefore not sorted.
  typedef hash_mapt<dstring, symbolt, dstring_hash> symbolst;
  // Ordered by the key's text; equal keys keep their insertion order.
  typedef std::multimap<dstring, dstring> indext;

  symbolst symbols;
  indext base_name_index;
  indext module_index;

  // Inserts a copy of the symbol under its name. True when a symbol of that
  // name exists already; nothing changes then.
  bool add(const symbolt &symbol);

  // Moves the symbol's contents into a new entry, leaving the argument as a
  // new symbol. True when a symbol of that name exists already; the
  // argument is left as it was then. Either way `new_symbol` points to the
  // table's entry of that name.
  bool move(symbolt &symbol, symbolt *&new_symbol);
};

// The value of the symbol of that name, or the nil tree when there is none.
const irept &irep_hash_map_lookup(
  const symbol_tablet::symbolst &symbols,
  const dstring &name);

// A line break, "Symbols:", a line break, then every symbol's text form.
void output_symbol_table(const symbol_tablet &table, std::ostream &out);

inline std::ostream &operator<<(std::ostream &out, const symbol_tablet &table)
{
  output_symbol_table(table, out);
  return out;
}

#endif

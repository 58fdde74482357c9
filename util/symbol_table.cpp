#include "util/symbol_table.h"

bool symbol_tablet::add(const symbolt &symbol)
{
  if(!symbols.insert({symbol.name, symbol}).second)
    return true;
  base_name_index.insert({symbol.base_name, symbol.name});
  module_index.insert({symbol.module, symbol.name});
  return false;
}

bool symbol_tablet::move(symbolt &symbol, symbolt *&new_symbol)
{
  auto inserted = symbols.insert({symbol.name, symbolt()});
  new_symbol = &inserted.first->second;
  if(!inserted.second)
    return true;
  base_name_index.insert({symbol.base_name, symbol.name});
  module_index.insert({symbol.module, symbol.name});
  new_symbol->swap(symbol);
  return false;
}

const irept &irep_hash_map_lookup(
  const symbol_tablet::symbolst &symbols,
  const dstring &name)
{
  auto found = symbols.find(name);
  if(found == symbols.end())
    return get_nil_irep();
  return found->second.value;
}

void output_symbol_table(const symbol_tablet &table, std::ostream &out)
{
  out << "\nSymbols:\n";
  for(const auto &entry : table.symbols)
    show_symbol(entry.second, out);
}

#include "util/namespace.h"

#include "util/c_conversion.h"
#include "util/invariant.h"

#include <algorithm>

static std::string cyclic_definition_text(const dstring &name)
{
  return "identifier " + name.as_string() + " has a cyclic definition";
}

bool namespacet::lookup(const dstring &name, const symbolt *&symbol) const
{
  for(const symbol_tablet *table : {symbol_table1, symbol_table2})
  {
    if(table == nullptr)
      continue;
    auto found = table->symbols.find(name);
    if(found != table->symbols.end())
    {
      symbol = &found->second;
      return false;
    }
  }
  return true;
}

const symbolt &namespacet::lookup(const dstring &name) const
{
  const symbolt *symbol;
  if(lookup(name, symbol))
    throw "identifier " + name.as_string() + " not found";
  return *symbol;
}

std::size_t namespacet::symbol_count() const
{
  std::size_t count = symbol_table1->symbols.size();
  if(symbol_table2 != nullptr)
    count += symbol_table2->symbols.size();
  return count;
}

// The chains below are followed without remembering the names met: a chain
// longer than the number of symbols must have met one of them twice.

const typet &namespacet::follow(const typet &type) const
{
  if(type.id() != ID_symbol)
    return type;
  const std::size_t limit = symbol_count();
  const symbolt *symbol = &lookup(type.get("identifier"));
  for(std::size_t steps = 0;; ++steps)
  {
    INVARIANT(symbol->is_type);
    if(symbol->type.id() != ID_symbol)
      return symbol->type;
    if(steps == limit)
      throw cyclic_definition_text(type.get("identifier"));
    symbol = &lookup(symbol->type.get("identifier"));
  }
}

void namespacet::follow_symbol_expr(irept &irep) const
{
  const std::size_t limit = symbol_count();
  const dstring start = irep.get("identifier");
  for(std::size_t steps = 0; irep.id() == ID_symbol; ++steps)
  {
    const symbolt &symbol = lookup(irep.get("identifier"));
    if(steps == limit)
      throw cyclic_definition_text(start);
    const irept &target =
      symbol.is_type ? static_cast<const irept &>(symbol.type) : symbol.value;
    if(target.is_nil())
      return;
    irep = target;
  }
}

void namespacet::expand_macros(exprt &expr) const
{
  std::vector<dstring> expanding;
  expand_macros(expr, expanding);
}

// `expanding` holds the macros whose values are being expanded; meeting
// one of them again would expand forever.
void namespacet::expand_macros(exprt &expr, std::vector<dstring> &expanding)
  const
{
  if(expr.id() == ID_symbol)
  {
    const dstring name = expr.get("identifier");
    const symbolt &symbol = lookup(name);
    if(!symbol.is_macro || symbol.value.is_nil())
      return;
    if(std::find(expanding.begin(), expanding.end(), name) != expanding.end())
      throw cyclic_definition_text(name);
    expanding.push_back(name);
    expr = symbol.value;
    expand_macros(expr, expanding);
    expanding.pop_back();
  }
  else if(expr.find("operands").is_not_nil())
  {
    for(exprt &op : expr.operands())
      expand_macros(op, expanding);
  }
}

unsigned namespacet::largest_suffix(const std::string &prefix) const
{
  unsigned largest = 0;
  for(const symbol_tablet *table : {symbol_table1, symbol_table2})
  {
    if(table == nullptr)
      continue;
    for(const auto &entry : table->symbols)
    {
      const std::string &name = entry.first.as_string();
      if(name.compare(0, prefix.size(), prefix) != 0)
        continue;
      const unsigned suffix =
        static_cast<unsigned>(strtol32(name.c_str() + prefix.size()));
      largest = std::max(largest, suffix);
    }
  }
  return largest;
}

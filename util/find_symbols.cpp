#include "util/find_symbols.h"

#include <vector>

static bool is_symbol_leaf(const exprt &expr)
{
  return expr.id() == ID_symbol || expr.id() == ID_next_symbol;
}

void collect_symbol_exprs(const exprt &expr, std::set<exprt> &dest)
{
  if(is_symbol_leaf(expr))
    dest.insert(expr);
  else
    for(const exprt &op : expr.operands())
      collect_symbol_exprs(op, dest);
}

static bool is_wanted_leaf(const exprt &expr, bool current, bool next)
{
  return (current && expr.id() == ID_symbol) ||
         (next && expr.id() == ID_next_symbol);
}

bool has_symbol(
  const exprt &expr,
  const find_symbols_sett &symbols,
  bool current,
  bool next)
{
  if(is_wanted_leaf(expr, current, next))
    return symbols.find(expr.get("identifier")) != symbols.end();
  for(const exprt &op : expr.operands())
    if(has_symbol(op, symbols, current, next))
      return true;
  return false;
}

bool has_symbol(const exprt &expr, const find_symbols_sett &symbols)
{
  return has_symbol(expr, symbols, true, true);
}

void collect_symbols(
  const exprt &expr,
  find_symbols_sett &dest,
  bool current,
  bool next)
{
  if(is_wanted_leaf(expr, current, next))
    dest.insert(expr.get("identifier"));
  else
    for(const exprt &op : expr.operands())
      collect_symbols(op, dest, current, next);
}

void collect_symbols(const exprt &expr, find_symbols_sett &dest)
{
  collect_symbols(expr, dest, true, true);
}

void find_macro_symbols(
  const exprt &expr,
  const namespacet &ns,
  find_symbols_sett &dest)
{
  // The expressions visited live in `expr` or in the symbol tables, which
  // the walk does not change, so pointers to them stay valid.
  std::vector<const exprt *> stack{&expr};
  while(!stack.empty())
  {
    const exprt &x = *stack.back();
    stack.pop_back();
    if(!is_symbol_leaf(x))
    {
      for(const exprt &op : x.operands())
        stack.push_back(&op);
      continue;
    }
    const dstring &name = x.get("identifier");
    const symbolt &symbol = ns.lookup(name);
    if(symbol.is_macro && dest.insert(name).second)
      stack.push_back(&symbol.value);
  }
}

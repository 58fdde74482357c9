#include "expr_algorithms/replace_symbol.h"

bool replace_symbolt::replace(exprt &dest)
{
  if(dest.id() == ID_symbol)
  {
    auto found = expr_map.find(dest.get("identifier"));
    if(found != expr_map.end())
    {
      dest = found->second;
      return false;
    }
  }
  bool unchanged = true;
  if(dest.find("operands").is_not_nil())
    for(exprt &op : dest.operands())
      unchanged = replace(op) && unchanged;
  unchanged = replace(dest.type()) && unchanged;
  return unchanged;
}

bool replace_symbolt::replace(typet &dest)
{
  if(dest.find("subtype").is_not_nil())
    replace(dest.subtype());
  if(dest.find("subtypes").is_not_nil())
    for(typet &subtype : dest.subtypes())
      replace(subtype);
  const char *declarations = dest.id() == ID_struct || dest.id() == ID_union
                               ? "components"
                             : dest.id() == ID_code ? "arguments"
                                                    : nullptr;
  if(declarations != nullptr && dest.find(declarations).is_not_nil())
    for(irept &declaration : dest.add(declarations).get_sub())
      replace(static_cast<exprt &>(declaration));

  if(dest.id() == ID_symbol)
  {
    auto found = type_map.find(dest.get("identifier"));
    if(found != type_map.end())
    {
      dest = found->second;
      return false;
    }
  }
  return true;
}

void collect_actuals(const exprt &actuals, replace_symbolt &replace_symbol)
{
  for(const exprt &actual : actuals.operands())
  {
    if(actual.id() != ID_actual || actual.operands().size() != 1)
      throw "expected actual";
    const dstring &name = actual.get("identifier");
    const exprt &value = actual.op0();
    if(value.id() == ID_type)
      replace_symbol.type_map.insert({name, value.type()});
    else
      replace_symbol.expr_map.insert({name, value});
  }
}

#include "util/rename_symbol.h"

bool rename_symbol_in_expr(
  exprt &expr,
  const dstring &old_name,
  const dstring &new_name)
{
  if(expr.id() == ID_symbol)
  {
    if(expr.get("identifier") != old_name)
      return true;
    expr.set("identifier", new_name);
    return false;
  }
  if(expr.id() == ID_address_of || expr.id() == ID_implicit_address_of)
    return true;
  if(expr.find("operands").is_nil())
    return true;
  bool nothing_renamed = true;
  for(exprt &op : expr.operands())
    if(!rename_symbol_in_expr(op, old_name, new_name))
      nothing_renamed = false;
  return nothing_renamed;
}

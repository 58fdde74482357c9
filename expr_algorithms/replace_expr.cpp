#include "expr_algorithms/replace_expr.h"

bool replace_expr_map(const replace_mapt &what, exprt &dest)
{
  auto found = what.find(dest);
  if(found != what.end())
  {
    dest = found->second;
    return false;
  }
  if(dest.find("operands").is_nil())
    return true;
  bool unchanged = true;
  for(exprt &op : dest.operands())
    unchanged = replace_expr_map(what, op) && unchanged;
  return unchanged;
}

bool replace_expr_pair(const exprt &what, const exprt &by, exprt &dest)
{
  if(dest == what)
  {
    dest = by;
    return false;
  }
  if(dest.find("operands").is_nil())
    return true;
  bool unchanged = true;
  for(exprt &op : dest.operands())
    unchanged = replace_expr_pair(what, by, op) && unchanged;
  return unchanged;
}

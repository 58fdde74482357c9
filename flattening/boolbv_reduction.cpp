#include "flattening/boolbv.h"

literalt boolbvt::convert_reduction(const exprt &expr)
{
  if(expr.operands().size() != 1)
    throw "reduction operators take one operand";
  bvt b;
  if(convert_cached(expr.op0(), b))
    return prop_convt::convert_rest(expr);
  if(b.empty())
    throw "reduction operators take one non-empty operand";

  const dstring &id = expr.id();
  literalt (propt::*gate)(literalt, literalt);
  if(id == ID_reduction_or || id == ID_reduction_nor)
    gate = &propt::lor;
  else if(id == ID_reduction_and || id == ID_reduction_nand)
    gate = &propt::land;
  else if(id == ID_reduction_xor || id == ID_reduction_xnor)
    gate = &propt::lxor;
  else
    throw "unexpected reduction operator";

  literalt l = b[0];
  for(std::size_t i = 1; i < b.size(); ++i)
    l = (prop.*gate)(l, b[i]);
  if(
    id == ID_reduction_nor || id == ID_reduction_nand ||
    id == ID_reduction_xnor)
    l = prop.lnot(l);
  return l;
}

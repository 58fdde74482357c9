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
  if(id == "reduction_or" || id == "reduction_nor")
    gate = &propt::lor;
  else if(id == "reduction_and" || id == "reduction_nand")
    gate = &propt::land;
  else if(id == "reduction_xor" || id == "reduction_xnor")
    gate = &propt::lxor;
  else
    throw "unexpected reduction operator";

  literalt l = b[0];
  for(std::size_t i = 1; i < b.size(); ++i)
    l = (prop.*gate)(l, b[i]);
  if(id == "reduction_nor" || id == "reduction_nand" || id == "reduction_xnor")
    l = prop.lnot(l);
  return l;
}

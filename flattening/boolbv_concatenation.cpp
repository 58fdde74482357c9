#include "flattening/boolbv.h"

bool boolbvt::convert_concatenation(const exprt &expr, bvt &bv)
{
  unsigned width;
  if(get_width(expr.type(), width))
    return true;
  if(expr.operands().empty())
    throw "concatenation takes at least one operand";

  // The first operand is the most significant: operands fill the bits
  // from the top down.
  bv.resize(width);
  std::size_t rest = width;
  for(const exprt &operand : expr.operands())
  {
    bvt op;
    if(convert_cached(operand, op))
      return true;
    if(op.size() > rest)
      throw "concatenation operand width too big";
    rest -= op.size();
    std::copy(
      op.begin(), op.end(), bv.begin() + static_cast<std::ptrdiff_t>(rest));
  }
  if(rest != 0)
    throw "concatenation operand width too small";
  return false;
}

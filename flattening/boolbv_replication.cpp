#include "flattening/boolbv.h"

#include "expr_algorithms/arith_tools.h"
#include "util/mp_arith.h"

bool boolbvt::convert_replication(const exprt &expr, bvt &bv)
{
  unsigned width;
  if(get_width(expr.type(), width))
    return true;
  if(expr.operands().size() != 2)
    throw "replication takes two operands";
  mp_integer count_value;
  if(expr_to_integer(expr.op0(), count_value))
    throw "replication takes constant as first parameter";
  const unsigned long long count = integer_to_unsigned(count_value);

  bvt op;
  if(convert_cached(expr.op1(), op))
    return true;
  bv.resize(width);
  std::size_t offset = 0;
  // An empty operand adds nothing however often it is repeated.
  for(unsigned long long i = 0; i < count && !op.empty(); ++i)
  {
    if(offset + op.size() > width)
      throw "replication operand width too big";
    std::copy(
      op.begin(), op.end(), bv.begin() + static_cast<std::ptrdiff_t>(offset));
    offset += op.size();
  }
  if(offset != width)
    throw "replication operand width too small";
  return false;
}

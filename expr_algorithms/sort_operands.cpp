#include "expr_algorithms/sort_operands.h"

#include <algorithm>

bool sort_operands(exprt::operandst &operands)
{
  if(std::is_sorted(operands.begin(), operands.end()))
    return true;
  std::sort(operands.begin(), operands.end());
  return false;
}

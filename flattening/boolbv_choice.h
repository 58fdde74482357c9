#ifndef MORVANE_FLATTENING_BOOLBV_CHOICE_H
#define MORVANE_FLATTENING_BOOLBV_CHOICE_H

// What "case" and "cond" share: the report on a value operand of the
// wrong width, written to standard error before the throw.

#include "propositional/literal.h"
#include "util/expr.h"

#include <iostream>

[[noreturn]] inline void throw_value_width(
  std::size_t width, const bvt &value, const exprt &operand)
{
  std::cerr << "result size: " << width << '\n'
            << "operand: " << value.size() << '\n'
            << operand.pretty() << '\n';
  throw "size of value operand does not match";
}

#endif

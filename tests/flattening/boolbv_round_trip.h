#ifndef MORVANE_TESTS_FLATTENING_BOOLBV_ROUND_TRIP_H
#define MORVANE_TESTS_FLATTENING_BOOLBV_ROUND_TRIP_H

// The round trip through the whole decision procedure: a fresh symbol is
// constrained to the expression, the constraints are solved, and the
// symbol's value is read back.

#include "flattening/boolbv.h"
#include "flattening_types.h"
#include "test_dpll.h"

#include <gtest/gtest.h>

inline exprt round_trip(const exprt &expr)
{
  test_dpll_propt prop;
  boolbvt conv(prop);
  const exprt result = symbol_expr("result", expr.type());
  conv.set_to(equal_expr(result, expr), true);
  EXPECT_EQ(conv.solve(), decision_proceduret::D_SATISFIABLE);
  return conv.get(result);
}

// The literals as a text, bit 0 first: '1' and '0' for the constants, '?'
// for any other literal.
inline std::string constant_bits(const bvt &bv)
{
  std::string text;
  for(const literalt bit : bv)
    text += bit.is_true() ? '1' : bit.is_false() ? '0' : '?';
  return text;
}

#endif

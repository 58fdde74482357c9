#ifndef MORVANE_TESTS_EXTERNAL_SOLVERS_TEXT_FIXTURES_H
#define MORVANE_TESTS_EXTERNAL_SOLVERS_TEXT_FIXTURES_H

// Types and expressions the text-converter tests share, and the text of
// one expression through either dialect.

#include "external_solvers/cvc_conv.h"
#include "external_solvers/smt_conv.h"
#include "harness/decision_test_harness.h"
#include "harness/type_builders.h"

#include <sstream>
#include <string>

// "0bin" and the value's `width` low bits.
inline std::string bin(long long value, unsigned width)
{
  return "0bin" + bits_of(value, width);
}

// The text of the expression through a fresh converter of the dialect.
template <class convt>
std::string expr_text(const exprt &expr)
{
  std::ostringstream out;
  convt conv(out);
  conv.convert_expr(expr);
  return out.str();
}

#endif

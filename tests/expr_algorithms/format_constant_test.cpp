#include "expr_algorithms/format_constant.h"
#include "harness/decision_test_harness.h"

#include <gtest/gtest.h>

TEST(FormatConstant, NumbersStringsAndFailures)
{
  exprt string_constant("string-constant");
  string_constant.set("value", dstring("hi there"));
  struct
  {
    exprt expr;
    const char *expected;
  } cases[] = {
    {constant_expr("11111111", signedbv_type(8)), "-1"},
    {constant_expr("11111111", unsignedbv_type(8)), "255"},
    {constant_expr("-5", typet("integer")), "-5"},
    {string_constant, "hi there"},
    {bool_constant(true), "(format-constant failed: constant)"},
    {constant_expr("NULL", typet("pointer")),
     "(format-constant failed: constant)"},
    {symbol_expr("s", signedbv_type(8)), "(format-constant failed: symbol)"},
  };
  for(const auto &test : cases)
    EXPECT_EQ(format_constant(test.expr), test.expected);
}

#include "expr_algorithms/rational_tools.h"
#include "harness/decision_test_harness.h"
#include "util/mp_arith.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(ConstantToRational, DecimalFractionAndQuotientTexts)
{
  struct
  {
    const char *value;
    const char *expected; // nullptr: failure
  } cases[] = {
    {"", "0"},
    {"12", "12"},
    {"1.25", "5/4"},
    {"2.", "2"},
    {".5", "1/2"},
    {"3/6", "1/2"},
    {"0.10", "1/10"},
    {"-1", nullptr},
    {"1.2.3", nullptr},
    {"1/2.5", nullptr},
    {"1e3", nullptr},
    // A zero denominator is no number: failure, never a division by 0.
    {"1/0", nullptr},
    {"0/0", nullptr},
  };
  for(const auto &test : cases)
  {
    rationalt value(7);
    const bool failed =
      constant_to_rational(constant_expr(test.value, typet("rational")), value);
    std::ostringstream out;
    out << value;
    EXPECT_EQ(failed, test.expected == nullptr) << test.value;
    EXPECT_EQ(out.str(), test.expected ? test.expected : "7") << test.value;
  }
  rationalt value;
  EXPECT_TRUE(constant_to_rational(symbol_expr("x", typet("rational")), value));
}

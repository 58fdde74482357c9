#include "tests/util/condition_regex.h"
#include "util/invariant.h"

#include <gtest/gtest.h>

namespace
{
int checked_index(int i)
{
  INVARIANT(i>=0);
  return i;
}
} // namespace

TEST(InvariantDeathTest, ReportsExpressionFileLineAndSignature)
{
  EXPECT_EQ(checked_index(3), 3);
  EXPECT_DEATH(
    checked_index(-1),
    "invariant_test\\.cpp:[0-9]+: int .*checked_index\\(int\\): Assertion `" +
      condition_regex("i>=0") + "' failed\\.");
}

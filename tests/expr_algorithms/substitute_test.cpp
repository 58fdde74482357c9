#include "expr_algorithms/substitute.h"

#include <gtest/gtest.h>

#include <string>

TEST(Substitute, ReplacesUntilNoOccurrenceIsLeft)
{
  struct
  {
    const char *dest, *what, *by, *expected;
  } cases[] = {
    {"aab", "ab", "b", "b"},
    {"aaa", "a", "b", "bbb"},
    {"xabcabx", "abc", "", "xabx"},
    {"abab", "ab", "", ""},
    {"none", "q", "r", "none"},
    // The replacement holds the pattern: one pass from left to right.
    {"aa", "a", "aa", "aaaa"},
    {"a-a", "a", "[a]", "[a]-[a]"},
    // An empty pattern changes nothing.
    {"abc", "", "x", "abc"},
  };
  for(const auto &test : cases)
  {
    std::string dest = test.dest;
    substitute(dest, test.what, test.by);
    EXPECT_EQ(dest, test.expected)
      << test.dest << " " << test.what << " -> " << test.by;
  }
}

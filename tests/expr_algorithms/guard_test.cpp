#include "expr_algorithms/guard.h"
#include "harness/decision_test_harness.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace
{
const exprt a = bool_symbol("a"), b = bool_symbol("b"), c = bool_symbol("c"),
            d = bool_symbol("d"), x = bool_symbol("x");

exprt op(const std::string &id, std::initializer_list<exprt> operands)
{
  return make_expr(id, bool_type(), operands);
}

guardt guard_of(const std::vector<exprt> &conditions)
{
  guardt guard;
  guard.guard_list = conditions;
  return guard;
}
} // namespace

TEST(Guard, AddSplitsConjunctionsAndDropsTrue)
{
  guardt guard;
  guard.add(op("and", {a, op("and", {b, bool_constant(true)})}));
  guard.add(bool_constant(true));
  guard.add(exprt("and", bool_type()));
  const exprt bitwise = make_expr("and", unsignedbv_type(2), {a, b});
  guard.add(bitwise);
  EXPECT_EQ(guard.guard_list, (guardt::guard_listt{a, b, bitwise}));
  EXPECT_FALSE(guard.is_false());
  guard.add(bool_constant(false));
  EXPECT_TRUE(guard.is_false());

  exprt condition = c;
  guard.push_condition(condition);
  EXPECT_EQ(guard.guard_list.back(), c);
  EXPECT_TRUE(condition.is_nil() || condition.id().empty());
  exprt truth = bool_constant(true);
  guard.push_condition(truth);
  EXPECT_TRUE(truth.is_true());
  EXPECT_EQ(guard.guard_list.size(), 5u);
}

TEST(Guard, Conjunctions)
{
  exprt dest;
  guard_of({}).conjunction(dest);
  EXPECT_TRUE(dest.is_true());
  const exprt bits = symbol_expr("v", unsignedbv_type(2));
  guard_of({bits}).conjunction(dest);
  EXPECT_EQ(dest, bits);
  guard_of({a, b}).conjunction(dest);
  EXPECT_EQ(dest, op("and", {a, b}));
  guard_of({a, b, c}).conjunction(dest, 1);
  EXPECT_EQ(dest, op("and", {b, c}));
  guard_of({a, b}).conjunction(dest, 2);
  EXPECT_TRUE(dest.is_true());
  try
  {
    guard_of({a, bits}).conjunction(dest);
    ADD_FAILURE() << "no throw";
  }
  catch(const char *text)
  {
    EXPECT_STREQ(text, "guard is expected to be Boolean");
  }
}

TEST(Guard, SubtractingCutsTheSharedFront)
{
  guardt guard = guard_of({a, b, c});
  guard -= guard_of({a, b, d});
  EXPECT_EQ(guard.guard_list, (guardt::guard_listt{c}));
  guard = guard_of({a, b, c});
  guard -= guard_of({x});
  EXPECT_EQ(guard.guard_list, (guardt::guard_listt{a, b, c}));
  guard -= guard_of({a, b, c, d});
  EXPECT_TRUE(guard.guard_list.empty());
}

TEST(Guard, DisjunctionFactorsTheSharedFront)
{
  const exprt f = bool_constant(false);
  struct
  {
    std::vector<exprt> left, right, expected;
  } cases[] = {
    {{a, b}, {a, c}, {a, op("or", {b, c})}},
    {{a, b}, {a, op("not", {b})}, {a}},
    {{a, op("not", {b})}, {a, b}, {a}},
    {{a, b}, {a}, {a}},
    {{a}, {a, b}, {a}},
    {{a}, {a}, {a}},
    {{a, b, c}, {a, d}, {a, op("or", {op("and", {b, c}), d})}},
    {{a, b}, {f}, {a, b}},
    {{f}, {a, b}, {a, b}},
    {{}, {a}, {}},
  };
  for(const auto &test : cases)
  {
    guardt guard = guard_of(test.left);
    guard |= guard_of(test.right);
    EXPECT_EQ(guard.guard_list, test.expected);
  }
}

TEST(Guard, PrintsOneLinePerCondition)
{
  std::ostringstream out;
  out << guard_of({a, b});
  EXPECT_EQ(out.str(), "*** " + a.pretty() + "\n*** " + b.pretty() + "\n");
}

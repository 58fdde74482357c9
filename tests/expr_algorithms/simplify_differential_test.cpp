#include "expr_algorithms/simplify_expr.h"
#include "harness/reference_evaluator.h"
#include "random_expression.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// What is wrong with the simplification of the tree, or "" when nothing
// is: the simplified tree must have the original's type, "unchanged" must
// mean unchanged, and wherever the original has a value the simplified
// tree must have the same one.
std::string simplification_fault(const exprt &original)
{
  exprt simplified = original;
  const bool unchanged = simplify(simplified);
  if(unchanged && !simplified.full_eq(original))
    return "reported unchanged but changed into\n" + simplified.pretty();
  if(simplified.type() != original.type())
    return "changed the type:\n" + simplified.pretty();

  const reference_evaluatort before(original), after(simplified);
  std::string fault;
  for_each_assignment(
    random_expressiont::variables(),
    [&](const assignmentt &assignment)
    {
      const auto expected = before(assignment);
      if(!fault.empty() || !expected.has_value())
        return;
      const auto actual = after(assignment);
      if(actual != expected)
        fault = "x=" + std::to_string(assignment.at("x")) +
                " y=" + std::to_string(assignment.at("y")) +
                " b=" + std::to_string(assignment.at("b")) + ": expected " +
                std::to_string(*expected) + ", got " +
                (actual ? std::to_string(*actual) : "no value") + " from\n" +
                simplified.pretty();
    });
  return fault;
}

void check_trees(unsigned first_seed, unsigned count)
{
  for(unsigned seed = first_seed; seed < first_seed + count; ++seed)
  {
    random_expressiont random(seed);
    const exprt tree = random.make_any(4);
    const std::string fault = simplification_fault(tree);
    if(fault.empty())
      continue;
    const exprt smallest = shrink_expression(
      tree,
      [](const exprt &candidate)
      { return !simplification_fault(candidate).empty(); });
    FAIL() << "seed " << seed << ": the simplification of\n"
           << smallest.pretty() << "\n"
           << simplification_fault(smallest);
  }
}
} // namespace

// The simplifier keeps the value of random trees under every assignment.
TEST(SimplifyDifferential, RandomTreesKeepTheirValue)
{
  check_trees(0, 2000);
}

// Many more trees, run by hand with --gtest_also_run_disabled_tests.
TEST(SimplifyDifferential, DISABLED_ManyMoreTrees)
{
  check_trees(1000000, 300000);
}

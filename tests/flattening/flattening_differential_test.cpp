// Random trees of the simplifier's generator, decided by the flattening:
// its values agree with the reference evaluator, and it finds every tree
// equal to its simplification. Trees whose value is undefined somewhere
// (a division by zero, an index out of range), that hold something the
// flattening leaves free after a warning ("comma", structure constants),
// or that it refuses (a constant bit position out of range in a branch
// never taken) are skipped.

#include "expr_algorithms/random_expression.h"
#include "expr_algorithms/simplify_expr.h"
#include "flattening/boolbv.h"
#include "flattening_types.h"
#include "logged_boolbv.h"
#include "operator_table.h"
#include "propositional/cnf_clause_list.h"
#include "sat/satcheck_proofsat.h"

#include <gtest/gtest.h>

namespace
{
bool converts_without_warning(const exprt &tree)
{
  logged_boolbvt logged;
  auto &[prop, handler, conv] = logged;
  bvt bv;
  try
  {
    conv.convert_cached(tree, bv);
  }
  catch(const char *)
  {
    // A constant bit position out of range, in a branch never taken.
    return false;
  }
  return !handler.has(2, "warning: ignoring ");
}

// Whether the tree has a value under every assignment.
bool defined_everywhere(const exprt &tree)
{
  const reference_evaluatort evaluate(tree);
  bool defined = true;
  for_each_assignment(
    random_expressiont::variables(), [&](const assignmentt &assignment)
    { defined = defined && evaluate(assignment).has_value(); });
  return defined;
}

// Trees worth deciding, seed by seed.
std::vector<exprt> decidable_trees(unsigned first_seed, unsigned count)
{
  std::vector<exprt> trees;
  for(unsigned seed = first_seed; trees.size() < count; ++seed)
  {
    random_expressiont random(seed);
    const exprt tree = random.make_any(4);
    if(defined_everywhere(tree) && converts_without_warning(tree))
      trees.push_back(tree);
  }
  return trees;
}
} // namespace

TEST(FlatteningDifferential, RandomTreesMatchTheReference)
{
  for(const exprt &tree : decidable_trees(0, 80))
  {
    const reference_evaluatort evaluate(tree);
    check_table(
      tree, random_expressiont::variables(),
      [&](const assignmentt &a) { return evaluate(a); }, table_modet::SYMBOLIC);
    if(HasFailure())
      FAIL() << tree.pretty();
  }
}

TEST(FlatteningDifferential, SimplifiedTreesAreEqualToTheirOriginals)
{
  for(const exprt &tree : decidable_trees(100000, 400))
  {
    exprt simplified = tree;
    simplify(simplified);
    satcheck_proofsatt prop;
    boolbvt conv(prop);
    conv.set_to(equal_expr(simplified, tree), false);
    ASSERT_EQ(conv.solve(), decision_proceduret::D_UNSATISFIABLE)
      << tree.pretty() << "\nsimplified to\n"
      << simplified.pretty();
  }
}

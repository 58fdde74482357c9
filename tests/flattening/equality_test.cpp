#include "flattening/equality.h"
#include "harness/decision_test_harness.h"
#include "propositional/cnf_clause_list.h"
#include "test_dpll.h"
#include "thrown_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const typet u4 = unsignedbv_type(4);

// Whether some labelling of `values` things makes exactly the pairs with
// a true entry equal.
bool is_equivalence(
  unsigned values,
  const std::vector<std::pair<unsigned, unsigned>> &pairs,
  const std::vector<bool> &equal)
{
  std::vector<unsigned> label(values, 0);
  while(true)
  {
    bool fits = true;
    for(std::size_t p = 0; p < pairs.size(); ++p)
      fits = fits &&
             (label[pairs[p].first] == label[pairs[p].second]) == equal[p];
    if(fits)
      return true;
    std::size_t i = 0;
    while(i < values && ++label[i] == values)
      label[i++] = 0;
    if(i == values)
      return false;
  }
}
} // namespace

TEST(Equality, EqualExpressionsAreTrueAndRecordNothing)
{
  cnf_clause_listt prop;
  equalityt conv(prop);
  const exprt x = symbol_expr("x", u4);
  exprt located = x;
  located.location().set("line", dstring("7"));
  EXPECT_TRUE(conv.equal_exprs(x, x).is_true());
  EXPECT_TRUE(conv.equal_exprs(x, located).is_true());
  conv.post_process();
  EXPECT_EQ(prop.no_variables(), 1u);
  EXPECT_EQ(prop.no_clauses(), 0u);
}

TEST(Equality, OnlyTheUnorderedFormIsSymmetric)
{
  cnf_clause_listt prop;
  equalityt conv(prop);
  const exprt x = symbol_expr("x", u4), y = symbol_expr("y", u4);
  EXPECT_EQ(conv.equal_exprs(x, y), conv.equal_exprs(y, x));
  EXPECT_NE(conv.equal_exprs_ordered(x, y), conv.equal_exprs_ordered(y, x));
}

TEST(Equality, RefusesMixedAndBooleanOperands)
{
  cnf_clause_listt prop;
  equalityt conv(prop);
  const exprt x = symbol_expr("x", u4);
  EXPECT_EQ(
    thrown_text([&] {
      conv.equal_exprs(x, symbol_expr("y", signedbv_type(4)));
    }),
    "char*: equality got different types");
  EXPECT_EQ(
    thrown_text([&] { conv.equal_exprs(bool_symbol("p"), bool_symbol("q")); }),
    "char*: equalityt got boolean equality");
  conv.post_process();
  EXPECT_EQ(prop.no_clauses(), 0u);
}

// Four values, all six equalities: a choice of equality values has a model
// exactly when it is an equivalence relation.
TEST(Equality, CodesAdmitExactlyTheEquivalenceRelations)
{
  std::vector<exprt> values;
  for(const char *name : {"w", "x", "y", "z"})
    values.push_back(symbol_expr(name, u4));
  std::vector<std::pair<unsigned, unsigned>> pairs;
  for(unsigned i = 0; i < values.size(); ++i)
    for(unsigned j = i + 1; j < values.size(); ++j)
      pairs.push_back({i, j});

  test_dpll_propt prop;
  equalityt conv(prop);
  bvt literals;
  for(const auto &pair : pairs)
    literals.push_back(
      conv.equal_exprs(values[pair.first], values[pair.second]));
  ASSERT_EQ(conv.solve(), decision_proceduret::D_SATISFIABLE);

  for(unsigned code = 0; code < (1u << pairs.size()); ++code)
  {
    std::vector<bool> equal;
    prop.assumptions.clear();
    for(std::size_t p = 0; p < pairs.size(); ++p)
    {
      equal.push_back((code >> p) & 1);
      prop.assumptions.push_back(literals[p].cond_negation(!equal.back()));
    }
    EXPECT_EQ(
      prop.prop_solve(),
      is_equivalence(values.size(), pairs, equal) ? propt::P_SATISFIABLE
                                                  : propt::P_UNSATISFIABLE)
      << "equalities " << code;
  }
}

TEST(Equality, EverySolveEncodesTheEqualitiesAgain)
{
  cnf_clause_listt prop;
  equalityt conv(prop);
  conv.equal_exprs(symbol_expr("x", u4), symbol_expr("y", u4));
  conv.post_process();
  const unsigned variables = prop.no_variables();
  const unsigned clauses = prop.no_clauses();
  conv.post_process();
  EXPECT_EQ(prop.no_variables() - variables, variables - 2);
  EXPECT_EQ(prop.no_clauses(), 2 * clauses);
}

#include "flattening/functions.h"
#include "harness/decision_test_harness.h"
#include "propositional/cnf_clause_list.h"
#include "test_dpll.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
const typet u4 = unsignedbv_type(4);

// Decides equalities of non-Boolean terms as uninterpreted values, as the
// bit-vector flattening would for terms it cannot see into; two different
// constants are known to differ.
class uninterpreted_convt : public functionst
{
public:
  using functionst::functionst;
  using functionst::add_function_constraints_all;

  std::vector<exprt> equalities_seen;

protected:
  literalt convert_rest(const exprt &expr) override
  {
    if(expr.id() != "=")
      return functionst::convert_rest(expr);
    equalities_seen.push_back(expr);
    if(expr.op0().is_constant() && expr.op1().is_constant() &&
       expr.op0() != expr.op1())
      return const_literal(false);
    return equal_exprs(expr.op0(), expr.op1());
  }
};

const exprt f = symbol_expr("f", typet("mathematical_function"));

exprt apply(const exprt &function, const exprt &argument)
{
  return make_expr("function_application", u4, {function, argument});
}

} // namespace

TEST(Functions, EqualArgumentsForceEqualResults)
{
  const exprt x = symbol_expr("x", u4), y = symbol_expr("y", u4);
  const exprt z = symbol_expr("z", u4);
  struct
  {
    const char *name;
    bool arguments_equal;
    bool results_equal;
    decision_proceduret::resultt expected;
  } cases[] = {
    {"x = y, f(x) != f(y)", true, false, decision_proceduret::D_UNSATISFIABLE},
    {"x = y, f(x) = f(y)", true, true, decision_proceduret::D_SATISFIABLE},
    {"x != y, f(x) = f(y)", false, true, decision_proceduret::D_SATISFIABLE},
    {"x != y, f(x) != f(y)", false, false, decision_proceduret::D_SATISFIABLE},
  };
  for(const auto &test : cases)
  {
    SCOPED_TRACE(test.name);
    test_dpll_propt prop;
    uninterpreted_convt conv(prop);
    conv.record_function_application(apply(f, x));
    conv.record_function_application(apply(f, y));
    conv.set_to(equal_expr(x, y), test.arguments_equal);
    // Through z, so that the equality of the two results is first met
    // while the function constraints are added and must still be encoded
    // by the same solve.
    conv.set_to(equal_expr(apply(f, x), z), true);
    conv.set_to(equal_expr(apply(f, y), z), test.results_equal);
    EXPECT_EQ(conv.solve(), test.expected);
  }
}

TEST(Functions, SyntacticallyEqualArgumentsNeedNoEquality)
{
  // Two reads of f at x recorded in different forms.
  const exprt x = symbol_expr("x", u4);
  const exprt read = make_expr("index", u4, {f, x});
  test_dpll_propt prop;
  uninterpreted_convt conv(prop);
  conv.record_function_application(apply(f, x));
  conv.record_function_application(read);
  conv.set_to(equal_expr(apply(f, x), read), false);
  EXPECT_EQ(conv.solve(), decision_proceduret::D_UNSATISFIABLE);
}

TEST(Functions, PairsCostOneClauseUnlessArgumentsDiffer)
{
  const exprt one = bv_constant(1, u4), two = bv_constant(2, u4);
  const exprt x = symbol_expr("x", u4);
  struct
  {
    const char *name;
    std::vector<exprt> applications;
    unsigned clauses;
  } cases[] = {
    {"one application", {apply(f, x)}, 0},
    {"recorded twice", {apply(f, x), apply(f, x)}, 0},
    {"known different arguments", {apply(f, one), apply(f, two)}, 0},
    {"two applications", {apply(f, one), apply(f, x)}, 1},
  };
  for(const auto &test : cases)
  {
    SCOPED_TRACE(test.name);
    cnf_clause_listt prop;
    uninterpreted_convt conv(prop);
    for(const exprt &application : test.applications)
      conv.record_function_application(application);
    conv.add_function_constraints_all();
    EXPECT_EQ(prop.no_clauses(), test.clauses);
  }
}

// Unsigned and signed 4 bits meet in signed 5 bits, where 15 and -1 stay
// apart.
TEST(Functions, ArgumentsOfDifferentTypesAreComparedInACommonType)
{
  const exprt x = symbol_expr("x", u4);
  const exprt y = symbol_expr("y", signedbv_type(4));
  cnf_clause_listt prop;
  uninterpreted_convt conv(prop);
  conv.record_function_application(apply(f, x));
  conv.record_function_application(apply(f, y));
  conv.add_function_constraints_all();
  ASSERT_EQ(conv.equalities_seen.size(), 2u);
  const exprt &arguments = conv.equalities_seen[0];
  // The set orders f(x) before f(y): y's argument is the first operand.
  const typet s5 = signedbv_type(5);
  EXPECT_EQ(arguments.op0(), make_expr("typecast", s5, {y}));
  EXPECT_EQ(arguments.op1(), make_expr("typecast", s5, {x}));
  EXPECT_EQ(conv.equalities_seen[1], equal_expr(apply(f, y), apply(f, x)));
}

TEST(Functions, ApplicationsNeedTwoOperands)
{
  cnf_clause_listt prop;
  uninterpreted_convt conv(prop);
  for(const exprt &malformed :
      {make_expr("function_application", u4, {f}),
       make_expr("function_application", u4, {f, f, f})})
  {
    try
    {
      conv.record_function_application(malformed);
      ADD_FAILURE() << "accepted " << malformed.to_string();
    }
    catch(const char *text)
    {
      EXPECT_STREQ(text, "function application expected to have two operands");
    }
  }
  conv.post_process();
  EXPECT_EQ(prop.no_variables(), 1u);
}

#include "expr_algorithms/lambda.h"
#include "harness/decision_test_harness.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const typet s8 = signedbv_type(8);

typet mapping(const typet &domain, const typet &range)
{
  typet type("mapping");
  type.copy_to_subtypes(domain);
  type.copy_to_subtypes(range);
  return type;
}

typet tuple_type(const typet &a, const typet &b)
{
  typet type("tuple");
  type.copy_to_subtypes(a);
  type.copy_to_subtypes(b);
  return type;
}

std::string thrown_text(exprt &expr)
{
  try
  {
    apply_lambda_map(expr);
  }
  catch(const char *text)
  {
    return text;
  }
  return "(nothing thrown)";
}
} // namespace

TEST(Lambda, MakeLambdaSkeletons)
{
  exprt lambda = symbol_expr("overwritten", s8);
  make_lambda(mapping(s8, bool_type()), lambda);
  EXPECT_EQ(lambda.id(), "lambda");
  EXPECT_EQ(lambda.type(), mapping(s8, bool_type()));
  ASSERT_EQ(lambda.operands().size(), 2u);
  EXPECT_EQ(lambda.op0(), exprt("quant_symbol", s8));
  EXPECT_EQ(lambda.op1(), exprt("", bool_type()));

  const typet pair = tuple_type(s8, bool_type());
  make_lambda(mapping(pair, s8), lambda);
  exprt expected_variable("tuple", pair);
  expected_variable.copy_to_operands(
    exprt("quant_symbol", s8), exprt("quant_symbol", bool_type()));
  EXPECT_EQ(lambda.op0(), expected_variable);

  typet short_mapping("mapping");
  short_mapping.copy_to_subtypes(s8);
  for(const auto &bad :
      {std::make_pair(s8, "expected mapping type"),
       std::make_pair(
         short_mapping, "mapping type expected to have two subtypes")})
  {
    try
    {
      make_lambda(bad.first, lambda);
      ADD_FAILURE() << "no throw";
    }
    catch(const char *text)
    {
      EXPECT_STREQ(text, bad.second);
    }
  }
}

TEST(Lambda, TupleMembers)
{
  const exprt a = bv_constant(1, s8), b = bv_constant(2, s8);
  exprt tuple = make_expr("tuple", typet(), {a, b, bool_constant(true)});
  exprt dest;
  tuple_member(tuple, 1, dest);
  EXPECT_EQ(dest, b);
  try
  {
    tuple_member(tuple, 3, dest);
    ADD_FAILURE() << "no throw";
  }
  catch(const char *text)
  {
    EXPECT_STREQ(text, "tuple has not enough components");
  }
  const exprt t = symbol_expr("t", typet("tuple"));
  tuple_member(t, 1, dest);
  exprt expected("member");
  expected.set("component", dstring("1"));
  expected.copy_to_operands(t);
  EXPECT_TRUE(dest.full_eq(expected));
}

TEST(Lambda, ApplicationSubstitutesTheBoundVariable)
{
  exprt lambda;
  make_lambda(mapping(s8, s8), lambda);
  const exprt variable = lambda.op0();
  lambda.op1() = make_expr("+", s8, {variable, bv_constant(1, s8)});
  const exprt kept = lambda;
  exprt map = make_expr("map", s8, {lambda, bv_constant(4, s8)});
  apply_lambda_map(map);
  EXPECT_EQ(map, make_expr("+", s8, {bv_constant(4, s8), bv_constant(1, s8)}));
  EXPECT_EQ(lambda, kept);

  // A tuple-bound variable: each component by a selection of the argument,
  // or by the operand of a literal tuple.
  const typet pair = tuple_type(s8, bool_type());
  make_lambda(mapping(pair, bool_type()), lambda);
  const exprt first = lambda.op0().op0(), second = lambda.op0().op1();
  lambda.op1() = make_expr(
    "and", bool_type(), {second, make_expr("=", bool_type(), {first, first})});
  const exprt p = symbol_expr("p", pair);
  map = make_expr("map", bool_type(), {lambda, p});
  apply_lambda_map(map);
  exprt member0, member1;
  tuple_member(p, 0, member0);
  tuple_member(p, 1, member1);
  EXPECT_EQ(
    map,
    make_expr(
      "and",
      bool_type(),
      {member1, make_expr("=", bool_type(), {member0, member0})}));

  map = make_expr(
    "map",
    bool_type(),
    {lambda,
     make_expr("tuple", pair, {bv_constant(3, s8), bool_constant(false)})});
  apply_lambda_map(map);
  EXPECT_EQ(
    map,
    make_expr(
      "and",
      bool_type(),
      {bool_constant(false),
       make_expr("=", bool_type(), {bv_constant(3, s8), bv_constant(3, s8)})}));
}

TEST(Lambda, MalformedApplicationsThrowAndChangeNothing)
{
  exprt lambda;
  make_lambda(mapping(s8, s8), lambda);
  const exprt x = symbol_expr("x", s8);
  exprt one_operand_lambda("lambda");
  one_operand_lambda.copy_to_operands(x);
  exprt pair_lambda;
  make_lambda(mapping(tuple_type(s8, s8), s8), pair_lambda);
  struct
  {
    exprt expr;
    const char *text;
  } cases[] = {
    {make_expr("apply", s8, {lambda, x}), "expected mapping"},
    {make_expr("map", s8, {lambda}), "mapping takes two operands"},
    {exprt("map", s8), "mapping takes two operands"},
    {make_expr("map", s8, {x, x}),
     "expected lambda expression as first operand"},
    {make_expr("map", s8, {one_operand_lambda, x}),
     "lambda takes two operands"},
    {make_expr("map", s8, {pair_lambda, make_expr("tuple", typet(), {x})}),
     "tuple has not enough components"},
  };
  for(auto &test : cases)
  {
    const exprt before = test.expr;
    EXPECT_EQ(thrown_text(test.expr), test.text);
    EXPECT_TRUE(test.expr.full_eq(before)) << test.text;
  }
}

// Every lambda over one domain type has the same bound variable, so a
// nested lambda over that type binds it afresh: its body keeps its own
// binding. Other nested binders are searched as usual.
TEST(Lambda, ApplicationStopsAtALambdaThatRebindsTheVariable)
{
  exprt lambda;
  make_lambda(mapping(s8, s8), lambda);
  const exprt q = lambda.op0();
  exprt inner = lambda;
  inner.op1() = make_expr("+", s8, {q, bv_constant(2, s8)});
  exprt over_bool;
  make_lambda(mapping(bool_type(), bool_type()), over_bool);
  const exprt r = over_bool.op0();
  const exprt five = bv_constant(5, s8);
  const auto is_q = [&](const exprt &value)
  { return make_expr("=", bool_type(), {q, value}); };

  exprt pair_lambda;
  make_lambda(mapping(tuple_type(s8, bool_type()), s8), pair_lambda);
  const exprt pair = make_expr("tuple", typet(), {five, bool_constant(true)});
  // The inner lambda rebinds the first component only.
  exprt inner_with_r = inner;
  inner_with_r.op1() = make_expr("if", s8, {r, q, bv_constant(0, s8)});
  exprt inner_with_true = inner;
  inner_with_true.op1() =
    make_expr("if", s8, {bool_constant(true), q, bv_constant(0, s8)});

  exprt quantifier = make_expr(
    "forall", bool_type(), {q, make_expr("instances", typet(), {q}), is_q(q)});
  exprt instantiated_list = quantifier;
  instantiated_list.op1() = make_expr("instances", typet(), {five});

  exprt bool_body = over_bool;
  bool_body.op1() = make_expr("and", bool_type(), {r, is_q(q)});
  exprt bool_body_applied = over_bool;
  bool_body_applied.op1() = make_expr(
    "and", bool_type(), {r, make_expr("=", bool_type(), {five, five})});

  struct
  {
    exprt body;
    exprt argument;
    exprt expected;
  } cases[] = {
    {inner, five, inner},
    {make_expr("+", s8, {q, make_expr("index", s8, {inner, q})}),
     five,
     make_expr("+", s8, {five, make_expr("index", s8, {inner, five})})},
    // A lambda over another domain does not bind q.
    {bool_body, five, bool_body_applied},
    // A quantifier over q binds it in its body, not in its candidates.
    {quantifier, five, instantiated_list},
    {inner_with_r, pair, inner_with_true},
  };
  for(const auto &test : cases)
  {
    exprt outer = test.argument.id() == "tuple" ? pair_lambda : lambda;
    outer.op1() = test.body;
    exprt map = make_expr("map", s8, {outer, test.argument});
    apply_lambda_map(map);
    EXPECT_EQ(map, test.expected) << test.body.pretty();
  }
}

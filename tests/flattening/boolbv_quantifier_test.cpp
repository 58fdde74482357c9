#include "flattening/boolbv.h"
#include "flattening_types.h"
#include "logged_boolbv.h"
#include "operator_table.h"
#include "propositional/cnf_clause_list.h"
#include "thrown_text.h"

#include <gtest/gtest.h>

namespace
{
const typet u4 = unsignedbv_type(4);
const exprt v = symbol_expr("v", u4);
const exprt y = symbol_expr("y", u4);

exprt instances(std::initializer_list<exprt> candidates)
{
  exprt list("instances");
  for(const exprt &candidate : candidates)
    list.copy_to_operands(candidate);
  return list;
}

exprt quantifier(const std::string &id, const exprt &list, const exprt &body)
{
  return make_expr(id, bool_type(), {v, list, body});
}

// v is a subset of the bits of y.
const exprt subset = equal_expr(make_expr("bitand", u4, {v, y}), v);

table_oraclet holds(bool value_of(long long))
{
  return [value_of](const assignmentt &a)
  { return std::optional<long long>(value_of(a.at("y"))); };
}
} // namespace

TEST(BoolbvQuantifier, ForallAndExistsAreTheirInstancesCombined)
{
  const exprt list = instances({bv_constant(1, u4), bv_constant(2, u4)});
  for(const table_modet mode : {table_modet::SYMBOLIC, table_modet::CONSTANT})
  {
    check_table(
      quantifier("forall", list, subset), {{"y", u4}},
      holds([](long long y) { return (y & 3) == 3; }), mode);
    check_table(
      quantifier("exists", list, subset), {{"y", u4}},
      holds([](long long y) { return (y & 3) != 0; }), mode);
  }
}

TEST(BoolbvQuantifier, CandidatesAreSharedAcrossQuantifiers)
{
  // Each lists one candidate, or none at all ("nil"), and each is
  // instantiated with 1 and 2 all the same.
  const exprt both = make_expr(
    "and", bool_type(),
    {quantifier("forall", instances({bv_constant(1, u4)}), subset),
     quantifier("exists", instances({bv_constant(2, u4)}), subset),
     quantifier("forall", exprt("nil"), subset)});
  check_table(
    both, {{"y", u4}}, holds([](long long y) { return (y & 3) == 3; }),
    table_modet::SYMBOLIC);
}

TEST(BoolbvQuantifier, CandidatesOfAnotherTypeAreCast)
{
  // The 2-bit candidate 3 becomes the 4-bit 3.
  const exprt q = quantifier(
    "forall", instances({bv_constant(3, unsignedbv_type(2))}),
    equal_expr(v, y));
  check_table(
    q, {{"y", u4}}, holds([](long long y) { return y == 3; }),
    table_modet::SYMBOLIC);
}

// The inner quantifier binds v afresh, so the outer one's instances leave
// it alone: the whole is "some v of {1, 2} other than 1 is y".
TEST(BoolbvQuantifier, InstancesStopAtANestedQuantifierOverTheSameVariable)
{
  const exprt list = instances({bv_constant(1, u4), bv_constant(2, u4)});
  const exprt inner = quantifier(
    "exists", list,
    make_expr(
      "and", bool_type(),
      {make_expr("not", bool_type(), {equal_expr(v, bv_constant(1, u4))}),
       equal_expr(v, y)}));
  check_table(
    quantifier("forall", list, inner), {{"y", u4}},
    holds([](long long y) { return y == 2; }), table_modet::SYMBOLIC);
}

TEST(BoolbvQuantifier, WithoutCandidatesOrOperandsTheyAreRefused)
{
  {
    cnf_clause_listt prop;
    boolbvt conv(prop);
    conv.set_to(quantifier("forall", exprt("nil"), subset), true);
    EXPECT_EQ(
      thrown_text([&] { conv.solve(); }),
      "char*: post_process_quantifiers: no instances");
  }
  logged_boolbvt logged;
  auto &[prop, handler, conv] = logged;
  const literalt l =
    conv.convert(make_expr("exists", bool_type(), {v, subset}));
  EXPECT_FALSE(l.is_constant());
  EXPECT_TRUE(handler.has(2, "warning: ignoring "));
  // It takes no part in instantiation: nothing is left to instantiate.
  EXPECT_EQ(thrown_text([&] { conv.solve(); }), "nothing");
}

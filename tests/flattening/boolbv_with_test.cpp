#include "flattening/boolbv.h"
#include "flattening_types.h"
#include "operator_table.h"
#include "propositional/cnf_clause_list.h"
#include "thrown_text.h"

#include <gtest/gtest.h>

namespace
{
const typet u1 = unsignedbv_type(1);
const typet u2 = unsignedbv_type(2);
const typet u4 = unsignedbv_type(4);
const typet u8 = unsignedbv_type(8);

exprt designator(const std::string &name)
{
  exprt d("member_name");
  d.set("component_name", dstring(name));
  return d;
}

exprt member_expr(
  const exprt &compound, const std::string &name, const typet &type)
{
  exprt member = make_expr("member", type, {compound});
  member.set("component_name", dstring(name));
  return member;
}

const typet pair_type = compound_type("struct", {{"a", u2}, {"b", u2}});
const exprt pair = make_expr(
  "struct", pair_type, {symbol_expr("x0", u2), symbol_expr("x1", u2)});

std::string bits_of_conversion(boolbvt &conv, const exprt &expr)
{
  bvt bv;
  EXPECT_FALSE(conv.convert_vector_expr(expr, bv)) << expr.pretty();
  std::string text;
  for(const literalt bit : bv)
    text += bit.is_true() ? '1' : bit.is_false() ? '0' : '?';
  return text;
}
} // namespace

TEST(BoolbvWith, ArrayUpdatesMatchTheReference)
{
  // Three 1-bit elements, written at i and read at k (3 lies outside).
  const exprt array = make_expr(
    "array", array_type(u1, bv_constant(3, u8)),
    {symbol_expr("a0", u1), symbol_expr("a1", u1), symbol_expr("a2", u1)});
  const exprt updated = make_expr(
    "with", array.type(), {array, symbol_expr("i", u2), symbol_expr("v", u1)});
  const exprt read = index_expr(updated, symbol_expr("k", u2));
  check_table(
    read,
    {{"a0", u1}, {"a1", u1}, {"a2", u1}, {"v", u1}, {"i", u2}, {"k", u2}});
}

TEST(BoolbvWith, BitUpdatesApplyPairsInOrder)
{
  const exprt x = symbol_expr("x", u4);
  const exprt b = bool_symbol("b"), c = bool_symbol("c");
  const typet position = unsignedbv_type(3);
  const exprt i = symbol_expr("i", position);
  // A position below 0 or of 4 or more changes nothing.
  const table_oraclet set_bit = [](const assignmentt &v)
  {
    const long long bit = v.at("i");
    if(bit < 0 || bit >= 4)
      return std::optional<long long>(v.at("x"));
    const long long mask = 1LL << bit;
    return std::optional<long long>(
      v.at("b") ? v.at("x") | mask : v.at("x") & ~mask);
  };
  const table_variablest variables = {
    {"x", u4}, {"b", bool_type()}, {"i", position}};
  for(const table_modet mode : {table_modet::SYMBOLIC, table_modet::CONSTANT})
    check_table(make_expr("with", u4, {x, i, b}), variables, set_bit, mode);
  // A 2-bit signed position reaches bits 0 and 1 only: -2 and -1 change
  // nothing, however their constants' bits read unsigned.
  const typet narrow = signedbv_type(2);
  check_table(
    make_expr("with", u4, {x, symbol_expr("i", narrow), b}),
    {{"x", u4}, {"b", bool_type()}, {"i", narrow}}, set_bit,
    table_modet::SYMBOLIC);
  // The second pair wins at bit 0.
  check_table(
    make_expr("with", u4, {x, bv_constant(0, u4), b, bv_constant(0, u4), c}),
    {{"x", u4}, {"b", bool_type()}, {"c", bool_type()}},
    [](const assignmentt &v)
    { return std::optional<long long>((v.at("x") & ~1LL) | v.at("c")); },
    table_modet::SYMBOLIC);
}

TEST(BoolbvWith, StructUpdatesAndMembersMatchTheReference)
{
  const table_variablest variables = {{"x0", u2}, {"x1", u2}, {"v", u2}};
  for(const char *written : {"a", "b", "missing"})
  {
    const exprt updated = make_expr(
      "with", pair_type, {pair, designator(written), symbol_expr("v", u2)});
    for(const char *read : {"a", "b"})
      check_table(member_expr(updated, read, u2), variables);
  }
}

TEST(BoolbvWith, UnionUpdatesWriteTheMemberAndItsNumber)
{
  // Three members: two number bits on top of the 4-bit member.
  const typet union_type =
    compound_type("union", {{"p", u1}, {"q", u2}, {"r", u4}});
  const exprt u = symbol_expr("u", union_type);
  cnf_clause_listt prop;
  boolbvt conv(prop);
  const exprt write =
    make_expr("with", union_type, {u, designator("q"), bv_constant(2, u2)});
  // Bit 0 first: the value 2, two old bits, then number 1.
  EXPECT_EQ(bits_of_conversion(conv, write), "01??10");
  EXPECT_EQ(bits_of_conversion(conv, member_expr(write, "q", u2)), "01");

  bvt bv;
  EXPECT_EQ(
    thrown_text(
      [&]
      {
        conv.convert_vector_expr(
          make_expr(
            "with", union_type, {u, designator("s"), bv_constant(1, u1)}),
          bv);
      }),
    "char*: with/union: component not found");
}

TEST(BoolbvWith, MalformedUpdatesAndMembersAreThrown)
{
  cnf_clause_listt prop;
  boolbvt conv(prop);
  bvt bv;
  const auto text = [&](const exprt &expr)
  { return thrown_text([&] { conv.convert_vector_expr(expr, bv); }); };
  const exprt s = symbol_expr("s", pair_type);
  EXPECT_EQ(
    text(member_expr(s, "z", u2)),
    "string: component z not found in structure");
  EXPECT_EQ(
    text(
      make_expr("with", pair_type, {s, designator("a"), symbol_expr("w", u4)})),
    "string: with/struct: component `a' type does not match: " +
      u2.to_string() + " vs. " + u4.to_string());
  EXPECT_EQ(
    text(make_expr(
      "with", pair_type,
      {s, designator("a"), symbol_expr("v", u2), designator("b")})),
    "char*: with takes an odd number of operands");
  EXPECT_EQ(
    text(make_expr("with", pair_type, {s})),
    "char*: with takes at least three operands");
  EXPECT_EQ(
    text(member_expr(s, "a", u4)),
    "string: member: component type does not match: " + u2.to_string() +
      " vs. " + u4.to_string());
}

TEST(BoolbvSelection, IfMatchesTheReference)
{
  const exprt choice = make_expr(
    "if", u4, {bool_symbol("c"), symbol_expr("x", u4), symbol_expr("y", u4)});
  check_table(choice, {{"c", bool_type()}, {"x", u4}, {"y", u4}});
}

TEST(BoolbvSelection, CaseAndCondTakeTheFirstMatch)
{
  // case(s, c1, r1, c2, r2): free when neither candidate equals s.
  const exprt by_case = make_expr(
    "case", u2,
    {symbol_expr("s", u2), symbol_expr("c1", u2), symbol_expr("r1", u2),
     symbol_expr("c2", u2), bv_constant(3, u2)});
  check_table(
    by_case, {{"s", u2}, {"c1", u2}, {"c2", u2}, {"r1", u2}},
    [](const assignmentt &v) -> std::optional<long long>
    {
      if(v.at("s") == v.at("c1"))
        return v.at("r1");
      if(v.at("s") == v.at("c2"))
        return 3;
      return std::nullopt;
    },
    table_modet::SYMBOLIC);

  const exprt by_cond = make_expr(
    "cond", u2,
    {bool_symbol("b1"), symbol_expr("r1", u2), bool_symbol("b2"),
     symbol_expr("r2", u2)});
  const table_variablest variables = {
    {"b1", bool_type()}, {"b2", bool_type()}, {"r1", u2}, {"r2", u2}};
  const table_oraclet first_true =
    [](const assignmentt &v) -> std::optional<long long>
  {
    if(v.at("b1"))
      return v.at("r1");
    if(v.at("b2"))
      return v.at("r2");
    return std::nullopt;
  };
  for(const table_modet mode : {table_modet::SYMBOLIC, table_modet::CONSTANT})
    check_table(by_cond, variables, first_true, mode);
}

TEST(BoolbvSelection, MalformedSelectionsAreThrownOrRefused)
{
  cnf_clause_listt prop;
  boolbvt conv(prop);
  bvt bv;
  const auto text = [&](const exprt &expr)
  { return thrown_text([&] { conv.convert_vector_expr(expr, bv); }); };
  const exprt x = symbol_expr("x", u4);
  const exprt c = bool_symbol("c");
  EXPECT_EQ(
    text(make_expr("case", u4, {x, x})),
    "char*: case takes at least three operands");
  EXPECT_EQ(
    text(make_expr("case", u4, {x, x, x, x})),
    "char*: number of case operands must be odd");
  EXPECT_EQ(
    text(make_expr("cond", u4, {c})),
    "char*: cond takes at least two operands");
  EXPECT_EQ(
    text(make_expr("cond", u4, {c, x, c})),
    "char*: number of cond operands must be even");
  EXPECT_EQ(
    text(make_expr("if", u4, {c, x})), "char*: if takes three operands");

  testing::internal::CaptureStderr();
  const std::string compare =
    text(make_expr("case", u4, {x, symbol_expr("y", u2), x}));
  const std::string report = testing::internal::GetCapturedStderr();
  EXPECT_EQ(compare, "char*: size of compare operand does not match");
  EXPECT_EQ(report.compare(0, 30, "compare operand: 4\noperand: 2\n"), 0)
    << report;

  // Branches of the wrong width, and a type without width, are refused
  // without a message (before any operand count is looked at).
  EXPECT_TRUE(conv.convert_vector_expr(
    make_expr("if", u4, {c, x, symbol_expr("y", u2)}), bv));
  EXPECT_TRUE(
    conv.convert_vector_expr(make_expr("case", typet("integer"), {x}), bv));
}

#include "flattening/boolbv.h"
#include "flattening_types.h"
#include "logged_boolbv.h"
#include "operator_table.h"
#include "propositional/cnf_clause_list.h"
#include "test_dpll.h"
#include "thrown_text.h"

#include <gtest/gtest.h>

namespace
{
table_variablest two_of(const typet &type)
{
  return {{"x", type}, {"y", type}};
}

exprt binary(const std::string &id, const typet &type, const typet &operands)
{
  return make_expr(
    id, type, {symbol_expr("x", operands), symbol_expr("y", operands)});
}

} // namespace

TEST(BoolbvBitwise, EveryPairMatchesTheReference)
{
  for(const bool is_signed : {false, true})
    for(const unsigned width : {4u, 5u})
    {
      const typet type = bv_type(width, is_signed);
      for(const char *id : {"bitand", "bitor", "bitxor"})
        check_table(binary(id, type, type), two_of(type), 4);
      check_table(
        make_expr("bitnot", type, {symbol_expr("x", type)}), {{"x", type}});
      // Distances of the width or more shift every bit out.
      const typet distance = unsignedbv_type(4);
      for(const char *id : {"shl", "lshr", "ashr"})
        check_table(
          make_expr(
            id, type, {symbol_expr("x", type), symbol_expr("d", distance)}),
          {{"x", type}, {"d", distance}}, 4);
    }
}

TEST(BoolbvBitwise, NeutralElementsAndMalformedOperands)
{
  const typet u4 = unsignedbv_type(4);
  const exprt x = symbol_expr("x", u4);
  check_table(
    make_expr("bitand", u4, {}), {}, [](const assignmentt &) { return 15; },
    table_modet::CONSTANT);
  check_table(
    make_expr("bitxor", u4, {}), {}, [](const assignmentt &) { return 0; },
    table_modet::CONSTANT);
  check_table(make_expr("bitor", u4, {x}), {{"x", u4}});

  cnf_clause_listt prop;
  boolbvt conv(prop);
  bvt bv;
  EXPECT_EQ(
    thrown_text(
      [&] {
        conv.convert_vector_expr(make_expr("bitnot", u4, {x, x}), bv);
      }),
    "char*: bitnot takes one operand");
  EXPECT_EQ(
    thrown_text(
      [&]
      {
        conv.convert_vector_expr(
          make_expr("bitand", u4, {x, symbol_expr("y", unsignedbv_type(5))}),
          bv);
      }),
    "char*: convert_bitwise: unexpected operand width");
  EXPECT_EQ(
    thrown_text(
      [&] {
        conv.convert_vector_expr(
          make_expr("shl", signedbv_type(0), {x, x}), bv);
      }),
    "string: zero length bit vector type: " + signedbv_type(0).to_string());
  EXPECT_EQ(
    thrown_text([&]
                { conv.convert_vector_expr(make_expr("lshr", u4, {x}), bv); }),
    "char*: shifting takes two operands");
  // A shift of a "bv" type is not converted.
  EXPECT_TRUE(conv.convert_vector_expr(
    make_expr(
      "shl", width_type("bv", 4), {symbol_expr("b", width_type("bv", 4)), x}),
    bv));
}

TEST(BoolbvRelation, EveryPairMatchesTheReference)
{
  for(const bool is_signed : {false, true})
    for(const unsigned width : {4u, 5u})
    {
      const typet type = bv_type(width, is_signed);
      for(const char *id : {"<", "<=", ">", ">=", "=", "notequal"})
        check_table(binary(id, bool_type(), type), two_of(type), 4);
    }
}

TEST(BoolbvRelation, WideRelationsMatchTheReference)
{
  // On 9 bits the relations are also tied to the equality theory, which
  // must not change their values.
  for(const bool is_signed : {false, true})
  {
    const typet type = bv_type(9, is_signed);
    for(const char *id : {"<", "<=", ">", ">="})
      check_table(binary(id, bool_type(), type), two_of(type), 4);
  }
}

TEST(BoolbvRelation, WideOperandsAreTiedToTheirEquality)
{
  for(const unsigned width : {8u, 9u})
  {
    test_dpll_propt prop;
    boolbvt conv(prop);
    const typet type = unsignedbv_type(width);
    const literalt less = conv.convert(binary("<", bool_type(), type));
    const literalt less_equal = conv.convert(binary("<=", bool_type(), type));
    const literalt equal =
      conv.equal_exprs(symbol_expr("x", type), symbol_expr("y", type));
    // Solved on the back end alone, before the equality theory relates
    // the equality's literal to the bits: only the tie constrains it, and
    // only from 9 bits on.
    const auto consistent = [&](bvt assumptions)
    {
      prop.assumptions = assumptions;
      return prop.prop_solve() == propt::P_SATISFIABLE;
    };
    EXPECT_EQ(consistent({equal, less}), width <= 8) << width;
    EXPECT_EQ(consistent({equal, !less_equal}), width <= 8) << width;
    EXPECT_TRUE(consistent({equal, !less, less_equal})) << width;
  }
}

TEST(BoolbvRelation, UnorderableOperandsAreFreeWithAWarning)
{
  logged_boolbvt logged;
  auto &[prop, handler, conv] = logged;
  const exprt mixed = make_expr(
    "<", bool_type(),
    {symbol_expr("s", signedbv_type(4)), symbol_expr("u", unsignedbv_type(4))});
  const typet r1 = range_type(0, 15), r2 = range_type(1, 16);
  const exprt ranges =
    make_expr(">", bool_type(), {symbol_expr("a", r1), symbol_expr("b", r2)});
  for(const exprt &relation : {mixed, ranges})
  {
    handler.messages.clear();
    EXPECT_FALSE(conv.convert(relation).is_constant());
    EXPECT_TRUE(handler.has(2, "warning: ignoring ")) << relation.pretty();
  }
}

TEST(BoolbvEquality, StructuresAndArraysCompareElementWise)
{
  const typet u2 = unsignedbv_type(2);
  const typet pair = compound_type("struct", {{"a", u2}, {"b", u2}});
  const typet array = array_type(u2, 2);
  const table_variablest variables = {
    {"x0", u2}, {"x1", u2}, {"y0", u2}, {"y1", u2}};
  const auto same = [](const assignmentt &v)
  {
    return std::optional<long long>(
      v.at("x0") == v.at("y0") && v.at("x1") == v.at("y1"));
  };
  for(const typet &type : {pair, array})
  {
    const exprt lhs = make_expr(
      type.id() == "struct" ? "struct" : "array", type,
      {symbol_expr("x0", u2), symbol_expr("x1", u2)});
    const exprt rhs = make_expr(
      type.id() == "struct" ? "struct" : "array", type,
      {symbol_expr("y0", u2), symbol_expr("y1", u2)});
    for(const table_modet mode : {table_modet::SYMBOLIC, table_modet::CONSTANT})
      check_table(
        make_expr("=", bool_type(), {lhs, rhs}), variables, same, mode);
  }
}

TEST(BoolbvEquality, MismatchedOperandsAreThrown)
{
  cnf_clause_listt prop;
  boolbvt conv(prop);
  const exprt x = symbol_expr("x", unsignedbv_type(4));
  const exprt y = symbol_expr("y", signedbv_type(4));
  testing::internal::CaptureStdout();
  EXPECT_EQ(
    thrown_text(
      [&] {
        conv.convert(make_expr("=", bool_type(), {x, y}));
      }),
    "char*: equality without matching types");
  EXPECT_NE(
    testing::internal::GetCapturedStdout().find("signedbv"), std::string::npos);
  const exprt empty = symbol_expr("e", unsignedbv_type(0));
  EXPECT_EQ(
    thrown_text(
      [&] {
        conv.convert(make_expr("=", bool_type(), {empty, empty}));
      }),
    "char*: got zero-size BV");
}

TEST(BoolbvReduction, EveryValueMatchesTheReference)
{
  for(const unsigned width : {1u, 4u, 5u})
  {
    const typet type = unsignedbv_type(width);
    for(const char *id :
        {"reduction_and", "reduction_or", "reduction_xor", "reduction_nand",
         "reduction_nor", "reduction_xnor"})
      check_table(
        make_expr(id, bool_type(), {symbol_expr("x", type)}), {{"x", type}});
  }
  cnf_clause_listt prop;
  boolbvt conv(prop);
  EXPECT_EQ(
    thrown_text(
      [&]
      {
        conv.convert(make_expr(
          "reduction_or", bool_type(), {symbol_expr("e", unsignedbv_type(0))}));
      }),
    "char*: reduction operators take one non-empty operand");
}

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
const exprt x = symbol_expr("x", u4);

exprt natural(long long value)
{
  return bv_constant(value, unsignedbv_type(8));
}
} // namespace

TEST(BoolbvExtraction, BitAtAPositionMatchesTheReference)
{
  for(const typet &type : {u4, signedbv_type(5)})
  {
    const exprt vector = symbol_expr("x", type);
    const typet in_range = unsignedbv_type(2);
    check_table(
      make_expr(
        "extractbit", bool_type(), {vector, symbol_expr("p", in_range)}),
      {{"x", type}, {"p", in_range}});
    // Positions 4 to 7 may lie outside x: the reference has no value there
    // and the bit is free (a constant there is thrown, see below).
    const typet wide = unsignedbv_type(3);
    const exprt bit =
      make_expr("extractbit", bool_type(), {vector, symbol_expr("p", wide)});
    const reference_evaluatort evaluate(bit);
    check_table(
      bit, {{"x", type}, {"p", wide}},
      [&](const assignmentt &a) { return evaluate(a); }, table_modet::SYMBOLIC);
  }
}

TEST(BoolbvExtraction, NarrowPositionTypesDoNotWrap)
{
  // A 2-bit signed position reaches bits 0 and 1 only (the constants of 2
  // and 3 read back as -2 and -1): at p = -2 the bit is free, not bit 2.
  const typet position = signedbv_type(2);
  const exprt bit =
    make_expr("extractbit", bool_type(), {x, symbol_expr("p", position)});
  const table_variablest variables = {{"x", u4}, {"p", position}};
  EXPECT_TRUE(satisfiable_at(
    make_expr("not", bool_type(), {bit}), variables, {{"x", 4}, {"p", -2}}));
  EXPECT_FALSE(satisfiable_at(
    make_expr("not", bool_type(), {bit}), variables, {{"x", 2}, {"p", 1}}));
}

TEST(BoolbvExtraction, RangesConcatenationAndReplicationMatchTheReference)
{
  const typet u8 = unsignedbv_type(8);
  const exprt y = symbol_expr("y", u4);
  const table_variablest xy = {{"x", u4}, {"y", u4}};
  // Bits 1 to 3 whichever bound comes first.
  for(const auto &bounds : {std::make_pair(3, 1), std::make_pair(1, 3)})
    check_table(
      make_expr(
        "extractbits", unsignedbv_type(3),
        {x, natural(bounds.first), natural(bounds.second)}),
      {{"x", u4}});
  check_table(make_expr("concatenation", u8, {x, y}), xy);
  check_table(
    make_expr(
      "concatenation", unsignedbv_type(9),
      {symbol_expr("b", unsignedbv_type(1)), x, y}),
    {{"b", unsignedbv_type(1)}, {"x", u4}, {"y", u4}});
  check_table(make_expr("replication", u8, {natural(2), x}), {{"x", u4}});
}

TEST(BoolbvExtraction, MalformedBoundsAndWidthsAreThrown)
{
  logged_boolbvt logged;
  auto &[prop, handler, conv] = logged;
  bvt bv;
  const auto vector_text = [&](const exprt &expr)
  { return thrown_text([&] { conv.convert_vector_expr(expr, bv); }); };
  const auto bool_text = [&](const exprt &expr)
  { return thrown_text([&] { conv.convert(expr); }); };
  EXPECT_EQ(
    bool_text(make_expr("extractbit", bool_type(), {x, natural(4)})),
    "char*: extractbit: second operand out of range");
  const exprt wrong_width =
    make_expr("extractbits", unsignedbv_type(3), {x, natural(0), natural(3)});
  EXPECT_EQ(
    vector_text(wrong_width),
    "string: extractbits: wrong width (expected 4 but got 3): " +
      wrong_width.to_string());
  const exprt beyond =
    make_expr("extractbits", unsignedbv_type(1), {x, natural(4), natural(4)});
  EXPECT_EQ(
    vector_text(beyond),
    "string: extractbits: second operand out of range: " + beyond.to_string());
  EXPECT_EQ(
    vector_text(make_expr("concatenation", unsignedbv_type(9), {x, x})),
    "char*: concatenation operand width too small");
  EXPECT_EQ(
    vector_text(make_expr("concatenation", unsignedbv_type(7), {x, x})),
    "char*: concatenation operand width too big");
  EXPECT_EQ(
    vector_text(make_expr("replication", unsignedbv_type(5), {natural(2), x})),
    "char*: replication operand width too big");
  EXPECT_EQ(
    vector_text(make_expr("replication", unsignedbv_type(8), {x, x})),
    "char*: replication takes constant as first parameter");

  // A bound that is not constant is not converted; a count of 0 into no
  // bits is the empty vector.
  EXPECT_TRUE(conv.convert_vector_expr(
    make_expr(
      "extractbits", unsignedbv_type(1), {x, symbol_expr("i", u4), natural(0)}),
    bv));
  EXPECT_FALSE(conv.convert_vector_expr(
    make_expr("replication", unsignedbv_type(0), {natural(0), x}), bv));
  EXPECT_TRUE(bv.empty());
  // Nor does repeating an empty vector, however often: no 2^40 rounds.
  const exprt empty = symbol_expr("e", unsignedbv_type(0));
  EXPECT_FALSE(conv.convert_vector_expr(
    make_expr(
      "replication", unsignedbv_type(0),
      {bv_constant(1LL << 40, unsignedbv_type(48)), empty}),
    bv));
  EXPECT_TRUE(bv.empty());
}

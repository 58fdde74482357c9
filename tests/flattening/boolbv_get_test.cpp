#include "boolbv_round_trip.h"
#include "propositional/cnf_clause_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
class exposed_boolbvt : public boolbvt
{
public:
  using boolbvt::boolbvt;
  using boolbvt::bind_symbol_bit;
  using boolbvt::bv_get_rec;
};

// Bits from a text, bit 0 first: '1' and '0' are the constants, '?' a bit
// flagged unknown.
void bits_from(const std::string &text, bvt &bv, std::vector<bool> &unknown)
{
  bv.clear();
  unknown.clear();
  for(const char c : text)
  {
    bv.push_back(const_literal(c == '1'));
    unknown.push_back(c == '?');
  }
}

exprt read_back(const typet &type, const std::string &text)
{
  cnf_clause_list_assignmentt prop;
  exposed_boolbvt conv(prop);
  bvt bv;
  std::vector<bool> unknown;
  bits_from(text, bv, unknown);
  exprt value;
  conv.bv_get_rec(bv, unknown, 0, type, value);
  return value;
}

const typet u4 = unsignedbv_type(4);
} // namespace

TEST(BoolbvGet, ValuesOfBitsByType)
{
  const typet three = compound_type(
    "union", {{"a", u4}, {"b", unsignedbv_type(2)}, {"c", bool_type()}});
  exprt union_c = make_expr("union", three, {bool_constant(true)});
  union_c.set("component_name", dstring("c"));
  const exprt nil("nil");
  struct
  {
    typet type;
    const char *bits; // bit 0 first
    exprt expected;
  } cases[] = {
    {u4, "1010", constant_expr("0101", u4)},
    // Unknown bits inside a bit-vector read as 0.
    {signedbv_type(4), "1?1?", constant_expr("0101", signedbv_type(4))},
    {width_type("c_enum", 8),
     "11111111",
     constant_expr("-1", width_type("c_enum", 8))},
    {range_type(-3, 4), "000", constant_expr("-3", range_type(-3, 4))},
    {range_type(-3, 4), "101", constant_expr("2", range_type(-3, 4))},
    {fixedbv_type(4, 2), "0110", constant_expr("0110", fixedbv_type(4, 2))},
    {width_type("verilogbv", 2),
     "1000",
     constant_expr("0001", width_type("verilogbv", 2))},
    {bool_type(), "1", bool_constant(true)},
    {bool_type(), "?", nil},
    // Two selector bits at the top: 2 is "c", 3 is no component.
    {three, "1000" "01", union_c},
    {three, "1000" "11", nil},
    {three, "1000" "?1", nil},
    {array_type(u4, 2), "1000" "0100",
     make_expr(
       "array",
       array_type(u4, 2),
       {bv_constant(1, u4), bv_constant(2, u4)})},
    // Elements of no bits: an array without elements.
    {array_type(array_type(u4, 0u), 3),
     "",
     exprt("array", array_type(array_type(u4, 0u), 3))},
    {typet("enum"), "0", nil},
  };
  for(const auto &test : cases)
    EXPECT_EQ(read_back(test.type, test.bits), test.expected)
      << test.type.to_string() << " " << test.bits;
}

TEST(BoolbvGet, UnassignedLiteralsReadAsFalse)
{
  cnf_clause_list_assignmentt prop;
  exposed_boolbvt conv(prop);
  exprt value;
  conv.bv_get(bvt{prop.new_variable()}, bool_type(), value);
  EXPECT_EQ(value, bool_constant(false));
  conv.bv_get(
    bvt{prop.new_variable(), const_literal(true)}, unsignedbv_type(2), value);
  EXPECT_EQ(value, constant_expr("10", unsignedbv_type(2)));
}

TEST(BoolbvGet, SymbolsFromTheirBits)
{
  cnf_clause_list_assignmentt prop;
  exposed_boolbvt conv(prop);
  // Only bit 1 has a literal; the others were never made.
  conv.bind_symbol_bit(dstring("x"), 1, u4, const_literal(true));
  EXPECT_EQ(conv.get(symbol_expr("x", u4)), constant_expr("0010", u4));
  // Never converted: prop_convt's answer, nil for a bit-vector.
  EXPECT_TRUE(conv.get(symbol_expr("never", signedbv_type(8))).is_nil());
  const exprt constant = bv_constant(3, u4);
  EXPECT_EQ(conv.get(constant), constant);

  exprt value;
  conv.bv_get_cached(symbol_expr("unconverted", u4), value);
  EXPECT_TRUE(value.is_nil());
}

namespace
{
// An unbounded array symbol read at the given indices with the given
// values, solved and read back.
exprt unbounded_read_back(
  const typet &array_type,
  const std::vector<std::pair<exprt, exprt>> &reads)
{
  test_dpll_propt prop;
  boolbvt conv(prop);
  conv.unbounded_array_mode = 1;
  const exprt a = symbol_expr("a", array_type);
  for(const auto &read : reads)
    conv.set_to(equal_expr(index_expr(a, read.first), read.second), true);
  EXPECT_EQ(conv.solve(), decision_proceduret::D_SATISFIABLE);
  return conv.get(a);
}
} // namespace

TEST(BoolbvGet, UnboundedArraysFromTheirReads)
{
  const typet u8 = unsignedbv_type(8), s8 = signedbv_type(8);
  const exprt nine = bv_constant(9, u4), two = bv_constant(2, u4);
  const exprt unknown("unknown");

  const typet small = array_type(u4, 3);
  exprt expected("array", small);
  expected.operands() = {unknown, nine, unknown};
  EXPECT_EQ(unbounded_read_back(small, {{bv_constant(1, u8), nine}}), expected);

  // Reads outside the array are dropped, below and above.
  const typet five = array_type(u4, bv_constant(5, s8));
  expected = exprt("array", five);
  expected.operands() = {two, unknown, unknown, unknown, unknown};
  EXPECT_EQ(
    unbounded_read_back(
      five,
      {{bv_constant(0, s8), two},
       {bv_constant(5, s8), nine},
       {bv_constant(-1, s8), nine}}),
    expected);

  // A read at a compound index counts with the index's value.
  const exprt i = symbol_expr("i", unsignedbv_type(2));
  expected = exprt("array", small);
  expected.operands() = {unknown, unknown, nine};
  test_dpll_propt prop;
  boolbvt conv(prop);
  conv.unbounded_array_mode = 1;
  const exprt a = symbol_expr("a", small);
  conv.set_to(equal_expr(i, bv_constant(2, unsignedbv_type(2))), true);
  conv.set_to(
    equal_expr(index_expr(a, make_expr("typecast", u8, {i})), nine), true);
  ASSERT_EQ(conv.solve(), decision_proceduret::D_SATISFIABLE);
  EXPECT_EQ(conv.get(a), expected);
}

TEST(BoolbvGet, LargeUnboundedArraysAsIndexValuePairs)
{
  const typet u16 = unsignedbv_type(16);
  const exprt nine = bv_constant(9, u4);
  const typet large = array_type(u4, bv_constant(1000, u16));
  exprt expected("array-list", large);
  expected.type().add("size").id(dstring("1000"));
  expected.copy_to_operands(bv_constant(7, u16), nine);
  EXPECT_EQ(
    unbounded_read_back(large, {{bv_constant(7, u16), nine}}), expected);

  // Never read: no value.
  EXPECT_TRUE(unbounded_read_back(large, {}).is_nil());
}

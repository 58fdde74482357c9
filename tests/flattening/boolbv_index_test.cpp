#include "flattening/boolbv.h"
#include "flattening_types.h"
#include "operator_table.h"
#include "propositional/cnf_clause_list.h"
#include "thrown_text.h"

#include <gtest/gtest.h>

namespace
{
const typet u2 = unsignedbv_type(2);
const typet u4 = unsignedbv_type(4);
const typet u32 = unsignedbv_type(32);

// A test DPLL that offers no constraints, so that reads select.
class selecting_dpll_propt : public test_dpll_propt
{
public:
  bool has_set_to() const override
  {
    return false;
  }
};

exprt and_expr(std::initializer_list<exprt> operands)
{
  return make_expr("and", bool_type(), operands);
}

exprt notequal_expr(const exprt &a, const exprt &b)
{
  return make_expr("notequal", bool_type(), {a, b});
}

// The array literal of three 2-bit variables a0, a1, a2.
// Its size is of a type the reference evaluator reads.
const exprt three = make_expr(
  "array",
  array_type(u2, bv_constant(3, unsignedbv_type(8))),
  {symbol_expr("a0", u2), symbol_expr("a1", u2), symbol_expr("a2", u2)});
const table_variablest three_and_index = {
  {"a0", u2}, {"a1", u2}, {"a2", u2}, {"i", u2}};
} // namespace

TEST(BoolbvIndex, ReadsMatchTheReferenceInEveryForm)
{
  // Index 3 lies outside: the read is free there.
  const exprt read = index_expr(three, symbol_expr("i", u2));
  const reference_evaluatort evaluate(read);
  const table_oraclet oracle = [&](const assignmentt &a)
  { return evaluate(a); };
  check_table(read, three_and_index, oracle, table_modet::SYMBOLIC);
  selecting_dpll_propt selecting;
  // Selection reads element 0 outside the array.
  check_constrained_table(
    selecting, read, three_and_index,
    [&](const assignmentt &a) {
      return a.at("i") < 3 ? evaluate(a) : std::optional<long long>(a.at("a0"));
    });
  // Boolean elements, read as single bits.
  const exprt flags = make_expr(
    "array", array_type(bool_type(), bv_constant(2, unsignedbv_type(8))),
    {bool_symbol("b0"), bool_symbol("b1")});
  const typet u1 = unsignedbv_type(1);
  check_table(
    index_expr(flags, symbol_expr("i", u1)),
    {{"b0", bool_type()}, {"b1", bool_type()}, {"i", u1}});
  // Constant indices, inside the array only (outside they are free bits).
  const table_variablest in_range = {
    {"a0", u2}, {"a1", u2}, {"a2", u2}, {"i", unsignedbv_type(1)}};
  check_table(
    index_expr(three, symbol_expr("i", unsignedbv_type(1))), in_range, oracle,
    table_modet::CONSTANT);
}

TEST(BoolbvIndex, NarrowIndexTypesKeepPositionsApart)
{
  // Under a 2-bit unsigned index, 4 is no position: reading A[i] at i = 0
  // must not force A[0] = A[4].
  const exprt array = symbol_expr("A", array_type(u2, 8));
  const exprt read = index_expr(array, symbol_expr("i", u2));
  const exprt apart = notequal_expr(
    index_expr(array, bv_constant(0, u32)),
    index_expr(array, bv_constant(4, u32)));
  const exprt problem = and_expr({equal_expr(read, read), apart});
  EXPECT_TRUE(satisfiable_at(problem, {{"i", u2}}, {{"i", 0}}));

  for(const bool selecting : {false, true})
  {
    std::unique_ptr<test_dpll_propt> prop(
      selecting ? new selecting_dpll_propt : new test_dpll_propt);
    boolbvt conv(*prop);
    conv.set_to(equal_expr(symbol_expr("r", u2), read), true);
    conv.set_to(apart, true);
    conv.set_to(equal_expr(symbol_expr("i", u2), bv_constant(0, u2)), true);
    EXPECT_EQ(conv.solve(), decision_proceduret::D_SATISFIABLE) << selecting;
  }
}

TEST(BoolbvIndex, UnboundedReadsAgreeAtEqualIndices)
{
  const exprt array = symbol_expr("A", array_type(u4, symbol_expr("n", u32)));
  const exprt i = symbol_expr("i", u4), j = symbol_expr("j", u4);
  const exprt reads = and_expr(
    {equal_expr(index_expr(array, i), bv_constant(1, u4)),
     equal_expr(index_expr(array, j), bv_constant(2, u4))});
  const table_variablest variables = {{"i", u4}, {"j", u4}};
  EXPECT_FALSE(satisfiable_at(reads, variables, {{"i", 5}, {"j", 5}}));
  EXPECT_TRUE(satisfiable_at(reads, variables, {{"i", 5}, {"j", 6}}));
}

TEST(BoolbvIndex, UnboundedUpdatesAreReadBack)
{
  // B = A with [i] := v, read at j: v where j = i, A[j] elsewhere; no
  // assignment of i, j and v lets B[j] be anything else.
  const typet type = array_type(u2, symbol_expr("n", u32));
  const exprt a = symbol_expr("A", type), b = symbol_expr("B", type);
  const exprt i = symbol_expr("i", u2), j = symbol_expr("j", u2);
  const exprt v = symbol_expr("v", u2);
  const exprt expected =
    make_expr("if", u2, {equal_expr(i, j), v, index_expr(a, j)});
  const exprt update = equal_expr(b, make_expr("with", type, {a, i, v}));
  const exprt wrong =
    and_expr({update, notequal_expr(index_expr(b, j), expected)});
  const table_variablest variables = {{"i", u2}, {"j", u2}, {"v", u2}};
  for_each_assignment(
    variables,
    [&](const assignmentt &assignment)
    {
      EXPECT_FALSE(satisfiable_at(wrong, variables, assignment))
        << "i=" << assignment.at("i") << " j=" << assignment.at("j");
    });
  EXPECT_TRUE(
    satisfiable_at(update, variables, {{"i", 1}, {"j", 2}, {"v", 3}}));
}

TEST(BoolbvIndex, ConstantReadsOutsideTheArray)
{
  cnf_clause_listt prop;
  boolbvt conv(prop);
  const exprt array = symbol_expr("A", array_type(u4, 4));
  bvt first, second, fresh;
  // A symbol's bits beyond its end are its own, the same on every read.
  ASSERT_FALSE(
    conv.convert_vector_expr(index_expr(array, bv_constant(10, u32)), first));
  ASSERT_FALSE(
    conv.convert_vector_expr(index_expr(array, bv_constant(10, u32)), second));
  EXPECT_EQ(first, second);
  // Beyond what a bit number holds, a read gets fresh bits rather than
  // those of a position its bit number wraps to (2^32 * 4 wraps to 0).
  const typet u64 = unsignedbv_type(64);
  bvt at_zero, far;
  ASSERT_FALSE(
    conv.convert_vector_expr(index_expr(array, bv_constant(0, u64)), at_zero));
  ASSERT_FALSE(conv.convert_vector_expr(
    index_expr(array, bv_constant(1LL << 32, u64)), far));
  EXPECT_NE(far, at_zero);
  // Any other array gives fresh bits beyond its end, and below 0.
  const exprt literal =
    make_expr("array", array_type(u4, 1), {bv_constant(3, u4)});
  for(const long long index : {1LL, -1LL})
  {
    ASSERT_FALSE(conv.convert_vector_expr(
      index_expr(literal, bv_constant(index, signedbv_type(8))), fresh));
    for(const literalt bit : fresh)
      EXPECT_FALSE(bit.is_constant());
  }
}

TEST(BoolbvIndex, ArraysOfNoElementsReadFreeBits)
{
  // Bounded and of size 0: no element to select, in neither form.
  const exprt empty = symbol_expr("E", array_type(u4, 0));
  const exprt read = index_expr(empty, symbol_expr("i", u4));
  for(const bool selecting : {false, true})
  {
    std::unique_ptr<test_dpll_propt> prop(
      selecting ? new selecting_dpll_propt : new test_dpll_propt);
    boolbvt conv(*prop);
    bvt bv;
    ASSERT_FALSE(conv.convert_vector_expr(read, bv));
    ASSERT_EQ(bv.size(), 4u);
    for(const literalt bit : bv)
      EXPECT_FALSE(bit.is_constant());
  }
}

TEST(BoolbvIndex, MalformedReadsAreThrown)
{
  cnf_clause_listt prop;
  boolbvt conv(prop);
  bvt bv;
  const exprt array = symbol_expr("A", array_type(u4, 4));
  EXPECT_EQ(
    thrown_text(
      [&] { conv.convert_vector_expr(make_expr("index", u4, {array}), bv); }),
    "char*: index takes two operands");
}

TEST(BoolbvByteExtract, BytesInBothOrdersMatchTheirPositions)
{
  // The operand: a in bits 12-15, 0000, b in bits 4-7, 1010.
  const typet u16 = unsignedbv_type(16);
  const exprt operand = make_expr(
    "concatenation", u16,
    {symbol_expr("a", u4), bv_constant(0, u4), symbol_expr("b", u4),
     bv_constant(10, u4)});
  const typet u8 = unsignedbv_type(8);
  for(const bool little : {true, false})
  {
    const std::string id =
      little ? "byte_extract_little_endian" : "byte_extract_big_endian";
    // Offsets 2 and 3 lie outside the 2 bytes: free.
    const table_variablest variables = {{"a", u4}, {"b", u4}, {"k", u2}};
    const table_oraclet oracle =
      [=](const assignmentt &v) -> std::optional<long long>
    {
      const long long k = v.at("k");
      if(k > 1)
        return std::nullopt;
      const long long value = (v.at("a") << 12) | (v.at("b") << 4) | 10;
      const long long byte = little ? k : 1 - k;
      return (value >> (8 * byte)) & 255;
    };
    const exprt extract = make_expr(id, u8, {operand, symbol_expr("k", u2)});
    for(const table_modet mode : {table_modet::SYMBOLIC, table_modet::CONSTANT})
      check_table(extract, variables, oracle, mode);
    selecting_dpll_propt selecting;
    check_constrained_table(
      selecting, extract, variables,
      [&](const assignmentt &v)
      {
        assignmentt first = v;
        if(v.at("k") > 1)
          first["k"] = 0; // selection reads the first byte outside
        return oracle(first);
      });
  }
}

TEST(BoolbvByteExtract, ShortOperandsAndMalformedExtractions)
{
  cnf_clause_listt prop;
  boolbvt conv(prop);
  bvt bv;
  const typet u8 = unsignedbv_type(8);
  const exprt x = symbol_expr("x", u4);
  EXPECT_EQ(
    thrown_text(
      [&]
      {
        conv.convert_vector_expr(
          make_expr(
            "byte_extract_little_endian", u8, {x, symbol_expr("k", u4)}),
          bv);
      }),
    "char*: byte_extract expects at least one byte as operand");
  EXPECT_EQ(
    thrown_text(
      [&]
      {
        conv.convert_vector_expr(
          make_expr("byte_extract_big_endian", u8, {x}), bv);
      }),
    "char*: byte_extract takes two operands");
  // At a constant offset a short operand gives fresh bits.
  ASSERT_FALSE(conv.convert_vector_expr(
    make_expr("byte_extract_little_endian", u8, {x, bv_constant(0, u4)}), bv));
  ASSERT_EQ(bv.size(), 8u);
  for(const literalt bit : bv)
    EXPECT_FALSE(bit.is_constant());
}

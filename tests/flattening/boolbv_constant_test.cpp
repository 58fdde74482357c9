#include "boolbv_round_trip.h"
#include "harness/reference_evaluator.h"
#include "logged_boolbv.h"
#include "propositional/cnf_clause_list.h"
#include "thrown_text.h"
#include "util/std_types.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
bvt constant_bv(const exprt &constant)
{
  cnf_clause_listt prop;
  boolbvt conv(prop);
  bvt bv;
  EXPECT_FALSE(conv.convert_cached(constant, bv)) << constant.pretty();
  return bv;
}
} // namespace

TEST(BoolbvConstant, EveryKindHasItsBitsAndReadsBack)
{
  struct
  {
    typet type;
    const char *value;
    const char *bits; // bit 0 first
    const char *read; // the "value" read back
  } cases[] = {
    {unsignedbv_type(4), "0101", "1010", "0101"},
    {signedbv_type(4), "1001", "1001", "1001"},
    {width_type("bv", 4), "0011", "1100", "0011"},
    {fixedbv_type(8, 4), "00011000", "00011000", "00011000"},
    {width_type("c_enum", 8), "-1", "11111111", "-1"},
    {width_type("incomplete_c_enum", 4), "5", "1010", "5"},
    // 7 in a range from 5 is stored as 2.
    {range_type(5, 12), "7", "010", "7"},
    {range_type(-3, 4), "-3", "000", "-3"},
    // Digit pairs from the last character: '0' 00, 'z' 11, 'x' 01, '1' 10;
    // read back as the bits themselves.
    {width_type("verilogbv", 4), "1xz0", "00110110", "01101100"},
  };
  for(const auto &test : cases)
  {
    const exprt constant = constant_expr(test.value, test.type);
    SCOPED_TRACE(constant.to_string());
    EXPECT_EQ(constant_bits(constant_bv(constant)), test.bits);
    EXPECT_EQ(round_trip(constant), constant_expr(test.read, test.type));
  }
}

TEST(BoolbvConstant, ArrayConstantsLayElementsFromBitZero)
{
  const typet u8 = unsignedbv_type(8);
  const typet type = array_type(u8, 3);
  const exprt elements[] = {
    bv_constant(1, u8), bv_constant(0x80, u8), bv_constant(3, u8)};
  exprt constant("constant", type);
  for(const exprt &element : elements)
    constant.copy_to_operands(element);
  EXPECT_EQ(
    constant_bits(constant_bv(constant)),
    "10000000" "00000001" "11000000");
  EXPECT_EQ(
    round_trip(constant),
    make_expr("array", type, {elements[0], elements[1], elements[2]}));
}

TEST(BoolbvConstant, MalformedConstantsAreThrown)
{
  const typet u4 = unsignedbv_type(4);
  const exprt short_value = constant_expr("101", u4);
  const exprt bad_digit = constant_expr("12", width_type("verilogbv", 2));
  exprt uneven("constant", array_type(u4, 2));
  uneven.copy_to_operands(
    bv_constant(1, u4), bv_constant(1, unsignedbv_type(3)));
  struct
  {
    exprt constant;
    std::string thrown;
  } cases[] = {
    {short_value,
     "string: wrong value length in constant: " + short_value.to_string()},
    {bad_digit,
     "string: unknown character in Verilog constant:" + bad_digit.to_string()},
    {uneven, "char*: convert_constant: unexpected operand width"},
  };
  for(const auto &test : cases)
  {
    EXPECT_EQ(conversion_thrown_text(test.constant), test.thrown);
  }
}

TEST(BoolbvConstant, ArrayConstantWithoutElements)
{
  // No element width to divide by: an empty array is empty, any other
  // gets free bits.
  cnf_clause_listt prop;
  boolbvt conv(prop);
  bvt bv;
  ASSERT_FALSE(conv.convert_cached(
    exprt("constant", array_type(unsignedbv_type(4), 0u)), bv));
  EXPECT_TRUE(bv.empty());
  ASSERT_FALSE(conv.convert_cached(
    exprt("constant", array_type(unsignedbv_type(4), 2u)), bv));
  EXPECT_EQ(constant_bits(bv), "????????");
}

// Every value of every source type, through the solver: the cast's value
// read back is the reference evaluator's.
TEST(BoolbvTypecast, IntegersAndBooleansAgreeWithTheReference)
{
  const std::vector<typet> types = {
    bool_type(),
    unsignedbv_type(2),
    unsignedbv_type(4),
    unsignedbv_type(6),
    signedbv_type(2),
    signedbv_type(4),
    signedbv_type(6)};
  for(const typet &source : types)
    for(const typet &target : types)
    {
      const exprt x = symbol_expr("x", source);
      const exprt cast = make_expr("typecast", target, {x});
      SCOPED_TRACE(cast.to_string());
      test_dpll_propt prop;
      boolbvt conv(prop);
      const exprt result = symbol_expr("result", target);
      conv.set_to(equal_expr(result, cast), true);
      bvt x_bits;
      ASSERT_FALSE(conv.convert_cached(x, x_bits));

      for_each_assignment({{"x", source}}, [&](const assignmentt &values) {
        const long long value = values.at("x");
        prop.assumptions.clear();
        for(std::size_t i = 0; i < x_bits.size(); ++i)
          prop.assumptions.push_back(
            x_bits[i].cond_negation(((value >> i) & 1) == 0));
        ASSERT_EQ(conv.solve(), decision_proceduret::D_SATISFIABLE);
        const long long expected = *reference_eval(cast, values);
        const exprt expected_value = target.id() == "bool"
                                       ? bool_constant(expected != 0)
                                       : bv_constant(expected, target);
        EXPECT_EQ(conv.get(result), expected_value) << "x = " << value;
      });
    }
}

namespace
{
long long floor_shift_right(long long value, unsigned distance)
{
  // Arithmetic shift: rounds toward minus infinity.
  return value >= 0 ? value >> distance
                    : -((-value + (1LL << distance) - 1) >> distance);
}

// The fixed-point reading of a scaled integer with `from` fraction bits
// at `to` fraction bits, rounded down.
long long rescale(long long scaled, unsigned from, unsigned to)
{
  return to >= from ? scaled * (1LL << (to - from))
                    : floor_shift_right(scaled, from - to);
}
} // namespace

// x has 3 integer and 3 fraction bits (-4.0 ... 3.875); each target reads
// it rounded down at its own point and wraps to its own width.
TEST(BoolbvTypecast, FixedPointAlignsAtThePoint)
{
  const typet source = fixedbv_type(6, 3);
  struct
  {
    typet target;
    unsigned fraction; // of the target; 0 for integers
  } cases[] = {
    {fixedbv_type(8, 4), 4},
    {fixedbv_type(12, 4), 8},
    {fixedbv_type(4, 2), 2},
    {fixedbv_type(6, 5), 1},
    {signedbv_type(4), 0},
    {unsignedbv_type(2), 0},
    // Wider than the integer part: filled with the sign.
    {unsignedbv_type(8), 0},
  };
  for(const auto &test : cases)
  {
    const exprt x = symbol_expr("x", source);
    const exprt cast = make_expr("typecast", test.target, {x});
    SCOPED_TRACE(cast.to_string());
    const unsigned width = type_width(test.target);
    for(long long scaled = -32; scaled < 32; ++scaled)
    {
      const exprt value = constant_expr(bits_of(scaled, 6), source);
      const exprt constant_cast = make_expr("typecast", test.target, {value});
      const long long expected = rescale(scaled, 3, test.fraction);
      EXPECT_EQ(
        round_trip(constant_cast),
        constant_expr(bits_of(expected, width), test.target))
        << "scaled x = " << scaled;
    }
  }
}

TEST(BoolbvTypecast, IntegersAndBooleansToFixedPoint)
{
  const typet target = fixedbv_type(8, 4);
  struct
  {
    exprt operand;
    long long scaled; // the target's value times 16
  } cases[] = {
    {bv_constant(-2, signedbv_type(8)), -32},
    {bv_constant(-7, signedbv_type(3)), 16}, // -7 wraps to 1 in 3 bits
    {bv_constant(9, unsignedbv_type(4)), 9 * 16},
    {bv_constant(3, unsignedbv_type(2)), 48},
    {bool_constant(true), 16},
    {bool_constant(false), 0},
  };
  for(const auto &test : cases)
  {
    const exprt cast = make_expr("typecast", target, {test.operand});
    EXPECT_EQ(round_trip(cast), constant_expr(bits_of(test.scaled, 8), target))
      << cast.to_string();
  }
}

TEST(BoolbvTypecast, RangesVerilogAndStructures)
{
  const typet u4 = unsignedbv_type(4), u2 = unsignedbv_type(2);
  const typet whole =
    compound_type("struct", {{"a", u4}, {"b", u2}, {"c", bool_type()}});
  const typet front = compound_type("struct", {{"a", u4}, {"b", u2}});
  const exprt value = make_expr(
    "struct",
    whole,
    {bv_constant(9, u4), bv_constant(2, u2), bool_constant(true)});
  struct
  {
    exprt cast;
    exprt expected;
  } cases[] = {
    {make_expr("typecast", range_type(0, 63), {bv_constant(13, u4)}),
     constant_expr("13", range_type(0, 63))},
    // Each bit becomes a digit '1' or '0', two bits per digit.
    {make_expr("typecast", width_type("verilogbv", 3), {bv_constant(2, u2)}),
     constant_expr("000100", width_type("verilogbv", 3))},
    {make_expr("typecast", front, {value}),
     make_expr("struct", front, {bv_constant(9, u4), bv_constant(2, u2)})},
    {make_expr("typecast", array_type(u2, 2), {bv_constant(6, u4)}),
     make_expr(
       "array",
       array_type(u2, 2),
       {bv_constant(2, u2), bv_constant(1, u2)})},
  };
  for(const auto &test : cases)
    EXPECT_EQ(round_trip(test.cast), test.expected) << test.cast.to_string();
}

TEST(BoolbvTypecast, UnsupportedPairsAreNotConverted)
{
  const typet u4 = unsignedbv_type(4);
  const typet whole = compound_type("struct", {{"a", u4}, {"b", u4}});
  const typet renamed = compound_type("struct", {{"z", u4}});
  const exprt x = symbol_expr("x", u4);
  const exprt cases[] = {
    make_expr("typecast", range_type(1, 16), {x}),
    make_expr("typecast", renamed, {symbol_expr("s", whole)}),
    make_expr("typecast", compound_type("union", {{"a", u4}}), {x}),
    make_expr("typecast", width_type("bv", 4), {x}),
    make_expr("typecast", u4, {symbol_expr("r", range_type(0, 15))}),
  };
  for(const exprt &cast : cases)
  {
    logged_boolbvt logged;
    auto &[prop, handler, conv] = logged;
    bvt bv;
    ASSERT_FALSE(conv.convert_cached(cast, bv));
    EXPECT_TRUE(handler.has(2, "warning: ignoring ")) << cast.to_string();
  }

  cnf_clause_listt prop;
  boolbvt conv(prop);
  bvt bv;
  EXPECT_EQ(
    thrown_text(
      [&] { conv.convert_cached(make_expr("typecast", u4, {}), bv); }),
    "char*: typecast takes one operand");
}

// Its values are checked against the reference above; what is left is
// the operand that cannot be converted.
TEST(BoolbvTypecast, ToBoolOfWhatHasNoBitsIsAFreeLiteral)
{
  logged_boolbvt logged;
  auto &[prop, handler, conv] = logged;
  const exprt x = symbol_expr("x", unsignedbv_type(8));
  EXPECT_FALSE(
    conv.convert(make_expr("typecast", bool_type(), {x})).is_constant());
  EXPECT_TRUE(handler.messages.empty());

  const exprt unconvertible = make_expr(
    "typecast", bool_type(), {symbol_expr("n", typet("integer"))});
  EXPECT_FALSE(conv.convert(unconvertible).is_constant());
  EXPECT_TRUE(handler.has(2, "warning: ignoring "));
}

// Widening fills with the sign of a signed source whatever the target, as
// the simplifier and the text back ends read such a cast.
TEST(BoolbvTypecast, SignedSourcesWidenWithTheirSign)
{
  const typet u8 = unsignedbv_type(8), u16 = unsignedbv_type(16);
  struct
  {
    exprt operand;
    typet target;
    long long expected;
  } cases[] = {
    {bv_constant(-1, signedbv_type(8)), u16, 65535},
    {constant_expr("-7", width_type("c_enum", 4)), u8, 249},
    // -1.5 rounds down to -2.
    {constant_expr(bits_of(-3, 4), fixedbv_type(4, 3)), u8, 254},
    {bv_constant(-1, signedbv_type(4)), range_type(0, 63), 63},
  };
  for(const auto &test : cases)
  {
    const exprt cast = make_expr("typecast", test.target, {test.operand});
    const exprt expected =
      test.target.id() == "range"
        ? constant_expr(std::to_string(test.expected), test.target)
        : bv_constant(test.expected, test.target);
    EXPECT_EQ(round_trip(cast), expected) << cast.to_string();
  }
}

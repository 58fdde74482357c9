#include "circuit_check.h"

#include "propositional/aig_prop.h"
#include "propositional/cnf_clause_list.h"
#include "tests/util/condition_regex.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
typedef std::int64_t I;
typedef std::optional<I> O;
typedef std::vector<bvt> &inputst;

// Whether a true result fits the width as a signed (unsigned) number.
bool fits_signed(I value, unsigned width)
{
  return value >= -(I(1) << (width - 1)) && value < (I(1) << (width - 1));
}

bool fits_unsigned(I value, unsigned width)
{
  return value >= 0 && value < (I(1) << width);
}

// Floor division by 2^s of a signed value, s at least 0.
I arithmetic_shift(I value, I s)
{
  return value >= 0 ? value >> s : -((-value - 1) >> s) - 1;
}

// Every circuit the cases make at each width checked: 1 (the sign alone),
// odd and even widths beyond.
void expect_circuits_at_each_width(
  std::vector<circuit_caset> (*cases)(unsigned w))
{
  for(unsigned w : {1u, 3u, 4u, 5u})
    for(const circuit_caset &circuit : cases(w))
    {
      SCOPED_TRACE("width " + std::to_string(w));
      expect_circuit(circuit);
    }
}

// Circuits over operands of width w that compute a value modulo 2^width.
std::vector<circuit_caset> arithmetic_cases(unsigned w)
{
  return {
    {"add_sub +",
     {w, w},
     [](bv_utilst &b, inputst in) {
       b.add_sub(in[0], in[1], false);
       return in[0];
     },
     [](const valuest &v) { return O(v[0] + v[1]); }},
    {"add_sub -",
     {w, w},
     [](bv_utilst &b, inputst in) {
       b.add_sub(in[0], in[1], true);
       return in[0];
     },
     [](const valuest &v) { return O(v[0] - v[1]); }},
    {"adder with carry in and carry out",
     {w, w, 1},
     [](bv_utilst &b, inputst in) {
       literalt carry_out;
       b.adder(in[0], in[1], false, in[2][0], carry_out, false);
       in[0].push_back(carry_out);
       return in[0];
     },
     [](const valuest &v) { return O(v[0] + v[1] + v[2]); }},
    {"adder carry only",
     {w, w},
     [](bv_utilst &b, inputst in) {
       literalt carry_out;
       b.adder(in[0], in[1], true, const_literal(true), carry_out, true);
       in[0].push_back(carry_out);
       return in[0];
     },
     [w](const valuest &v) { return O(v[0] + ((v[0] >= v[1]) << w)); }},
    {"incrementer",
     {w, 1},
     [](bv_utilst &b, inputst in) {
       literalt carry_out;
       b.incrementer(in[0], in[1][0], carry_out);
       in[0].push_back(carry_out);
       return in[0];
     },
     [](const valuest &v) { return O(v[0] + v[1]); }},
    {"negate",
     {w},
     [](bv_utilst &b, inputst in) {
       b.negate(in[0]);
       return in[0];
     },
     [](const valuest &v) { return O(-v[0]); }},
    {"inverter",
     {w},
     [](bv_utilst &b, inputst in) {
       b.inverter(in[0]);
       return in[0];
     },
     [](const valuest &v) { return O(~v[0]); }},
    {"cond_negate",
     {1, w},
     [](bv_utilst &b, inputst in) {
       b.cond_negate(in[1], in[0][0]);
       return in[1];
     },
     [](const valuest &v) { return O(v[0] ? -v[1] : v[1]); }},
    {"bv_if",
     {1, w, w},
     [](bv_utilst &b, inputst in) { return b.bv_if(in[0][0], in[1], in[2]); },
     [](const valuest &v) { return O(v[0] ? v[1] : v[2]); }},
    {"unsigned_multiplier",
     {w, w},
     [](bv_utilst &b, inputst in) {
       b.multiplier(in[0], in[1], false);
       return in[0];
     },
     [](const valuest &v) { return O(v[0] * v[1]); }},
    {"signed_multiplier",
     {w, w},
     [](bv_utilst &b, inputst in) {
       b.multiplier(in[0], in[1], true);
       return in[0];
     },
     [w](const valuest &v) {
       return O(to_signed(v[0], w) * to_signed(v[1], w));
     }},
  };
}
} // namespace

TEST(BvUtils, ArithmeticCircuitsMatchReferenceOnEveryInput)
{
  expect_circuits_at_each_width(arithmetic_cases);
}

namespace
{
// One-literal results: comparators, equality and the most-negative test.
std::vector<circuit_caset> predicate_cases(unsigned w)
{
  std::vector<circuit_caset> cases;
  for(bool allow_equal : {false, true})
    for(bool is_signed : {false, true})
      cases.push_back(
        {"comparator",
         {w, w},
         [=](bv_utilst &b, inputst in) {
           return bvt{b.comparator(allow_equal, in[0], in[1], is_signed)};
         },
         [=](const valuest &v) {
           I a = is_signed ? to_signed(v[0], w) : v[0];
           I c = is_signed ? to_signed(v[1], w) : v[1];
           return O(allow_equal ? a <= c : a < c);
         }});
  cases.push_back(
    {"equal",
     {w, w},
     [](bv_utilst &b, inputst in) { return bvt{b.equal(in[0], in[1])}; },
     [](const valuest &v) { return O(v[0] == v[1]); }});
  cases.push_back(
    {"is_most_negative",
     {w},
     [](bv_utilst &b, inputst in) { return bvt{b.is_most_negative(in[0])}; },
     [w](const valuest &v) { return O(v[0] == (I(1) << (w - 1))); }});
  cases.push_back(
    {"carry",
     {1, 1, 1},
     [](bv_utilst &b, inputst in) {
       return bvt{b.carry(in[0][0], in[1][0], in[2][0])};
     },
     [](const valuest &v) { return O(v[0] + v[1] + v[2] >= 2); }});
  return cases;
}
} // namespace

TEST(BvUtils, PredicatesMatchReferenceOnEveryInput)
{
  expect_circuits_at_each_width(predicate_cases);
}

namespace
{
// A distance of the width or more shifts every bit out.
I shift_reference(bv_utilst::shiftt kind, I value, I distance, unsigned w)
{
  switch(kind)
  {
  case bv_utilst::SHIFT_LEFT:
    return distance >= w ? 0 : value << distance;
  case bv_utilst::SHIFT_LOGICAL_RIGHT:
    return distance >= w ? 0 : value >> distance;
  case bv_utilst::SHIFT_ARITHMETIC_RIGHT:
    return arithmetic_shift(to_signed(value, w), distance >= w ? w : distance);
  }
  return 0;
}
} // namespace

TEST(BvUtils, ShiftersMatchReferenceForEveryDistance)
{
  for(unsigned w : {1u, 3u, 4u, 5u})
    for(unsigned distance_width : {2u, 4u, 5u})
      for(bv_utilst::shiftt kind :
          {bv_utilst::SHIFT_LEFT,
           bv_utilst::SHIFT_LOGICAL_RIGHT,
           bv_utilst::SHIFT_ARITHMETIC_RIGHT})
      {
        SCOPED_TRACE(
          "width " + std::to_string(w) + ", distance width " +
          std::to_string(distance_width) + ", kind " + std::to_string(kind));
        expect_circuit(
          {"shifter",
           {w, distance_width},
           [kind](bv_utilst &b, inputst in) {
             b.shifter(kind, in[0], in[1]);
             return in[0];
           },
           [kind, w](const valuest &v) {
             return O(shift_reference(kind, v[0], v[1], w));
           }});
      }
}

namespace
{
// The circuits that constrain their operation not to overflow: inputs
// whose true result does not fit have no model.
std::vector<circuit_caset> no_overflow_cases(unsigned w)
{
  auto fits = [w](bool is_signed, I value) {
    return is_signed ? fits_signed(value, w) : fits_unsigned(value, w);
  };
  std::vector<circuit_caset> cases;
  for(bool subtract : {false, true})
    for(bool is_signed : {false, true})
      cases.push_back(
        {"adder_no_overflow",
         {w, w},
         [=](bv_utilst &b, inputst in) {
           b.adder_no_overflow(in[0], in[1], subtract, is_signed);
           return in[0];
         },
         [=](const valuest &v) {
           I a = is_signed ? to_signed(v[0], w) : v[0];
           I c = is_signed ? to_signed(v[1], w) : v[1];
           I r = subtract ? a - c : a + c;
           return fits(is_signed, r) ? O(r) : O();
         }});
  for(bool is_signed : {false, true})
    cases.push_back(
      {"multiplier_no_overflow",
       {w, w},
       [=](bv_utilst &b, inputst in) {
         b.multiplier_no_overflow(in[0], in[1], is_signed);
         return in[0];
       },
       [=](const valuest &v) {
         I r = is_signed ? to_signed(v[0], w) * to_signed(v[1], w)
                         : v[0] * v[1];
         return fits(is_signed, r) ? O(r) : O();
       }});
  cases.push_back(
    {"unsigned_multiplier_no_overflow into a result",
     {w, w},
     [](bv_utilst &b, inputst in) {
       bvt result;
       b.unsigned_multiplier_no_overflow(in[0], in[1], result);
       return result;
     },
     [=](const valuest &v) {
       return fits(false, v[0] * v[1]) ? O(v[0] * v[1]) : O();
     }});
  cases.push_back(
    {"unsigned_adder_no_overflow",
     {w, w},
     [](bv_utilst &b, inputst in) {
       b.unsigned_adder_no_overflow(in[0], in[1]);
       return in[0];
     },
     [=](const valuest &v) {
       return fits(false, v[0] + v[1]) ? O(v[0] + v[1]) : O();
     }});
  cases.push_back(
    {"negate_no_overflow",
     {w},
     [](bv_utilst &b, inputst in) {
       b.negate_no_overflow(in[0]);
       return in[0];
     },
     [=](const valuest &v) {
       I r = -to_signed(v[0], w);
       return fits(true, r) ? O(r) : O();
     }});
  cases.push_back(
    {"cond_negate_no_overflow",
     {1, w},
     [](bv_utilst &b, inputst in) {
       b.cond_negate_no_overflow(in[1], in[0][0]);
       return in[1];
     },
     [=](const valuest &v) {
       I r = v[0] ? -to_signed(v[1], w) : v[1];
       return !v[0] || fits(true, r) ? O(r) : O();
     }});
  return cases;
}
} // namespace

TEST(BvUtils, NoOverflowCircuitsAdmitExactlyTheFittingResults)
{
  expect_circuits_at_each_width(no_overflow_cases);
}

namespace
{
// Quotient and remainder side by side; both read as zero when the divisor
// is zero, as they are free then (checked apart).
circuit_caset divider_case(unsigned w, bool is_signed)
{
  return {
    "divider",
    {w, w},
    [=](bv_utilst &b, inputst in) {
      bvt quotient, remainder;
      b.divider(in[0], in[1], quotient, remainder, is_signed);
      bvt both = quotient;
      both.insert(both.end(), remainder.begin(), remainder.end());
      const bvt zero(w, const_literal(false));
      const bvt zeros(2 * w, const_literal(false));
      return b.bv_if(b.equal(in[1], zero), zeros, both);
    },
    [=](const valuest &v) {
      I a = is_signed ? to_signed(v[0], w) : v[0];
      I c = is_signed ? to_signed(v[1], w) : v[1];
      if(c == 0)
        return O(0);
      // C++ division truncates towards zero, the remainder taking the
      // dividend's sign: the semantics wanted.
      I mask = (I(1) << w) - 1;
      return O(((a / c) & mask) | (((a % c) & mask) << w));
    }};
}
} // namespace

TEST(BvUtils, DividersMatchTruncatingDivision)
{
  for(unsigned w : {1u, 3u, 4u, 5u})
    for(bool is_signed : {false, true})
    {
      SCOPED_TRACE(
        "width " + std::to_string(w) + (is_signed ? " signed" : " unsigned"));
      expect_circuit(divider_case(w, is_signed));
    }
}

TEST(BvUtils, DivisionByZeroLeavesQuotientAndRemainderFree)
{
  const unsigned w = 4;
  for(bool is_signed : {false, true})
  {
    SCOPED_TRACE(is_signed ? "signed" : "unsigned");
    test_dpll_propt prop;
    bv_utilst utils(prop);
    bvt dividend;
    for(unsigned bit = 0; bit < w; ++bit)
      dividend.push_back(prop.new_variable());
    const bvt zero(w, const_literal(false));
    bvt quotient, remainder;
    utils.divider(dividend, zero, quotient, remainder, is_signed);
    for(const valuest &values : all_values({w, w, w}))
    {
      prop.assumptions =
        value_assumptions({dividend, quotient, remainder}, values);
      EXPECT_EQ(prop.prop_solve(), propt::P_SATISFIABLE)
        << ::testing::PrintToString(values);
    }
  }
}

namespace
{
bvt fresh_vector(propt &prop, unsigned width)
{
  bvt result;
  for(unsigned bit = 0; bit < width; ++bit)
    result.push_back(prop.new_variable());
  return result;
}
} // namespace

TEST(BvUtils, ConstantFalseShiftDistanceCreatesNothing)
{
  for(const bvt &distance : {bvt(), bvt(5, const_literal(false))})
  {
    cnf_clause_listt prop;
    bv_utilst utils(prop);
    const bvt original = fresh_vector(prop, 6);
    bvt bv = original;
    utils.shifter(bv_utilst::SHIFT_ARITHMETIC_RIGHT, bv, distance);
    EXPECT_EQ(bv, original);
    EXPECT_EQ(prop.no_variables(), 7u);
    EXPECT_EQ(prop.no_clauses(), 0u);
  }
}

// Vector of the low `width` bits of value, as constants.
bvt constant_vector(unsigned value, unsigned width)
{
  bvt result;
  for(unsigned bit = 0; bit < width; ++bit)
    result.push_back(const_literal((value >> bit) & 1));
  return result;
}

TEST(BvUtils, ConstantFactorDecidesThePartialProductsOnEitherSide)
{
  cnf_clause_listt by_zero;
  bv_utilst zero_utils(by_zero);
  bvt product = fresh_vector(by_zero, 4);
  zero_utils.unsigned_multiplier(product, constant_vector(0, 4));
  EXPECT_EQ(product, constant_vector(0, 4));
  EXPECT_EQ(by_zero.no_variables(), 5u);

  // Times 3: one partial product per set bit, whichever operand is the
  // constant.
  unsigned variables[2];
  for(bool constant_first : {false, true})
  {
    cnf_clause_listt prop;
    bv_utilst utils(prop);
    bvt op0 = fresh_vector(prop, 4);
    bvt op1 = constant_vector(3, 4);
    if(constant_first)
      std::swap(op0, op1);
    utils.unsigned_multiplier(op0, op1);
    variables[constant_first] = prop.no_variables();
  }
  EXPECT_EQ(variables[0], variables[1]);
}

TEST(BvUtilsDeathTest, BrokenPreconditions)
{
  cnf_clause_listt prop;
  bv_utilst utils(prop);
  const bvt three = fresh_vector(prop, 3);
  const bvt four = fresh_vector(prop, 4);
  EXPECT_DEATH(
    utils.bv_if(const_literal(true), three, four),
    condition_regex("op1.size()==op2.size()"));
  EXPECT_DEATH(
    utils.equal(three, four), condition_regex("op0.size()==op1.size()"));
  bvt result;
  EXPECT_DEATH(
    utils.unsigned_multiplier_no_overflow(three, four, result),
    condition_regex("_op0.size()==_op1.size()"));
  bvt copy = four;
  EXPECT_DEATH(
    utils.shifter(bv_utilst::shiftt(3), copy, four), "Assertion `false'");

  and_grapht graph;
  and_graph_propt no_constraints(graph);
  bv_utilst graph_utils(no_constraints);
  bvt quotient, remainder;
  EXPECT_DEATH(
    graph_utils.divider(four, four, quotient, remainder, false),
    "prop\\.has_set_to\\(\\)");
}

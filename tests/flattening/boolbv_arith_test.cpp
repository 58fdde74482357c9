#include "flattening/boolbv.h"
#include "flattening_types.h"
#include "logged_boolbv.h"
#include "operator_table.h"
#include "propositional/cnf_clause_list.h"
#include "thrown_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

namespace
{
const exprt x4u = symbol_expr("x", unsignedbv_type(4));

table_variablest two_of(const typet &type)
{
  return {{"x", type}, {"y", type}};
}

exprt binary(const std::string &id, const typet &type)
{
  return make_expr(id, type, {symbol_expr("x", type), symbol_expr("y", type)});
}

// The value modulo 2^width, in the type's range.
long long wrap(long long v, unsigned width, bool is_signed)
{
  const long long modulus = 1LL << width;
  v = ((v % modulus) + modulus) % modulus;
  if(is_signed && v >= modulus / 2)
    v -= modulus;
  return v;
}

long long floor_div(long long a, long long b)
{
  long long q = a / b;
  if((a % b != 0) && ((a < 0) != (b < 0)))
    --q;
  return q;
}
} // namespace

namespace
{
// Every pair of 4-bit values, on 4 and on 5 bits, signed and unsigned.
void check_every_pair(std::initializer_list<const char *> ids)
{
  for(const bool is_signed : {false, true})
    for(const unsigned width : {4u, 5u})
    {
      const typet type = bv_type(width, is_signed);
      for(const char *id : ids)
        check_table(binary(id, type), two_of(type), 4);
    }
}
} // namespace

TEST(BoolbvArithmetic, SumsAndDifferencesMatchTheReference)
{
  check_every_pair({"+", "-"});
  for(const typet &type : {unsignedbv_type(4), signedbv_type(5)})
    check_table(
      make_expr("unary-", type, {symbol_expr("x", type)}), {{"x", type}});
}

TEST(BoolbvArithmetic, ProductsMatchTheReference)
{
  check_every_pair({"*"});
}

TEST(BoolbvArithmetic, QuotientsAndRemaindersMatchTheReference)
{
  check_every_pair({"/", "mod"});
}

TEST(BoolbvArithmetic, SubtractionIsLeftAssociativeAndOneOperandIsItself)
{
  const typet u8 = unsignedbv_type(8);
  const typet u4 = unsignedbv_type(4);
  check_table(
    make_expr(
      "-", u8, {bv_constant(5, u8), bv_constant(2, u8), bv_constant(1, u8)}),
    {}, [](const assignmentt &) { return 2; }, table_modet::SYMBOLIC);
  check_table(make_expr("+", u4, {x4u}), {{"x", u4}});
  check_table(
    make_expr("*", u4, {x4u, symbol_expr("y", u4), symbol_expr("z", u4)}),
    {{"x", u4}, {"y", u4}, {"z", u4}},
    [](const assignmentt &a)
    { return wrap(a.at("x") * a.at("y") * a.at("z"), 4, false); },
    table_modet::SYMBOLIC);
}

TEST(BoolbvArithmetic, NoOverflowFormsExcludeOverflowingOperands)
{
  for(const bool is_signed : {false, true})
  {
    const typet type = bv_type(4, is_signed);
    const long long low = is_signed ? -8 : 0, high = is_signed ? 7 : 15;
    const auto within = [=](long long v) -> std::optional<long long>
    {
      if(v < low || v > high)
        return std::nullopt;
      return v;
    };
    check_constrained_table(
      binary("no-overflow-plus", type), two_of(type),
      [&](const assignmentt &a) { return within(a.at("x") + a.at("y")); });
    check_constrained_table(
      binary("no-overflow-minus", type), two_of(type),
      [&](const assignmentt &a) { return within(a.at("x") - a.at("y")); });
    check_constrained_table(
      binary("no-overflow-mult", type), two_of(type),
      [&](const assignmentt &a) { return within(a.at("x") * a.at("y")); });
    // Negation excludes only the pattern 1000, whatever the signedness.
    check_constrained_table(
      make_expr("no-overflow-unary-minus", type, {symbol_expr("x", type)}),
      {{"x", type}},
      [=](const assignmentt &a) -> std::optional<long long>
      {
        if(wrap(a.at("x"), 4, false) == 8)
          return std::nullopt;
        return wrap(-a.at("x"), 4, is_signed);
      });
  }
}

TEST(BoolbvArithmetic, FixedPointProductsAndQuotients)
{
  // Width 5 with 2 integer bits: 3 fraction bits.
  const typet fixed = fixedbv_type(5, 2);
  const unsigned f = 3;
  const unsigned values = 4; // pairs of 4-bit raw values
  check_table(
    binary("*", fixed), two_of(fixed),
    [&](const assignmentt &a)
    {
      // Truncated towards minus infinity, modulo 2^width.
      return wrap(floor_div(a.at("x") * a.at("y"), 1LL << f), 5, true);
    },
    table_modet::SYMBOLIC, values);
  for(const table_modet mode : {table_modet::SYMBOLIC, table_modet::CONSTANT})
    check_table(
      binary("/", fixed), two_of(fixed),
      [&](const assignmentt &a) -> std::optional<long long>
      {
        if(a.at("y") == 0)
          return std::nullopt;
        // a * 2^f / b on width + f bits, truncated towards zero.
        return wrap((a.at("x") * (1LL << f)) / a.at("y"), 5, true);
      },
      mode, values);

  // Width 8 with 4 integer bits: 1.5 * 2.0 = 3.0 and 1.5 / 0.5 = 3.0.
  const typet q4 = fixedbv_type(8, 4);
  const auto raw = [](long long v)
  { return [v](const assignmentt &) { return std::optional<long long>(v); }; };
  check_table(
    make_expr("*", q4, {bv_constant(24, q4), bv_constant(32, q4)}), {}, raw(48),
    table_modet::SYMBOLIC);
  check_table(
    make_expr("/", q4, {bv_constant(24, q4), bv_constant(8, q4)}), {}, raw(48),
    table_modet::SYMBOLIC);
}

TEST(BoolbvArithmetic, FixedPointWithoutIntegerBitsHasHalfTheWidthAsFraction)
{
  // Width 7 without "integer_bits": 3 fraction bits, so 1.0 is raw 8 and
  // 1.0 * 1.0 stays raw 8.
  typet fixed = width_type("fixedbv", 7);
  check_table(
    make_expr("*", fixed, {bv_constant(8, fixed), bv_constant(8, fixed)}), {},
    [](const assignmentt &) { return 8; }, table_modet::SYMBOLIC);
}

TEST(BoolbvArithmetic, OverflowPredicatesMatchTheirDefinitions)
{
  const auto out_of_range = [](long long v, long long low, long long high)
  { return std::optional<long long>(v < low || v > high); };
  for(const bool is_signed : {false, true})
  {
    const typet type = bv_type(4, is_signed);
    const exprt x = symbol_expr("x", type), y = symbol_expr("y", type);
    const auto as_signed = [](long long v) { return wrap(v, 4, true); };
    // "+" and "-" test two's-complement overflow whatever the types.
    check_table(
      make_expr("overflow-+", bool_type(), {x, y}), two_of(type),
      [&](const assignmentt &a) {
        return out_of_range(as_signed(a.at("x")) + as_signed(a.at("y")), -8, 7);
      },
      table_modet::SYMBOLIC);
    check_table(
      make_expr("overflow--", bool_type(), {x, y}), two_of(type),
      [&](const assignmentt &a) {
        return out_of_range(as_signed(a.at("x")) - as_signed(a.at("y")), -8, 7);
      },
      table_modet::SYMBOLIC);
    check_table(
      make_expr("overflow-*", bool_type(), {x, y}), two_of(type),
      [&](const assignmentt &a)
      {
        return is_signed ? out_of_range(a.at("x") * a.at("y"), -8, 7)
                         : out_of_range(a.at("x") * a.at("y"), 0, 15);
      },
      table_modet::SYMBOLIC);
    check_table(
      make_expr("overflow-unary-", bool_type(), {x}), {{"x", type}},
      [](const assignmentt &a)
      { return std::optional<long long>(wrap(a.at("x"), 4, false) == 8); },
      table_modet::SYMBOLIC);
    check_table(
      make_expr("overflow-typecast-2", bool_type(), {x}), {{"x", type}},
      [](const assignmentt &a)
      { return std::optional<long long>(wrap(a.at("x"), 4, false) >= 4); },
      table_modet::SYMBOLIC);
  }
}

TEST(BoolbvArithmetic, UnencodableOverflowsAreFreeWithAWarning)
{
  logged_boolbvt logged;
  auto &[prop, handler, conv] = logged;
  const exprt y5 = symbol_expr("y", unsignedbv_type(5));
  const literalt l =
    conv.convert(make_expr("overflow-+", bool_type(), {x4u, y5}));
  EXPECT_FALSE(l.is_constant());
  EXPECT_TRUE(handler.has(2, "warning: ignoring "));

  EXPECT_EQ(
    thrown_text(
      [&]
      {
        conv.convert(make_expr(
          "overflow-typecast-8", bool_type(),
          {symbol_expr("b", unsignedbv_type(8))}));
      }),
    "char*: overflow-typecast got wrong number of bits");
  EXPECT_EQ(
    thrown_text([&]
                { conv.convert(make_expr("overflow-*", bool_type(), {x4u})); }),
    "string: operand overflow-* takes two operands");
}

TEST(BoolbvArithmetic, MalformedOperandsAreRefusedOrThrown)
{
  logged_boolbvt logged;
  auto &[prop, handler, conv] = logged;
  const typet u4 = unsignedbv_type(4), s4 = signedbv_type(4);
  bvt bv;

  // Not converted: the caller gives free bits after a warning.
  EXPECT_TRUE(conv.convert_vector_expr(make_expr("*", u4, {}), bv));
  EXPECT_TRUE(conv.convert_vector_expr(
    make_expr("/", u4, {symbol_expr("s", s4), x4u}), bv));

  testing::internal::CaptureStderr();
  const std::string mixed = thrown_text(
    [&]
    {
      conv.convert_vector_expr(
        make_expr("+", u4, {x4u, symbol_expr("y", unsignedbv_type(5))}), bv);
    });
  EXPECT_NE(
    testing::internal::GetCapturedStderr().find("+"), std::string::npos);
  EXPECT_EQ(mixed, "char*: add/sub with mixed types");
  EXPECT_EQ(
    thrown_text([&] { conv.convert_vector_expr(make_expr("+", u4, {}), bv); }),
    "string: operand + takes at least one operand");
  EXPECT_EQ(
    thrown_text(
      [&]
      {
        conv.convert_vector_expr(
          make_expr("*", u4, {x4u, symbol_expr("s", s4)}), bv);
      }),
    "char*: multiplication with mixed types");
  EXPECT_EQ(
    thrown_text([&]
                { conv.convert_vector_expr(make_expr("mod", u4, {x4u}), bv); }),
    "char*: mod takes two operands");
  EXPECT_EQ(
    thrown_text([&]
                { conv.convert_vector_expr(make_expr("unary-", u4, {}), bv); }),
    "char*: unary minus takes one operand");
}

TEST(BoolbvArithmetic, OperandsOfNoBitsReadNoSign)
{
  // Circuits that read a top bit are not built for values of no bits.
  logged_boolbvt logged;
  auto &[prop, handler, conv] = logged;
  for(const bool is_signed : {false, true})
  {
    const typet empty = bv_type(0, is_signed);
    const exprt a = symbol_expr("a", empty), b = symbol_expr("b", empty);
    for(const char *id : {"/", "mod", "no-overflow-plus", "no-overflow-minus"})
    {
      bvt bv;
      EXPECT_FALSE(conv.convert_vector_expr(make_expr(id, empty, {a, b}), bv))
        << id;
      EXPECT_TRUE(bv.empty()) << id;
    }
    for(const char *id : {"overflow-+", "overflow--", "overflow-unary-"})
    {
      handler.messages.clear();
      const exprt predicate = std::string(id) == "overflow-unary-"
                                ? make_expr(id, bool_type(), {a})
                                : make_expr(id, bool_type(), {a, b});
      EXPECT_FALSE(conv.convert(predicate).is_constant()) << id;
      EXPECT_TRUE(handler.has(2, "warning: ignoring ")) << id;
    }
  }
  bvt bv;
  const typet empty_fixed = fixedbv_type(0, 0);
  EXPECT_FALSE(conv.convert_vector_expr(
    make_expr(
      "*", empty_fixed,
      {symbol_expr("f", empty_fixed), symbol_expr("f", empty_fixed)}),
    bv));
  EXPECT_TRUE(bv.empty());
}

#include "expr_algorithms/pointer_offset_size.h"
#include "harness/decision_test_harness.h"
#include "type_builders.h"
#include "util/mp_arith.h"
#include "util/symbol_table.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace
{
std::string text(const mp_integer &value)
{
  return integer_to_string_base(value, 10);
}

typet compound(const char *id, const std::vector<typet> &members)
{
  typet type{dstring(id)};
  for(std::size_t i = 0; i < members.size(); ++i)
  {
    irept component;
    component.set("name", dstring("c" + std::to_string(i)));
    component.set("type", members[i]);
    type.add("components").get_sub().push_back(component);
  }
  return type;
}

exprt size_constant(long long size)
{
  return bv_constant(size, signedbv_type(32));
}

// Captures what is written to standard output while it lives.
class captured_coutt
{
public:
  captured_coutt() : old(std::cout.rdbuf(text.rdbuf()))
  {
  }
  ~captured_coutt()
  {
    std::cout.rdbuf(old);
  }
  std::ostringstream text;

private:
  std::streambuf *old;
};
} // namespace

TEST(PointerOffsetSize, SizesInOffsetUnits)
{
  const typet s32 = signedbv_type(32);
  const typet pair = compound("struct", {s32, s32});
  const typet array4 = array_of(s32, size_constant(4));
  struct
  {
    typet type;
    long long expected;
  } cases[] = {
    {s32, 1},
    {typet("pointer"), 1},
    {array_of(pair, size_constant(10)), 30},
    {array_of(pair, symbol_expr("n", s32)), 1},
    {array_of(pair, size_constant(0)), 0},
    {compound("union", {s32, array4}), 6},
    {compound("struct", {s32, array4}), 6},
    {compound("struct", {}), 1},
    {compound("struct", {compound("struct", {s32}), s32}), 4},
    // Symbol types are not followed.
    {symbol_expr("tag-pair", typet()).type(), 1},
    {typet("symbol"), 1},
  };
  for(const auto &test : cases)
    EXPECT_EQ(
      text(pointer_offset_size(test.type)), std::to_string(test.expected))
      << test.type.pretty();
}

// Sizes are exact however large: 2^40 arrays of 2^40 pairs are 3 * 2^80.
TEST(PointerOffsetSize, HugeSizesAreExact)
{
  const typet s32 = signedbv_type(32);
  const exprt count = bv_constant(1LL << 40, signedbv_type(64));
  const typet huge =
    array_of(array_of(compound("struct", {s32, s32}), count), count);
  EXPECT_EQ(text(pointer_offset_size(huge)), "3626777458843887524118528");
  EXPECT_EQ(
    text(pointer_offset_size(compound("union", {huge, s32}))),
    "3626777458843887524118530");
}

TEST(PointerOffsetSize, ComputedOffsetsOfSelections)
{
  const typet s32 = signedbv_type(32);
  const typet array4 = array_of(s32, size_constant(4));
  const typet record = compound("struct", {s32, array4, s32});

  symbol_tablet table;
  symbolt tag;
  tag.name = "tag-record";
  tag.base_name = "record";
  tag.is_type = true;
  tag.type = record;
  table.add(tag);
  const namespacet ns(table);
  typet named("symbol");
  named.set("identifier", dstring("tag-record"));

  const auto member = [&](const exprt &of, const char *name)
  {
    exprt result = make_expr("member", name[1] == '1' ? array4 : s32, {of});
    result.set("component_name", dstring(name));
    return result;
  };
  const exprt r = symbol_expr("r", named);
  const exprt a = symbol_expr("a", array_of(array4, size_constant(5)));
  exprt string_constant("string-constant");
  struct
  {
    exprt expr;
    long long expected;
  } cases[] = {
    {r, 0},
    {string_constant, 0},
    {member(r, "c0"), 1},
    {member(r, "c1"), 2},
    {member(r, "c2"), 6},
    {make_expr("index", array4, {a, size_constant(2)}), 9},
    {make_expr("index", array4, {a, size_constant(0)}), 1},
    {make_expr("index", array4, {a, symbol_expr("i", s32)}), 0},
    // Only the outermost selection counts.
    {make_expr("index", s32, {member(r, "c1"), size_constant(3)}), 4},
  };
  for(const auto &test : cases)
    EXPECT_EQ(
      text(compute_pointer_offset(ns, test.expr)),
      std::to_string(test.expected))
      << test.expr.pretty();

  // Outside the domain: the expression's tree text goes to standard output.
  captured_coutt out;
  EXPECT_EQ(text(compute_pointer_offset(ns, make_expr("+", s32, {r, r}))), "0");
  EXPECT_EQ(out.text.str(), make_expr("+", s32, {r, r}).pretty() + "\n");
}

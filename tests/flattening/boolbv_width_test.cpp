#include "flattening/boolbv_width.h"
#include "harness/decision_test_harness.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace
{
typet width_type(const char *id, const char *width)
{
  typet type{dstring(id)};
  type.set("width", dstring(width));
  return type;
}

typet range_type(const char *from, const char *to)
{
  typet type("range");
  type.set("from", dstring(from));
  type.set("to", dstring(to));
  return type;
}

typet array_of(const typet &element, const exprt &size)
{
  typet type("array");
  type.subtype() = element;
  type.set("size", size);
  return type;
}

typet compound(const char *id, const std::vector<typet> &members)
{
  typet type{dstring(id)};
  irept &components = type.add("components");
  for(std::size_t i = 0; i < members.size(); ++i)
  {
    irept component;
    component.set("name", dstring("c" + std::to_string(i)));
    component.set("type", members[i]);
    components.get_sub().push_back(component);
  }
  return type;
}

typet enum_type(unsigned elements)
{
  typet type("enum");
  for(unsigned i = 0; i < elements; ++i)
    type.add("elements").get_sub().push_back(irept(dstring("e")));
  return type;
}

exprt size_constant(long long size)
{
  return bv_constant(size, signedbv_type(64));
}
} // namespace

TEST(BoolbvWidth, WidthOfEveryTypeKind)
{
  const typet u8 = unsignedbv_type(8), pointer("pointer");
  struct
  {
    typet type;
    std::optional<unsigned> expected; // empty: no width
  } cases[] = {
    {bool_type(), 1},
    {u8, 8},
    {signedbv_type(13), 13},
    {width_type("floatbv", "32"), 32},
    {width_type("fixedbv", "16"), 16},
    {width_type("bv", "5"), 5},
    {width_type("c_enum", "32"), 32},
    {width_type("incomplete_c_enum", "8"), 8},
    {typet("unsignedbv"), 0},
    {width_type("verilogbv", "8"), 16},
    {range_type("0", "255"), 8},
    {range_type("0", "1"), 1},
    {range_type("-1", "1"), 2},
    {range_type("0", "1180591620717411303423"), 70}, // 2^70 values
    {range_type("3", "3"), std::nullopt},
    {range_type("5", "3"), std::nullopt},
    {array_of(u8, size_constant(10)), 80},
    {array_of(u8, size_constant(0)), 0},
    {array_of(u8, symbol_expr("n", signedbv_type(32))), 0},
    {array_of(pointer, size_constant(10)), std::nullopt},
    {array_of(pointer, symbol_expr("n", signedbv_type(32))), std::nullopt},
    {compound("struct", {bool_type(), unsignedbv_type(7)}), 8},
    {compound("struct", {}), 0},
    {compound("struct", {u8, pointer}), std::nullopt},
    {compound("union", {u8, unsignedbv_type(16)}), 17},
    {compound("union", {u8, unsignedbv_type(16), bool_type()}), 18},
    {compound("union", {}), 1},
    {compound("union", {u8, typet("integer")}), std::nullopt},
    {enum_type(5), 3},
    {enum_type(0), 1},
    {typet("code"), 0},
    {typet("integer"), std::nullopt},
    {typet("symbol"), std::nullopt},
    {pointer, std::nullopt},
  };
  for(const auto &test : cases)
  {
    unsigned width = 12345;
    const bool failed = width_of_type(test.type, width);
    EXPECT_EQ(failed, !test.expected.has_value()) << test.type.pretty();
    if(test.expected.has_value() && !failed)
    {
      EXPECT_EQ(width, *test.expected) << test.type.pretty();
    }
  }
}

// Widths are 32-bit numbers: a product or sum beyond them is no width,
// never a wrapped small one.
TEST(BoolbvWidth, WidthsBeyondThirtyTwoBitsAreFailures)
{
  // The largest width attribute there is: "width" reads as a 32-bit int.
  const typet big = width_type("unsignedbv", "2147483647");
  const typet two_big = compound("struct", {big, big}); // 2^32 - 2 bits
  const typet cases[] = {
    array_of(unsignedbv_type(8), size_constant(1LL << 29)), // 2^32 bits
    array_of(unsignedbv_type(16), size_constant((1LL << 32) + 1)),
    array_of(unsignedbv_type(8), size_constant(-1)),
    compound("struct", {big, big, bool_type(), bool_type()}),
    compound("struct", {big, big, big, big, big}),
    compound("union", {two_big, bool_type(), bool_type()}),
  };
  for(const typet &type : cases)
  {
    unsigned width;
    EXPECT_TRUE(width_of_type(type, width)) << type.pretty();
  }
  // The largest widths that do fit.
  const std::pair<typet, unsigned> fitting[] = {
    {compound("struct", {two_big, bool_type()}), 4294967295u},
    {compound("union", {two_big, bool_type()}), 4294967295u},
    {width_type("verilogbv", "2147483647"), 4294967294u},
    {array_of(unsignedbv_type(1), size_constant(4294967295LL)), 4294967295u},
  };
  for(const auto &test : fitting)
  {
    unsigned width;
    ASSERT_FALSE(width_of_type(test.first, width)) << test.first.pretty();
    EXPECT_EQ(width, test.second);
  }
}

// A "width" attribute no value can have is no width, never the attribute
// cut to 2^31 - 1 or read as unsigned.
TEST(BoolbvWidth, UnrepresentableWidthAttributesAreFailures)
{
  const typet huge = width_type("unsignedbv", "4294967297");
  const typet cases[] = {
    huge,
    width_type("signedbv", "-1"),
    width_type("floatbv", "2147483648"),
    width_type("fixedbv", "99999999999999999999"),
    width_type("bv", "-8"),
    width_type("c_enum", "4294967297"),
    width_type("verilogbv", "4294967297"),
    width_type("verilogbv", "-1"),
    array_of(huge, size_constant(1)),
    compound("struct", {bool_type(), huge}),
  };
  for(const typet &type : cases)
  {
    unsigned width;
    EXPECT_TRUE(width_of_type(type, width)) << type.pretty();
  }
}

namespace
{
// Gives pointers 32 bits, as the pointer encoding does.
class pointer_widtht : public boolbv_widtht
{
public:
  bool get_width(const typet &type, unsigned &width) override
  {
    if(type.id() == "pointer")
    {
      width = 32;
      return false;
    }
    return boolbv_widtht::get_width(type, width);
  }
};
} // namespace

TEST(BoolbvWidth, DerivedWidthsApplyInsideCompounds)
{
  pointer_widtht widths;
  const typet pointer("pointer");
  unsigned width;
  ASSERT_FALSE(widths.get_width(
    compound("struct", {array_of(pointer, size_constant(2)), bool_type()}),
    width));
  EXPECT_EQ(width, 65u);
  ASSERT_FALSE(
    widths.get_width(compound("union", {pointer, unsignedbv_type(8)}), width));
  EXPECT_EQ(width, 33u);
}

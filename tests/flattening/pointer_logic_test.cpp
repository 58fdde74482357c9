#include "flattening/pointer_logic.h"
#include "harness/decision_test_harness.h"
#include "harness/type_builders.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const typet int_type = signedbv_type(32);

exprt integer(long long value)
{
  return constant_expr(std::to_string(value), typet("integer"));
}

exprt address(
  const char *id, const exprt &object, const char *type_id = "pointer")
{
  return make_expr(id, pointer_type_to(object.type(), type_id), {object});
}

exprt plus(const exprt &pointer, long long rest)
{
  return make_expr("+", pointer.type(), {pointer, integer(rest)});
}

exprt member(const exprt &aggregate, unsigned n)
{
  const irept &component = aggregate.type().find("components").get_sub()[n];
  exprt result = make_expr(
    "member", static_cast<const typet &>(component.find("type")), {aggregate});
  result.set("component_name", component.get("name"));
  return result;
}

exprt index(const exprt &array, long long i)
{
  return make_expr("index", array.type().subtype(), {array, integer(i)});
}

exprt read_back(
  pointer_logict &logic,
  const exprt &object,
  long long offset,
  const typet &type = pointer_type_to(int_type))
{
  exprt dest;
  logic.pointer_expr(
    pointer_logict::pointert(logic.add_object(object), offset), type, dest);
  return dest;
}
} // namespace

TEST(PointerLogic, NumbersObjectsDenselyAfterTheTwoFixedOnes)
{
  pointer_logict logic;
  EXPECT_EQ(logic.null_object, 0u);
  EXPECT_EQ(logic.invalid_object, 1u);

  exprt x = symbol_expr("x", int_type);
  EXPECT_EQ(logic.add_object(x), 2u);
  EXPECT_EQ(logic.add_object(symbol_expr("y", int_type)), 3u);
  exprt located = x;
  located.location().set("line", "7");
  EXPECT_EQ(logic.add_object(located), 2u);

  exprt null_pointer("constant", pointer_type_to(typet("empty")));
  null_pointer.set("value", "NULL");
  EXPECT_EQ(logic.add_object(null_pointer), 0u);
}

TEST(PointerLogic, FixedAndUnknownNumbersReadBackAsConstants)
{
  pointer_logict logic;
  logic.add_object(symbol_expr("x", int_type));
  const typet type = pointer_type_to(int_type);
  struct
  {
    unsigned object;
    const char *value;
  } cases[] = {{0, "NULL"}, {1, "INVALID"}, {9, "INVALID-9"}};
  for(const auto &c : cases)
  {
    exprt dest;
    logic.pointer_expr(pointer_logict::pointert(c.object, 5), type, dest);
    EXPECT_EQ(dest, constant_expr(c.value, type)) << c.value;
  }
}

TEST(PointerLogic, OffsetDescendsIntoElementsAndComponents)
{
  pointer_logict logic;
  const exprt x = symbol_expr("x", int_type);
  const exprt a = symbol_expr("a", array_type_of(int_type, 10));
  const typet pair = struct_type_of({int_type, int_type});
  const exprt pairs = symbol_expr("pairs", array_type_of(pair, 4));
  const exprt s = symbol_expr("s", pair);

  EXPECT_EQ(read_back(logic, x, 0), address("address_of", x));
  EXPECT_EQ(read_back(logic, x, 3), plus(address("address_of", x), 3));
  EXPECT_EQ(read_back(logic, a, 3), address("address_of", index(a, 3)));
  // 5 = element 1 (size 3) plus 2: the second component, which starts at 2.
  EXPECT_EQ(
    read_back(logic, pairs, 5),
    address("address_of", member(index(pairs, 1), 1)));
  // Offset 0 is the structure itself; its first component starts at 1.
  EXPECT_EQ(read_back(logic, s, 0), address("address_of", s));
  EXPECT_EQ(read_back(logic, s, 1), address("address_of", member(s, 0)));
  // Past the last component the structure stays, with the remainder.
  EXPECT_EQ(read_back(logic, s, 4), plus(address("address_of", s), 4));
}

TEST(PointerLogic, AddressKindFollowsTypeAndObject)
{
  pointer_logict logic;
  const exprt x = symbol_expr("x", int_type);
  const exprt a = symbol_expr("a", array_type_of(int_type, 10));

  exprt start;
  logic.pointer_expr(logic.add_object(a), pointer_type_to(int_type), start);
  EXPECT_EQ(start, make_expr("implicit_address_of", pointer_type_to(int_type), {a}));

  // A reference never shows a remainder.
  EXPECT_EQ(
    read_back(logic, x, 3, pointer_type_to(int_type, "reference")),
    address("reference_to", x, "reference"));
  EXPECT_EQ(
    read_back(logic, x, 0, array_type_of(int_type, 2)),
    address("implicit_address_of", x));
}

TEST(PointerLogic, UnplaceableOffsetLeavesNilObject)
{
  pointer_logict logic;
  const exprt x = symbol_expr("x", int_type);
  exprt dest = read_back(logic, x, -1);
  EXPECT_EQ(dest.id(), "address_of");
  ASSERT_EQ(dest.operands().size(), 1u);
  EXPECT_TRUE(dest.op0().is_nil());

  // Nothing of size 0 can hold an offset: neither an array element nor a
  // component that the walk has to step over. The whole offset stays as
  // the remainder.
  const exprt empty_elements =
    symbol_expr("e", array_type_of(array_type_of(int_type, 0), 3));
  dest = read_back(logic, empty_elements, 1);
  EXPECT_EQ(dest.id(), "+");
  EXPECT_TRUE(dest.op0().op0().is_nil());
  const exprt empty_first =
    symbol_expr("f", struct_type_of({array_type_of(int_type, 0), int_type}));
  dest = read_back(logic, empty_first, 1);
  EXPECT_EQ(dest.id(), "+");
  EXPECT_TRUE(dest.op0().op0().is_nil());
}

#include "expr_algorithms/simplify_expr.h"
#include "harness/decision_test_harness.h"
#include "type_builders.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace
{
const typet integer("integer"), natural("natural"), b = bool_type();
const typet u8 = unsignedbv_type(8), s8 = signedbv_type(8);
const typet u4 = unsignedbv_type(4), s4 = signedbv_type(4);

exprt num(long long value, const typet &type = integer)
{
  if(type.id() == "integer" || type.id() == "natural")
    return constant_expr(std::to_string(value), type);
  return bv_constant(value, type);
}

exprt sym(const char *name, const typet &type = integer)
{
  return symbol_expr(name, type);
}

exprt op(
  const char *id, const typet &type, std::initializer_list<exprt> operands)
{
  return make_expr(id, type, operands);
}

typet array_of(const typet &element, long long size)
{
  return array_of(element, num(size, u8));
}

typet struct_ab(const typet &a, const typet &b_type)
{
  typet type("struct");
  for(const auto &component :
      {std::make_pair("a", a), std::make_pair("b", b_type)})
  {
    irept declaration;
    declaration.set("name", dstring(component.first));
    declaration.set("type", component.second);
    type.add("components").get_sub().push_back(declaration);
  }
  return type;
}

exprt with_name(exprt expr, const char *name)
{
  expr.set("component_name", dstring(name));
  return expr;
}

struct rulet
{
  exprt input;
  exprt expected;
};

// Each input simplifies to the expected tree, reporting a change exactly
// when the tree changed.
void expect_simplified(const std::vector<rulet> &cases)
{
  for(const rulet &test : cases)
  {
    exprt expr = test.input;
    const bool unchanged = simplify(expr);
    EXPECT_EQ(expr, test.expected) << "from\n" << test.input.pretty();
    EXPECT_EQ(unchanged, expr == test.input) << test.input.pretty();
  }
}
} // namespace

TEST(SimplifyFramework, FlatteningSortingAndDispatch)
{
  const exprt x = sym("x"), y = sym("y"), z = sym("z");
  const exprt p = sym("p", pointer_to(u8)), q = sym("q", pointer_to(u8));
  const exprt bx = sym("a", b), by = sym("c", b), bz = sym("d", b);
  exprt comma_empty("comma", u8);
  comma_empty.operands();
  expect_simplified({
    {x, x},
    {num(3), num(3)},
    {op("+", integer, {z, op("+", integer, {y, x})}),
     op("+", integer, {x, y, z})},
    // Not a row of the table: neither flattened nor sorted.
    {op("+", b, {bz, op("+", b, {by, bx})}),
     op("+", b, {bz, op("+", b, {by, bx})})},
    // The inner sum, holding a Boolean, is not flattened itself, but its
    // own type lets the outer one take its operands.
    {op("+", integer, {z, op("+", integer, {y, bx})}),
     op("+", integer, {bx, y, z})},
    {op("+", pointer_to(u8), {q, op("+", pointer_to(u8), {p, sym("i", u8)})}),
     op("+", pointer_to(u8), {sym("i", u8), p, q})},
    {op("*", pointer_to(u8), {q, p}), op("*", pointer_to(u8), {q, p})},
    // The integer sum inside a pointer sum wraps at 8 bits; merged, the
    // pointer sum would add its operands without that wrap.
    {op("+", pointer_to(u8), {op("+", u8, {sym("j", u8), sym("i", u8)}), p}),
     op("+", pointer_to(u8), {op("+", u8, {sym("i", u8), sym("j", u8)}), p})},
    {op("and", b, {bz, op("and", b, {by, bx})}), op("and", b, {bx, by, bz})},
    // Folding after flattening: the constants meet in one node.
    {op("+", integer, {num(3), op("+", integer, {x, num(4)})}),
     op("+", integer, {num(7), x})},
    {op("comma", u8, {x, y, num(5, u8)}), num(5, u8)},
    {comma_empty, comma_empty},
    {op("switch", u8, {x, y}), op("switch", u8, {x, y})},
  });
}

TEST(SimplifyFramework, NoIndexFoldingUnderAddressOf)
{
  const typet array = array_of(u8, 3);
  const exprt literal =
    op("array", array, {num(10, u8), num(20, u8), num(30, u8)});
  const exprt element = op("index", u8, {literal, num(1, u8)});
  expect_simplified({
    {element, num(20, u8)},
    {op("address_of", pointer_to(u8), {element}),
     op(
       "+",
       pointer_to(u8),
       {op(
          "address_of",
          pointer_to(u8),
          {op("index", u8, {literal, num(0, u8)})}),
        num(1, u8)})},
  });
}

TEST(SimplifyFramework, CollectConstantValues)
{
  std::set<mp_integer> values;
  const exprt tree = op(
    "if",
    integer,
    {sym("c", b), num(1), op("if", integer, {sym("d", b), num(2), num(3)})});
  EXPECT_FALSE(simplify_exprt::collect_constant_values(tree, values));
  EXPECT_EQ(values, (std::set<mp_integer>{1, 2, 3}));
  EXPECT_TRUE(simplify_exprt::collect_constant_values(
    op("if", integer, {sym("c", b), num(1), sym("x")}), values));
}

TEST(SimplifyArithmetic, FoldsAndNeutralOperands)
{
  const exprt x = sym("x"), xs = sym("x", s8), xu = sym("x", u8);
  const exprt p = sym("p", pointer_to(u8));
  const exprt byte = sym("c", s8);
  expect_simplified({
    {op("+", integer, {x, num(0), num(3), num(4)}),
     op("+", integer, {num(7), x})},
    {op("+", u8, {num(0, u8), num(0, u8)}), num(0, u8)},
    {op("+", pointer_to(u8), {p, num(0, u8)}), p},
    // Integer constants of a pointer sum fold only without wrap-around.
    {op("+", pointer_to(u8), {p, num(100, u8), num(27, u8)}),
     op("+", pointer_to(u8), {num(127, u8), p})},
    {op("+", pointer_to(u8), {p, num(200, u8), num(100, u8)}),
     op("+", pointer_to(u8), {num(100, u8), num(200, u8), p})},
    // Constants of different types are not folded together.
    {op("+", integer, {x, num(2), num(3, natural)}),
     op("+", integer, {num(2), num(3, natural), x})},
    {op("+", u8, {num(200, u8), num(100, u8)}), num(44, u8)},
    {op("-", s8, {xs, byte}), op("+", s8, {xs, op("unary-", s8, {byte})})},
    {op("-", integer, {num(5), num(3)}), num(2)},
    {op("*", integer, {x, num(0)}), num(0)},
    {op("*", integer, {num(2), x, num(3)}), op("*", integer, {num(6), x})},
    {op("*", integer, {num(1), x}), op("*", integer, {x})},
    {op("*", s8, {num(16, s8), num(16, s8)}), num(0, s8)},
    {op("unary-", integer, {op("unary-", integer, {x})}), x},
    {op("unary-", u8, {num(1, u8)}), num(255, u8)},
    {op("unary-", s8, {num(-128, s8)}), num(-128, s8)},
    {op("unary-", natural, {num(3, natural)}),
     op("unary-", natural, {num(3, natural)})},
  });
}

TEST(SimplifyArithmetic, DivisionNeverFoldsAZeroDivisor)
{
  const exprt x = sym("x"), xs = sym("x", s8);
  expect_simplified({
    {op("/", integer, {num(7), num(2)}), num(3)},
    {op("/", integer, {num(-7), num(2)}), num(-3)},
    {op("mod", integer, {num(-7), num(2)}), num(-1)},
    {op("/", s8, {num(-128, s8), num(-1, s8)}), num(-128, s8)},
    {op("mod", u8, {num(200, u8), num(7, u8)}), num(4, u8)},
    {op("/", integer, {x, num(0)}), op("/", integer, {x, num(0)})},
    {op("mod", integer, {x, num(0)}), op("mod", integer, {x, num(0)})},
    {op("/", integer, {num(0), num(0)}), op("/", integer, {num(0), num(0)})},
    {op("mod", integer, {x, num(1)}), num(0)},
    {op("/", s8, {xs, num(1, s8)}), xs},
    {op("/", integer, {num(0), x}), num(0)},
    {op("mod", integer, {num(0), x}), num(0)},
  });
}

// Right shifts of bit-vector constants fold on the bit pattern, rounding
// toward minus infinity; unbounded numbers keep the truncating quotient.
TEST(SimplifyArithmetic, ShiftsFoldOnTheBitPattern)
{
  const exprt x = sym("x", u8);
  expect_simplified({
    {op("shl", integer, {num(3), num(2)}), num(12)},
    {op("lshr", u8, {x, num(0, u8)}), x},
    {op("ashr", s8, {num(-7, s8), num(1, u8)}), num(-4, s8)},
    {op("lshr", s8, {num(-7, s8), num(1, u8)}), num(124, s8)},
    {op("ashr", u8, {num(128, u8), num(7, u8)}), num(255, u8)},
    {op("lshr", u8, {num(128, u8), num(7, u8)}), num(1, u8)},
    {op("ashr", s8, {num(-7, s8), num(8, u8)}), num(-1, s8)},
    {op("ashr", s8, {num(7, s8), num(200, u8)}), num(0, s8)},
    {op("shl", s8, {num(3, s8), num(7, u8)}), num(-128, s8)},
    {op("shl", s8, {num(3, s8), num(9, u8)}), num(0, s8)},
    {op("ashr", integer, {num(-7), num(1)}), num(-3)},
    // A negative distance is left alone.
    {op("shl", s8, {num(3, s8), num(-1, s8)}),
     op("shl", s8, {num(3, s8), num(-1, s8)})},
  });
}

TEST(SimplifyArithmetic, ShiftsInUnrepresentableWidthsAreLeftAlone)
{
  typet huge("unsignedbv");
  huge.set("width", dstring("4294967297"));
  const exprt one = constant_expr("1", huge);
  std::vector<rulet> cases;
  for(const char *id : {"shl", "lshr", "ashr"})
  {
    const exprt input = op(id, huge, {one, num(1, u8)});
    cases.push_back({input, input});
  }
  expect_simplified(cases);
}

// No constant has a width beyond 2^31 - 1 (zero_constant gives nil for it),
// so the rules that would replace a term by zero leave it alone instead of
// planting a nil in the tree.
TEST(SimplifyArithmetic, RulesMakingZeroInUnrepresentableWidthsLeaveTheTermAlone)
{
  typet huge("unsignedbv");
  huge.set("width", dstring("4294967297"));
  const exprt zero = constant_expr("0", huge);
  const exprt x = sym("x", huge), y = sym("y", huge), z = sym("z", huge);
  const exprt array = sym("a", array_of(u8, 4));
  const exprt sum_equality =
    op("=", b, {op("+", huge, {x, y}), op("+", huge, {x, z})});
  const exprt element_address = op(
    "address_of", pointer_to(u8), {op("index", u8, {array, sym("i", huge)})});
  const exprt offset = op(
    "pointer_offset", huge, {op("address_of", pointer_to(u8), {sym("s", u8)})});
  expect_simplified({
    {op("+", huge, {zero, zero}), op("+", huge, {zero, zero})},
    {op("*", huge, {x, zero}), op("*", huge, {zero, x})},
    {sum_equality, sum_equality},
    {element_address, element_address},
    {offset, offset},
  });
}

TEST(SimplifyArithmetic, BitwiseAndExtraction)
{
  const exprt x = sym("x", u4);
  const exprt c1100 = constant_expr("1100", u4),
              c1010 = constant_expr("1010", u4);
  const exprt extract =
    op("extractbit", b, {constant_expr("0100", u4), num(2, u4)});
  expect_simplified({
    {op("bitand", u4, {c1100, c1010}), constant_expr("1000", u4)},
    {op("bitxor", u4, {c1100, c1010}), constant_expr("0110", u4)},
    {op("bitor", u4, {c1100, c1010, constant_expr("0001", u4)}),
     constant_expr("1111", u4)},
    {op("bitand", u4, {x, c1100}), op("bitand", u4, {c1100, x})},
    {op("bitnot", u4, {constant_expr("0101", u4)}), constant_expr("1010", u4)},
    {extract, bool_constant(true)},
    {op("extractbit", b, {constant_expr("0100", u4), num(0, u4)}),
     bool_constant(false)},
    {op("extractbit", b, {constant_expr("0100", u4), num(4, s8)}),
     op("extractbit", b, {constant_expr("0100", u4), num(4, s8)})},
    {op("extractbit", b, {constant_expr("0100", u4), num(-1, s8)}),
     op("extractbit", b, {constant_expr("0100", u4), num(-1, s8)})},
  });
}

TEST(SimplifyBoolean, ShapesOfTheConnectives)
{
  const exprt a = sym("a", b), c = sym("c", b), x = sym("x", b);
  const exprt t = bool_constant(true), f = bool_constant(false);
  const auto no = [](const exprt &e) { return op("not", bool_type(), {e}); };
  exprt empty_and("and", b);
  empty_and.operands();
  expect_simplified({
    {no(no(x)), x},
    {no(op("and", b, {a, c})), op("or", b, {no(a), no(c)})},
    {no(t), f},
    {op("=>", b, {a, c}), op("or", b, {no(a), c})},
    {op("=>", b, {f, c}), t},
    {op("<=>", b, {t, x}), x},
    {op("<=>", b, {x, f}), no(x)},
    {op("and", b, {a, t, c}), op("and", b, {a, c})},
    {op("and", b, {a, f}), f},
    {op("or", b, {a, a}), a},
    {empty_and, empty_and},
    {op("and", b, {t}), t},
    {op("xor", b, {a, f}), a},
    {op("xor", b, {a, a}), op("xor", b, {a, a})},
    {op("and", b, {no(a), a}), f},
    {op("or", b, {a, no(a)}), t},
  });
}

TEST(SimplifyBoolean, IfNormalisation)
{
  const exprt c = sym("c", b), x = sym("x"), y = sym("y");
  expect_simplified({
    {op("if", integer, {c, x, x}), x},
    {op("if", integer, {op("not", b, {c}), x, y}),
     op("if", integer, {c, y, x})},
    {op("if", b, {c, bool_constant(true), bool_constant(false)}), c},
    {op("if", b, {c, bool_constant(false), bool_constant(true)}),
     op("not", b, {c})},
    {op("if", integer, {bool_constant(true), x, y}), x},
    {op("if", integer, {bool_constant(false), x, y}), y},
  });
}

TEST(SimplifyRelation, ConstantsAndCommonAddends)
{
  const exprt x = sym("x"), y = sym("y"), z = sym("z"), xu = sym("x", u8);
  const exprt c = sym("c", b), d = sym("d", b);
  const typet pointer = pointer_to(u8);
  const exprt null = constant_expr("NULL", pointer);
  const exprt s = sym("s", u8);
  exprt member =
    with_name(op("member", u8, {sym("r", struct_ab(u8, u8))}), "a");
  const exprt element =
    op("index", u8, {sym("a", array_of(u8, 4)), sym("i", u8)});
  expect_simplified({
    {op("<", b, {num(3), num(5)}), bool_constant(true)},
    {op(">=", b, {xu, num(0, u8)}), bool_constant(true)},
    {op("<", b, {num(5), x}), op(">", b, {x, num(5)})},
    {op("<", b, {x, y}), op("not", b, {op(">=", b, {x, y})})},
    {op("=", b, {op("+", integer, {x, num(3)}), num(5)}),
     op("=", b, {x, num(2)})},
    {op("=", b, {op("+", u8, {xu, num(3, u8)}), num(1, u8)}),
     op("=", b, {xu, num(254, u8)})},
    // The constant would leave the type: the relation stays.
    {op(
       "=",
       b,
       {op("+", natural, {num(3, natural), sym("n", natural)}),
        num(2, natural)}),
     op(
       "=",
       b,
       {op("+", natural, {num(3, natural), sym("n", natural)}),
        num(2, natural)})},
    {op("notequal", b, {x, x}), bool_constant(false)},
    {op("=", b, {op("+", integer, {x, y}), op("+", integer, {y, z})}),
     op("=", b, {x, z})},
    {op("=", b, {op("unary-", integer, {x}), num(0)}), op("=", b, {x, num(0)})},
    {op(
       ">=",
       b,
       {op("if", integer, {c, num(3), num(4)}),
        op("if", integer, {d, num(1), num(2)})}),
     bool_constant(true)},
    {op(
       "=",
       b,
       {op("if", integer, {c, num(1), num(2)}),
        op("if", integer, {d, num(1), num(2)})}),
     op(
       "=",
       b,
       {op("if", integer, {c, num(1), num(2)}),
        op("if", integer, {d, num(1), num(2)})})},
    {op("=", b, {bool_constant(true), bool_constant(false)}),
     op("=", b, {bool_constant(true), bool_constant(false)})},
    {op("=", b, {op("address_of", pointer, {s}), null}), bool_constant(false)},
    {op("notequal", b, {null, op("address_of", pointer, {member})}),
     bool_constant(true)},
  });
  // The address of an element is not decided by the NULL rule.
  exprt relation = op("=", b, {op("address_of", pointer, {element}), null});
  simplify(relation);
  EXPECT_EQ(relation.id(), "=");
}

TEST(SimplifyStruct, ArraysMembersAndPointers)
{
  const typet array = array_of(u8, 3);
  const exprt literal =
    op("array", array, {num(10, u8), num(20, u8), num(30, u8)});
  const exprt a = sym("a", array), k = sym("k", u8), v = sym("v", u8);
  exprt text("string-constant", array_of(s8, 4));
  text.set("value", dstring("ab\xe9"));
  const typet record = struct_ab(u8, u8);
  const exprt s = sym("s", record);
  exprt lambda("lambda", array);
  const exprt bound("quant_symbol", u8);
  lambda.copy_to_operands(bound, op("+", u8, {bound, num(1, u8)}));
  const auto with = [&](std::initializer_list<exprt> operands)
  { return make_expr("with", array, operands); };
  const auto index = [](const exprt &of, const exprt &i) {
    return op("index", u8, {of, i});
  };
  const exprt where_a = with_name(exprt("member_name"), "a");
  const exprt where_b = with_name(exprt("member_name"), "b");
  const exprt record_literal = op("constant", record, {num(1, u8), num(2, u8)});
  expect_simplified({
    {index(literal, num(1, u8)), num(20, u8)},
    {index(literal, num(3, u8)), index(literal, num(3, u8))},
    {index(literal, num(-1, s8)), index(literal, num(-1, s8))},
    {op("index", s8, {text, num(1, u8)}), num('b', s8)},
    {op("index", s8, {text, num(2, u8)}), num(-23, s8)},
    {op("index", s8, {text, num(3, u8)}), num(0, s8)},
    {op("index", s8, {text, num(4, u8)}), op("index", s8, {text, num(4, u8)})},
    {index(with({a, num(2, u8), v}), num(2, u8)), v},
    {index(with({a, num(2, u8), v}), k),
     op("if", u8, {op("=", b, {k, num(2, u8)}), v, index(a, k)})},
    {index(op("array_of", array, {num(0, u8)}), k), num(0, u8)},
    // The body was sorted before the lambda was applied.
    {index(lambda, num(5, u8)), op("+", u8, {num(1, u8), num(5, u8)})},
    {with({literal, num(0, u8), num(9, u8)}),
     op("array", array, {num(9, u8), num(20, u8), num(30, u8)})},
    {with({literal, num(0, u8), v}), with({literal, num(0, u8), v})},
    {with({literal, num(5, u8), num(9, u8)}),
     with({literal, num(5, u8), num(9, u8)})},
    {op("with", record, {record_literal, where_b, num(7, u8)}),
     op("constant", record, {num(1, u8), num(7, u8)})},
    {op(
       "with",
       record,
       {record_literal, with_name(exprt("member_name"), "c"), num(7, u8)}),
     op(
       "with",
       record,
       {record_literal, with_name(exprt("member_name"), "c"), num(7, u8)})},
    {with_name(
       op(
         "member",
         u8,
         {op("with", record, {s, where_a, num(1, u8), where_b, num(2, u8)})}),
       "a"),
     num(1, u8)},
    {with_name(
       op(
         "member",
         u8,
         {op("with", record, {s, where_a, num(1, u8), where_b, num(2, u8)})}),
       "c"),
     with_name(op("member", u8, {s}), "c")},
    {with_name(op("member", u8, {record_literal}), "b"), num(2, u8)},
  });
}

// All lambdas over u8 share one bound variable: the inner lambda binds it
// afresh, so its element 1 is 1 + 2 whatever the outer index. The applied
// body is simplified on the next pass.
TEST(SimplifyStruct, IndexOfLambdaStopsAtANestedLambdaOverTheSameVariable)
{
  const typet array = array_of(u8, 4);
  const exprt x("quant_symbol", u8);
  const exprt inner = op("lambda", array, {x, op("+", u8, {x, num(2, u8)})});
  const exprt choice = op(
    "if",
    array,
    {op("=", b, {x, num(2, u8)}), inner, op("array_of", array, {num(0, u8)})});
  const exprt outer =
    op("lambda", array, {x, op("index", u8, {choice, num(1, u8)})});
  for(const auto &test : {std::make_pair(2, 3), std::make_pair(0, 0)})
  {
    exprt expr = op("index", u8, {outer, num(test.first, u8)});
    for(int pass = 0; pass < 4; ++pass)
      if(simplify(expr))
        break;
    EXPECT_EQ(expr, num(test.second, u8)) << test.first;
  }
}

TEST(SimplifyStruct, AddressesAndObjects)
{
  const typet pointer = pointer_to(u8);
  const exprt a = sym("a", array_of(u8, 4)), i = sym("i", s8);
  const exprt p = sym("p", pointer), q = sym("q", pointer);
  const exprt s = sym("s", u8);
  const auto address = [&](const exprt &object)
  { return op("address_of", pointer, {object}); };
  const auto index = [](const exprt &of, const exprt &at) {
    return op("index", u8, {of, at});
  };
  // Elements of three units each: the offset of element i is 3 i.
  const typet record = struct_ab(u8, u8);
  const exprt records = sym("r", array_of(record, 4));
  const exprt record_address =
    op("address_of", pointer_to(record), {op("index", record, {records, i})});
  expect_simplified({
    {address(index(a, num(3, s8))),
     op("+", pointer, {address(index(a, num(0, s8))), num(3, s8)})},
    {address(index(a, num(0, s8))), address(index(a, num(0, s8)))},
    {op("dereference", u8, {address(s)}), s},
    {op("pointer_offset", s8, {address(s)}), num(0, s8)},
    {op("pointer_object", u8, {op("+", pointer, {p, num(4, u8)})}),
     op("pointer_object", u8, {p})},
    {op("valid_object", b, {op("typecast", pointer, {p})}),
     op("valid_object", b, {p})},
    {op("pointer_object", u8, {op("+", pointer, {p, q})}),
     op("pointer_object", u8, {op("+", pointer, {p, q})})},
  });

  // The offset rule sees the address of an element only when it is asked
  // directly: a full pass first turns &a[i] into &a[0] + i.
  simplify_exprt simplifier;
  exprt offset = op("pointer_offset", s8, {address(index(a, i))});
  EXPECT_FALSE(simplifier.simplify_pointer_offset(offset));
  EXPECT_EQ(offset, i);
  offset = op("pointer_offset", s8, {record_address});
  EXPECT_FALSE(simplifier.simplify_pointer_offset(offset));
  EXPECT_EQ(offset, op("*", s8, {i, num(3, s8)}));
}

TEST(SimplifyTypecast, CastsAndTheConstantTable)
{
  const exprt x32 = sym("x", signedbv_type(32)), x = sym("x", u8);
  const exprt p = sym("p", pointer_to(u8));
  typet fixed("fixedbv");
  fixed.set("width", 8);
  typet fixed4 = fixed;
  fixed4.set("integer_bits", 4);
  typet annotated_bool = b;
  annotated_bool.set("extra", dstring("1"));
  const exprt a32 = sym("a", unsignedbv_type(32)),
              b32 = sym("b", unsignedbv_type(32));
  const exprt a4 = sym("a", u4), b4 = sym("b", u4);
  const auto cast = [](const exprt &e, const typet &t)
  { return op("typecast", t, {e}); };
  // With an operand list, though empty, so that the cast rule sees it.
  exprt cast_of_nothing("typecast", b);
  cast_of_nothing.operands();
  expect_simplified({
    {cast(x32, signedbv_type(32)), x32},
    {cast(num(5, u8), b), bool_constant(true)},
    {cast(num(0, u8), b), bool_constant(false)},
    {cast(x, b), op("not", b, {op("=", b, {x, num(0, u8)})})},
    {cast(x, annotated_bool), cast(x, annotated_bool)},
    {cast(cast(p, pointer_to(s8)), pointer_to(u4)), cast(p, pointer_to(u4))},
    {cast(cast(x32, unsignedbv_type(16)), u8), cast(x32, u8)},
    {cast(cast(x32, u4), u8), cast(cast(x32, u4), u8)},
    {cast(num(300), u8), num(44, u8)},
    {cast(num(-1, s8), integer), num(-1)},
    {cast(num(255, u8), integer), num(255)},
    {cast(num(-1, s8), u4), num(15, u4)},
    {cast(num(-1, s8), signedbv_type(16)), num(-1, signedbv_type(16))},
    {cast(num(3, u8), fixed4), constant_expr("00110000", fixed4)},
    {cast(num(3, u8), fixed), constant_expr("00110000", fixed)},
    {cast(num(-1, s8), natural), cast(num(-1, s8), natural)},
    {cast(num(7, natural), integer), num(7)},
    {cast(num(7), natural), cast(num(7), natural)},
    {cast(num(0), b), bool_constant(false)},
    {cast(bool_constant(true), s8), num(1, s8)},
    {cast(bool_constant(false), natural), num(0, natural)},
    {cast(constant_expr("1/2", typet("rational")), integer),
     cast(constant_expr("1/2", typet("rational")), integer)},
    {cast(op("+", unsignedbv_type(32), {a32, b32}), u8),
     op("+", u8, {cast(a32, u8), cast(b32, u8)})},
    {cast(op("+", u4, {a4, b4}), u8), cast(op("+", u4, {a4, b4}), u8)},
    // A cast takes exactly one operand: with two or none it is left alone
    // and reported unchanged, even where one constant operand would fold.
    {op("typecast", b, {num(5, u8), x}), op("typecast", b, {num(5, u8), x})},
    {cast_of_nothing, cast_of_nothing},
  });
}

// No value has a width beyond 2^31 - 1: folding into such a type, or
// comparing with its zero, would build a constant of that many bits.
TEST(SimplifyTypecast, UnrepresentableWidthsAreLeftAlone)
{
  typet huge("unsignedbv");
  huge.set("width", dstring("4294967297"));
  typet negative("signedbv");
  negative.set("width", dstring("-1"));
  const exprt h = sym("h", huge);
  std::vector<rulet> cases;
  for(const exprt &input :
      {op("typecast", huge, {num(5, u8)}),
       op("typecast", huge, {num(5)}),
       op("typecast", huge, {bool_constant(false)}),
       op("typecast", negative, {num(5, u8)}),
       op("typecast", b, {h}),
       op("typecast", u8, {op("+", huge, {h, h})})})
    cases.push_back({input, input});
  expect_simplified(cases);
}

TEST(SimplifyConditions, ImpliedTruthDecidesOnlyWhatFollows)
{
  simplify_exprt simplifier;
  const exprt x = sym("x", s8), y = sym("y", s8);
  const auto less = [](const exprt &l, const exprt &r) {
    return op("<", bool_type(), {l, r});
  };
  struct
  {
    exprt expr, condition;
    bool truth;
    int expected; // -1: undecided
  } cases[] = {
    {less(x, num(5, s8)), less(x, num(3, s8)), true, 1},
    {less(x, num(3, s8)), less(x, num(5, s8)), true, -1},
    {less(num(3, s8), y), less(num(5, s8), y), true, 1},
    {less(num(5, s8), y), less(num(3, s8), y), true, -1},
    {less(x, num(-1, s8)), less(x, num(-2, s8)), true, 1},
    {less(x, num(3, s8)), less(x, num(3, s8)), false, 0},
    {less(x, num(5, s8)), less(x, num(3, s8)), false, -1},
    {less(x, num(5, u8)), less(x, num(3, s8)), true, -1},
  };
  for(const auto &test : cases)
  {
    bool result = false;
    const bool undecided =
      simplifier.implied_truth(test.expr, test.condition, test.truth, result);
    EXPECT_EQ(undecided, test.expected < 0) << test.expr.pretty();
    if(!undecided)
    {
      EXPECT_EQ(result, test.expected == 1) << test.expr.pretty();
    }
  }
}

TEST(SimplifyConditions, PropagationRewritesByTheCondition)
{
  simplify_exprt simplifier;
  const exprt a = sym("a", b), c = sym("c", b), d = sym("d", b);
  const exprt x = sym("x", s8);
  const exprt x_below_3 = op("<", b, {x, num(3, s8)});
  const exprt x_below_5 = op("<", b, {x, num(5, s8)});

  exprt conjunction = op("and", b, {x_below_3, x_below_5});
  EXPECT_FALSE(
    simplifier.propagate_conjuncts(conjunction, simplify_exprt::MODE_NORMAL));
  EXPECT_EQ(conjunction, x_below_3);

  exprt then_value = op("or", b, {a, d}), else_value = op("or", b, {c, d});
  EXPECT_FALSE(simplifier.propagate_if_condition(
    then_value, else_value, op("and", b, {a, c}), simplify_exprt::MODE_NORMAL));
  EXPECT_EQ(then_value, bool_constant(true));
  EXPECT_EQ(else_value, op("or", b, {c, d}));

  then_value = op("and", b, {a, d});
  else_value = op("and", b, {c, d});
  EXPECT_FALSE(simplifier.propagate_if_condition(
    then_value, else_value, op("or", b, {a, c}), simplify_exprt::MODE_NORMAL));
  EXPECT_EQ(then_value, op("and", b, {a, d}));
  EXPECT_EQ(else_value, bool_constant(false));

  then_value = op("and", b, {x_below_5, d});
  else_value = x_below_3;
  EXPECT_FALSE(simplifier.propagate_if_condition(
    then_value, else_value, x_below_3, simplify_exprt::MODE_NORMAL));
  EXPECT_EQ(then_value, d);
  EXPECT_EQ(else_value, bool_constant(false));
}

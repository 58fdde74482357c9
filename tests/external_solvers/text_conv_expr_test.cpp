#include "expr_algorithms/arith_tools.h"
#include "flattening/thrown_text.h"
#include "tests/util/condition_regex.h"
#include "text_fixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

namespace
{
const typet u8 = unsignedbv_type(8);
const typet s8 = signedbv_type(8);
const typet u16 = unsignedbv_type(16);
const typet s32 = signedbv_type(32);
const exprt a = bool_symbol("a");
const exprt b = bool_symbol("b");
const exprt x = symbol_expr("x", u8);
const exprt y = symbol_expr("y", u8);
const exprt z = symbol_expr("z", u8);
const exprt s = symbol_expr("s", s8);
const exprt t = symbol_expr("t", s8);
const exprt w = symbol_expr("w", u16);
const exprt i = symbol_expr("i", s32);

exprt e(
  const std::string &id,
  const typet &type,
  std::initializer_list<exprt> operands)
{
  return make_expr(id, type, operands);
}

exprt integer(long long value)
{
  return constant_expr(std::to_string(value), typet("integer"));
}

exprt member(const exprt &aggregate, unsigned n)
{
  const irept &component = aggregate.type().find("components").get_sub()[n];
  exprt result = e(
    "member", static_cast<const typet &>(component.find("type")), {aggregate});
  result.set("component_name", component.get("name"));
  return result;
}

exprt designator(const char *name)
{
  exprt result("member_name");
  result.set("component_name", name);
  return result;
}

const std::string if_a = "IF a THEN 0bin1 ELSE 0bin0 ENDIF";
const std::string zeros24 = std::string(24, '0');

class TextConvExpr : public config_32_testt
{
};
} // namespace

TEST_F(TextConvExpr, DispatchRowsInBothDialects)
{
  const typet pair = struct_type_of({u8, bool_type()});
  const exprt st = symbol_expr("st", pair);
  const exprt arr = symbol_expr("arr", array_type_of(u8, 4));
  const exprt p = symbol_expr("p", pointer_type_to(u8));
  const exprt q = symbol_expr("q", pointer_type_to(u8));
  exprt k("nondet_symbol", u8);
  k.set("identifier", "k");
  exprt null_pointer = constant_expr("NULL", pointer_type_to(u8));
  const std::string null_text = "(# object:=0, offset:=" + bin(0, 32) + " #)";
  typet string_type("array");
  string_type.subtype() = s8;
  exprt string_constant("string-constant", string_type);
  string_constant.set("value", "a");

  struct rowt
  {
    rowt(
      const exprt &_expr, const std::string &_cvc, const std::string &_smt = "")
      : expr(_expr), cvc(_cvc), smt(_smt)
    {
    }
    exprt expr;
    std::string cvc;
    // Only where the SMT dialect differs.
    std::string smt;
  };
  const rowt cases[] = {
    {x, "x"},
    {k, "nondet$k"},
    {e("typecast", u16, {x}), "(0bin00000000 @ (x))"},
    {e("typecast", u16, {s}), "SX(s, 16)"},
    {e("typecast", u8, {w}), "(w)[7:0]"},
    {e("typecast", s8, {x}), "x"},
    {e("typecast", u8, {a}), "(0bin0000000 @ " + if_a + ")"},
    {e("typecast", unsignedbv_type(1), {a}), if_a},
    {e("typecast", bool_type(), {x}), "x/=0bin00000000"},
    {e("typecast", bool_type(), {p}), "p/=" + null_text},
    {e("typecast", pointer_type_to(s8), {p}), "p"},
    {e("struct", pair, {x, a}), "(# c0:=x, c1:=a #)"},
    {e("struct", struct_type_of({}), {}), "(#  #)"},
    {bv_constant(5, u8), "0bin00000101"},
    {bv_constant(-2, s8), "0bin11111110"},
    {bool_constant(true), "TRUE"},
    {bool_constant(false), "FALSE"},
    {null_pointer, null_text},
    {e("concatenation", u16, {x, a}), "(x @ " + if_a + ")"},
    {e("concatenation", u16, {}), "()"},
    {e("bitand", u8, {x, y}), "(x & y)"},
    {e("bitor", u8, {x, y, z}), "(x | y | z)"},
    {e("bitxor", u8, {x, y, z}), "BVXOR(BVXOR(x, y), z)"},
    {e("bitxor", u8, {x}), "x"},
    {e("bitnand", u8, {x, y}), "BVNAND(x, y)"},
    {e("bitnot", u8, {x}), "~(x)"},
    {e("unary-", s8, {s}), "BVUMINUS(s)"},
    {e("if", u8, {a, x, y}), "IF a THEN x ELSE y ENDIF"},
    {e("and", bool_type(), {a}), "a"},
    {e("and", bool_type(), {a, b}), "(a) AND (b)"},
    {e("or", bool_type(), {a, b, a}), "(a) OR (b) OR (a)"},
    {e("xor", bool_type(), {a, b}), "(a) XOR (b)"},
    {e("not", bool_type(), {a}), "NOT (a)"},
    {e("=", bool_type(), {a, b}), "(a) <=> (b)"},
    {e("notequal", bool_type(), {a, b}), "NOT ((a) <=> (b))"},
    {e("=", bool_type(), {x, y}), "(x)=(y)"},
    {e("notequal", bool_type(), {x, y}), "(x)/=(y)"},
    {e("<", bool_type(), {x, y}), "BVLT(x, y)"},
    {e("<=", bool_type(), {x, y}), "BVLE(x, y)"},
    {e(">", bool_type(), {s, t}), "SBVGT(s, t)"},
    {e(">=", bool_type(), {s, t}), "SBVGE(s, t)"},
    {e("+", u8, {x, y, z}), "BVPLUS(8, x, y, z)"},
    {e("+", typet("integer"), {x}), "x"},
    {e("-", u8, {x, y}), "BVSUB(8, x, y)"},
    {e("-", u8, {x}), "x"},
    {e("/", u8, {x, y}), "BVDIV(8, x, y)"},
    {e("/", s8, {s, t}), "SBVDIV(8, s, t)"},
    {e("mod", u8, {x, y}), "BVMOD(8, x, y)"},
    {e("mod", s8, {s, t}), "SBVMOD(8, s, t)"},
    {e("*", s8, {s, t}), "BVMULT(8, s, t)"},
    {e("*", u8, {x}), "x"},
    {e("array_of", arr.type(), {x}), "(ARRAY (i: BITVECTOR(32)): x)"},
    {e("array_of", array_type_of(bool_type(), 2), {a}),
     "(ARRAY (i: BITVECTOR(32)): " + if_a + ")"},
    {e("index", u8, {arr, i}), "(arr)[i]"},
    // A read casts the index in both dialects.
    {e("index", u8, {arr, x}), "(arr)[(0bin" + zeros24 + " @ (x))]"},
    {e("ashr", s8, {s, t}), "BVASHR(8, s, t)"},
    {e("lshr", u8, {x, y}), "BVLSHR(8, x, y)"},
    {e("shl", s8, {s, t}), "BVSHL(8, s, t)"},
    // An update casts its designator only in the CVC dialect.
    {e("with", arr.type(), {arr, x, y}),
     "(arr) WITH [(0bin" + zeros24 + " @ (x))]:=(y)",
     "(arr) WITH [x]:=(y)"},
    {e("with", arr.type(), {arr, i, y, i, z}),
     "(arr) WITH [i]:=(y) WITH [i]:=(z)"},
    {e("with",
       array_type_of(bool_type(), 2),
       {symbol_expr("ba", array_type_of(bool_type(), 2)), i, a}),
     "(ba) WITH [i]:=(" + if_a + ")"},
    {e("with", pair, {st, designator("c1"), a}), "(st) WITH .c1:=(a)"},
    {e("with", typet("integer"), {x}), "(x)"},
    {member(st, 0), "st.c0"},
    {e("pointer_offset", s32, {p}), "(p).offset"},
    {e("same-object", bool_type(), {p, q}), "(p).object=(q).object"},
    {string_constant,
     "ARRAY (i: BITVECTOR(32)):\n  IF i=" + bin(0, 32) +
       " THEN 0bin01100001\n"
       "  ELSIF i=" +
       bin(1, 32) +
       " THEN 0bin00000000\n"
       "  ELSE 0bin01100001\n  ENDIF"},
    {e("extractbit", bool_type(), {x, bv_constant(3, u8)}), "(x[3:3]=0bin1)"},
    {e("replication", u8, {integer(3), a}),
     "(LET v: BITVECTOR(1) = a IN v@v@v)"},
    {e("replication", u8, {integer(0), x}), "(LET v: BITVECTOR(1) = x IN )"},
  };
  for(const auto &entry : cases)
  {
    EXPECT_EQ(expr_text<cvc_convt>(entry.expr), entry.cvc)
      << entry.expr.pretty();
    EXPECT_EQ(
      expr_text<smt_convt>(entry.expr),
      entry.smt.empty() ? entry.cvc : entry.smt)
      << entry.expr.pretty();
  }
}

TEST_F(TextConvExpr, IntegerConstantsAreWrittenOnlyInTheCvcDialect)
{
  const exprt forty_two = integer(42);
  EXPECT_EQ(expr_text<cvc_convt>(forty_two), "42");
  EXPECT_EQ(expr_text<cvc_convt>(constant_expr("7", typet("natural"))), "7");

  ::testing::internal::CaptureStderr();
  EXPECT_EQ(
    thrown_text([&] { expr_text<smt_convt>(forty_two); }),
    "string: unknown constant: integer");
  EXPECT_EQ(
    ::testing::internal::GetCapturedStderr(), forty_two.pretty(0) + "\n");
}

TEST_F(TextConvExpr, ThrownTexts)
{
  const exprt p = symbol_expr("p", pointer_type_to(u8));
  const typet integer_type("integer");
  const exprt n = symbol_expr("n", integer_type);
  struct
  {
    exprt expr;
    const char *thrown;
  } cases[] = {
    {e("typecast", bool_type(), {a}), "string: TODO typecast1 bool -> bool"},
    {e("typecast", bool_type(), {n}), "string: TODO typecast1 integer -> bool"},
    {e("typecast", u8, {n}), "string: TODO typecast2 integer -> unsignedbv"},
    {e("typecast", pointer_type_to(u8), {x}),
     "string: TODO typecast3 unsignedbv -> pointer"},
    {e("typecast", integer_type, {x}), "string: TODO typecast4 ? -> integer"},
    {constant_expr("INVALID", p.type()),
     "string: unknown pointer constant: INVALID"},
    {e("unary-", integer_type, {n}),
     "string: unsupported type for unary-: integer"},
    {e("+", integer_type, {n, n}), "string: unsupported type for +: integer"},
    {e("-", integer_type, {n, n}), "string: unsupported type for -: integer"},
    {e("/", integer_type, {n, n}), "string: unsupported type for /: integer"},
    {e("mod", integer_type, {n, n}),
     "string: unsupported type for mod: integer"},
    {e("*", integer_type, {n, n}), "string: unsupported type for *: integer"},
    {e("<", bool_type(), {p, p}), "string: unsupported type for <: pointer"},
    {e("shl", integer_type, {n, n}),
     "string: unsupported type for shl: integer"},
    {e("extractbit", bool_type(), {a, integer(0)}),
     "string: unsupported type for extractbit: bool"},
    {e("with", integer_type, {n, n, n}),
     "string: with expects struct or array type, but got integer"},
    {e("address_of", p.type(), {e("if", u8, {a, x, y})}),
     "string: don't know how to take address of: if"},
    {e("+", p.type(), {p, x, y}),
     "char*: pointer arithmetic with more than two operands"},
    {e("+", p.type(), {x, y}),
     "char*: unexpected mixture in pointer arithmetic"},
    {e("extractbit", bool_type(), {x, y}),
     "char*: extractbit takes constant as second parameter"},
    {e("replication", u8, {y, a}),
     "char*: replication takes constant as first parameter"},
    {e("address_of", p.type(), {e("index", u8, {p})}),
     "char*: index takes two operands"},
    {e("address_of", p.type(), {e("member", u8, {})}),
     "char*: member takes one operand"},
  };
  for(const auto &entry : cases)
  {
    EXPECT_EQ(
      thrown_text([&] { expr_text<cvc_convt>(entry.expr); }), entry.thrown)
      << entry.expr.pretty();
    EXPECT_EQ(
      thrown_text([&] { expr_text<smt_convt>(entry.expr); }), entry.thrown)
      << entry.expr.pretty();
  }

  const exprt lambda = e("lambda", u8, {x});
  EXPECT_EQ(
    thrown_text([&] { expr_text<cvc_convt>(lambda); }),
    "string: convert_cvc_expr: lambda is unsupported");
  EXPECT_EQ(
    thrown_text([&] { expr_text<smt_convt>(lambda); }),
    "string: convert_smt_expr: lambda is unsupported");

  ::testing::internal::CaptureStderr();
  EXPECT_EQ(
    thrown_text(
      [&] { expr_text<cvc_convt>(constant_expr("1.5", typet("real"))); }),
    "string: unknown constant: real");
  EXPECT_NE(::testing::internal::GetCapturedStderr(), "");

  // What was written before the failure stays.
  std::ostringstream out;
  cvc_convt conv(out);
  EXPECT_NE(
    thrown_text([&] {
      conv.convert_cvc_expr(e("extractbit", bool_type(), {x, y}));
    }),
    "nothing");
  EXPECT_EQ(out.str(), "(x");
}

// Component names are written bare, so a name that is not a plain
// identifier could change the formula around it: every place that writes
// one refuses it before any of it reaches the stream.
TEST_F(TextConvExpr, ComponentNamesOutsideTheIdentifierAlphabetAreRefused)
{
  struct placet
  {
    const char *what;
    std::function<void(text_convt &, const typet &)> write;
  };
  const placet places[] = {
    {"type",
     [](text_convt &conv, const typet &record) { conv.convert_type(record); }},
    {"structure value",
     [](text_convt &conv, const typet &record) {
       conv.convert_expr(e("struct", record, {x}));
     }},
    {"with designator",
     [](text_convt &conv, const typet &record) {
       const irept &component = record.find("components").get_sub()[0];
       conv.convert_expr(
         e("with",
           record,
           {symbol_expr("r", record),
            designator(component.get("name").c_str()),
            x}));
     }},
    {"member access",
     [](text_convt &conv, const typet &record) {
       conv.convert_expr(member(symbol_expr("r", record), 0));
     }},
  };
  auto record_with = [](const std::string &name) {
    typet record = struct_type_of({u8});
    record.add("components").get_sub()[0].set("name", name);
    return record;
  };
  for(const placet &place : places)
  {
    for(const std::string name :
        {"a b;ASSERT FALSE", "1st", "", "a.b", "c0:", "x#)", "\xC3\xA9"})
    {
      const typet record = record_with(name);
      std::ostringstream cvc_out, smt_out;
      cvc_convt cvc(cvc_out);
      smt_convt smt(smt_out);
      const std::string refused = "string: unsupported component name: " + name;
      EXPECT_EQ(thrown_text([&] { place.write(cvc, record); }), refused)
        << place.what << " " << name;
      EXPECT_EQ(thrown_text([&] { place.write(smt, record); }), refused)
        << place.what << " " << name;
      if(!name.empty())
      {
        EXPECT_EQ(cvc_out.str().find(name), std::string::npos) << place.what;
        EXPECT_EQ(smt_out.str().find(name), std::string::npos) << place.what;
      }
    }

    // Letters, digits and underscores, not led by a digit, pass unchanged.
    for(const std::string name : {"_", "_tmp_1", "Zz09"})
    {
      std::ostringstream out;
      cvc_convt conv(out);
      EXPECT_EQ(
        thrown_text([&] { place.write(conv, record_with(name)); }), "nothing")
        << place.what << " " << name;
      EXPECT_NE(out.str().find(name), std::string::npos) << place.what;
    }
  }
}

TEST(TextConvExprDeathTest, OperandCountsAreInvariants)
{
  EXPECT_DEATH(
    expr_text<cvc_convt>(e("and", bool_type(), {})), condition_regex("n >= 1"));
  EXPECT_DEATH(expr_text<cvc_convt>(e("+", u8, {})), "empty");
  EXPECT_DEATH(
    expr_text<cvc_convt>(e("-", u8, {x, y, z})), condition_regex("n == 1"));
  EXPECT_DEATH(
    expr_text<cvc_convt>(e("with", u8, {x, y})),
    condition_regex("size() % 2 == 1"));
}

TEST_F(TextConvExpr, AddressesCountObjectsAndScaleOffsets)
{
  const std::string pt = "[# object: INT, offset: BITVECTOR(32) #]";
  const std::string zero = bin(0, 32);
  const typet pair = struct_type_of({u8, u8});
  const exprt st = symbol_expr("st", struct_type_of({u8, bool_type()}));
  const exprt arr = symbol_expr("arr", array_type_of(u8, 4));
  const exprt pairs = symbol_expr("pairs", array_type_of(pair, 4));
  const exprt p = symbol_expr("p", pointer_type_to(u8));
  const exprt pp = symbol_expr("pp", pointer_type_to(pair));
  auto address = [](const exprt &object) {
    return e("address_of", pointer_type_to(object.type()), {object});
  };
  auto index = [](const exprt &array, const exprt &i) {
    return e("index", array.type().subtype(), {array, i});
  };
  auto let = [&](const std::string &pointer, const std::string &addend) {
    return "(LET P: " + pt + " = " + pointer +
           " IN P WITH .offset:=BVPLUS(32, P.offset, " + addend + "))";
  };
  auto object = [&](unsigned number) {
    return "(# object:=" + std::to_string(number) + ", offset:=" + zero + " #)";
  };

  std::ostringstream out;
  cvc_convt conv(out);
  auto text = [&](const exprt &expr) {
    out.str("");
    conv.convert_cvc_expr(expr);
    return out.str();
  };

  // Numbers in the order of first use, after NULL and INVALID.
  EXPECT_EQ(text(address(x)), object(2));
  EXPECT_EQ(text(address(y)), object(3));
  EXPECT_EQ(text(address(x)), object(2));
  // The other address operators write the same record.
  for(const char *id : {"implicit_address_of", "reference_to"})
    EXPECT_EQ(text(e(id, pointer_type_to(u8), {x})), object(2)) << id;
  EXPECT_EQ(text(address(index(arr, bv_constant(0, s32)))), object(4));
  EXPECT_EQ(text(address(arr)), object(4));
  EXPECT_EQ(text(address(index(p, bv_constant(0, s32)))), "p");
  // Components start at 1: offset 0 is the whole structure.
  EXPECT_EQ(text(address(member(st, 0))), let(object(5), bin(1, 32)));
  EXPECT_EQ(text(address(member(st, 1))), let(object(5), bin(2, 32)));
  // An index counts elements: times the element size (3 for a pair),
  // extended to the pointer width by its own signedness.
  EXPECT_EQ(text(address(index(arr, i))), let(object(4), "i"));
  EXPECT_EQ(
    text(address(index(arr, bv_constant(2, s32)))), let(object(4), bin(2, 32)));
  EXPECT_EQ(
    text(address(index(pairs, x))),
    let(
      object(6),
      "BVMULT(32, (0bin" + zeros24 + " @ (x)), " + bin(3, 32) + ")"));
  EXPECT_EQ(
    text(address(index(pairs, bv_constant(-1, s8)))),
    let(object(6), bin(-3, 32)));
  EXPECT_EQ(
    text(address(member(index(pairs, bv_constant(1, s32)), 1))),
    let(let(object(6), bin(3, 32)), bin(2, 32)));
  EXPECT_EQ(text(index(p, x)), "(p)[(0bin" + zeros24 + " @ (x))]");

  // An integer added to a pointer, on either side.
  EXPECT_EQ(
    text(e("+", p.type(), {p, x})), let("p", "(0bin" + zeros24 + " @ (x))"));
  EXPECT_EQ(text(e("+", p.type(), {s, p})), let("p", "SX(s, 32)"));
  EXPECT_EQ(
    text(e("+", pp.type(), {pp, bv_constant(1, s32)})), let("pp", bin(3, 32)));
  EXPECT_EQ(
    text(e("+", pp.type(), {pp, i})),
    let("pp", "BVMULT(32, i, " + bin(3, 32) + ")"));
}

#include "boolbv_round_trip.h"
#include "flattening/bv_pointers.h"
#include "flattening_types.h"
#include "harness/type_builders.h"
#include "sat/satcheck_proofsat.h"
#include "thrown_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
const typet u32 = unsignedbv_type(32);
const typet s32 = signedbv_type(32);
// Two components of one unit each: the structure spans 3 units, its
// components starting at 1 and 2.
const typet pair_type = compound_type("struct", {{"x", u32}, {"y", u32}});

exprt address_of(const exprt &object)
{
  return make_expr("address_of", pointer_type_to(object.type()), {object});
}

exprt member_of(
  const exprt &aggregate, const std::string &name, const typet &type)
{
  exprt member = make_expr("member", type, {aggregate});
  member.set("component_name", dstring(name));
  return member;
}

exprt null_pointer(const typet &type)
{
  return constant_expr("NULL", type);
}

exprt integer_constant(long long value)
{
  return constant_expr(std::to_string(value), typet("integer"));
}

class exposed_bv_pointerst : public bv_pointerst
{
public:
  using bv_pointerst::bv_pointerst;
  using bv_pointerst::bv_utils;
};

// The procedure over the proof-logging engine, messages kept.
class BvPointers : public config_32_testt
{
protected:
  std::unique_ptr<satcheck_proofsatt> engine;
  capturing_message_handlert handler;
  // Made once the configuration is set: it reads the pointer width.
  std::unique_ptr<exposed_bv_pointerst> conv;

  void SetUp() override
  {
    config_32_testt::SetUp();
    fresh();
  }

  // A new procedure on a new engine, nothing constrained.
  void fresh()
  {
    conv.reset();
    engine = std::make_unique<satcheck_proofsatt>();
    conv = std::make_unique<exposed_bv_pointerst>(*engine);
    conv->set_message_handler(&handler);
  }

  // The bits of the expression in a model, least significant first: the
  // value wherever the constraints force it.
  std::string value_bits(const exprt &expr)
  {
    const bvt bv = bits(expr);
    EXPECT_EQ(conv->solve(), decision_proceduret::D_SATISFIABLE);
    std::string text;
    for(const literalt l : bv)
      text += (l.is_constant() ? l.is_true() : engine->l_get(l).is_true())
                ? '1'
                : '0';
    return text;
  }

  bvt bits(const exprt &expr)
  {
    bvt bv;
    EXPECT_FALSE(conv->convert_cached(expr, bv)) << expr.pretty();
    return bv;
  }

  // Whether the bits of the two can differ, in a fresh procedure.
  bool can_differ(const exprt &a, const exprt &b)
  {
    fresh();
    engine->l_set_to(
      engine->lnot(conv->bv_utils.equal(bits(a), bits(b))), true);
    return conv->solve() == decision_proceduret::D_SATISFIABLE;
  }

  // Whether the predicate can be false, in a fresh procedure.
  bool can_be_false(const exprt &predicate)
  {
    fresh();
    conv->set_to(predicate, false);
    return conv->solve() == decision_proceduret::D_SATISFIABLE;
  }
};

// The value's low `width` bits, least significant first.
std::string low_bits_first(unsigned value, unsigned width)
{
  std::string text;
  for(unsigned i = 0; i < width; ++i)
    text += ((value >> i) & 1) ? '1' : '0';
  return text;
}

// The object number's 8 bits, least significant first.
std::string object_text(unsigned n)
{
  return low_bits_first(n, 8);
}

// The offset's 32 bits, least significant first.
std::string offset_text(unsigned offset)
{
  return low_bits_first(offset, 32);
}
} // namespace

TEST_F(BvPointers, AddressesAndCastsAreLaidOutAsOffsetThenObject)
{
  const exprt x = symbol_expr("x", u32);
  const exprt a = symbol_expr("a", array_type(pair_type, 4));
  const exprt s = symbol_expr("s", pair_type);
  const exprt element2 = index_expr(a, bv_constant(2, s32));
  const exprt to_x = address_of(x);
  // Numbered in the order of first conversion, after NULL and INVALID.
  struct caset
  {
    const char *what;
    exprt expr;
    std::string bits;
  };
  const std::vector<caset> cases = {
    {"NULL", null_pointer(pointer_type_to(u32)), std::string(40, '0')},
    {"&x", to_x, offset_text(0) + object_text(2)},
    {"&a[2], elements of 3 units",
     address_of(element2),
     offset_text(6) + object_text(3)},
    {"&s.y",
     address_of(member_of(s, "y", u32)),
     offset_text(2) + object_text(4)},
    {"&a[2].y",
     address_of(member_of(element2, "y", u32)),
     offset_text(8) + object_text(3)},
    {"(u32)&x: object above 24 offset bits",
     make_expr("typecast", u32, {to_x}),
     offset_text(0).substr(0, 24) + object_text(2)},
    {"(u8)&x: the object alone",
     make_expr("typecast", unsignedbv_type(8), {to_x}),
     object_text(2)},
    {"(u64)&x: the offset zero-extended",
     make_expr(
       "typecast", unsignedbv_type(64), {address_of(member_of(s, "x", u32))}),
     offset_text(1) + std::string(24, '0') + object_text(4)},
    {"pointer_object(&s.y)",
     make_expr("pointer_object", u32, {address_of(member_of(s, "y", u32))}),
     object_text(4) + std::string(24, '0')},
    {"pointer_offset(&s.y)",
     make_expr("pointer_offset", u32, {address_of(member_of(s, "y", u32))}),
     offset_text(2)},
  };
  for(const caset &c : cases)
    EXPECT_EQ(value_bits(c.expr), c.bits) << c.what;

  unsigned width;
  EXPECT_FALSE(conv->get_width(pointer_type_to(pair_type), width));
  EXPECT_EQ(width, 40u);
  // Pointers inside aggregates are measured the same way.
  EXPECT_FALSE(conv->get_width(array_type(pointer_type_to(u32), 3), width));
  EXPECT_EQ(width, 120u);
  EXPECT_FALSE(conv->get_width(typet("reference"), width));
  EXPECT_EQ(width, 40u);

  // Fewer bits than the object number needs: not converted, free bits.
  EXPECT_FALSE(handler.has(2, "warning: ignoring "));
  const bvt seven = bits(make_expr("typecast", unsignedbv_type(7), {to_x}));
  EXPECT_EQ(constant_bits(seven), "???????");
  EXPECT_TRUE(handler.has(2, "warning: ignoring "));
}

TEST_F(BvPointers, PredicatesOnConstantAddressesAreDecided)
{
  const exprt a = symbol_expr("a", array_type(u32, 8));
  const exprt x = symbol_expr("x", u32);
  const exprt a1 = address_of(index_expr(a, bv_constant(1, u32)));
  const exprt a3 = address_of(index_expr(a, bv_constant(3, u32)));
  const typet int_pointer = pointer_type_to(u32);
  const exprt from_42 =
    make_expr("typecast", int_pointer, {bv_constant(42, u32)});
  auto predicate = [](const char *id, std::initializer_list<exprt> operands) {
    return make_expr(id, bool_type(), operands);
  };
  struct caset
  {
    const char *what;
    exprt expr;
    bool value;
  };
  const std::vector<caset> cases = {
    {"invalid (T*)42", predicate("invalid-pointer", {from_42}), true},
    {"invalid NULL",
     predicate("invalid-pointer", {null_pointer(int_pointer)}),
     true},
    {"invalid &x", predicate("invalid-pointer", {address_of(x)}), false},
    {"same-object &a[1] &a[3]", predicate("same-object", {a1, a3}), true},
    {"same-object &a[1] &x",
     predicate("same-object", {a1, address_of(x)}),
     false},
    {"&a[1] < &a[3]", predicate("<", {a1, a3}), true},
    {"&a[1] > &a[3]", predicate(">", {a1, a3}), false},
    {"&a[3] <= &a[3]", predicate("<=", {a3, a3}), true},
    {"&a[1] >= &a[3]", predicate(">=", {a1, a3}), false},
    // A Boolean cast is the Boolean conversion's: not NULL.
    {"(bool)NULL",
     make_expr("typecast", bool_type(), {null_pointer(int_pointer)}),
     false},
    {"(bool)&x", make_expr("typecast", bool_type(), {address_of(x)}), true},
    // x is numbered before a: the object number decides first.
    {"&a[3] < &x", predicate("<", {a3, address_of(x)}), false},
  };
  for(const caset &c : cases)
    EXPECT_EQ(value_bits(c.expr), c.value ? "1" : "0") << c.what;
  // The integer cast points at an unknown offset of INVALID.
  EXPECT_EQ(
    constant_bits(bits(from_42)), std::string(32, '?') + object_text(1));
}

TEST_F(BvPointers, ArithmeticStaysInsideTheObject)
{
  const typet pair_pointer = pointer_type_to(pair_type);
  const exprt p = symbol_expr("p", pair_pointer);
  const exprt k = symbol_expr("k", s32);
  const exprt minus_one = bv_constant(-1, s32);
  const exprt p_minus_one = make_expr("+", pair_pointer, {p, minus_one});
  const exprt p_plus_k = make_expr("+", pair_pointer, {p, k});

  EXPECT_FALSE(
    can_be_false(make_expr("same-object", bool_type(), {p, p_minus_one})));
  EXPECT_FALSE(can_differ(make_expr("-", pair_pointer, {p_plus_k, k}), p));
  EXPECT_FALSE(can_differ(
    make_expr("pointer_object", unsignedbv_type(8), {p_minus_one}),
    make_expr("pointer_object", unsignedbv_type(8), {p})));
  // Still satisfiable as a whole: the offsets do move.
  EXPECT_TRUE(can_differ(p_plus_k, p));
}

TEST_F(BvPointers, ArithmeticScalesByTheElementSize)
{
  const exprt a = symbol_expr("a", array_type(pair_type, 4));
  const typet pair_pointer = pointer_type_to(pair_type);
  const exprt start = make_expr(
    "implicit_address_of", pair_pointer, {index_expr(a, bv_constant(0, u32))});
  const exprt one = bv_constant(1, u32);
  const exprt t = symbol_expr("t", typet("symbol"));
  auto sum = [](const exprt &p, std::initializer_list<exprt> operands) {
    exprt expr = make_expr("+", p.type(), {p});
    for(const exprt &operand : operands)
      expr.copy_to_operands(operand);
    return expr;
  };
  struct caset
  {
    const char *what;
    exprt expr;
    unsigned offset;
    unsigned object;
  };
  const std::vector<caset> cases = {
    {"p + 1 over structures", sum(start, {one}), 3, 2},
    {"p + 1 + 1", sum(start, {one, one}), 6, 2},
    {"1 + p", make_expr("+", pair_pointer, {one, start}), 3, 2},
    {"(p + 2) - 1",
     make_expr("-", pair_pointer, {sum(start, {bv_constant(2, u32)}), one}),
     3,
     2},
    {"p - 1 wraps within the offset",
     make_expr("-", pair_pointer, {start, one}),
     0xFFFFFFFDu,
     2},
    {"p + 8-bit -1, sign-extended",
     sum(start, {bv_constant(-1, signedbv_type(8))}),
     0xFFFFFFFDu,
     2},
    {"p + 8-bit 255, zero-extended",
     sum(start, {bv_constant(255, unsignedbv_type(8))}),
     765,
     2},
    {"a symbol subtype counts one unit", sum(address_of(t), {one}), 1, 3},
  };
  for(const caset &c : cases)
    EXPECT_EQ(value_bits(c.expr), offset_text(c.offset) + object_text(c.object))
      << c.what;
}

TEST_F(BvPointers, DifferencesAreOffsetDifferences)
{
  const exprt a = symbol_expr("a", array_type(u32, 8));
  const exprt a1 = address_of(index_expr(a, bv_constant(1, u32)));
  const exprt a6 = address_of(index_expr(a, bv_constant(6, u32)));
  EXPECT_EQ(
    value_bits(make_expr("-", s32, {a1, a6})),
    offset_text(static_cast<unsigned>(-5)));
  EXPECT_EQ(
    thrown_text([&] {
      bits(make_expr("-", signedbv_type(33), {a1, a6}));
    }),
    "char*: no sign extension on pointer differences");
}

TEST_F(BvPointers, TheObjectNumbersEndAt255)
{
  bvt last;
  for(unsigned n = 2; n < 256; ++n)
    last = bits(address_of(symbol_expr("o" + std::to_string(n), u32)));
  EXPECT_EQ(constant_bits(last), offset_text(0) + object_text(255));
  EXPECT_EQ(
    thrown_text([&] { bits(address_of(symbol_expr("o256", u32))); }),
    "char*: too many variables");
}

TEST_F(BvPointers, DynamicObjectTestsCoverObjectsNumberedLater)
{
  const typet int_pointer = pointer_type_to(u32);
  const exprt p = symbol_expr("p", int_pointer);
  const literalt dynamic =
    conv->convert(make_expr("is_dynamic_object", bool_type(), {p}));
  ASSERT_EQ(conv->solve(), decision_proceduret::D_SATISFIABLE);

  // Numbered only after the first solve: the test must still see it.
  conv->set_to(
    equal_expr(p, address_of(symbol_expr("symex_dynamic::1", u32))), true);
  engine->l_set_to(engine->lnot(dynamic), true);
  EXPECT_EQ(conv->solve(), decision_proceduret::D_UNSATISFIABLE);
}

TEST_F(BvPointers, DynamicObjectsAreFlaggedOrNamedSo)
{
  const typet int_pointer = pointer_type_to(u32);
  typet flagged = u32;
  flagged.set("#dynamic", 1);
  struct caset
  {
    const char *what;
    exprt target;
    bool dynamic;
  };
  const std::vector<caset> cases = {
    {"NULL", null_pointer(int_pointer), false},
    {"INVALID",
     make_expr("typecast", int_pointer, {bv_constant(8, u32)}),
     false},
    {"named dynamic", address_of(symbol_expr("symex_dynamic::7", u32)), true},
    {"flagged type", address_of(symbol_expr("heap", flagged)), true},
    {"plain symbol", address_of(symbol_expr("x", u32)), false},
  };
  for(const caset &c : cases)
  {
    satcheck_proofsatt sat;
    bv_pointerst procedure(sat);
    const exprt p = symbol_expr("p", int_pointer);
    const exprt test = make_expr("is_dynamic_object", bool_type(), {p});
    procedure.convert(test);
    // Another object numbered, so that the test has more than one to tell
    // apart.
    procedure.convert(make_expr(
      "same-object", bool_type(), {p, address_of(symbol_expr("other", u32))}));
    procedure.set_to(equal_expr(p, c.target), true);
    ASSERT_EQ(procedure.solve(), decision_proceduret::D_SATISFIABLE) << c.what;
    EXPECT_EQ(procedure.get(test), bool_constant(c.dynamic)) << c.what;
  }
}

TEST_F(BvPointers, PointersReadBackAsAddressesOfElementsAndComponents)
{
  const unsigned elements = 5;
  const exprt a = symbol_expr("a", array_type(pair_type, elements));
  const typet int_pointer = pointer_type_to(u32);
  bits(address_of(a));

  // The value's "bv_literals" form, every bit constant.
  auto literals_of = [](unsigned object, unsigned offset, const typet &type) {
    exprt value("bv_literals", type);
    irept::subt &words = value.add("bv").get_sub();
    const std::string text = offset_text(offset) + object_text(object);
    for(const char bit : text)
      words.push_back(
        irept(dstring(std::to_string(const_literal(bit == '1').get()))));
    return value;
  };
  // The address the documentation gives for (object, offset) into a.
  auto documented = [&](unsigned object, unsigned offset) {
    if(object == 0)
      return null_pointer(int_pointer);
    if(object == 1)
      return constant_expr("INVALID", int_pointer);
    if(object == 3)
      return constant_expr("INVALID-3", int_pointer);
    const exprt element =
      make_expr("index", pair_type, {a, integer_constant(offset / 3)});
    if(offset % 3 == 0)
      return address_of(element);
    return address_of(member_of(element, offset % 3 == 1 ? "x" : "y", u32));
  };

  std::mt19937 random(20261210);
  std::vector<std::pair<exprt, exprt>> expected;
  for(unsigned round = 0; round < 40; ++round)
  {
    const unsigned object = random() % 4;
    const unsigned offset = random() % (3 * elements);
    const exprt p = symbol_expr("p" + std::to_string(round), int_pointer);
    conv->set_to(equal_expr(p, literals_of(object, offset, int_pointer)), true);
    expected.emplace_back(p, documented(object, offset));
  }
  const exprt minus_one = symbol_expr("minus_one", int_pointer);
  conv->set_to(
    equal_expr(minus_one, literals_of(2, 0xFFFFFFFFu, int_pointer)), true);

  ASSERT_EQ(conv->solve(), decision_proceduret::D_SATISFIABLE);
  for(const auto &pair : expected)
    EXPECT_EQ(conv->get(pair.first), pair.second)
      << pair.first.get("identifier") << ": " << conv->get(pair.first).pretty();
  // Offset -1 lies before the object: no element holds it.
  const exprt before = conv->get(minus_one);
  EXPECT_EQ(before.id(), "address_of");
  ASSERT_EQ(before.operands().size(), 1u);
  EXPECT_TRUE(before.op0().is_nil());
}

TEST_F(BvPointers, SymbolPointersReadBackFromTheModel)
{
  const exprt x = symbol_expr("x", u32);
  const exprt p = symbol_expr("p", pointer_type_to(u32));
  const exprt q = symbol_expr("q", pointer_type_to(u32));
  conv->set_to(make_expr("same-object", bool_type(), {p, address_of(x)}), true);
  conv->set_to(
    make_expr(
      "<",
      bool_type(),
      {make_expr("+", p.type(), {address_of(x), bv_constant(2, u32)}), p}),
    true);
  conv->set_to(
    make_expr(
      "<",
      bool_type(),
      {p, make_expr("+", p.type(), {address_of(x), bv_constant(4, u32)})}),
    true);
  conv->set_to(make_expr("invalid-pointer", bool_type(), {q}), true);
  conv->set_to(
    make_expr("same-object", bool_type(), {q, null_pointer(q.type())}), false);
  ASSERT_EQ(conv->solve(), decision_proceduret::D_SATISFIABLE);
  EXPECT_EQ(
    conv->get(p),
    make_expr("+", pointer_type_to(u32), {address_of(x), integer_constant(3)}));
  EXPECT_EQ(conv->get(q).get("value"), "INVALID");
}

TEST_F(BvPointers, MalformedPointerExpressionsAreThrown)
{
  const typet int_pointer = pointer_type_to(u32);
  const exprt p = symbol_expr("p", int_pointer);
  const exprt x = symbol_expr("x", u32);
  exprt two_operand_cast = make_expr("typecast", int_pointer, {x, x});
  struct caset
  {
    exprt expr;
    std::string text;
  };
  const std::vector<caset> cases = {
    {two_operand_cast, "char*: typecast takes one operand"},
    {constant_expr("16", int_pointer),
     "char*: found non-NULL pointer constant"},
    {make_expr("+", int_pointer, {p, p}), "char*: found two pointers in sum"},
    {make_expr("+", int_pointer, {x, x}),
     "char*: found no pointer in pointer type sum"},
    {make_expr("+", int_pointer, {}),
     "string: operator + takes at least one operand"},
    {make_expr("+", int_pointer, {p, symbol_expr("w", unsignedbv_type(33))}),
     "char*: unexpected pointer arithmetic operand width"},
    {make_expr("-", int_pointer, {p}), "string: operator - takes two operands"},
    {make_expr("-", int_pointer, {x, p}),
     "char*: found no pointer in pointer type in difference"},
    {make_expr("address_of", int_pointer, {}),
     "string: address_of takes one operand"},
    {make_expr("address_of", int_pointer, {make_expr("index", u32, {x})}),
     "char*: index takes two operands"},
    {make_expr("address_of", int_pointer, {make_expr("member", u32, {})}),
     "char*: member takes one operand"},
  };
  for(const caset &c : cases)
    EXPECT_EQ(thrown_text([&] { bits(c.expr); }), c.text) << c.expr.pretty();
}

TEST_F(BvPointers, PointersInsideChoicesAndStructuresKeepTheirBits)
{
  const typet int_pointer = pointer_type_to(u32);
  const exprt x = symbol_expr("x", u32);
  const exprt c = bool_symbol("c");
  const exprt chosen = symbol_expr("chosen", int_pointer);
  conv->set_to(
    equal_expr(
      chosen,
      make_expr(
        "if", int_pointer, {c, address_of(x), null_pointer(int_pointer)})),
    true);
  conv->set_to(c, true);

  const typet record =
    compound_type("struct", {{"p", int_pointer}, {"n", u32}});
  const exprt r = symbol_expr("r", record);
  conv->set_to(
    equal_expr(
      r,
      make_expr(
        "struct",
        record,
        {make_expr("+", int_pointer, {address_of(x), bv_constant(2, u32)}),
         bv_constant(7, u32)})),
    true);

  ASSERT_EQ(conv->solve(), decision_proceduret::D_SATISFIABLE);
  EXPECT_EQ(conv->get(chosen), address_of(x));
  EXPECT_EQ(
    conv->get(r),
    make_expr(
      "struct",
      record,
      {make_expr("+", int_pointer, {address_of(x), integer_constant(2)}),
       bv_constant(7, u32)}));
}

TEST_F(BvPointers, ReferencesCastToPointersKeepTheirBits)
{
  typet reference("reference");
  reference.subtype() = u32;
  const exprt r = symbol_expr("r", reference);
  EXPECT_FALSE(can_differ(make_expr("typecast", pointer_type_to(u32), {r}), r));
}

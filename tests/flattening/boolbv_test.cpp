#include "flattening/boolbv.h"
#include "flattening_types.h"
#include "logged_boolbv.h"
#include "propositional/cnf_clause_list.h"
#include "test_dpll.h"
#include "thrown_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace
{
const typet u8 = unsignedbv_type(8);

class exposed_boolbvt : public boolbvt
{
public:
  using boolbvt::boolbvt;
  using boolbvt::bits_to_expr;
  using boolbvt::fresh_bits_expr;
  using boolbvt::symbol_map;
  using boolbvt::symbol_map_entry;

  // The theory passes, in the order post_process runs them.
  std::vector<std::string> passes;

  void add_array_constraints_all() override
  {
    passes.push_back("arrays");
    boolbvt::add_array_constraints_all();
  }

protected:
  void add_function_constraints_all() override
  {
    passes.push_back("functions");
    boolbvt::add_function_constraints_all();
  }
  void add_equality_constraints_all() override
  {
    passes.push_back("equalities");
    boolbvt::add_equality_constraints_all();
  }
};

bvt bits_of_expr(boolbvt &conv, const exprt &expr)
{
  bvt bv;
  EXPECT_FALSE(conv.convert_cached(expr, bv)) << expr.pretty();
  return bv;
}

unsigned warnings(const capturing_message_handlert &handler)
{
  unsigned count = 0;
  for(const auto &message : handler.messages)
    count += message.first == 2 &&
             message.second.compare(0, 18, "warning: ignoring ") == 0;
  return count;
}
} // namespace

TEST(Boolbv, UnhandledExpressionsGetFreeBitsOnceAndOneWarning)
{
  logged_boolbvt logged;
  auto &[prop, handler, conv] = logged;

  const exprt abs = make_expr("abs", u8, {symbol_expr("x", u8)});
  const bvt first = bits_of_expr(conv, abs);
  ASSERT_EQ(first.size(), 8u);
  for(const literalt bit : first)
    EXPECT_FALSE(bit.is_constant());
  const unsigned variables = prop.no_variables();
  EXPECT_EQ(bits_of_expr(conv, abs), first);
  EXPECT_EQ(prop.no_variables(), variables);
  EXPECT_EQ(warnings(handler), 1u);

  // Without a width there are no bits to make: the conversion fails.
  bvt bv;
  EXPECT_TRUE(conv.convert_cached(
    make_expr("abs", typet("integer"), {symbol_expr("n", typet("integer"))}),
    bv));
}

TEST(Boolbv, ConvertingAgainAddsNothing)
{
  cnf_clause_listt prop;
  boolbvt conv(prop);
  const typet pair = compound_type("struct", {{"a", u8}, {"b", bool_type()}});
  const exprt value = make_expr(
    "struct",
    pair,
    {symbol_expr("x", u8),
     make_expr("and", bool_type(), {bool_symbol("p"), bool_symbol("q")})});
  const bvt first = bits_of_expr(conv, value);
  const std::size_t clauses = prop.no_clauses();
  const unsigned variables = prop.no_variables();
  // Built separately, the same tree shares the bits.
  const exprt again = make_expr(
    "struct",
    pair,
    {symbol_expr("x", u8),
     make_expr("and", bool_type(), {bool_symbol("p"), bool_symbol("q")})});
  EXPECT_EQ(bits_of_expr(conv, again), first);
  EXPECT_EQ(prop.no_clauses(), clauses);
  EXPECT_EQ(prop.no_variables(), variables);
}

TEST(Boolbv, EqualityShortcutSharesTheDefinitionsBits)
{
  cnf_clause_listt prop;
  boolbvt conv(prop);
  const exprt x = symbol_expr("x", u8);
  const exprt e = symbol_expr("e", u8), f = symbol_expr("f", u8);

  conv.set_to(equal_expr(x, e), true);
  EXPECT_EQ(prop.no_clauses(), 0u);
  EXPECT_EQ(bits_of_expr(conv, x), bits_of_expr(conv, e));

  // The second definition ties the bits: set_equal, two clauses per bit.
  conv.set_to(equal_expr(x, f), true);
  EXPECT_EQ(prop.no_clauses(), 16u);
  EXPECT_NE(bits_of_expr(conv, f), bits_of_expr(conv, e));
}

TEST(Boolbv, UnboundedArraysByMode)
{
  const typet element = u8;
  const typet sized_1000 = array_type(element, 1000);
  const typet sized_1001 = array_type(element, 1001);
  const typet symbolic =
    array_type(element, symbol_expr("n", unsignedbv_type(32)));
  struct
  {
    int mode;
    bool at_1000, at_1001, at_symbol;
  } cases[] = {
    {0, false, false, true},
    {1, true, true, true},
    {2, false, true, true},
  };
  cnf_clause_listt prop;
  boolbvt conv(prop);
  for(const auto &test : cases)
  {
    SCOPED_TRACE(test.mode);
    conv.unbounded_array_mode = test.mode;
    EXPECT_EQ(conv.treat_as_unbounded_array(sized_1000), test.at_1000);
    EXPECT_EQ(conv.treat_as_unbounded_array(sized_1001), test.at_1001);
    EXPECT_EQ(conv.treat_as_unbounded_array(symbolic), test.at_symbol);
    EXPECT_FALSE(conv.treat_as_unbounded_array(u8));
  }
}

TEST(Boolbv, LiteralOfBitsInsideSymbols)
{
  cnf_clause_listt prop;
  boolbvt conv(prop);
  const exprt a = symbol_expr("a", array_type(u8, 4));
  const exprt s = symbol_expr(
    "s",
    compound_type("struct", {{"x", u8}, {"y", unsignedbv_type(16)}}));
  const bvt a_bits = bits_of_expr(conv, a);
  const bvt s_bits = bits_of_expr(conv, s);

  literalt l;
  ASSERT_FALSE(conv.literal(index_expr(a, bv_constant(2, u8)), 3, l));
  EXPECT_EQ(l, a_bits[19]);
  exprt member("member", unsignedbv_type(16));
  member.set("component_name", dstring("y"));
  member.copy_to_operands(s);
  ASSERT_FALSE(conv.literal(member, 0, l));
  EXPECT_EQ(l, s_bits[8]);
  EXPECT_TRUE(conv.literal(symbol_expr("never", u8), 0, l));

  const exprt p = bool_symbol("p");
  conv.convert(p);
  ASSERT_FALSE(conv.literal(p, 0, l));
  EXPECT_EQ(l, conv.convert(p));

  exprt missing = member;
  missing.set("component_name", dstring("z"));
  struct
  {
    exprt expr;
    const char *thrown;
  } errors[] = {
    {index_expr(a, symbol_expr("i", u8)),
     "char*: literal expects constant index"},
    {make_expr("index", u8, {a}), "char*: index takes two operands"},
    {missing, "char*: failed to find component"},
    {make_expr("+", u8, {a, a}), "char*: found no literal for expression"},
  };
  for(const auto &test : errors)
    EXPECT_EQ(thrown_text([&] { conv.literal(test.expr, 0, l); }), test.thrown);
}

TEST(Boolbv, BvLiteralsConvertBackToTheSameLiterals)
{
  cnf_clause_listt prop;
  exposed_boolbvt conv(prop);
  const bvt bits = {
    prop.new_variable(),
    const_literal(true),
    !prop.new_variable(),
    const_literal(false)};
  exprt form;
  conv.bits_to_expr(unsignedbv_type(4), bits, form);
  EXPECT_EQ(form.id(), "bv_literals");
  EXPECT_EQ(form.find("bv").get_sub()[1].id(), "4294967295");
  EXPECT_EQ(form.find("bv").get_sub()[3].id(), "4294967294");
  EXPECT_EQ(bits_of_expr(conv, form), bits);

  exprt fresh;
  conv.fresh_bits_expr(u8, fresh);
  EXPECT_EQ(bits_of_expr(conv, fresh).size(), 8u);
}

TEST(Boolbv, SignIsTheTopBitOfSignedOperands)
{
  logged_boolbvt logged;
  auto &[prop, handler, conv] = logged;
  const exprt s = symbol_expr("s", signedbv_type(8));
  const exprt u = symbol_expr("u", u8);
  const exprt f = symbol_expr("f", width_type("floatbv", 8));
  const auto sign = [](const exprt &operand) {
    return make_expr("sign", bool_type(), {operand});
  };
  EXPECT_EQ(conv.convert(sign(s)), bits_of_expr(conv, s)[7]);
  EXPECT_TRUE(conv.convert(sign(u)).is_false());
  EXPECT_EQ(warnings(handler), 0u);
  EXPECT_FALSE(conv.convert(sign(f)).is_constant());
  EXPECT_EQ(warnings(handler), 1u);
}

TEST(Boolbv, MalformedInputIsThrown)
{
  cnf_clause_listt prop;
  exposed_boolbvt conv(prop);
  bvt bv;
  exprt dest;
  exprt short_list = make_expr("bv_literals", u8, {});
  short_list.add("bv").get_sub().push_back(irept("4294967295"));
  struct
  {
    const char *name;
    std::function<void()> call;
    std::string thrown;
  } cases[] = {
    {"empty identifier",
     [&] { conv.convert_cached(symbol_expr("", u8), bv); },
     "char*: got empty identifier"},
    {"short bv_literals",
     [&] { conv.convert_cached(short_list, bv); },
     "char*: bv_literals with wrong size"},
    {"fresh bits without width",
     [&] { conv.fresh_bits_expr(typet("integer"), dest); },
     "string: failed to get width of " + typet("integer").to_string()},
    {"set_to of a bit-vector",
     [&] { conv.set_to(symbol_expr("x", u8), true); },
     "char*: boolbvt::set_to got non-boolean operand"},
    {"sign without operand",
     [&] { conv.convert(make_expr("sign", bool_type(), {})); },
     "char*: sign expects one operand"},
  };
  for(const auto &test : cases)
  {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(thrown_text(test.call), test.thrown);
  }
}

TEST(Boolbv, PostProcessRunsTheTheoryPassesInOrder)
{
  cnf_clause_listt prop;
  exposed_boolbvt conv(prop);
  conv.post_process();
  EXPECT_EQ(
    conv.passes,
    (std::vector<std::string>{"arrays", "functions", "equalities"}));
}

TEST(Boolbv, PrintValuesListsTheBooleanSymbolsOnly)
{
  test_dpll_propt prop;
  boolbvt conv(prop);
  conv.set_to(bool_symbol("p"), true);
  conv.set_to(equal_expr(symbol_expr("x", u8), bv_constant(3, u8)), true);
  ASSERT_EQ(conv.solve(), decision_proceduret::D_SATISFIABLE);
  std::ostringstream out;
  conv.print_values(out);
  EXPECT_EQ(out.str(), "p = TRUE\n");
}

TEST(Boolbv, SymbolWithoutWidthGetsAnEmptyEntry)
{
  cnf_clause_listt prop;
  exposed_boolbvt conv(prop);
  const boolbvt::symbol_entryt &entry =
    conv.symbol_map_entry(dstring("n"), typet("integer"));
  EXPECT_EQ(entry.width, 0u);
  EXPECT_EQ(entry.kind, BV_KIND_OTHER);
  EXPECT_TRUE(conv.get(symbol_expr("n", typet("integer"))).is_nil());
}

TEST(Boolbv, ClassifiesBitVectorKinds)
{
  const std::pair<const char *, bv_kindt> cases[] = {
    {"bv", BV_KIND_BV},
    {"signedbv", BV_KIND_SIGNED},
    {"unsignedbv", BV_KIND_UNSIGNED},
    {"floatbv", BV_KIND_FLOAT},
    {"fixedbv", BV_KIND_FIXED},
    {"verilogbv", BV_KIND_VERILOG},
    {"range", BV_KIND_RANGE},
    {"c_enum", BV_KIND_C_ENUM},
    {"incomplete_c_enum", BV_KIND_C_ENUM},
    {"pointer", BV_KIND_OTHER},
  };
  for(const auto &test : cases)
    EXPECT_EQ(classify_bv_type(typet(test.first)), test.second) << test.first;
}

class BoolbvStrings : public config_32_testt
{
};

TEST_F(BoolbvStrings, StringConstantConvertsAsItsCharacterArray)
{
  cnf_clause_listt prop;
  boolbvt conv(prop);
  exprt text("string-constant", array_type(signedbv_type(8), 3));
  text.set("value", dstring("ab"));
  const bvt bits = bits_of_expr(conv, text);
  ASSERT_EQ(bits.size(), 24u);
  // 'a' (0x61) in bits 0-7, 'b' (0x62) in 8-15, the terminating 0 above.
  std::string seen;
  for(const literalt bit : bits)
    seen += bit.is_true() ? '1' : bit.is_false() ? '0' : '?';
  EXPECT_EQ(seen, "100001100100011000000000");
}

namespace
{
// Records which converter each expression reaches.
class dispatch_recordert : public boolbvt
{
public:
  using boolbvt::boolbvt;
  std::vector<std::string> reached;

protected:
#define MORVANE_RECORD_BOOL(name)                                             \
  literalt name(const exprt &) override                                       \
  {                                                                           \
    reached.push_back(#name);                                                 \
    return prop.new_variable();                                               \
  }
#define MORVANE_RECORD_VECTOR(name)                                           \
  bool name(const exprt &expr, bvt &bv) override                              \
  {                                                                           \
    reached.push_back(#name);                                                 \
    return free_bits_for(expr, bv);                                           \
  }
  MORVANE_RECORD_BOOL(convert_relation)
  MORVANE_RECORD_BOOL(convert_typecast_to_bool)
  MORVANE_RECORD_BOOL(convert_reduction)
  MORVANE_RECORD_BOOL(convert_extractbit)
  MORVANE_RECORD_BOOL(convert_overflow)
  MORVANE_RECORD_BOOL(convert_equality)
  MORVANE_RECORD_BOOL(convert_quantifier)
  MORVANE_RECORD_VECTOR(convert_index)
  MORVANE_RECORD_VECTOR(convert_byte_extract)
  MORVANE_RECORD_VECTOR(convert_if)
  MORVANE_RECORD_VECTOR(convert_add_sub)
  MORVANE_RECORD_VECTOR(convert_mult)
  MORVANE_RECORD_VECTOR(convert_div)
  MORVANE_RECORD_VECTOR(convert_mod)
  MORVANE_RECORD_VECTOR(convert_member)
  MORVANE_RECORD_VECTOR(convert_with)
  MORVANE_RECORD_VECTOR(convert_case)
  MORVANE_RECORD_VECTOR(convert_cond)
  MORVANE_RECORD_VECTOR(convert_shift)
  MORVANE_RECORD_VECTOR(convert_bitwise)
  MORVANE_RECORD_VECTOR(convert_unary_minus)
  MORVANE_RECORD_VECTOR(convert_concatenation)
  MORVANE_RECORD_VECTOR(convert_replication)
  MORVANE_RECORD_VECTOR(convert_extractbits)
#undef MORVANE_RECORD_BOOL
#undef MORVANE_RECORD_VECTOR
};
} // namespace

TEST(Boolbv, DispatchSendsEachIdToItsConverter)
{
  const exprt x = symbol_expr("x", u8), y = symbol_expr("y", u8);
  const exprt a = symbol_expr("a", array_type(u8, 4));
  const auto vector = [&](const char *id) { return make_expr(id, u8, {x, y}); };
  const auto boolean = [&](const char *id) {
    return make_expr(id, bool_type(), {x, y});
  };
  struct
  {
    exprt expr;
    const char *converter;
  } cases[] = {
    {vector("+"), "convert_add_sub"},
    {vector("no-overflow-minus"), "convert_add_sub"},
    {vector("no-overflow-mult"), "convert_mult"},
    {vector("/"), "convert_div"},
    {vector("mod"), "convert_mod"},
    {vector("lshr"), "convert_shift"},
    {vector("bitxor"), "convert_bitwise"},
    {vector("no-overflow-unary-minus"), "convert_unary_minus"},
    {vector("concatenation"), "convert_concatenation"},
    {vector("replication"), "convert_replication"},
    {vector("extractbits"), "convert_extractbits"},
    {vector("byte_extract_big_endian"), "convert_byte_extract"},
    {vector("with"), "convert_with"},
    {vector("if"), "convert_if"},
    {vector("case"), "convert_case"},
    {vector("cond"), "convert_cond"},
    {vector("member"), "convert_member"},
    {index_expr(a, x), "convert_index"},
    {boolean("="), "convert_equality"},
    {boolean("notequal"), "convert_equality"},
    {boolean("<="), "convert_relation"},
    {boolean("extractbit"), "convert_extractbit"},
    {boolean("forall"), "convert_quantifier"},
    {boolean("overflow-+"), "convert_overflow"},
    {make_expr("reduction_xnor", bool_type(), {x}), "convert_reduction"},
    {make_expr("typecast", bool_type(), {x}), "convert_typecast_to_bool"},
    // Boolean reads, members and choices take the one bit of the
    // bit-vector converter.
    {make_expr("index", bool_type(), {a, x}), "convert_index"},
    {make_expr("cond", bool_type(), {x, y}), "convert_cond"},
  };
  for(const auto &test : cases)
  {
    cnf_clause_listt prop;
    dispatch_recordert conv(prop);
    bvt bv;
    conv.convert_cached(test.expr, bv);
    EXPECT_EQ(conv.reached, std::vector<std::string>{test.converter})
      << test.expr.to_string();
  }

  // Booleans compared with each other never leave prop_convt.
  cnf_clause_listt prop;
  dispatch_recordert conv(prop);
  conv.convert(equal_expr(bool_symbol("p"), bool_symbol("q")));
  EXPECT_TRUE(conv.reached.empty());
}

TEST(Boolbv, WithoutPropagationEqualitiesAreConverted)
{
  cnf_clause_listt prop;
  dispatch_recordert conv(prop);
  conv.equality_propagation = false;
  conv.set_to(equal_expr(symbol_expr("x", u8), symbol_expr("e", u8)), true);
  EXPECT_EQ(conv.reached, std::vector<std::string>{"convert_equality"});
}

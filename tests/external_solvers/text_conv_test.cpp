#include "flattening/thrown_text.h"
#include "text_fixtures.h"
#include "util/config.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace
{
const typet u8 = unsignedbv_type(8);
const exprt a = bool_symbol("a");
const exprt x = symbol_expr("x", u8);
const exprt y = symbol_expr("y", u8);

class TextConv : public config_32_testt
{
protected:
  std::string identifier_text(const std::string &identifier)
  {
    std::ostringstream out;
    cvc_convt(out).convert_identifier(dstring(identifier));
    return out.str();
  }

  std::string type_text(const typet &type)
  {
    std::ostringstream out;
    cvc_convt(out).convert_cvc_type(type);
    return out.str();
  }
};

} // namespace

TEST_F(TextConv, IdentifiersAreEscapedBytewise)
{
  const struct
  {
    std::string identifier;
    const char *text;
  } cases[] = {
    {"a::b.c", "a__b_46_c"},
    {"my_var", "my_95_var"},
    {"x$1?", "x$1?"},
    {"a:b", "a_58_b"},
    {":::", "___58_"},
    {"\xC3\xA9", "_-61__-87_"},
    {"Zz09", "Zz09"},
    {"a b", "a_32_b"},
  };
  for(const auto &entry : cases)
    EXPECT_EQ(identifier_text(entry.identifier), entry.text)
      << entry.identifier;
}

TEST_F(TextConv, TypeTexts)
{
  const struct
  {
    typet type;
    const char *text;
  } cases[] = {
    {bool_type(), "BOOLEAN"},
    {u8, "BITVECTOR(8)"},
    {signedbv_type(3), "BITVECTOR(3)"},
    {typet("integer"), "INT"},
    {array_type_of(bool_type(), 4), "ARRAY BITVECTOR(32) OF BITVECTOR(1)"},
    {array_type_of(array_type_of(u8, 2), 4),
     "ARRAY BITVECTOR(32) OF ARRAY BITVECTOR(32) OF BITVECTOR(8)"},
    {struct_type_of({bool_type(), u8}), "[# c0: BOOLEAN, c1: BITVECTOR(8) #]"},
    {struct_type_of({}), "[# #]"},
    {pointer_type_to(u8), "[# object: INT, offset: BITVECTOR(32) #]"},
    {typet("reference"), "[# object: INT, offset: BITVECTOR(32) #]"},
  };
  for(const auto &entry : cases)
    EXPECT_EQ(type_text(entry.type), entry.text) << entry.type.pretty();

  EXPECT_EQ(
    thrown_text([&] { type_text(typet("real")); }),
    "string: unsupported type: real");
  EXPECT_EQ(
    thrown_text([&] { type_text(typet("code")); }),
    "string: zero-width vector type: code");
  EXPECT_EQ(
    thrown_text([&] { type_text(unsignedbv_type(0)); }),
    "string: zero-width vector type: unsignedbv");

  EXPECT_EQ(cvc_convt::cvc_pointer_type(), smt_convt::smt_pointer_type());
  config_set_64(config.ansi_c);
  EXPECT_EQ(
    cvc_convt::cvc_pointer_type(), "[# object: INT, offset: BITVECTOR(64) #]");
  EXPECT_EQ(text_convt::array_index_type_text(), "BITVECTOR(32)");
}

TEST_F(TextConv, BinaryConstants)
{
  EXPECT_EQ(text_convt::bin_constant(5), "0bin" + std::string(29, '0') + "101");
  EXPECT_EQ(text_convt::bin_zero(3), "0bin000");
  config_set_16(config.ansi_c);
  EXPECT_EQ(text_convt::bin_constant(0x12345), "0bin0010001101000101");
}

TEST_F(TextConv, SymbolsAreDeclaredOnceBeforeFirstUse)
{
  std::ostringstream out;
  cvc_convt conv(out);
  exprt k("nondet_symbol", u8);
  k.set("identifier", "k");
  const exprt f = symbol_expr("f", typet("code"));
  const exprt less = make_expr("<", bool_type(), {x, k});

  conv.set_to(less, true);
  conv.set_to(make_expr("<", bool_type(), {k, x}), false);
  conv.set_to(make_expr("=", bool_type(), {f, f}), true);
  EXPECT_EQ(
    out.str(),
    "%% set_to true\n"
    "x: BITVECTOR(8);\n"
    "nondet$k: BITVECTOR(8);\n"
    "ASSERT BVLT(x, nondet$k);\n\n"
    "%% set_to false\n"
    "ASSERT NOT (BVLT(nondet$k, x));\n\n"
    "%% set_to true\n"
    "ASSERT (f)=(f);\n\n");

  // The size of an array type is declared before the array.
  out.str("");
  const exprt n = symbol_expr("n", signedbv_type(32));
  typet array_type("array");
  array_type.subtype() = u8;
  array_type.add("size") = n;
  conv.find_symbols(symbol_expr("arr", array_type));
  EXPECT_EQ(
    out.str(),
    "n: BITVECTOR(32);\narr: ARRAY BITVECTOR(32) OF BITVECTOR(8);\n");
}

TEST_F(TextConv, WorkedExampleDefinesTheNewSymbol)
{
  std::ostringstream out;
  cvc_convt conv(out);
  conv.set_to(equal_expr(x, y), true);
  EXPECT_EQ(
    out.str(), "%% set_to true\ny: BITVECTOR(8);\nx: BITVECTOR(8) = y;\n\n");

  // Declared now: the next equality on x is asserted.
  out.str("");
  conv.set_to(equal_expr(x, y), true);
  EXPECT_EQ(out.str(), "%% set_to true\nASSERT (x)=(y);\n\n");

  // An expression mentioning the symbol cannot define it.
  out.str("");
  const exprt z = symbol_expr("z", u8);
  conv.set_to(equal_expr(z, make_expr("+", u8, {z, y})), true);
  EXPECT_EQ(
    out.str(),
    "%% set_to true\nz: BITVECTOR(8);\nASSERT (z)=(BVPLUS(8, z, y));\n\n");
}

TEST_F(TextConv, TrueConjunctionsSplitOnlyInTheCvcDialect)
{
  const exprt b = bool_symbol("b");
  const exprt conjunction = make_expr("and", bool_type(), {a, b});
  const exprt empty = make_expr("and", bool_type(), {});

  std::ostringstream cvc_out;
  cvc_convt cvc(cvc_out);
  cvc.set_to(conjunction, true);
  cvc.set_to(empty, true);
  cvc.set_to(bool_constant(true), true);
  EXPECT_EQ(
    cvc_out.str(),
    "%% set_to true\na: BOOLEAN;\nASSERT a;\n\n"
    "%% set_to true\nb: BOOLEAN;\nASSERT b;\n\n");

  std::ostringstream smt_out;
  smt_convt smt(smt_out);
  smt.set_to(conjunction, true);
  smt.set_to(bool_constant(true), true);
  EXPECT_EQ(
    smt_out.str(),
    "%% set_to true\na: BOOLEAN;\nb: BOOLEAN;\nASSERT (a) AND (b);\n\n"
    "%% set_to true\nASSERT TRUE;\n\n");

  // Set false, a conjunction is one negated assertion in both.
  cvc_out.str("");
  cvc.set_to(conjunction, false);
  EXPECT_EQ(cvc_out.str(), "%% set_to false\nASSERT NOT ((a) AND (b));\n\n");
}

TEST_F(TextConv, AtomsAreTiedToTheirVariables)
{
  std::ostringstream out;
  cvc_convt conv(out);
  capturing_message_handlert messages;
  conv.set_message_handler(&messages);

  const literalt unequal =
    conv.convert(make_expr("notequal", bool_type(), {x, y}));
  const literalt less = conv.convert(make_expr("<", bool_type(), {y, x}));
  EXPECT_EQ(unequal, literalt(1, false));
  EXPECT_EQ(less, literalt(2, false));
  EXPECT_EQ(
    out.str(),
    "l1: BOOLEAN;\nx: BITVECTOR(8);\ny: BITVECTOR(8);\n"
    "ASSERT l1 <=> (x/=y);\n"
    "l2: BOOLEAN;\nASSERT l2 <=> (BVLT(y, x));\n");
  EXPECT_TRUE(messages.messages.empty());

  // An atom without text stays free, with the flattening's warning, and
  // leaves nothing half written.
  out.str("");
  const exprt p = symbol_expr("p", pointer_type_to(u8));
  const literalt unwritable = conv.convert(make_expr("<", bool_type(), {p, p}));
  EXPECT_EQ(unwritable, literalt(3, false));
  EXPECT_EQ(
    out.str(), "l3: BOOLEAN;\np: [# object: INT, offset: BITVECTOR(32) #];\n");
  EXPECT_TRUE(messages.has(2, "warning: ignoring "));

  // An equality that cannot be written is thrown, with nothing of it
  // written.
  out.str("");
  const exprt r = symbol_expr("r", typet("real"));
  const exprt real_equality =
    make_expr("=", bool_type(), {r, make_expr("lambda", typet("real"), {})});
  EXPECT_EQ(
    thrown_text([&] { conv.convert(real_equality); }),
    "string: unsupported type: real");
  EXPECT_EQ(out.str(), "l4: BOOLEAN;\nr: ");
}

TEST_F(TextConv, BooleanStructureBecomesPropositionalLines)
{
  std::ostringstream out;
  cvc_convt conv(out);
  const exprt formula =
    make_expr("or", bool_type(), {a, make_expr("<", bool_type(), {x, y})});
  const literalt l = conv.convert(formula);
  exprt literal("literal", bool_type());
  literal.set("literal", dstring(std::to_string(l.get())));
  conv.prop_convt::set_to(literal, true);
  EXPECT_EQ(
    out.str(),
    "l1: BOOLEAN;\n"
    "l2: BOOLEAN;\nx: BITVECTOR(8);\ny: BITVECTOR(8);\n"
    "ASSERT l2 <=> (BVLT(x, y));\n"
    "%% lor\nl3: BOOLEAN = l1 OR l2;\n\n"
    "%% lcnf\nASSERT l3;\n\n");
  // Alone, the converter only finishes the text: the answer is an error.
  out.str("");
  EXPECT_EQ(conv.solve(), decision_proceduret::D_ERROR);
  EXPECT_EQ(out.str(), "QUERY FALSE;\n");
  EXPECT_EQ(conv.solver_description(), "CVC");
  EXPECT_EQ(smt_convt(out).solver_description(), "SMT");
}

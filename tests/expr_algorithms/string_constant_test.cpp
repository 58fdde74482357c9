#include "expr_algorithms/arith_tools.h"
#include "expr_algorithms/string_constant.h"
#include "harness/decision_test_harness.h"
#include "util/mp_arith.h"
#include "util/symbol_table.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
exprt string_constant(const std::string &text, const typet &char_type)
{
  typet string_type("array");
  string_type.subtype() = char_type;
  exprt result("string-constant", string_type);
  result.set("value", dstring(text));
  result.location().set("line", dstring("3"));
  return result;
}

long long value_of(const exprt &constant)
{
  mp_integer value;
  EXPECT_FALSE(expr_to_integer(constant, value)) << constant.pretty();
  return std::stoll(integer_to_string_base(value, 10));
}
} // namespace

class StringConstantToArray : public config_32_testt
{
};

TEST_F(StringConstantToArray, CharactersSizeAndFormats)
{
  const typet char_type = signedbv_type(8);
  const std::string text = std::string("a ~'\t") + char(127) + char(233);
  exprt array = symbol_expr("overwritten", bool_type());
  string_constant_to_array(string_constant(text, char_type), array);

  ASSERT_EQ(array.id(), "constant");
  EXPECT_TRUE(array.find("#location").is_nil());
  const typet &type = array.type();
  EXPECT_EQ(type.id(), "array");
  EXPECT_EQ(type.subtype(), char_type);
  const exprt &size = static_cast<const exprt &>(type.find("size"));
  EXPECT_EQ(size.type(), signedbv_type(32));
  EXPECT_EQ(value_of(size), 8);

  struct
  {
    long long code;
    const char *format; // nullptr: none
  } expected[] = {
    {'a', "'a'"},
    {' ', "' '"},
    {'~', "'~'"},
    {'\'', "'''"},
    {9, nullptr},
    {127, nullptr},
    {-23, nullptr},
    {0, nullptr},
  };
  ASSERT_EQ(array.operands().size(), 8u);
  for(std::size_t i = 0; i < 8; ++i)
  {
    const exprt &op = array.operands()[i];
    EXPECT_EQ(op.type(), char_type);
    EXPECT_EQ(value_of(op), expected[i].code) << i;
    if(expected[i].format == nullptr)
      EXPECT_TRUE(op.find("#cformat").is_nil()) << i;
    else
      EXPECT_EQ(op.get("#cformat"), expected[i].format) << i;
  }
}

TEST_F(StringConstantToArray, UnsignedCharactersAndTheEmptyString)
{
  exprt array;
  string_constant_to_array(
    string_constant(std::string(1, char(233)), unsignedbv_type(8)), array);
  ASSERT_EQ(array.operands().size(), 2u);
  EXPECT_EQ(value_of(array.op0()), 233);

  string_constant_to_array(string_constant("", unsignedbv_type(8)), array);
  ASSERT_EQ(array.operands().size(), 1u);
  EXPECT_EQ(value_of(array.op0()), 0);
  EXPECT_EQ(value_of(static_cast<const exprt &>(array.type().find("size"))), 1);

  // Without a character type the characters have no constants.
  string_constant_to_array(string_constant("x", typet()), array);
  ASSERT_EQ(array.operands().size(), 2u);
  EXPECT_TRUE(array.op0().is_nil());
}

// A character width no value can have gives no character constants, as a
// missing character type does, and returns at once.
TEST_F(StringConstantToArray, UnrepresentableCharacterWidthsGiveNilCharacters)
{
  typet huge("unsignedbv");
  huge.set("width", dstring("4294967297"));
  exprt array;
  string_constant_to_array(string_constant("ab", huge), array);
  ASSERT_EQ(array.operands().size(), 3u);
  for(const exprt &character : array.operands())
    EXPECT_TRUE(character.is_nil());
  EXPECT_EQ(value_of(static_cast<const exprt &>(array.type().find("size"))), 3);
}

TEST(ArrayNameText, NamesAndErrors)
{
  symbol_tablet table;
  symbolt m;
  m.name = "main::m";
  m.base_name = "m";
  table.add(m);
  const namespacet ns(table);

  const exprt symbol = symbol_expr("main::m", typet("array"));
  const exprt i = symbol_expr("i", signedbv_type(32));
  const exprt index = make_expr("index", typet(), {symbol, i});
  EXPECT_EQ(array_name_text(ns, symbol), "array `m'");
  EXPECT_EQ(
    array_name_text(ns, make_expr("index", typet(), {index, i})),
    "array `m'[][]");
  EXPECT_EQ(array_name_text(ns, exprt("string-constant")), "string");
  EXPECT_EQ(
    array_name_text(ns, make_expr("member", typet(), {symbol})), "array");

  try
  {
    array_name_text(ns, make_expr("index", typet(), {symbol}));
    ADD_FAILURE() << "no throw";
  }
  catch(const char *error)
  {
    EXPECT_STREQ(error, "index takes two operands");
  }
  try
  {
    array_name_text(ns, symbol_expr("nowhere", typet("array")));
    ADD_FAILURE() << "no throw";
  }
  catch(const std::string &error)
  {
    EXPECT_EQ(error, "identifier nowhere not found");
  }
}

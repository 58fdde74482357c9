#include "expr_algorithms/replace_symbol.h"
#include "harness/decision_test_harness.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const typet s8 = signedbv_type(8);
const exprt x = symbol_expr("x", s8);
const exprt y = symbol_expr("y", s8);

exprt one()
{
  return bv_constant(1, s8);
}

typet named(const char *identifier)
{
  typet type("symbol");
  type.set("identifier", dstring(identifier));
  return type;
}
} // namespace

TEST(ReplaceSymbol, ExpressionsAndTypes)
{
  replace_symbolt replace;
  replace.expr_map.insert({dstring("x"), bv_constant(3, unsignedbv_type(4))});
  replace.type_map.insert({dstring("tag-t"), s8});

  // A bound symbol takes its binding's type; an unbound one keeps its name
  // but has its type rewritten.
  exprt dest = make_expr(
    "+",
    named("tag-t"),
    {symbol_expr("x", named("tag-t")), symbol_expr("z", named("tag-t"))});
  EXPECT_FALSE(replace.replace(dest));
  EXPECT_EQ(
    dest,
    make_expr(
      "+", s8, {bv_constant(3, unsignedbv_type(4)), symbol_expr("z", s8)}));

  exprt unbound = symbol_expr("w", bool_type());
  EXPECT_TRUE(replace.replace(unbound));

  // Inside a type only the type itself being replaced counts as a change.
  typet pointer("pointer");
  pointer.subtype() = named("tag-t");
  EXPECT_TRUE(replace.replace(pointer));
  EXPECT_EQ(pointer.subtype(), s8);
  typet type = named("tag-t");
  EXPECT_FALSE(replace.replace(type));
  EXPECT_EQ(type, s8);

  // Components of structures and arguments of code are entered; classes
  // are not.
  for(const char *id : {"struct", "union", "class"})
  {
    typet compound{dstring(id)};
    irept component;
    component.set("name", dstring("c"));
    component.set("type", named("tag-t"));
    compound.add("components").get_sub().push_back(component);
    replace.replace(compound);
    const irept &result = compound.find("components").get_sub()[0];
    EXPECT_EQ(
      result.find("type"), std::string(id) == "class" ? named("tag-t") : s8)
      << id;
  }
  typet code("code");
  irept argument;
  argument.set("type", named("tag-t"));
  code.add("arguments").get_sub().push_back(argument);
  replace.replace(code);
  EXPECT_EQ(code.find("arguments").get_sub()[0].find("type"), s8);

  // A type without components gains no empty list.
  typet empty_struct("struct");
  replace.replace(empty_struct);
  EXPECT_EQ(empty_struct, typet("struct"));
}

TEST(ReplaceSymbol, CollectActualsKeepsTheFirstBinding)
{
  const auto actual = [](const char *name, const exprt &value)
  {
    exprt result = make_expr("actual", typet(), {value});
    result.set("identifier", dstring(name));
    return result;
  };
  exprt type_value("type", s8);
  exprt list("actuals");
  list.copy_to_operands(
    actual("a", one()), actual("a", x), actual("t", type_value));
  replace_symbolt replace;
  collect_actuals(list, replace);
  ASSERT_EQ(replace.expr_map.size(), 1u);
  EXPECT_EQ(replace.expr_map.find(dstring("a"))->second, one());
  ASSERT_EQ(replace.type_map.size(), 1u);
  EXPECT_EQ(replace.type_map.find(dstring("t"))->second, s8);

  exprt bad("actuals");
  exprt two = make_expr("actual", typet(), {x, y});
  bad.copy_to_operands(actual("b", y), two, actual("c", y));
  replace_symbolt partial;
  try
  {
    collect_actuals(bad, partial);
    ADD_FAILURE() << "no throw";
  }
  catch(const char *error)
  {
    EXPECT_STREQ(error, "expected actual");
  }
  EXPECT_EQ(partial.expr_map.size(), 1u);
  collect_actuals(exprt("actuals"), partial);
  EXPECT_EQ(partial.expr_map.size(), 1u);
}

#include "tests/util/condition_regex.h"
#include "util/std_types.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
typet struct_with(const std::vector<std::string> &names)
{
  typet type("struct");
  for(const std::string &name : names)
  {
    irept component("component");
    component.set("name", dstring(name));
    component.set("type", typet(dstring("t_" + name)));
    type.add("components").get_sub().push_back(component);
  }
  return type;
}
} // namespace

TEST(StdTypes, ClassifyingTypes)
{
  struct
  {
    const char *id;
    bool is_number;
    unsigned kind;
  } cases[] = {
    {"bv", false, 1},          {"signedbv", true, 2},  {"unsignedbv", true, 3},
    {"fixedbv", true, 0},      {"floatbv", true, 0},   {"complex", true, 0},
    {"integer", true, 0},      {"natural", true, 0},   {"rational", true, 0},
    {"real", true, 0},         {"bool", false, 0},     {"pointer", false, 0},
    {"", false, 0}};
  for(const auto &c : cases)
  {
    EXPECT_EQ(is_number_type(typet(c.id)), c.is_number) << c.id;
    EXPECT_EQ(bitvector_kind(typet(c.id)), c.kind) << c.id;
  }
}

TEST(StdTypes, TypeWidthReadsDecimalText)
{
  typet type("unsignedbv");
  EXPECT_EQ(type_width(type), 0u);
  type.set("width", 32);
  EXPECT_EQ(type_width(type), 32u);
  type.set("width", "12abc");
  EXPECT_EQ(type_width(type), 12u);
  type.set("width", "wide");
  EXPECT_EQ(type_width(type), 0u);
}

TEST(StdTypes, ReferenceIsACommentOfAPointer)
{
  typet pointer("pointer");
  EXPECT_FALSE(is_reference(pointer));
  pointer.set("reference", "1");
  EXPECT_FALSE(is_reference(pointer));
  pointer.set("#reference", "1");
  EXPECT_TRUE(is_reference(pointer));
  typet array("array");
  array.set("#reference", "1");
  EXPECT_FALSE(is_reference(array));
}

TEST(StdTypes, ComponentLookup)
{
  const typet type = struct_with({"a", "b", "c", "d", "e"});
  unsigned number = 99;
  EXPECT_FALSE(get_component_number(type, "c", number));
  EXPECT_EQ(number, 2u);
  EXPECT_TRUE(get_component_number(type, "z", number));
  EXPECT_EQ(number, 5u);
  EXPECT_TRUE(get_component_number(typet("struct"), "a", number));
  EXPECT_EQ(number, 0u);

  ASSERT_NE(get_component(type, "d"), nullptr);
  EXPECT_EQ(get_component(type, "d"), &type.find("components").get_sub()[3]);
  EXPECT_EQ(get_component(type, "z"), nullptr);

  typet component_type("unchanged");
  EXPECT_FALSE(get_component_type(type, "b", component_type));
  EXPECT_EQ(component_type, typet("t_b"));
  EXPECT_TRUE(get_component_type(type, "z", component_type));
  EXPECT_EQ(component_type, typet("t_b"));
}

TEST(StdTypes, SubtypeLists)
{
  typet code("code");
  typet argument("integer");
  code.copy_to_subtypes(argument);
  EXPECT_EQ(&code.subtypes()[0].read(), &argument.read());
  typet moved("bool");
  code.move_to_subtypes(moved);
  EXPECT_TRUE(moved.is_nil());
  const typet &reader = code;
  ASSERT_EQ(reader.subtypes().size(), 2u);
  EXPECT_EQ(reader.subtypes()[1], typet("bool"));
  EXPECT_TRUE(typet("array").subtypes().empty());
}

TEST(StdTypesDeathTest, CastsCheckTheIdentifier)
{
  typet union_type("union");
  EXPECT_EQ(&to_struct_type(union_type), &union_type);
  typet class_type("class");
  const typet &class_reader = class_type;
  EXPECT_EQ(&to_struct_type(class_reader), &class_type);

  typet array("array");
  EXPECT_DEATH(
    to_struct_type(array),
    "std_types\\.h.*struct_typet& to_struct_type\\(typet&\\).*" +
      condition_regex("type.id()==\"struct\" || type.id()==\"union\" || "
                      "type.id()==\"class\""));
  EXPECT_DEATH(to_code_type(array), condition_regex("type.id()==\"code\""));
  EXPECT_DEATH(
    to_fixedbv_type(array), condition_regex("type.id()==\"fixedbv\""));
  EXPECT_DEATH(
    to_array_type(typet("struct")), condition_regex("type.id()==\"array\""));
}

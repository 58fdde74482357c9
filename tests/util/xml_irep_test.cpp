#include "util/xml_irep.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{
std::string xml_text(const irept &irep)
{
  xml_nodet xml;
  xml.name = "t";
  irep_to_xml(irep, xml);
  std::ostringstream out;
  xml.output(out, 0);
  return out.str();
}

irept read_back(const xml_nodet &xml, std::string &printed)
{
  irept irep;
  testing::internal::CaptureStdout();
  xml_to_irep(xml, irep);
  printed = testing::internal::GetCapturedStdout();
  return irep;
}
} // namespace

TEST(XmlIrep, FormOfANode)
{
  irept nil;
  nil.make_nil();
  EXPECT_EQ(xml_text(nil), "<t></t>\n");
  EXPECT_EQ(xml_text(irept()), "<t>\n  <id></id>\n</t>\n");

  irept plus("+");
  plus.get_sub().push_back(irept("a"));
  plus.get_sub().push_back(irept("<b"));
  plus.set("type", irept("bool"));
  plus.set("#location", irept("loc"));
  EXPECT_EQ(
    xml_text(plus),
    "<t>\n"
    "  <id>+</id>\n"
    "  <sub>\n"
    "    <id>a</id>\n"
    "  </sub>\n"
    "  <sub>\n"
    "    <id>&lt;b</id>\n"
    "  </sub>\n"
    "  <named_sub name=\"type\">\n"
    "    <id>bool</id>\n"
    "  </named_sub>\n"
    "  <comment name=\"#location\">\n"
    "    <id>loc</id>\n"
    "  </comment>\n"
    "</t>\n");
}

TEST(XmlIrep, RoundTrip)
{
  irept tree("f");
  tree.get_sub().push_back(irept("&amp;\n\xe9"));
  tree.get_sub().push_back(irept());
  irept nested("nested");
  nested.set("#c", irept("comment"));
  nested.set("", irept("empty name"));
  tree.set("child", nested);
  tree.set("#location", irept("loc"));
  irept nil;
  nil.make_nil();
  tree.set("absent", nil);

  xml_nodet xml;
  irep_to_xml(tree, xml);
  std::string printed;
  const irept back = read_back(xml, printed);
  EXPECT_EQ(printed, "");
  EXPECT_TRUE(back.full_eq(tree)) << back.pretty() << "\n" << tree.pretty();
  EXPECT_EQ(back.find("child").get_comments().size(), 1u);
}

TEST(XmlIrep, ReadingSkipsUnknownElementsAndKeepsExistingChildren)
{
  xml_nodet xml;
  xml.new_element("id").data = "first";
  xml.new_element("foo");
  xml.new_element("id").data = "x&lt;";
  xml.new_element("sub").new_element("id").data = "new";
  xml_nodet &renamed = xml.new_element("comment");
  renamed.set_attribute("name", std::string("plain"));
  renamed.new_element("id").data = "1";
  xml.new_element("named_sub").new_element("id").data = "unnamed";
  xml_nodet &location = xml.new_element("named_sub");
  location.set_attribute("name", std::string("#location"));

  irept tree("old");
  tree.get_sub().push_back(irept("kept"));
  tree.set("plain", irept("replaced"));
  tree.set("other", irept("kept"));
  testing::internal::CaptureStdout();
  xml_to_irep(xml, tree);
  EXPECT_EQ(
    testing::internal::GetCapturedStdout(),
    "Unknown sub found (foo); malformed xml?\n");

  EXPECT_EQ(tree.id(), "x<");
  ASSERT_EQ(tree.get_sub().size(), 2u);
  EXPECT_EQ(tree.get_sub()[0].id(), "kept");
  EXPECT_EQ(tree.get_sub()[1].id(), "new");
  // The name, not the element, decides between named child and comment.
  EXPECT_EQ(tree.get("plain"), "1");
  EXPECT_EQ(tree.get("other"), "kept");
  EXPECT_EQ(tree.get(""), "unnamed");
  EXPECT_EQ(tree.get_comments().count("#location"), 1u);
  EXPECT_TRUE(tree.find("#location").is_nil());
}

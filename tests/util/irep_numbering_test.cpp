#include "util/irep_numbering.h"

#include "tree_builders.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <sstream>

namespace
{
std::string printed(const xml_nodet &xml)
{
  std::ostringstream out;
  xml.output(out, 0);
  return out.str();
}

// Registers every "irep" element of the document in fresh tables.
void read_document(const xml_nodet &document, irep_numbering &numbering)
{
  for(const xml_nodet &element : document.elements)
  {
    irept tree;
    numbering.irep_ref_reader_entry(element, tree);
    numbering.register_tree(element.attributes.at("id"), tree);
  }
}

irept placeholder(const std::string &number)
{
  return make_tree("__REFERENCE__", {}, {{"REF", make_tree(number)}});
}

// Resolves the tree and returns what was written on standard output.
std::string resolve(const irep_numbering &numbering, irept &tree)
{
  testing::internal::CaptureStdout();
  numbering.resolve_references(tree);
  return testing::internal::GetCapturedStdout();
}

// Every distinct sub-tree under full equality, found by brute force.
void distinct_subtrees(const irept &tree, std::vector<irept> &seen)
{
  for(const irept &other : seen)
  {
    if(other.full_eq(tree))
      return;
  }
  seen.push_back(tree);
  for(const irept &child : tree.get_sub())
    distinct_subtrees(child, seen);
  for(const auto &child : tree.get_named_sub())
    distinct_subtrees(child.second, seen);
  for(const auto &child : tree.get_comments())
    distinct_subtrees(child.second, seen);
}
} // namespace

TEST(IrepNumbering, EqualTreesShareANumber)
{
  irep_number_tablest tables;
  irep_numbering numbering(tables);

  // Two equal children in blocks of their own.
  const irept plus = make_tree("+", {make_tree("x"), make_tree("x")});
  ASSERT_NE(&plus.get_sub()[0].read(), &plus.get_sub()[1].read());
  EXPECT_EQ(numbering.number_tree(plus), 1u);
  EXPECT_EQ(tables.number_to_irep.size(), 2u);
  EXPECT_EQ(tables.irep_to_number.size(), 2u);

  // Again, and through another handle: the first number, nothing new.
  EXPECT_EQ(numbering.number_tree(plus), 1u);
  const irept copy = make_tree("+", {make_tree("x"), make_tree("x")});
  EXPECT_EQ(numbering.number_tree(copy), 1u);
  EXPECT_EQ(tables.number_to_irep.size(), 2u);

  // A comment makes a tree distinct.
  const irept commented =
    make_tree("x", {}, {{"#location", make_tree("l")}});
  EXPECT_EQ(numbering.number_tree(commented), 3u);
  ASSERT_NE(numbering.find_by_number(2), nullptr);
  EXPECT_TRUE(numbering.find_by_number(2)->full_eq(make_tree("x")));
  EXPECT_EQ(numbering.find_by_number(99), nullptr);
  ASSERT_NE(numbering.find_by_tree(make_tree("l")), nullptr);
  EXPECT_EQ(*numbering.find_by_tree(make_tree("l")), 4u);
}

TEST(IrepNumbering, DocumentText)
{
  irep_number_tablest tables;
  irep_numbering numbering(tables);
  irept nil;
  nil.make_nil();
  const irept tree = make_tree(
    "<+>",
    {make_tree("x"), make_tree("x")},
    {{"type", nil}, {"#l", make_tree("")}});

  xml_nodet reference;
  reference.name = "r";
  numbering.write_reference(tree, reference);
  numbering.write_reference(make_tree("x"), reference);
  EXPECT_EQ(printed(reference), "<r>\n  <R>1</R>\n  <R>2</R>\n</r>\n");

  xml_nodet document;
  document.name = "d";
  numbering.irep_ref_writer_entry(document);
  EXPECT_EQ(
    printed(document),
    "<d>\n"
    "  <irep id=\"1\">\n"
    "    <id>&lt;+&gt;</id>\n"
    "    <s>\n"
    "      <R>2</R>\n"
    "    </s>\n"
    "    <s>\n"
    "      <R>2</R>\n"
    "    </s>\n"
    "    <ns n=\"type\">\n"
    "      <R>3</R>\n"
    "    </ns>\n"
    "    <c n=\"#l\">\n"
    "      <R>4</R>\n"
    "    </c>\n"
    "  </irep>\n"
    "  <irep id=\"2\">\n"
    "    <id>x</id>\n"
    "  </irep>\n"
    "  <irep id=\"3\"></irep>\n"
    "  <irep id=\"4\">\n"
    "    <id></id>\n"
    "  </irep>\n"
    "</d>\n");
}

TEST(IrepNumbering, NumberText)
{
  const irep_numbert max = std::numeric_limits<irep_numbert>::max();
  for(irep_numbert number : {irep_numbert(0), irep_numbert(1),
                             irep_numbert(0xab), irep_numbert(4096), max})
  {
    EXPECT_EQ(
      irep_numbering::text_to_number(irep_numbering::number_to_text(number)),
      number);
  }
  EXPECT_EQ(irep_numbering::number_to_text(0), "0");
  EXPECT_EQ(irep_numbering::number_to_text(0xabc), "abc");
  EXPECT_EQ(irep_numbering::text_to_number("  1f"), 0x1fu);
  EXPECT_EQ(irep_numbering::text_to_number(""), 0u);
  EXPECT_EQ(irep_numbering::text_to_number("zz"), 0u);
}

TEST(IrepNumbering, RoundTripWritesEachDistinctTreeOnce)
{
  std::mt19937 random(7);
  for(int round = 0; round < 40; ++round)
  {
    const irept tree = random_tree(random, 4);
    irep_number_tablest tables;
    irep_numbering writer(tables);
    xml_nodet reference;
    writer.write_reference(tree, reference);
    xml_nodet document;
    writer.irep_ref_writer_entry(document);

    std::vector<irept> distinct;
    distinct_subtrees(tree, distinct);
    EXPECT_EQ(document.elements.size(), distinct.size());

    irep_number_tablest read_tables;
    irep_numbering reader(read_tables);
    read_document(document, reader);
    irept back;
    reader.irep_ref_reader_entry(reference, back);
    EXPECT_EQ(resolve(reader, back), "");
    EXPECT_TRUE(back.full_eq(tree)) << back.pretty() << "\n" << tree.pretty();

    // The registered trees keep their placeholders for the next use.
    irept again = placeholder(reference.elements.front().data);
    resolve(reader, again);
    EXPECT_TRUE(again.full_eq(tree));
  }
}

TEST(IrepNumbering, ResolvedTreesShareEqualParts)
{
  irep_number_tablest tables;
  irep_numbering writer(tables);
  const irept leaf = make_tree("x", {make_tree("deep")});
  xml_nodet reference;
  writer.write_reference(
    make_tree("+", {leaf, make_tree("y", {leaf})}), reference);
  xml_nodet document;
  writer.irep_ref_writer_entry(document);

  irep_number_tablest read_tables;
  irep_numbering reader(read_tables);
  read_document(document, reader);
  irept back = placeholder("1");
  EXPECT_EQ(resolve(reader, back), "");
  EXPECT_EQ(&back.get_sub()[0].read(), &back.get_sub()[1].get_sub()[0].read());
}

TEST(IrepNumbering, UnresolvedReferences)
{
  irep_number_tablest tables;
  irep_numbering numbering(tables);
  numbering.register_tree("a", make_tree("known"));

  struct
  {
    irept tree;
    std::string warnings;
  } cases[] = {
    {placeholder("b"), "Warning: can't resolve irep reference (sub b)\n"},
    // Reported by the parent and by the child's own resolution.
    {make_tree("f", {placeholder("b"), placeholder("a")}),
     "Warning: can't resolve irep reference (sub b)\n"
     "Warning: can't resolve irep reference (sub b)\n"},
    {make_tree("f", {}, {{"n", placeholder("c")}}),
     "Warning: can't resolve irep reference (named_sub c)\n"
     "Warning: can't resolve irep reference (sub c)\n"},
    {make_tree("f", {}, {{"#n", placeholder("c")}}),
     "Warning: can't resolve irep reference (comment c)\n"
     "Warning: can't resolve irep reference (sub c)\n"},
    // No digits read as 0, which is never a number.
    {placeholder("zz"), "Warning: can't resolve irep reference (sub zz)\n"},
  };
  for(auto &c : cases)
  {
    irept tree = c.tree;
    EXPECT_EQ(resolve(numbering, tree), c.warnings);
  }

  irept mixed = cases[1].tree;
  resolve(numbering, mixed);
  EXPECT_TRUE(mixed.get_sub()[0].full_eq(placeholder("b")));
  EXPECT_TRUE(mixed.get_sub()[1].full_eq(make_tree("known")));
}

TEST(IrepNumbering, CyclicReferencesTerminate)
{
  // 1 -> 2 -> 1, and 3 refers to itself.
  irep_number_tablest tables;
  irep_numbering numbering(tables);
  numbering.register_tree("1", make_tree("one", {placeholder("2")}));
  numbering.register_tree("2", make_tree("two", {placeholder("1")}));
  numbering.register_tree(
    "3", make_tree("three", {}, {{"n", placeholder("3")}}));

  irept tree = placeholder("1");
  EXPECT_EQ(
    resolve(numbering, tree),
    "Warning: can't resolve irep reference (sub 1)\n"
    "Warning: can't resolve irep reference (sub 1)\n");
  EXPECT_TRUE(tree.full_eq(
    make_tree("one", {make_tree("two", {placeholder("1")})})));

  irept self = placeholder("3");
  EXPECT_EQ(
    resolve(numbering, self),
    "Warning: can't resolve irep reference (named_sub 3)\n"
    "Warning: can't resolve irep reference (sub 3)\n");
  EXPECT_TRUE(
    self.full_eq(make_tree("three", {}, {{"n", placeholder("3")}})));
}

TEST(IrepNumbering, ReaderSkipsUnknownElements)
{
  xml_nodet content;
  content.new_element("id").data = "a&amp;b";
  content.new_element("foo");
  content.new_element("ns").new_element("R").data = "7";
  irept tree = make_tree("old", {make_tree("kept")});

  irep_number_tablest tables;
  irep_numbering numbering(tables);
  testing::internal::CaptureStdout();
  numbering.irep_ref_reader_entry(content, tree);
  EXPECT_EQ(
    testing::internal::GetCapturedStdout(),
    "Unknown sub found (foo); malformed xml?\n");
  EXPECT_TRUE(tree.full_eq(
    make_tree("a&b", {make_tree("kept")}, {{"", placeholder("7")}})));
}

TEST(IrepNumbering, CountedNumbersAvoidRegisteredOnes)
{
  irep_number_tablest tables;
  irep_numbering numbering(tables);
  EXPECT_EQ(numbering.register_tree("10", make_tree("read")), 0x10u);
  // A number registered already keeps its first tree.
  EXPECT_EQ(numbering.register_tree("10", make_tree("other")), 0x10u);
  EXPECT_TRUE(numbering.find_by_number(0x10)->full_eq(make_tree("read")));
  EXPECT_EQ(numbering.number_tree(make_tree("new")), 0x11u);
}

#include "util/irep.h"

#include "tree_builders.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(IrepText, pretty)
{
  const irept boolean = make_tree("bool");
  const irept symbol = make_tree(
    "symbol", {}, {{"identifier", make_tree("x")}, {"type", boolean}});
  const irept negation = make_tree(
    "not", {}, {{"operands", make_tree("", {symbol})}, {"type", boolean}});
  EXPECT_EQ(
    negation.pretty(),
    "not\n"
    "  * operands: \n"
    "    0: symbol\n"
    "        * identifier: x\n"
    "        * type: bool\n"
    "  * type: bool");

  EXPECT_EQ(make_tree("leaf").pretty(), "leaf");
  EXPECT_EQ(irept().pretty(), "");
  // Named children, then comments, then unnamed children; an empty child
  // leaves its line ending in ": ".
  irept mixed = make_tree("m", {irept()}, {{"#c", make_tree("k")}, {"n", make_tree("v")}});
  EXPECT_EQ(mixed.pretty(), "m\n  * n: v\n  * #c: k\n  0: ");
  EXPECT_EQ(mixed.pretty(4), "m\n      * n: v\n      * #c: k\n      0: ");
}

TEST(IrepText, ToStringAndStream)
{
  EXPECT_EQ(
    make_tree("+", {make_tree("a"), make_tree("b")}).to_string(),
    "(\"+\" \"\" (\"a\") \"\" (\"b\"))");
  EXPECT_EQ(irept().to_string(), "(\"\")");
  const irept tree = make_tree(
    "t", {make_tree("s")}, {{"#c", make_tree("k")}, {"n", make_tree("q\"")}});
  EXPECT_EQ(
    tree.to_string(),
    "(\"t\" \"\" (\"s\") \"n\" (\"q\\\"\") \"#c\" (\"k\"))");
  std::ostringstream out;
  out << tree;
  EXPECT_EQ(out.str(), tree.to_string());
  std::ostringstream named;
  EXPECT_EQ(&irep_to_stream(named, tree), &named);
  EXPECT_EQ(named.str(), tree.to_string());
}

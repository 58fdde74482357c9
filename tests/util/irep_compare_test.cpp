#include "util/irep.h"

#include "tree_builders.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

static irept with_comment(irept tree, const std::string &text)
{
  tree.add("#location").set("line", dstring(text));
  return tree;
}

TEST(IrepCompare, CommentsCountOnlyForFullEqAndFullHash)
{
  const irept plain = make_tree("x", {make_tree("a")}, {{"type", make_tree("bool")}});
  const irept commented = with_comment(plain, "7");
  EXPECT_TRUE(plain == commented);
  EXPECT_EQ(plain.compare(commented), 0);
  EXPECT_EQ(plain.hash(), commented.hash());
  EXPECT_FALSE(plain.full_eq(commented));
  EXPECT_NE(plain.full_hash(), commented.full_hash());
  EXPECT_FALSE(with_comment(plain, "8").full_eq(commented));
  EXPECT_TRUE(with_comment(plain, "7").full_eq(commented));

  std::set<irept, irep_less> keys{plain, commented};
  EXPECT_EQ(keys.size(), 1u);
}

TEST(IrepCompare, CompareTable)
{
  struct caset
  {
    irept a, b;
    int compare;
  };
  const irept z = make_tree("z"), a = make_tree("a");
  const caset cases[] = {
    {make_tree("ab"), make_tree("abc"), -1},
    {make_tree("abd"), make_tree("abc"), 1},
    {make_tree("b"), make_tree("abc"), 1},
    {make_tree("abcde"), make_tree("ab"), 3},
    {make_tree("\xE9"), make_tree("z"), 1},
    {irept(), make_tree("a"), -1},
    {make_tree("t", {z, z}), make_tree("t", {a, a, a}), -1},
    {make_tree("t", {a, z}), make_tree("t", {a, a}), 1},
    {make_tree("t", {}, {{"n", a}}), make_tree("t", {z}), -1},
    {make_tree("t", {}, {{"n", a}, {"m", a}}), make_tree("t", {}, {{"n", a}}), 1},
    {make_tree("t", {}, {{"ab", a}}), make_tree("t", {}, {{"abc", a}}), -1},
    {make_tree("t", {}, {{"n", a}}), make_tree("t", {}, {{"n", z}}), -1},
    {make_tree("t", {a}, {{"n", z}}), make_tree("t", {a}, {{"n", z}}), 0},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.a.pretty() + " against " + c.b.pretty());
    EXPECT_EQ(c.a.compare(c.b), c.compare);
    EXPECT_EQ(c.a == c.b, c.compare == 0);
    EXPECT_EQ(c.a < c.b, c.compare < 0);
    EXPECT_EQ(c.b.compare(c.a) < 0, c.compare > 0);
  }
}

TEST(IrepCompare, HashValues)
{
  EXPECT_EQ(irept().hash(), 0u);
  EXPECT_EQ(make_tree("nil").hash(), 109073u);
  EXPECT_EQ(get_nil_irep().hash(), 109073u);
  EXPECT_EQ(make_tree("t", {make_tree("t")}).hash(), 0u);
  EXPECT_EQ(
    make_tree("t", {}, {{"n", make_tree("v")}}).hash(),
    hash_string("t") ^ hash_string("n") ^ hash_string("v"));

  const irept ab = make_tree("t", {make_tree("a"), make_tree("b")});
  const irept ba = make_tree("t", {make_tree("b"), make_tree("a")});
  EXPECT_EQ(ab.hash(), ba.hash());
  EXPECT_FALSE(ab == ba);
}

TEST(IrepCompare, RelationsAgreeOnRandomTrees)
{
  std::mt19937 random(7);
  std::vector<irept> trees;
  for(int i = 0; i < 300; ++i)
    trees.push_back(random_tree(random, 3));
  for(const irept &x : trees)
  {
    for(const irept &y : trees)
    {
      const int c = x.compare(y);
      ASSERT_EQ(c == 0, x == y);
      ASSERT_EQ(c < 0, y.compare(x) > 0);
      if(x == y)
      {
        ASSERT_EQ(x.hash(), y.hash());
      }
      if(x.full_eq(y))
      {
        ASSERT_TRUE(x == y && x.full_hash() == y.full_hash());
      }
    }
  }
}

#include "util/union_find.h"

#include "tests/util/condition_regex.h"
#include "util/expr.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace
{
// The partition as a class label per element: an oracle that shares no
// code with the parent links under test.
class label_partitiont
{
public:
  explicit label_partitiont(unsigned size) : labels(size)
  {
    for(unsigned i = 0; i < size; ++i)
      labels[i] = i;
  }
  void join(unsigned a, unsigned b)
  {
    const unsigned from = labels[b], to = labels[a];
    for(unsigned &label : labels)
      if(label == from)
        label = to;
  }
  void isolate(unsigned a)
  {
    labels[a] = next_label++;
  }
  bool same(unsigned a, unsigned b) const
  {
    return labels[a] == labels[b];
  }
  unsigned class_size(unsigned a) const
  {
    unsigned count = 0;
    for(unsigned label : labels)
      count += label == labels[a];
    return count;
  }

  std::vector<unsigned> labels;
  unsigned next_label = 1000;
};

void expect_same_partition(
  const unsigned_union_find &uuf,
  const label_partitiont &oracle)
{
  const unsigned n = static_cast<unsigned>(oracle.labels.size());
  for(unsigned a = 0; a < n; ++a)
  {
    const unsigned root = uuf.find(a);
    ASSERT_TRUE(uuf.nodes[root].is_root);
    EXPECT_EQ(uuf.nodes[root].count, oracle.class_size(a)) << a;
    for(unsigned b = 0; b < n; ++b)
      ASSERT_EQ(root == uuf.find(b), oracle.same(a, b)) << a << ' ' << b;
  }
}

// Joined as 1 under 0, 3 under 2, then 2 under 0: element 3 reaches the
// root only through 2, and 1 and 2 only through the root 0.
unsigned_union_find links_through_inner_nodes()
{
  unsigned_union_find uuf;
  uuf.make_union(0, 1);
  uuf.make_union(2, 3);
  uuf.make_union(0, 2);
  return uuf;
}

exprt symbol(const char *name)
{
  exprt expr("symbol");
  expr.set("identifier", name);
  return expr;
}
} // namespace

TEST(UnsignedUnionFind, FindBeyondTheSizeDoesNotGrow)
{
  unsigned_union_find uuf;
  EXPECT_EQ(uuf.find(7), 7u);
  EXPECT_EQ(uuf.size(), 0u);
}

TEST(UnsignedUnionFind, JoinsBySizeWithTiesToTheFirstArgument)
{
  unsigned_union_find uuf;
  uuf.make_union(5, 2);
  EXPECT_EQ(uuf.size(), 6u);
  EXPECT_EQ(uuf.find(2), 5u);
  EXPECT_EQ(uuf.nodes[5].count, 2u);

  // The class of 3 (root 5 after the joins) stays the root either way.
  uuf.make_union(5, 0);
  uuf.make_union(1, 0);
  EXPECT_EQ(uuf.find(1), 5u);
  uuf.make_union(4, 3);
  uuf.make_union(4, 2);
  EXPECT_EQ(uuf.find(4), 5u);
  EXPECT_EQ(uuf.nodes[5].count, 6u);
}

TEST(UnsignedUnionFind, GetOtherAndReRoot)
{
  unsigned_union_find uuf;
  uuf.make_union(0, 1);
  uuf.make_union(0, 2);
  EXPECT_EQ(uuf.get_other(2), 1u);
  uuf.re_root(0, 2);
  for(unsigned i : {0u, 1u, 2u})
    EXPECT_EQ(uuf.find(i), 2u);
  EXPECT_EQ(uuf.nodes[2].count, 3u);
}

TEST(UnsignedUnionFindDeathTest, BrokenPreconditions)
{
  unsigned_union_find uuf;
  uuf.make_union(0, 1);
  EXPECT_DEATH(uuf.resize(1), condition_regex("nodes.size()<=size"));
  EXPECT_DEATH(uuf.get_other(3), condition_regex("nodes[a].count>=2"));
  EXPECT_DEATH(uuf.re_root(0, 3), condition_regex("find(new_root)==old"));
  EXPECT_DEATH(uuf.re_root(1, 0), condition_regex("new_root!=old"));
}

TEST(UnsignedUnionFind, IsolateTakesOutOneElement)
{
  unsigned_union_find pair;
  pair.make_union(0, 1);
  pair.isolate(0);
  EXPECT_NE(pair.find(0), pair.find(1));
  EXPECT_EQ(pair.nodes[0].count, 1u);
  EXPECT_EQ(pair.nodes[1].count, 1u);

  unsigned_union_find alone;
  alone.isolate(2);
  EXPECT_EQ(alone.size(), 3u);
  EXPECT_EQ(alone.find(2), 2u);
}

TEST(UnsignedUnionFind, IsolateKeepsMembersThatReachTheRootThroughIt)
{
  for(unsigned isolated : {0u, 2u})
  {
    unsigned_union_find uuf = links_through_inner_nodes();
    label_partitiont oracle(4);
    oracle.join(0, 1);
    oracle.join(0, 2);
    oracle.join(0, 3);
    uuf.isolate(isolated);
    oracle.isolate(isolated);
    expect_same_partition(uuf, oracle);
  }
}

TEST(UnsignedUnionFind, Intersection)
{
  unsigned_union_find uuf = links_through_inner_nodes();
  unsigned_union_find nothing_joined;
  uuf.intersection(nothing_joined);
  expect_same_partition(uuf, label_partitiont(4));

  unsigned_union_find same = links_through_inner_nodes();
  same.intersection(links_through_inner_nodes());
  label_partitiont all(4);
  all.join(0, 1);
  all.join(0, 2);
  all.join(0, 3);
  expect_same_partition(same, all);

  // Only the pair 0, 1 is joined in both; the other grows the size.
  unsigned_union_find pair = links_through_inner_nodes();
  unsigned_union_find other;
  other.make_union(1, 0);
  other.make_union(3, 5);
  pair.intersection(other);
  EXPECT_EQ(pair.size(), 6u);
  label_partitiont expected(6);
  expected.join(0, 1);
  expect_same_partition(pair, expected);
}

TEST(UnsignedUnionFind, RandomOperationsAgreeWithLabels)
{
  std::mt19937 random(11);
  const unsigned n = 12;
  for(int round = 0; round < 40; ++round)
  {
    unsigned_union_find uuf;
    uuf.resize(n);
    label_partitiont oracle(n);
    for(int step = 0; step < 30; ++step)
    {
      const unsigned a = random() % n, b = random() % n;
      if(random() % 3 == 0)
      {
        uuf.isolate(a);
        oracle.isolate(a);
      }
      else
      {
        uuf.make_union(a, b);
        oracle.join(a, b);
      }
    }
    expect_same_partition(uuf, oracle);
  }
}

TEST(Numbering, NumbersDistinctValuesConsecutively)
{
  numbering<dstring> names;
  EXPECT_EQ(names.number("b"), 0u);
  EXPECT_EQ(names.number("a"), 1u);
  EXPECT_EQ(names.number("b"), 0u);
  EXPECT_EQ(names.size(), 2u);
  EXPECT_EQ(names[1], "a");
  names.clear();
  EXPECT_TRUE(names.numbers.empty());
  EXPECT_EQ(names.number("a"), 0u);
}

TEST(UnionFind, EqualTreesGetOneNumber)
{
  union_find<exprt> classes;
  exprt located = symbol("x");
  located.location().set_line(4);
  EXPECT_EQ(classes.number(symbol("x")), 0u);
  EXPECT_EQ(classes.number(located), 0u);
  EXPECT_EQ(classes.number(symbol("y")), 1u);
  EXPECT_EQ(classes.uuf.size(), 2u);
}

TEST(UnionFind, JoiningValuesAndFindingTheirClass)
{
  union_find<dstring> classes;
  classes.number("a");
  classes.make_union("b", "c");
  EXPECT_EQ(classes.size(), 3u);
  EXPECT_EQ(classes.uuf.size(), 3u);
  EXPECT_EQ(classes.find(2), "b");
  EXPECT_EQ(classes.find_number(2), 1u);
  EXPECT_EQ(classes.find_number(0), 0u);

  // A class of two joins the first argument's class of one.
  classes.make_union("a", "c");
  EXPECT_EQ(classes.find(0), "b");

  classes.clear();
  EXPECT_EQ(classes.size(), 0u);
  EXPECT_TRUE(classes.numbers.empty());
  EXPECT_EQ(classes.uuf.size(), 0u);
  EXPECT_EQ(classes.number("c"), 0u);
  EXPECT_EQ(classes.find(0), "c");
}

#include "sat/proofsat/Heap.h"
#include "sat/proofsat/SolverTypes.h"
#include "sat/proofsat/Sort.h"
#include "tests/util/condition_regex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <limits>
#include <new>
#include <random>
#include <vector>

namespace
{
std::vector<int> elements(const vec<int> &v)
{
  return std::vector<int>(v.begin(), v.end());
}
} // namespace

TEST(Vec, GrowsByHalfFromTwo)
{
  vec<int> v;
  std::vector<int> capacities;
  for(int i = 0; i < 9; i++)
  {
    v.push(i);
    capacities.push_back(v.capacity());
  }
  EXPECT_EQ(capacities, (std::vector<int>{2, 2, 3, 5, 5, 8, 8, 8, 12}));
  for(int i = 9; i < 41; i++)
    v.push(i);
  EXPECT_EQ(v.capacity(), 41);
  v.push(41);
  EXPECT_EQ(v.capacity(), 62);

  vec<int> small;
  small.reserve_capacity(1);
  EXPECT_EQ(small.capacity(), 2);
  vec<int> untouched;
  untouched.grow_filled(0);
  EXPECT_EQ(untouched.capacity(), 0);
  EXPECT_EQ(untouched.begin(), nullptr);
}

TEST(Vec, GrowShrinkResetAndCopy)
{
  vec<Lit> lits;
  lits.grow_filled(3);
  EXPECT_EQ(lits.size(), 3);
  EXPECT_EQ(lits[2], lit_Undef);
  lits.grow_filled(5, Lit(4, true));
  EXPECT_EQ(index(lits[4]), 9);
  lits.grow_filled(2, Lit(1));
  EXPECT_EQ(lits.size(), 5);

  vec<int> v;
  for(int i = 0; i < 6; i++)
    v.push(i);
  v.shrink(0);
  v.shrink(-3);
  EXPECT_EQ(v.size(), 6);
  v.shrink(2);
  v.pop();
  EXPECT_EQ(elements(v), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(v.last(), 2);

  vec<int> copy;
  copy.push(99);
  v.copyTo(copy);
  EXPECT_EQ(elements(copy), elements(v));

  int capacity = v.capacity();
  v.reset(false);
  EXPECT_EQ(v.size(), 0);
  EXPECT_EQ(v.capacity(), capacity);
  EXPECT_NE(v.begin(), nullptr);
  v.reset(true);
  EXPECT_EQ(v.capacity(), 0);
  EXPECT_EQ(v.begin(), nullptr);
  v.reset(true);
}

TEST(Vec, InnerVecsKeepTheirElementsAcrossGrowth)
{
  // The outer storage moves when it grows; the inner arrays must survive
  // the move and be freed with the outer one (the leak checker sees it).
  vec<vec<int>> outer;
  for(int i = 0; i < 20; i++)
  {
    outer.push();
    for(int j = 0; j <= i; j++)
      outer.last().push(i * 100 + j);
  }
  for(int i = 0; i < 20; i++)
  {
    ASSERT_EQ(outer[i].size(), i + 1);
    EXPECT_EQ(outer[i].last(), i * 100 + i);
  }
  outer.shrink(5);
  outer.pop();
  EXPECT_EQ(outer.size(), 14);
}

TEST(Vec, PushOfItsOwnElementSurvivesTheMove)
{
  // The pushed element lives in the storage that push reallocates.
  vec<int> v;
  v.push(7);
  v.push(8);
  ASSERT_EQ(v.size(), v.capacity());
  v.push(v[0]);
  EXPECT_EQ(elements(v), (std::vector<int>{7, 8, 7}));
}

// Storage the allocator cannot give is an exception that leaves the vec as
// it was, so the engine's owner can answer with an error.
TEST(Vec, FailedGrowthThrowsAndKeepsTheVec)
{
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer stops on requests this large";
#endif
  // 2^28 elements of a megabyte: more than any address space.
  struct megabytet
  {
    char bytes[1 << 20];
  };
  const int too_many = 1 << 28;
  EXPECT_THROW(xmalloc<megabytet>(too_many), std::bad_alloc);

  vec<megabytet> v;
  v.push();
  EXPECT_THROW(v.reserve_capacity(too_many), std::bad_alloc);
  EXPECT_EQ(v.size(), 1);
  EXPECT_EQ(v.capacity(), 2);
  v.push(); // within the capacity it kept
  EXPECT_EQ(v.size(), 2);
}

// Past about 715 million elements, c * 3 + 1 once overflowed int. The
// arithmetic is checked on its own: no test allocates that much.
TEST(Vec, GrowthBeyondTheLargestCapacityThrows)
{
  const int largest = std::numeric_limits<int>::max() - 1;
  const struct
  {
    int cap, min_cap, grown;
  } representable[] = {
    {0, 1, 2},
    {0, largest, largest},
    {41, 42, 62},
    {715827882, 715827883, 1073741823},
    {715827883, 715827884, 1073741825},
    {1431655764, 1431655765, largest},
    // The last step would pass the bound; the bound still holds min_cap.
    {1431655765, 1431655766, largest},
    {1073741825, largest, largest},
  };
  for(const auto &c : representable)
    EXPECT_EQ(grown_capacity(c.cap, c.min_cap), c.grown) << c.cap;

  const std::pair<int, int> beyond[] = {
    {0, largest + 1},
    {largest, largest + 1},
    {2, largest + 1},
  };
  for(const auto &c : beyond)
    EXPECT_THROW(grown_capacity(c.first, c.second), std::bad_alloc)
      << c.first << " " << c.second;

  // The vec stays as it was: no storage was asked for.
  vec<int> v;
  v.push(1);
  EXPECT_THROW(v.reserve_capacity(largest + 1), std::bad_alloc);
  EXPECT_THROW(v.grow_filled(largest + 1), std::bad_alloc);
  EXPECT_EQ(elements(v), std::vector<int>{1});
  EXPECT_EQ(v.capacity(), 2);
}

// A byte count beyond size_t once wrapped to a small request that the
// allocator granted.
TEST(Vec, ByteCountsBeyondSizeTThrow)
{
  struct megabytet
  {
    char bytes[1 << 20];
  };
  const std::size_t wraps_to_zero =
    std::numeric_limits<std::size_t>::max() / sizeof(megabytet) + 1;
  EXPECT_THROW(xmalloc<megabytet>(wraps_to_zero), std::bad_alloc);
  megabytet *none = nullptr;
  EXPECT_THROW(xrealloc(none, wraps_to_zero), std::bad_alloc);
}

TEST(VecDeathTest, ShrinkBeyondTheSizeStops)
{
  vec<int> v;
  v.push(1);
  EXPECT_DEATH(v.shrink(2), condition_regex("nelems <= sz"));
}

namespace
{
struct by_key
{
  const std::vector<int> &key;
  bool operator()(int x, int y) const
  {
    return key[x] > key[y];
  }
};
} // namespace

TEST(Heap, TakesHighestKeyFirstAndEqualKeysNeverSwap)
{
  std::vector<int> key = {1, 5, 3, 5, 2};
  Heap<by_key> heap{by_key{key}};
  EXPECT_TRUE(heap.empty());
  EXPECT_EQ(heap.heap.capacity(), 2);
  heap.setBounds(5);
  for(int n = 0; n < 5; n++)
    heap.insert(n);
  EXPECT_TRUE(heap.inHeap(3));
  std::vector<int> order;
  while(!heap.empty())
    order.push_back(heap.take_top());
  EXPECT_EQ(order, (std::vector<int>{1, 3, 2, 4, 0}));
  EXPECT_FALSE(heap.inHeap(3));
}

TEST(Heap, IncreaseMovesAGrownKeyUp)
{
  std::vector<int> key(50);
  Heap<by_key> heap{by_key{key}};
  heap.setBounds(50);
  std::mt19937 random(7);
  for(int n = 0; n < 50; n++)
  {
    key[n] = int(random() % 100);
    heap.insert(n);
  }
  // Grow some keys, take some elements out, and check the order is kept.
  for(int round = 0; round < 30; round++)
  {
    int n = int(random() % 50);
    if(heap.inHeap(n))
    {
      key[n] += int(random() % 50);
      heap.increase(n);
    }
    if(round % 3 == 0)
      heap.take_top();
  }
  std::vector<int> taken;
  while(!heap.empty())
    taken.push_back(key[heap.take_top()]);
  EXPECT_TRUE(std::is_sorted(taken.rbegin(), taken.rend()));
  EXPECT_EQ(taken.size(), 40u);
}

TEST(HeapDeathTest, ElementsOutsideTheBoundStop)
{
  std::vector<int> key(3);
  Heap<by_key> heap{by_key{key}};
  heap.setBounds(3);
  heap.insert(0);
  EXPECT_DEATH(heap.inHeap(-1), "ok\\(n\\)");
  EXPECT_DEATH(heap.inHeap(3), "ok\\(n\\)");
  EXPECT_DEATH(heap.insert(3), "ok\\(n\\)");
  EXPECT_DEATH(heap.increase(1), "inHeap\\(n\\)");
  EXPECT_DEATH(heap.setBounds(-1), condition_regex("size >= 0"));
}

TEST(RandomPivotSort, DrawsAPivotOnlyAboveFifteenElements)
{
  std::less<int> lt;
  std::vector<int> fifteen = {9, 3, 7, 1, 8, 2, 6, 4, 5, 0, 14, 12, 13, 11, 10};
  double seed = initial_random_seed;
  random_pivot_sort(fifteen.data(), 15, lt, seed);
  EXPECT_EQ(seed, initial_random_seed);
  EXPECT_TRUE(std::is_sorted(fifteen.begin(), fifteen.end()));

  std::vector<int> sixteen = fifteen;
  sixteen.push_back(-1);
  random_pivot_sort(sixteen.data(), 16, lt, seed);
  double one_draw = initial_random_seed;
  drand(one_draw);
  EXPECT_EQ(seed, one_draw);
  EXPECT_TRUE(std::is_sorted(sixteen.begin(), sixteen.end()));
}

TEST(RandomPivotSort, SortsLikeTheStandardSort)
{
  std::mt19937 random(3);
  for(int size : {0, 1, 2, 15, 16, 17, 40, 200, 1000})
  {
    vec<int> v;
    std::vector<int> expected;
    for(int i = 0; i < size; i++)
    {
      // Few distinct values, so runs of equal elements meet the pivot.
      int x = int(random() % (size / 4 + 2));
      v.push(x);
      expected.push_back(x);
    }
    random_pivot_sort(v, std::less<int>());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(elements(v), expected) << size;
  }
}

TEST(RandomPivotSort, GeneratorFollowsItsRecurrence)
{
  // s <- s * 1389796 mod 2147483647, taken in double precision.
  double seed = initial_random_seed;
  double fraction = drand(seed);
  double expected = std::fmod(initial_random_seed * 1389796, 2147483647);
  EXPECT_EQ(seed, expected);
  EXPECT_EQ(fraction, expected / 2147483647);
  EXPECT_EQ(
    irand(seed, 10),
    int(std::fmod(expected * 1389796, 2147483647) / 2147483647 * 10));
}

TEST(SortUnique, KeepsOneOfEachValue)
{
  vec<Lit> lits;
  for(int code : {7, 2, 7, 3, 2})
    lits.push(Lit::fromIndex(code));
  sort_unique(lits);
  ASSERT_EQ(lits.size(), 3);
  EXPECT_EQ(index(lits[0]), 2);
  EXPECT_EQ(index(lits[1]), 3);
  EXPECT_EQ(index(lits[2]), 7);

  vec<int> empty;
  sort_unique(empty);
  EXPECT_EQ(empty.size(), 0);
}

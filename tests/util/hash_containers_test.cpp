#include "util/hash_containers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(HashContainers, PrimeList)
{
  EXPECT_EQ(next_hash_prime(0), 53u);
  EXPECT_EQ(next_hash_prime(53), 53u);
  EXPECT_EQ(next_hash_prime(100), 193u);
  EXPECT_EQ(next_hash_prime(194), 389u);
  EXPECT_EQ(next_hash_prime(4294967291ul), 4294967291ul);
  EXPECT_EQ(next_hash_prime(4294967292ul), 4294967291ul);
}

// Identity hash: bucket = key modulo the bucket count.
struct identity_hasht
{
  std::size_t operator()(unsigned key) const
  {
    return key;
  }
};

template <class Container>
static std::vector<unsigned> keys_in_order(const Container &c)
{
  std::vector<unsigned> keys;
  for(const auto &v : c)
    keys.push_back(v.first);
  return keys;
}

TEST(HashContainers, MapOrderGrowthEraseAndCopy)
{
  hash_mapt<unsigned, int, identity_hasht> map(1);
  EXPECT_EQ(map.bucket_count(), 53u);
  map[3] = 1;
  map[56] = 2; // same bucket as 3: goes to the head of the chain
  map[1] = 3;
  EXPECT_EQ(keys_in_order(map), (std::vector<unsigned>{1, 56, 3}));

  for(unsigned k = 100; k < 151; ++k)
    map[k] = 0;
  EXPECT_EQ(map.bucket_count(), 97u);
  EXPECT_EQ(map[56], 2);
  EXPECT_EQ(map[3], 1);
  EXPECT_EQ(map.size(), 54u);

  const hash_mapt<unsigned, int, identity_hasht> copy = map;
  EXPECT_EQ(keys_in_order(copy), keys_in_order(map));
  EXPECT_EQ(copy.bucket_count(), 97u);

  EXPECT_EQ(map.erase(56), 1u);
  EXPECT_EQ(map.erase(56), 0u);
  EXPECT_EQ(map.count(56), 0u);
  EXPECT_EQ(copy.count(56), 1u);
  map.erase(map.find(3));
  EXPECT_EQ(map.size(), 52u);

  map.clear();
  EXPECT_TRUE(map.empty());
  EXPECT_EQ(map.begin(), map.end());
  EXPECT_EQ(map.bucket_count(), 97u);
}

TEST(HashContainers, RehashKeepsChainOrderModel)
{
  // 0 and 97*53 share bucket 0 before and after growth; relinking each old
  // chain from its head reverses them.
  hash_sett<unsigned, identity_hasht> set(1);
  const unsigned together = 97 * 53;
  set.insert(0);
  set.insert(together);
  std::vector<unsigned> before(set.begin(), set.end());
  EXPECT_EQ(before, (std::vector<unsigned>{together, 0}));
  for(unsigned k = 1; k < 53; ++k)
    set.insert(k);
  ASSERT_EQ(set.bucket_count(), 97u);
  EXPECT_EQ(*set.begin(), 0u);
  EXPECT_EQ(*std::next(set.begin()), together);
}

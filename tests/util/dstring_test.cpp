#include "util/dstring.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

TEST(Dstring, EmptyTextPointsToTheTableMemberAndIsNotStored)
{
  const std::size_t before = string_table.size();
  const dstring a, b(""), c{std::string()};
  for(const dstring &d : {a, b, c})
  {
    EXPECT_EQ(&d.as_string(), &string_table.empty);
    EXPECT_TRUE(d.empty());
  }
  EXPECT_EQ(string_table.size(), before);
}

TEST(Dstring, SameTextIsStoredOnce)
{
  const std::size_t before = string_table.size();
  dstring from_c_string("dstring_test_unique_text");
  dstring from_string(std::string("dstring_test_unique_text"));
  EXPECT_EQ(&from_c_string.as_string(), &from_string.as_string());
  EXPECT_EQ(from_c_string, from_string);
  EXPECT_EQ(string_table.size(), before + 1);
  EXPECT_FALSE(from_c_string.empty());
  EXPECT_TRUE(from_c_string == "dstring_test_unique_text");
  EXPECT_TRUE(from_c_string != "dstring_test_unique");
}

TEST(Dstring, TextsWithHighBytesAndNulBytesAreInterned)
{
  const std::string with_nul("a\0b", 3);
  dstring d(with_nul);
  EXPECT_EQ(d.size(), 3u);
  EXPECT_EQ(d.as_string(), with_nul);
  EXPECT_NE(d, dstring("a"));
  EXPECT_EQ(dstring("caf\xE9"), dstring(std::string("caf\xE9")));
}

TEST(Dstring, OrderIsTextOrderWithUnsignedBytes)
{
  EXPECT_TRUE(dstring("ab") < dstring("abc"));
  EXPECT_FALSE(dstring("abc") < dstring("ab"));
  EXPECT_TRUE(dstring("z") < dstring("\xE9"));
  EXPECT_TRUE(dstring("") < dstring("a"));
  EXPECT_FALSE(dstring("a") < dstring("a"));
}

TEST(HashString, values)
{
  EXPECT_EQ(hash_string("abc"), 96354u);
  EXPECT_EQ(hash_string(std::string("abc")), 96354u);
  EXPECT_EQ(hash_string("\xFF"), 4294967295u);
  EXPECT_EQ(hash_string(""), 0u);
  EXPECT_EQ(hash_string("nil"), 109073u);
  // The C-string form stops at the NUL; the std::string form does not.
  EXPECT_EQ(hash_string("a\0b"), hash_string("a"));
  EXPECT_EQ(hash_string(std::string("a\0b", 3)), (97u * 31 + 0) * 31 + 98);
  EXPECT_EQ(hash_dstring(dstring("abc")), 96354u);
}

// A plain model of the table: bucket chains with new texts at the head and
// growth that relinks the old buckets in index order.
class string_table_modelt
{
public:
  std::vector<std::vector<std::string>> buckets =
    std::vector<std::vector<std::string>>(193);

  void insert(const std::string &text)
  {
    grow(count + 1);
    std::vector<std::string> &chain = bucket(text);
    for(const std::string &s : chain)
      if(s == text)
        return;
    chain.insert(chain.begin(), text);
    ++count;
  }

  std::string output() const
  {
    std::string out;
    for(const auto &chain : buckets)
      for(const std::string &s : chain)
        out += s + "\n";
    return out;
  }

private:
  std::size_t count = 0;

  std::vector<std::string> &bucket(const std::string &text)
  {
    return buckets[hash_string(text) % buckets.size()];
  }

  void grow(std::size_t hint)
  {
    if(buckets.size() >= hint)
      return;
    static const std::size_t primes[] = {389, 769, 1543, 3079};
    std::size_t n = 0;
    for(std::size_t p : primes)
      if(n == 0 && p >= hint)
        n = p;
    auto old = std::move(buckets);
    buckets.assign(n, {});
    for(const auto &chain : old)
      for(const std::string &s : chain)
        bucket(s).insert(bucket(s).begin(), s);
  }
};

TEST(StringTable, GrowthAndOutputOrderFollowTheModel)
{
  string_tablet table;
  string_table_modelt model;
  EXPECT_EQ(table.bucket_count(), 193u);

  std::vector<const std::string *> stored;
  for(int i = 0; i < 193; ++i)
  {
    const std::string text = "t" + std::to_string(i * 7919);
    stored.push_back(table.insert(text));
    model.insert(text);
  }
  EXPECT_EQ(table.size(), 193u);
  EXPECT_EQ(table.bucket_count(), 193u);

  // Interning a text already stored still grows the set first.
  EXPECT_EQ(table.insert("t0"), stored[0]);
  model.insert("t0");
  EXPECT_EQ(table.size(), 193u);
  EXPECT_EQ(table.bucket_count(), 389u);

  for(int i = 0; i < 700; ++i)
  {
    const std::string text = "u" + std::to_string(i);
    table.insert(text);
    model.insert(text);
  }
  EXPECT_EQ(table.bucket_count(), 1543u);
  // Stored texts never move.
  for(int i = 0; i < 193; ++i)
    EXPECT_EQ(*stored[i], "t" + std::to_string(i * 7919));

  std::ostringstream out;
  table.output(out);
  EXPECT_EQ(out.str(), model.output());
}

TEST(StringTable, OutputOfATableHoldingNil)
{
  string_tablet table;
  table.insert("nil");
  std::ostringstream out;
  table.output(out);
  EXPECT_EQ(out.str(), "nil\n");
}

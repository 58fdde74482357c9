#include "sat/coresat/coresat_memory.h"

#include "coresat_fixture.h"

#include <cstring>

typedef CoresatTest CoresatMemory;

TEST_F(CoresatMemory, CountsEveryBlockAndItsPeak)
{
  char *block = static_cast<char *>(coresat_new(12));
  EXPECT_EQ(coresat_current_bytes(), 12u);
  std::memset(block, 'x', 12);
  block = static_cast<char *>(coresat_resize(block, 12, 24));
  EXPECT_EQ(coresat_current_bytes(), 24u);
  EXPECT_EQ(std::string(block, 12), std::string(12, 'x'));
  EXPECT_EQ(std::string(block + 12, 12), std::string(12, '\0'));
  block = static_cast<char *>(coresat_resize(block, 24, 4));
  EXPECT_EQ(coresat_current_bytes(), 4u);
  EXPECT_EQ(coresat_max_bytes(), 24u);
  coresat_delete(block, 4);
  coresat_delete(nullptr, 100);
  EXPECT_EQ(coresat_current_bytes(), 0u);

  const int ints[] = {3, -1, 7};
  int *copy = coresat_copy_ints(ints, 3);
  EXPECT_EQ(coresat_current_bytes(), 16u);
  EXPECT_EQ(std::vector<int>(copy, copy + 4), (std::vector<int>{3, -1, 7, 0}));
  coresat_delete_ints(copy);
  char *text = coresat_strdup("abc");
  EXPECT_EQ(coresat_current_bytes(), 4u);
  EXPECT_STREQ(text, "abc");
  coresat_delete_string(text);
  coresat_delete_ints(nullptr);
  coresat_delete_string(nullptr);
  EXPECT_EQ(coresat_current_bytes(), 0u);

  coresat_reset_memory_stats();
  EXPECT_EQ(coresat_max_bytes(), 0u);
}

TEST_F(CoresatMemory, GrowableArrayDoublesAndGivesBack)
{
  coresat_stack<int> stack = {};
  stack.push(1);
  EXPECT_EQ(coresat_current_bytes(), 2 * sizeof(int));
  stack.push(2);
  stack.push(3);
  EXPECT_EQ(stack.limit - stack.begin, 4);
  EXPECT_EQ(stack_items(stack), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(stack.pop(), 3);
  stack.release();
  EXPECT_EQ(coresat_current_bytes(), 0u);
  EXPECT_TRUE(stack.empty());
}

TEST_F(CoresatMemory, ReportTimeAppendsTheConstantClock)
{
  EXPECT_EQ(coresat_time_stamp(), 0.0);
  EXPECT_EQ(
    captured([](std::FILE *f) {
      coresat_report_time(0.0, f, "c preprocessing produced %d assignments", 3);
    }),
    "c preprocessing produced 3 assignments in 0.00 seconds\n");
}

#include "tests/util/condition_regex.h"
#include "util/std_code.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
codet statement(const std::string &kind)
{
  codet code;
  code.id("code");
  code.set("statement", dstring(kind));
  return code;
}

codet with_operands(codet code, const std::vector<codet> &statements)
{
  code.operands();
  for(const codet &s : statements)
    code.copy_to_operands(s);
  return code;
}
} // namespace

TEST(StdCode, MakeBlock)
{
  codet block = with_operands(statement("block"), {statement("skip")});
  const codet block_before = block;
  EXPECT_EQ(&make_block(block), &block);
  EXPECT_TRUE(block.full_eq(block_before));

  codet assignment = statement("assign");
  assignment.copy_to_operands(exprt("symbol"), exprt("constant"));
  const codet assignment_before = assignment;
  make_block(assignment);
  EXPECT_EQ(assignment.get("statement"), "block");
  EXPECT_EQ(assignment.id(), "code");
  EXPECT_EQ(assignment.type(), typet("code"));
  ASSERT_EQ(assignment.operands().size(), 1u);
  EXPECT_TRUE(assignment.op0().full_eq(assignment_before));
}

TEST(StdCode, FirstAndLastStatementDescendThroughBlocksAndLabels)
{
  const codet assign = statement("assign");
  const codet ret = statement("return");
  const codet inner =
    with_operands(statement("block"), {assign, statement("skip")});
  const codet label = with_operands(statement("label"), {inner});
  const codet outer = with_operands(statement("block"), {label, ret});

  EXPECT_EQ(first_statement(outer), assign);
  EXPECT_EQ(last_statement(outer), ret);
  EXPECT_EQ(&last_statement(ret), &ret);
  // A block without an operand list, or with an empty one, stands for
  // itself.
  const codet bare = statement("block");
  EXPECT_EQ(&first_statement(bare), &bare);
  const codet empty = with_operands(statement("block"), {});
  EXPECT_EQ(&last_statement(empty), &empty);

  // The writing form reaches into the tree, unsharing on the way down.
  codet writable = outer;
  first_statement(writable).set("statement", "skip");
  EXPECT_EQ(first_statement(writable).get("statement"), "skip");
  EXPECT_EQ(first_statement(outer), assign);
  last_statement(writable).set("statement", "goto");
  EXPECT_EQ(last_statement(outer), ret);
}

TEST(StdCodeDeathTest, ANonStatementOperandIsABrokenInvariant)
{
  codet block = statement("block");
  block.copy_to_operands(exprt("symbol"));
  EXPECT_DEATH(
    first_statement(block),
    "std_code\\.h.*" + condition_regex("expr.id()==\"code\""));
}

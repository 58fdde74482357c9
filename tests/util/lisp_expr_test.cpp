#include "util/lisp_expr.h"

#include "util/irep.h"

#include "tree_builders.h"

#include <gtest/gtest.h>

#include <iostream>
#include <random>
#include <sstream>

static lisp_exprt symbol(const std::string &value)
{
  return lisp_exprt::atom(lisp_exprt::LISP_SYMBOL, value);
}

static lisp_exprt list(std::vector<lisp_exprt> children)
{
  lisp_exprt expr;
  expr.kind = lisp_exprt::LISP_LIST;
  expr.children = std::move(children);
  return expr;
}

TEST(LispExpr, ListTexts)
{
  const lisp_exprt x = symbol("x"), y = symbol("y"), z = symbol("z");
  const lisp_exprt nil = symbol("nil");
  EXPECT_EQ(lisp_to_string(list({})), "()");
  EXPECT_EQ(lisp_to_string(list({x})), "(x)");
  EXPECT_EQ(lisp_to_string(list({x, nil})), "(x)");
  EXPECT_EQ(lisp_to_string(list({x, y})), "(x . y)");
  EXPECT_EQ(lisp_to_string(list({x, y, nil})), "(x y)");
  EXPECT_EQ(lisp_to_string(list({x, y, z})), "(x y . z)");
  EXPECT_EQ(lisp_to_string(list({nil})), "(nil)");
  EXPECT_EQ(lisp_to_string(lisp_exprt::atom(7, "lost")), "");
}

TEST(LispExpr, StringsAreQuotedAndReadBack)
{
  const lisp_exprt atom = lisp_exprt::atom(lisp_exprt::LISP_STRING, "a\"b\\c");
  const std::string text = lisp_to_string(atom);
  EXPECT_EQ(text, "\"a\\\"b\\\\c\"");
  lisp_exprt read;
  ASSERT_FALSE(read.parse(text));
  EXPECT_EQ(read.kind, lisp_exprt::LISP_STRING);
  EXPECT_EQ(read.value, "a\"b\\c");
}

TEST(LispExpr, ParseTable)
{
  struct caset
  {
    std::string text;
    int kind;
    std::string value;       // for atoms
    std::string written;     // lisp_to_string of the result
    std::size_t position;    // where parsing stopped
  };
  const caset cases[] = {
    {"   ", lisp_exprt::LISP_SYMBOL, "", "", 3},
    {"(a b)", lisp_exprt::LISP_LIST, "", "(a b)", 5},
    {"(a . b)", lisp_exprt::LISP_LIST, "", "(a . b)", 7},
    {"(a . b c)", lisp_exprt::LISP_LIST, "", "(a b c)", 9},
    {"(a)", lisp_exprt::LISP_LIST, "", "(a)", 3},
    {"()", lisp_exprt::LISP_LIST, "", "()", 2},
    {"(a (b", lisp_exprt::LISP_LIST, "", "(a . (b))", 5},
    {"12.5x", lisp_exprt::LISP_NUMBER, "12.5", "12.5", 4},
    {"a(b", lisp_exprt::LISP_SYMBOL, "a(b", "a(b", 3},
    {" \tsym  rest", lisp_exprt::LISP_SYMBOL, "sym", "sym", 7},
    {"\"open", lisp_exprt::LISP_STRING, "open", "\"open\"", 5},
    // A backslash at the end ends the string with the text.
    {"\"ab\\", lisp_exprt::LISP_STRING, "ab", "\"ab\"", 4},
    {"(\"ab\\", lisp_exprt::LISP_LIST, "", "(\"ab\")", 5},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.text);
    lisp_exprt expr;
    std::size_t position = 0;
    ASSERT_FALSE(expr.parse(c.text, position));
    EXPECT_EQ(expr.kind, c.kind);
    EXPECT_EQ(expr.value, c.value);
    EXPECT_EQ(lisp_to_string(expr), c.written);
    EXPECT_EQ(position, c.position);
  }

  lisp_exprt parsed;
  ASSERT_FALSE(parsed.parse("(a . b c)"));
  ASSERT_EQ(parsed.children.size(), 4u);
  EXPECT_EQ(parsed.children[3].value, "nil");
  ASSERT_FALSE(parsed.parse("()"));
  ASSERT_EQ(parsed.children.size(), 1u);
  EXPECT_EQ(parsed.children[0].kind, lisp_exprt::LISP_SYMBOL);
  EXPECT_EQ(parsed.children[0].value, "");
}

TEST(LispExpr, ParseErrors)
{
  lisp_exprt expr;
  EXPECT_TRUE(expr.parse(""));
  EXPECT_TRUE(expr.parse("(a ."));
  std::size_t beyond = 3;
  EXPECT_TRUE(expr.parse("ab", beyond));
}

TEST(LispExpr, TreeFormAndBack)
{
  lisp_exprt expr;
  irep_to_lisp(make_tree("+", {make_tree("a"), make_tree("b")}), expr);
  EXPECT_EQ(lisp_to_string(expr), "(\"+\" \"\" (\"a\") \"\" (\"b\"))");

  irept tree("stale");
  lisp_to_irep(symbol("atom"), tree);
  EXPECT_TRUE(tree.full_eq(get_nil_irep()));

  // A name without a tree after it is dropped.
  ASSERT_FALSE(expr.parse("(\"id\" . \"lonely\")"));
  lisp_to_irep(expr, tree);
  EXPECT_TRUE(tree.full_eq(make_tree("id")));
}

TEST(LispExpr, RandomTreesSurviveTheRoundTrip)
{
  std::mt19937 random(2024);
  for(int i = 0; i < 300; ++i)
  {
    const irept tree = random_tree(random, 4);
    lisp_exprt expr;
    irep_to_lisp(tree, expr);
    irept back;
    lisp_to_irep(expr, back);
    ASSERT_TRUE(back.full_eq(tree)) << tree.pretty();

    lisp_exprt reparsed;
    ASSERT_FALSE(reparsed.parse(lisp_to_string(expr)));
    irept from_text;
    lisp_to_irep(reparsed, from_text);
    ASSERT_TRUE(from_text.full_eq(tree)) << tree.to_string();
  }
}

TEST(LispExpr, TestLoopEchoesEachLine)
{
  std::istringstream in("(a b)\n(x\n\n(a . b)\nunfinished");
  std::ostringstream out;
  std::streambuf *old_in = std::cin.rdbuf(in.rdbuf());
  std::streambuf *old_out = std::cout.rdbuf(out.rdbuf());
  const int result = lisp_test_loop();
  std::cin.rdbuf(old_in);
  std::cout.rdbuf(old_out);
  std::cin.clear();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(out.str(), "(a b)\n(x)\nParsing error\n(a . b)\n");
}

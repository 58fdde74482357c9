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

}

TEST(LispExpr, TreesOfFormsWithoutChildren)
{
  struct caset
  {
    std::string text;
    irept tree;
  };
  const caset cases[] = {
    {"atom", get_nil_irep()},
    // What parsing "(" gives: a list without elements.
    {"(", get_nil_irep()},
    // A name without a tree after it is dropped.
    {"(\"id\" . \"lonely\")", make_tree("id")},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.text);
    lisp_exprt expr;
    ASSERT_FALSE(expr.parse(c.text));
    irept tree("stale");
    lisp_to_irep(expr, tree);
    EXPECT_TRUE(tree.full_eq(c.tree)) << tree.pretty();
  }
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

// The output of the console loop on that input.
static std::string run_test_loop(const std::string &input)
{
  std::istringstream in(input);
  std::ostringstream out;
  std::streambuf *old_in = std::cin.rdbuf(in.rdbuf());
  std::streambuf *old_out = std::cout.rdbuf(out.rdbuf());
  const int result = lisp_test_loop();
  std::cin.rdbuf(old_in);
  std::cout.rdbuf(old_out);
  std::cin.clear();
  EXPECT_EQ(result, 0);
  return out.str();
}

TEST(LispExpr, TestLoopEchoesEachLine)
{
  EXPECT_EQ(
    run_test_loop("(a b)\n(x\n\n(a . b)\nunfinished"),
    "(a b)\n(x)\nParsing error\n(a . b)\n");
}

// Far deeper than a stack holds one frame per level for, in the plain build
// as in the sanitizer build: the console loop stopped at 30,000.
static const std::size_t deep = 50000;

static std::string repeated(const std::string &text, std::size_t count)
{
  std::string result;
  result.reserve(text.size() * count);
  for(std::size_t i = 0; i < count; ++i)
    result += text;
  return result;
}

TEST(LispExpr, DeeplyNestedLineCrashedTheTestLoop)
{
  EXPECT_EQ(
    run_test_loop(std::string(deep, '(') + "\n(a b)\n"),
    std::string(deep, '(') + std::string(deep, ')') + "\n(a b)\n");
}

TEST(LispExpr, DeeplyNestedTextCrashedParsingPrintingAndCopying)
{
  struct caset
  {
    std::string text;
    bool error;
    std::string written;
  };
  const std::string closing(deep, ')');
  const std::string nested = repeated("(a ", deep) + "x" + closing;
  const std::string dotted = repeated("(a . ", deep) + "x" + closing;
  const caset cases[] = {
    {nested, false, nested},
    {dotted, false, dotted},
    {std::string(deep, '(') + "\"s", false,
     std::string(deep, '(') + "\"s\"" + closing},
    // The error deep down leaves the elements read before it at the top.
    {"(b " + std::string(deep, '(') + "a .", true, "(b)"},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.written.substr(0, 20));
    lisp_exprt expr;
    std::size_t position = 0;
    ASSERT_EQ(expr.parse(c.text, position), c.error);
    EXPECT_EQ(position, c.text.size());
    EXPECT_EQ(lisp_to_string(expr), c.written);

    lisp_exprt copy(expr);
    EXPECT_EQ(lisp_to_string(copy), c.written);
    copy = lisp_exprt::atom(lisp_exprt::LISP_SYMBOL, "gone");
    copy = expr;
    EXPECT_EQ(lisp_to_string(copy), c.written);
  }
}

TEST(LispExpr, DeepTreeFormCrashedTheConversions)
{
  // A chain of trees "n", each below the one before as an unnamed child, a
  // named child or a comment in turn, ending in the tree "x".
  const char *const names[] = {"", "op", "#c"};
  std::string text;
  for(std::size_t level = 0; level < deep; ++level)
    text += std::string("(\"n\" \"") + names[level % 3] + "\" ";
  text += "(\"x\")" + std::string(deep, ')');

  lisp_exprt form;
  ASSERT_FALSE(form.parse(text));
  irept tree;
  lisp_to_irep(form, tree);

  const irept *node = &tree;
  for(std::size_t level = 0; level < deep; ++level)
  {
    ASSERT_EQ(node->id(), "n") << level;
    const irept::subt &sub = node->get_sub();
    const std::size_t children = sub.size() + node->get_named_sub().size() +
                                 node->get_comments().size();
    ASSERT_EQ(children, 1u) << level;
    node = level % 3 == 0 ? &sub[0] : &node->find(names[level % 3]);
  }
  EXPECT_TRUE(node->full_eq(make_tree("x")));

  EXPECT_EQ(tree.to_string(), text);
  lisp_exprt back;
  irep_to_lisp(tree, back);
  EXPECT_EQ(lisp_to_string(back), text);
}

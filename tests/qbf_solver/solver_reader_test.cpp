#include "solver_harness.h"

#include <gtest/gtest.h>

namespace
{
// The prefix as text: "e5 a1 ...".
std::string prefix_text(const morvanet &s)
{
  std::string text;
  for(const auto &q : s.quantifiers)
    text += (text.empty() ? "" : " ") +
            std::string(q.type == qdimacs_cnft::quantifiert::EXISTENTIAL
                          ? "e"
                          : "a") +
            std::to_string(q.var_no);
  return text;
}
} // namespace

TEST(SolverReader, ClausesAndPrefix)
{
  const struct
  {
    const char *text;
    const char *prefix;
    std::size_t clauses;
  } cases[] = {
    {"c only a comment\np cnf 3 0\n", "", 0},
    // A clause continues over lines; leading white space is allowed.
    {"p cnf 3 1\n  e 1 2 3 0\n1 2\n  3 0\n", "e1 e2 e3", 1},
    {"\t\rc comment\n \t\r p cnf 2 1\n\ta 1 0\n\r\te 2 0\n\t1 2 0\n", "a1 e2", 1},
    // Lines of white space only are skipped.
    {"e 1 2 0\n \t \r\n1 2 0\n\r\n", "e1 e2", 1},
    // A tautology is dropped whole, also over lines, and the next clause
    // starts fresh.
    {"e 1 2 3 0\n1 -1\n2 0\n3 0\n", "e1 e2 e3", 1},
    {"e 1 2 0\n1 -1 2 0 5 0\n2 0\n", "e5 e1 e2", 2},
    // Text after a clause's 0 is the next clause.
    {"e 1 2 0\n1 0 -2 0 1 2 0\n", "e1 e2", 3},
    // Free variables go in front, later ones further out.
    {"a 1 0\n1 5 6 0\n", "e6 e5 a1", 1},
    // A last clause without its 0 is taken as ended.
    {"e 1 2 0\n1 2", "e1 e2", 1},
    // Quantifier lines end at 0 or where no number follows.
    {"e 1 2\na 3 0 \t\r\n1 2 3 0\n", "e1 e2 a3", 1},
  };
  for(const auto &c : cases)
  {
    solver_harnesst h;
    EXPECT_EQ(h.read(c.text), morvanet::R_UNKNOWN) << c.text;
    EXPECT_EQ(prefix_text(h.solver), c.prefix) << c.text;
    EXPECT_EQ(h.solver.stored_clause_count(), c.clauses) << c.text;
    EXPECT_TRUE(h.handler.messages.empty()) << c.text;
  }

  solver_harnesst h;
  h.read("p cnf 3 2\ne 1 2 3 0\n1 2\n3 0\n1 1 0\n");
  EXPECT_EQ(
    h.clauses_of(1),
    (std::vector<std::vector<int>>{{1, 2, 3}, {1, 1}, {1, 1}}));
  EXPECT_EQ(h.solver.no_variables(), 3u);

  // The variable count is any unsigned 32-bit number.
  h.read("p cnf 4294967295 0\n");
  EXPECT_EQ(h.solver.no_variables(), 4294967295u);
}

TEST(SolverReader, FalseFormulasEndTheReading)
{
  for(const char *text :
      {"e 1 0\n0\n1 0\n", "a 3 0\n3 0\n", "e 1 0\n1 0\n-1 0\n%\n"})
  {
    solver_harnesst h;
    EXPECT_EQ(h.read(text), morvanet::R_INVALID) << text;
    EXPECT_TRUE(h.handler.messages.empty()) << text;
  }
}

TEST(SolverReader, BadInputIsAnError)
{
  const struct
  {
    const char *text;
    const char *message;
  } cases[] = {
    {"e 1 0\n1 0\n%\n", "line 3: '%' is not a number"},
    {"e 1 -2 0\n", "line 1: variable number out of range"},
    {"a 2147483647 0\n", "line 1: variable number out of range"},
    {"e 99999999999 0\n", "line 1: variable number out of range"},
    {"1 -2147483648 0\n", "line 1: literal out of range"},
    {"1\n2147483647 0\n", "line 2: literal out of range"},
  };
  for(const auto &c : cases)
  {
    solver_harnesst h;
    EXPECT_EQ(h.read(c.text), morvanet::R_ERROR) << c.text;
    ASSERT_EQ(h.handler.messages.size(), 1u) << c.text;
    EXPECT_EQ(
      h.handler.messages[0],
      "file " + h.folder.path("f.qdimacs") + " " + c.message);
  }

  solver_harnesst h;
  EXPECT_EQ(
    h.solver.read_qdimacs_file(h.folder.path("missing")), morvanet::R_ERROR);
  EXPECT_EQ(
    h.handler.messages,
    std::vector<std::string>{
      "failed to open input file: " + h.folder.path("missing")});

  // A folder opens but cannot be read.
  h.handler.messages.clear();
  EXPECT_EQ(h.solver.read_qdimacs_file(h.folder.path("")), morvanet::R_ERROR);
  EXPECT_EQ(
    h.handler.messages,
    std::vector<std::string>{"failed to read input file: " + h.folder.path("")});
}

TEST(SolverReader, LevelsAndFreeVariableDiagnostic)
{
  solver_harnesst h;
  h.solver.show_debug = true;
  h.read("e 3 0\na 4 0\ne 5 3 0\na 6 0\n7 -4 0\n");
  EXPECT_EQ(h.out.str(), "DEBUG: Quantifying variable #7 at level 0.\n");
  // Free variables alone take level 0.
  EXPECT_EQ(h.solver.level(3), 4u);
  EXPECT_EQ(h.solver.level(4), 2u);
  EXPECT_EQ(h.solver.level(5), 3u);
  EXPECT_EQ(h.solver.level(6), 5u);
  EXPECT_EQ(h.solver.level(7), 0u);
  EXPECT_FALSE(h.solver.is_existential(4));
  EXPECT_EQ(h.solver.max_index, 7u);
}

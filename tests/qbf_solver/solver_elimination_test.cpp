#include "solver_harness.h"

#include <gtest/gtest.h>

namespace
{
// The lines of the output that begin with `start`.
std::vector<std::string> lines_of(const std::string &text, const std::string &start)
{
  std::vector<std::string> result;
  std::istringstream in(text);
  for(std::string line; std::getline(in, line);)
    if(line.compare(0, start.size(), start) == 0)
      result.push_back(line);
  return result;
}

// The variables in the order they were eliminated.
std::vector<unsigned> elimination_order(const std::string &text)
{
  std::vector<unsigned> result;
  for(const std::string &line : lines_of(text, "CF: "))
    if(line.find(" cw (") != std::string::npos)
      result.push_back(std::stoul(line.substr(4)));
  return result;
}
} // namespace

// Variable 1 is the only record of the innermost block; 2, 3 and 4 are
// outer existentials behind the universal 7.
TEST(SolverElimination, Cases)
{
  const struct
  {
    const char *clauses;
    morvanet::resultt result;
    std::vector<std::string> lines;
    std::vector<std::vector<int>> clauses_of_3;
  } cases[] = {
    {"1 2 0\n-1 3 0\n",
     morvanet::R_UNKNOWN,
     {"CF: 1: 1 w, 1 cw (2 total).", "CF: 1: f = ?",
      "CF: 1: 1 conflict clauses (0 covered, 0 filtered, 0 unified)."},
     {{2, 3}}},
    // The resolvents {2, 3} and {-2, 3} are merged into {3}.
    {"1 2 0\n1 -2 0\n-1 3 0\n",
     morvanet::R_UNKNOWN,
     {"CF: 1: 2 w, 1 cw (3 total).", "CF: 1: f = ?",
      "CF: 1: 1 conflict clauses (0 covered, 0 filtered, 1 unified)."},
     {{3}}},
    {"1 0\n-1 3 0\n-1 2 0\n",
     morvanet::R_UNKNOWN,
     {"CF: 1: 1 w, 2 cw (3 total).", "CF: 1: f = 1.",
      "CF: 1: 2 conflict clauses (0 covered, 0 filtered, 0 unified)."},
     {{3}}},
    {"1 2 0\n1 3 0\n",
     morvanet::R_UNKNOWN,
     {"CF: 1: 2 w, 0 cw (2 total).", "CF: 1: f = 1.",
      "CF: 1: 0 conflict clauses (0 covered, 0 filtered, 0 unified)."},
     {}},
    // The only resolvent is tautological.
    {"1 2 3 0\n-1 -2 0\n",
     morvanet::R_UNKNOWN,
     {"CF: 1: 1 w, 1 cw (2 total).", "CF: 1: f = ?",
      "CF: 1: 0 conflict clauses (0 covered, 0 filtered, 0 unified)."},
     {}},
    // {3} covers {3, 4}.
    {"1 3 0\n1 3 4 0\n-1 0\n",
     morvanet::R_UNKNOWN,
     {"CF: 1: 2 w, 1 cw (3 total).", "CF: 1: f = 0.",
      "CF: 1: 1 conflict clauses (1 covered, 0 filtered, 0 unified)."},
     {{3}}},
    {"2 3 0\n1 2 0\n-1 3 0\n",
     morvanet::R_UNKNOWN,
     {"CF: 1: 1 w, 1 cw (2 total).", "CF: 1: f = ?",
      "CF: 1: 0 conflict clauses (0 covered, 1 filtered, 0 unified)."},
     {{2, 3}}},
    // Repeated literals: the resolvent of {1, 1} and {-1, -1} is empty,
    // so the formula is false.
    {"1 1 0\n-1 -1 0\n",
     morvanet::R_INVALID,
     {"CF: 1: 1 w, 1 cw (2 total).", "CF: 1: f = ?"},
     {}},
    // {2, 3, 3} and {-2, 3, 4} differ in more than the sign of 2: merging
    // them into {3, 3} would not follow from them.
    {"1 2 3 3 0\n1 -2 3 4 0\n-1 0\n",
     morvanet::R_UNKNOWN,
     {"CF: 1: 2 w, 1 cw (3 total).", "CF: 1: f = 0.",
      "CF: 1: 2 conflict clauses (0 covered, 0 filtered, 0 unified)."},
     {{2, 3, 3}, {2, 3, 3}, {-2, 3, 4}}},
    // Unification stops at length 3, where nothing merges, and leaves
    // {2, 3} and {-2, 3} apart.
    {"1 2 3 4 0\n1 2 3 0\n1 -2 3 0\n-1 0\n",
     morvanet::R_UNKNOWN,
     {"CF: 1: 3 w, 1 cw (4 total).", "CF: 1: f = 0.",
      "CF: 1: 2 conflict clauses (1 covered, 0 filtered, 0 unified)."},
     {{2, 3}, {-2, 3}}},
    // Both resolvents are {-2, -3}; the second equals the last clause of
    // its length's list and is not added again.
    {"-2 -1 -3 0\n1 -3 -2 0\n-2 -1 0\n",
     morvanet::R_UNKNOWN,
     {"CF: 1: 1 w, 2 cw (3 total).", "CF: 1: f = ?",
      "CF: 1: 1 conflict clauses (0 covered, 0 filtered, 0 unified)."},
     {{-2, -3}}},
  };
  for(const auto &c : cases)
  {
    solver_harnesst h;
    h.solver.show_progress = true;
    ASSERT_EQ(
      h.read(std::string("e 2 3 4 0\na 7 0\ne 1 0\n") + c.clauses),
      morvanet::R_UNKNOWN);
    EXPECT_EQ(h.solver.eliminate_existential(), c.result) << c.clauses;
    EXPECT_EQ(lines_of(h.out.str(), "CF: "), c.lines) << c.clauses;
    EXPECT_EQ(h.clauses_of(3), c.clauses_of_3) << c.clauses;
  }
}

TEST(SolverElimination, UnifiableCommonPart)
{
  bvt common;
  EXPECT_EQ(
    morvanet::unifiable_common_part(
      make_clause({1, -2, 3}), make_clause({1, 2, 3}), common),
    2u);
  EXPECT_EQ(common, make_clause({1, 3}).literals);
  for(const auto &pair :
      {std::make_pair(make_clause({1, 2}), make_clause({1, 2})),
       std::make_pair(make_clause({1, 2}), make_clause({-1, -2})),
       std::make_pair(make_clause({1, 2}), make_clause({-1, 2, 3})),
       std::make_pair(make_clause({1, 1, 2}), make_clause({-1, 2, 2})),
       std::make_pair(make_clause({2, 3, 3}), make_clause({-2, 3, 4}))})
    EXPECT_EQ(
      morvanet::unifiable_common_part(pair.first, pair.second, common), 0u);
}

TEST(SolverElimination, ChoiceOfTheNextVariable)
{
  const struct
  {
    const char *text;
    std::vector<unsigned> order;
  } cases[] = {
    // The outermost record is never examined while others are left.
    {"e 1 0\ne 2 0\n1 2 0\n-2 0\n", {2, 1}},
    // Fewest occurrences first; the counts change as clauses go and come.
    {"e 9 1 2 3 0\n1 2 3 0\n1 -2 0\n1 2 0\n3 -9 0\n", {3, 2, 1, 9}},
    // Ties go to the innermost.
    {"e 9 1 2 3 0\n1 -9 0\n2 -9 0\n3 -9 0\n", {3, 2, 1, 9}},
    // Blocks are taken from the inside out.
    {"e 1 2 0\na 3 0\ne 4 5 0\n1 3 4 0\n2 5 0\n", {5, 4, 2, 1}},
  };
  for(const auto &c : cases)
  {
    solver_harnesst h;
    h.solver.show_progress = true;
    EXPECT_EQ(h.decide(c.text), morvanet::R_VALID) << c.text;
    EXPECT_EQ(elimination_order(h.out.str()), c.order) << c.text;
  }
}

TEST(SolverElimination, PureLiteralReduction)
{
  solver_harnesst h;
  h.solver.show_progress = true;
  h.solver.show_debug = true;
  h.read("e 1 2 3 0\n1 2 0\n1 -2 0\n-3 2 0\n");
  h.solver.reduce_pure_literals();
  EXPECT_EQ(h.out.str(), "PL: 1\nPL: 2\nDEBUG: 2 pure literals reduced.\n");
  EXPECT_EQ(h.solver.stored_clause_count(), 0u);
  EXPECT_EQ(h.solver.quantifiers.size(), 3u);
}

TEST(SolverElimination, UnificationOrderIdsAndDiagnostics)
{
  solver_harnesst h;
  h.solver.save_certificate = true;
  h.solver.show_unifications = true;
  h.solver.show_progress = true;
  // With {-1} the four clauses of 1 become {2, 3}, {-2, 3}, {2, -3} and
  // {-2, -3}; the first is merged with the second and then the third.
  ASSERT_EQ(
    h.read("e 2 3 0\na 7 0\ne 1 0\n1 2 3 0\n1 -2 3 0\n1 2 -3 0\n1 -2 -3 0\n"
           "-1 0\n"),
    morvanet::R_UNKNOWN);
  ASSERT_EQ(h.solver.open_certificate(), morvanet::R_UNKNOWN);
  EXPECT_EQ(h.solver.eliminate_existential(), morvanet::R_UNKNOWN);
  EXPECT_EQ(
    lines_of(h.out.str(), "DEBUG: Unifying: "),
    (std::vector<std::string>{
      "DEBUG: Unifying: (2,3,\b) [6:1,5] x (-2,3,\b) [7:2,5] -> (3,\b) [0:6,7]",
      "DEBUG: Unifying: (2,3,\b) [6:1,5] x (2,-3,\b) [8:3,5] -> (2,\b) [0:6,8]"}));
  EXPECT_EQ(
    lines_of(h.out.str(), "CF: 1: 3 "),
    std::vector<std::string>{
      "CF: 1: 3 conflict clauses (0 covered, 0 filtered, 2 unified)."});
  EXPECT_EQ(h.clauses_of(2), (std::vector<std::vector<int>>{{2}, {-2, -3}}));
  EXPECT_EQ(h.solver.stored_clause(h.solver.occurrences(2)[0]).id, 10u);
}

TEST(SolverElimination, ConflictDiagnostics)
{
  solver_harnesst h;
  h.solver.show_conflicts = true;
  ASSERT_EQ(h.read("e 2 3 0\na 7 0\ne 1 0\n1 2 0\n-1 3 0\n"), morvanet::R_UNKNOWN);
  h.solver.eliminate_existential();
  EXPECT_EQ(
    h.out.str(),
    "CF: Conflict: -(3,\b) -> -1 X -(2,\b) -> 1 => -(2,3,\b).\n"
    "CF: 1: Conflict Constraint: (2,3,\b)\n");
}

#include "solver_harness.h"

#include <gtest/gtest.h>

TEST(SolverStore, HashAndSymmetricEquality)
{
  EXPECT_EQ(clause_hash({}), 0u);
  EXPECT_EQ(clause_hash(make_clause({1, 2}).literals), 10u);

  const struct
  {
    clauset a, b;
    bool equal;
  } cases[] = {
    {make_clause({1, 2}), make_clause({2, 1}), true},
    {make_clause({1, 1, 2}), make_clause({2, 1, 2}), true},
    // One-way containment is not equality: {1, 2} is stronger.
    {make_clause({1, 1, 2}), make_clause({1, 2, 3}), false},
    {make_clause({1, 2, 3}), make_clause({1, 1, 2}), false},
    {make_clause({1, 2}), make_clause({1, 2, 2}), false},
    {make_clause({1, -2}), make_clause({1, 2}), false},
  };
  for(const auto &c : cases)
  {
    EXPECT_EQ(clauses_equal(c.a.literals, c.b.literals), c.equal);
    EXPECT_EQ(clauses_equal(c.b.literals, c.a.literals), c.equal);
  }
}

TEST(SolverStore, DuplicatesPermutationsAndIdentity)
{
  solver_harnesst h;
  morvanet &s = h.solver;
  clauset a = make_clause({1, 2, 3});
  const unsigned first = s.add_clause(a);
  const unsigned counter = s.clause_id_counter;
  clauset again = make_clause({1, 2, 3});
  EXPECT_EQ(s.add_clause(again), first);
  EXPECT_EQ(s.stored_clause_count(), 1u);
  EXPECT_EQ(s.clause_id_counter, counter + 1);

  // A permutation hashes elsewhere and is stored beside it; removing one
  // of the two leaves the other in place.
  clauset permuted = make_clause({3, 2, 1});
  const unsigned second = s.add_clause(permuted);
  EXPECT_NE(second, first);
  EXPECT_EQ(s.stored_clause_count(), 2u);
  s.remove_clause(first);
  EXPECT_EQ(h.clauses_of(1), (std::vector<std::vector<int>>{{3, 2, 1}}));
  EXPECT_EQ(s.polarity_count(2), std::make_pair(1u, 0u));
}

TEST(SolverStore, OccurrenceListsKeepOrderWhenUnlinking)
{
  solver_harnesst h;
  morvanet &s = h.solver;
  std::vector<unsigned> refs;
  for(const auto &numbers :
      {make_clause({1, 2}), make_clause({-1, 3}), make_clause({1, 1, 4}),
       make_clause({-1, 5})})
  {
    clauset c = numbers;
    refs.push_back(s.add_clause(c));
  }
  EXPECT_EQ(s.polarity_count(1), std::make_pair(3u, 2u));
  // A repeated literal is listed once per repetition.
  s.remove_clause(refs[1]);
  s.remove_clause(refs[0]);
  clauset added = make_clause({6, -1});
  s.add_clause(added);
  EXPECT_EQ(
    h.clauses_of(1),
    (std::vector<std::vector<int>>{{1, 1, 4}, {1, 1, 4}, {-1, 5}, {6, -1}}));
  EXPECT_EQ(s.polarity_count(1), std::make_pair(2u, 2u));
  EXPECT_TRUE(h.clauses_of(2).empty());
}

TEST(SolverStore, UnitClausesAndConstraints)
{
  solver_harnesst h;
  morvanet &s = h.solver;
  s.show_progress = true;
  s.parse_qdimacs_line("a 9 0");

  clauset universal = make_clause({9});
  EXPECT_EQ(s.add_clause(universal), morvanet::no_clause);
  EXPECT_EQ(h.out.str(), "SHORTCUT: EMPTY CLAUSE ADDED.\n");

  clauset x = make_clause({4}), x_again = make_clause({4});
  const unsigned stored = s.add_clause(x);
  EXPECT_EQ(s.add_clause(x_again), stored);
  clauset not_x = make_clause({-4});
  EXPECT_EQ(s.add_clause(not_x), morvanet::no_clause);
  EXPECT_NE(
    h.out.str().find("SHORTCUT: CONFLICTING CONSTRAINTS ON VAR #4 (0).\n"),
    std::string::npos);

  // Removing the unit clause lifts its constraint.
  s.remove_clause(stored);
  clauset not_x_again = make_clause({-4});
  EXPECT_NE(s.add_clause(not_x_again), morvanet::no_clause);
}

TEST(SolverStore, PrintClause)
{
  solver_harnesst h;
  clauset c = make_clause({-3, 5});
  h.solver.print_clause(c, 0);
  h.solver.print_clause(c, 3);
  h.solver.print_clause(clauset(), 0);
  EXPECT_EQ(h.out.str(), "(-3,5,\b)(5,\b)(\b)");

  h.out.str("");
  h.solver.save_certificate = true;
  c.id = 7;
  c.parent1 = 2;
  c.parent2 = 5;
  h.solver.print_clause(c, 0);
  EXPECT_EQ(h.out.str(), "(-3,5,\b) [7:2,5]");
}

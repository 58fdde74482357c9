#include "mini_sat.h"
#include "qbf_formula.h"
#include "qbf_oracle.h"
#include "random_qbf.h"

#include <gtest/gtest.h>

namespace
{
qbf_formulat parsed(const std::string &text)
{
  qbf_formulat formula;
  std::string error;
  EXPECT_TRUE(parse_qdimacs(text, formula, error)) << error;
  return formula;
}
} // namespace

TEST(QbfOracle, DecidesHandWrittenFormulas)
{
  struct casest
  {
    const char *text;
    bool truth;
  } cases[] = {
    {"", true},
    {"p cnf 0 1\n0\n", false},
    {"a 1 0\ne 2 0\n-1 2 0\n1 -2 0\n", true},  // forall x exists y: y = x
    {"e 2 0\na 1 0\n-1 2 0\n1 -2 0\n", false}, // exists y forall x: y = x
    {"a 1 0\n-1 2 0\n1 -2 0\n", false},        // free 2 is outermost
    {"a 1 0\n1 0\n", false},
    {"e 1 0\n1 0\n-1 0\n", false},
    {"1 1 0\n-1 -1 0\n", false},
    {"e 1 0\na 1 0\n1 2 0\n", true},           // the last quantifier counts
    {"e 1 0\na 1 0\n1 0\n", false},
    {"e 1 2 0\n1 -1\n2 0\n-2 0\n", true},      // tautology dropped up to its 0
    {"e 1 0\n1 0\n-1", false},                 // last clause without 0
    {"e 1 0\n   \n\t\n\r\n1 0\n", true},        // blank lines
    {"a 1 2 0\ne 3 0\n-1 3 0\n-2 3 0\n1 2 -3 0\n", true},
    {"e 3 0\na 1 2 0\n-1 3 0\n-2 3 0\n1 2 -3 0\n", false},
  };
  for(const auto &c : cases)
    EXPECT_EQ(qbf_is_true(parsed(c.text)), c.truth) << c.text;
}

TEST(QbfOracle, ReadsBlocksAndClauseEntries)
{
  qbf_formulat f =
    parsed("c x\np cnf 5 4\ne 1 0\na 2 3 0\n4 1 0\n1 -1 0\n4 1 0\n5 \n 2 0\n");
  ASSERT_EQ(f.blocks.size(), 2u);
  EXPECT_EQ(f.blocks[0], (std::vector<int>{4, 5, 1}));
  EXPECT_EQ(f.blocks[1], (std::vector<int>{2, 3}));
  EXPECT_FALSE(f.variables.at(3).existential);
  EXPECT_EQ(f.variables.at(5).block, 0u);
  // The tautology is no entry; the duplicate is.
  EXPECT_EQ(
    f.clauses,
    (std::vector<std::vector<int>>{{4, 1}, {4, 1}, {5, 2}}));
  std::string error;
  EXPECT_FALSE(parse_qdimacs("1 x 0\n", f, error));
}

// Variable numbers go up to 2147483646, the largest the program accepts; a
// table indexed by them would need gigabytes.
TEST(QbfOracle, LargestVariableNumberWasRefused)
{
  qbf_formulat f =
    parsed("a 2147483645 0\ne 2147483646 0\n-2147483645 2147483646 0\n"
           "2147483645 -2147483646 1 0\n");
  EXPECT_EQ(f.variables.size(), 3u);
  EXPECT_EQ(
    f.blocks, (std::vector<std::vector<int>>{{1}, {2147483645}, {2147483646}}));
  EXPECT_EQ(f.variables.at(2147483646).block, 2u);
  EXPECT_FALSE(f.is_variable(2147483647));
  EXPECT_FALSE(f.is_variable(4294967297)); // 1 in 32 bits
  EXPECT_TRUE(qbf_is_true(f));
  EXPECT_FALSE(qbf_is_true(parsed("a 2147483646 0\n2147483646 0\n")));

  // Beyond it, and beyond the range of long, numbers are refused, not
  // wrapped around.
  for(const char *number :
      {"2147483647",
       "-2147483647",
       "4294967297",
       "9223372036854775808",
       "-9223372036854775809",
       "100000000000000000000"})
  {
    std::string error;
    EXPECT_FALSE(parse_qdimacs(std::string(number) + " 0\n", f, error))
      << number;
    EXPECT_NE(error.find("bad number"), std::string::npos) << error;
    EXPECT_FALSE(parse_qdimacs(std::string("e ") + number + " 0\n", f, error))
      << number;
  }
}

// Reading a clause looked for each literal's negation among all literals
// before it: seconds for a clause line of 300000 literals.
TEST(QbfOracle, LongClauseWasReadInQuadraticTime)
{
  const int length = 300000;
  std::string long_clause;
  for(int v = 1; v <= length; ++v)
    long_clause += std::to_string(v) + ' ';
  // The second long clause is a tautology by its last literal; the clause
  // after each long one is read afresh.
  qbf_formulat f = parsed(
    long_clause + "0\n-1 0\n" + long_clause + std::to_string(-length) +
    " 0\n-2 0\n");
  ASSERT_EQ(f.clauses.size(), 3u);
  EXPECT_EQ(f.clauses[0].size(), static_cast<std::size_t>(length));
  EXPECT_EQ(f.clauses[0].back(), length);
  EXPECT_EQ(f.clauses[1], std::vector<int>{-1});
  EXPECT_EQ(f.clauses[2], std::vector<int>{-2});
  EXPECT_EQ(f.variables.size(), static_cast<std::size_t>(length));
  EXPECT_TRUE(qbf_is_true(f));
}

// The expansion and the SAT search decide purely existential formulas; each
// checks the other.
TEST(QbfOracle, AgreesWithSatSearchOnExistentialFormulas)
{
  unsigned satisfiable = 0;
  for(std::uint64_t seed = 0; seed < 300; ++seed)
  {
    qbf_formulat f = parsed(random_qdimacs(seed));
    mini_satt sat;
    for(int v = 1; v <= f.largest_variable(); ++v)
      sat.new_variable();
    for(auto &entry : f.variables)
      entry.second.existential = true;
    for(const auto &clause : f.clauses)
      sat.add_clause(clause);
    bool truth = qbf_is_true(f);
    EXPECT_EQ(sat.solve(), truth) << random_qdimacs(seed);
    satisfiable += truth;
  }
  EXPECT_GT(satisfiable, 30u);
  EXPECT_LT(satisfiable, 290u);
}

TEST(QbfOracle, SatSearchRefutesPigeonholes)
{
  // Five pigeons, four holes: p(i, j) = 4 * i + j + 1.
  mini_satt sat;
  for(int v = 0; v < 20; ++v)
    sat.new_variable();
  for(int i = 0; i < 5; ++i)
    sat.add_clause({4 * i + 1, 4 * i + 2, 4 * i + 3, 4 * i + 4});
  for(int j = 0; j < 4; ++j)
    for(int i = 0; i < 5; ++i)
      for(int k = i + 1; k < 5; ++k)
        sat.add_clause({-(4 * i + j + 1), -(4 * k + j + 1)});
  EXPECT_FALSE(sat.solve());
}

TEST(QbfOracle, RandomFormulasAreDeterministicAndMixed)
{
  EXPECT_EQ(random_qdimacs(7), random_qdimacs(7));
  unsigned truths = 0;
  for(std::uint64_t seed = 0; seed < 300; ++seed)
    truths += qbf_is_true(parsed(random_qdimacs(seed)));
  EXPECT_GT(truths, 60u);
  EXPECT_LT(truths, 240u);
}

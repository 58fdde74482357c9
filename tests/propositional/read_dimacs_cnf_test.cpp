#include "brute_force.h"

#include "propositional/read_dimacs_cnf.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(ReadDimacsCnf, ClausesPassedToTheBackEnd)
{
  struct caset
  {
    const char *text;
    std::vector<std::vector<int>> clauses;
    unsigned no_variables;
  };
  const std::vector<caset> cases = {
    {"p cnf 3 2\n1 -2 0\n2 3 0\n", {{1, -2}, {2, 3}}, 4},
    // The counts of the problem line are not used.
    {"p cnf 9 9\n1 0\n", {{1}}, 2},
    {"c p cnf\np cnf 5 5\n", {}, 1},
    {"1  2 0\n\n  1 2 0 \n", {{1, 2}, {1, 2}}, 3},
    {"1\t2\r\n-3\v0\f\n", {{1, 2, -3}}, 4},
    {"1 2\n3 0\n", {{1, 2, 3}}, 4},
    {"1 1 -2 1 0\n", {{1, -2}}, 3},
    // Tokens up to the line's last letter are skipped.
    {"4\n1 x 2 0\n", {{4, 2}}, 5},
    {"1 2 0 comment\n", {}, 1},
    // A lone "c" or "p" ends the line wherever it stands.
    {"1 p 2 0\n3 0\n", {{3}}, 4},
    {"1 % 2 0\n%\n", {{1}, {2}, {}}, 3},
    {"-7 +3 0", {{-7, 3}}, 8},
    // A number beyond the largest variable is unreadable: it reads as 0.
    {"1 4294967296 2 0\n", {{1}, {2}}, 3},
    {"1 2147483647 0\n", {{1}, {}}, 2},
    {"1 2 0\n4 5", {{1, 2}}, 6},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.text);
    std::istringstream in(c.text);
    recording_cnft dest;
    read_dimacs_cnf(in, dest);
    EXPECT_EQ(dest.clauses, clauses_of(c.clauses));
    EXPECT_EQ(dest.no_variables(), c.no_variables);
  }
}

TEST(ReadDimacsCnf, VariableCountOnlyGrows)
{
  std::istringstream in("3 -5 0\n");
  recording_cnft dest;
  dest.set_no_variables(10);
  read_dimacs_cnf(in, dest);
  EXPECT_EQ(dest.no_variables(), 10u);
  EXPECT_EQ(dest.clauses, clauses_of({{3, -5}}));
}

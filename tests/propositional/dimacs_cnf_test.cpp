#include "brute_force.h"

#include "propositional/qdimacs_cnf.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{
std::string dimacs_text(const dimacs_cnft &cnf)
{
  std::ostringstream out;
  cnf.write_dimacs_cnf(out);
  return out.str();
}

// "1 2 ... n " as the writer puts the numbers.
std::string numbers(int first, int last)
{
  std::string text;
  for(int v = first; v <= last; ++v)
    text += std::to_string(v) + ' ';
  return text;
}

void add_variables(cnft &cnf, unsigned count)
{
  for(unsigned i = 0; i < count; ++i)
    cnf.new_variable();
}
} // namespace

TEST(DimacsCnf, FreshWriterHasOnlyTheProblemLine)
{
  EXPECT_EQ(dimacs_text(dimacs_cnft()), "p cnf 1 0\n");
}

TEST(DimacsCnf, WritesSimplifiedClausesAfterTheProblemLine)
{
  dimacs_cnft cnf;
  add_variables(cnf, 3);
  cnf.lcnf(clause_of({1, -2, 1, F}));
  cnf.lcnf(clause_of({2, -2}));
  cnf.lcnf(clause_of({3}));
  cnf.lcnf(clause_of({F}));
  EXPECT_EQ(cnf.no_clauses(), 3u);
  EXPECT_EQ(dimacs_text(cnf), "p cnf 4 3\n1 -2 0\n3 0\n0\n");
}

TEST(DimacsCnf, ConstraintsThroughTheDefaults)
{
  dimacs_cnft cnf;
  add_variables(cnf, 2);
  cnf.l_set_to(lit(1), true);
  cnf.l_set_to(lit(2), false);
  cnf.set_equal(lit(1), lit(1));
  cnf.set_equal(lit(1), lit(2));
  EXPECT_EQ(dimacs_text(cnf), "p cnf 3 4\n1 0\n-2 0\n1 -2 0\n-1 2 0\n");
}

TEST(DimacsCnf, LongClausesBreakAfterEvery16thIndex)
{
  struct caset
  {
    int literals;
    std::string text;
  };
  const std::vector<caset> cases = {
    {16, numbers(1, 16) + "0\n"},
    {17, numbers(1, 17) + "\n0\n"},
    {18, numbers(1, 17) + "\n18 0\n"},
    {33, numbers(1, 17) + "\n" + numbers(18, 33) + "\n0\n"},
    {34, numbers(1, 17) + "\n" + numbers(18, 33) + "\n34 0\n"},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.literals);
    std::ostringstream out;
    bvt clause;
    for(int v = 1; v <= c.literals; ++v)
      clause.push_back(lit(v));
    dimacs_cnft::write_dimacs_clause(clause, out);
    EXPECT_EQ(out.str(), c.text);
  }
}

TEST(DimacsCnf, DumperWritesClausesAsGiven)
{
  std::ostringstream out;
  dimacs_cnf_dumpt dump(out);
  literalt x = dump.new_variable();
  dump.lcnf({x, x});
  dump.lcnf({});
  dump.land(x, dump.new_variable());
  EXPECT_EQ(out.str(), "1 1 0\n0\n1 -3 0\n2 -3 0\n-1 -2 3 0\n");
  EXPECT_EQ(dump.no_clauses(), 0u);
}

TEST(QdimacsCnf, WritesOneLinePerQuantifiedVariable)
{
  typedef qdimacs_cnft::quantifiert quantifiert;
  qdimacs_cnft cnf;
  add_variables(cnf, 3);
  cnf.quantifiers.push_back(quantifiert(quantifiert::EXISTENTIAL, 1));
  cnf.quantifiers.push_back(quantifiert(quantifiert::UNIVERSAL, 2));
  cnf.quantifiers.push_back(quantifiert(quantifiert::EXISTENTIAL, 3));
  cnf.lcnf(clause_of({-1, 2, 3}));
  std::ostringstream out;
  cnf.write_qdimacs_cnf(out);
  EXPECT_EQ(out.str(), "p cnf 4 1\ne 1 0\na 2 0\ne 3 0\n-1 2 3 0\n");
}

TEST(QdimacsCnf, EqualityComparesPrefixAndClausesInOrder)
{
  typedef qdimacs_cnft::quantifiert quantifiert;
  auto make = [](std::vector<quantifiert> prefix, std::vector<int> clause) {
    qdimacs_cnft cnf;
    add_variables(cnf, 2);
    cnf.quantifiers.assign(prefix.begin(), prefix.end());
    cnf.lcnf(clause_of(clause));
    return cnf;
  };
  const quantifiert e1(quantifiert::EXISTENTIAL, 1);
  const quantifiert a2(quantifiert::UNIVERSAL, 2);
  EXPECT_TRUE(make({e1, a2}, {1, 2}) == make({e1, a2}, {1, 2}));
  EXPECT_FALSE(make({e1, a2}, {1, 2}) == make({a2, e1}, {1, 2}));
  EXPECT_FALSE(make({e1, a2}, {1, 2}) == make({e1}, {1, 2}));
  EXPECT_FALSE(make({e1, a2}, {1, 2}) == make({e1, a2}, {2, 1}));
}

TEST(QdimacsCnfDeathTest, UnknownQuantifierTypeFails)
{
  qdimacs_cnft cnf;
  cnf.quantifiers.push_back(qdimacs_cnft::quantifiert(
    static_cast<qdimacs_cnft::quantifiert::typet>(3), 1));
  std::ostringstream out;
  EXPECT_DEATH(cnf.write_qdimacs_cnf(out), "false");
}

TEST(CnfClauseListAssignment, CopiesReadsAndPrintsAnAssignment)
{
  cnf_clause_list_assignmentt source;
  source.assignment = {tvt(), tvt(true), tvt(false), tvt()};

  cnf_clause_list_assignmentt copy;
  add_variables(copy, 4);
  copy.copy_assignment_from(source);

  EXPECT_EQ(copy.l_get(lit(1)), tvt(true));
  EXPECT_EQ(copy.l_get(lit(-1)), tvt(false));
  EXPECT_EQ(copy.l_get(lit(-2)), tvt(true));
  EXPECT_EQ(copy.l_get(lit(-3)), tvt());
  EXPECT_EQ(copy.l_get(lit(4)), tvt());
  EXPECT_EQ(copy.l_get(lit(T)), tvt());
  EXPECT_EQ(copy.l_get(literalt(0, true)), tvt());

  std::ostringstream out;
  copy.print_assignment(out);
  EXPECT_EQ(out.str(), "v1=TRUE\nv2=FALSE\nv3=UNKNOWN\nv4=UNKNOWN\n");
}

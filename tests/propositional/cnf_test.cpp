#include "brute_force.h"

#include "propositional/cnf_clause_list.h"

#include <gtest/gtest.h>

namespace
{
// x, y, z are the variables 1, 2, 3; the gate's fresh variables follow
// from 4 on.
struct gate_clauses_caset
{
  const char *name;
  std::function<literalt(cnft &, literalt, literalt, literalt)> gate;
  int result;
  std::vector<std::vector<int>> clauses;
  unsigned new_variables;
};

// Output forms (a, b, o) called as gates on x, y, z: they return F.
auto output_form(void (cnft::*form)(literalt, literalt, literalt))
{
  return [form](cnft &c, literalt x, literalt y, literalt z) {
    (c.*form)(x, y, z);
    return const_literal(false);
  };
}

std::vector<gate_clauses_caset> gate_clauses_cases()
{
  typedef cnft &C;
  typedef literalt L;
  const std::vector<std::vector<int>> none;
  const std::vector<std::vector<int>> and_xy = {{1, -4}, {2, -4}, {-1, -2, 4}};
  const std::vector<std::vector<int>> or_xy = {{-1, 4}, {-2, 4}, {1, 2, -4}};
  const std::vector<std::vector<int>> xor_xy = {
    {-1, -2, -4}, {1, 2, -4}, {-1, 2, 4}, {1, -2, 4}};
  return {
    {"land", [](C c, L x, L y, L) { return c.land(x, y); }, 4, and_xy, 1},
    {"land T,y", [](C c, L, L y, L) { return c.land(lit(T), y); }, 2, none, 0},
    {"land x,T", [](C c, L x, L, L) { return c.land(x, lit(T)); }, 1, none, 0},
    {"land F,y", [](C c, L, L y, L) { return c.land(lit(F), y); }, F, none, 0},
    {"land x,F", [](C c, L x, L, L) { return c.land(x, lit(F)); }, F, none, 0},
    {"land x,x", [](C c, L x, L, L) { return c.land(x, x); }, 1, none, 0},
    {"land x,!x",
     [](C c, L x, L, L) { return c.land(x, !x); },
     4,
     {{1, -4}, {-1, -4}, {-1, 1, 4}},
     1},
    {"lor", [](C c, L x, L y, L) { return c.lor(x, y); }, 4, or_xy, 1},
    {"lor F,y", [](C c, L, L y, L) { return c.lor(lit(F), y); }, 2, none, 0},
    {"lor x,F", [](C c, L x, L, L) { return c.lor(x, lit(F)); }, 1, none, 0},
    {"lor T,y", [](C c, L, L y, L) { return c.lor(lit(T), y); }, T, none, 0},
    {"lor x,T", [](C c, L x, L, L) { return c.lor(x, lit(T)); }, T, none, 0},
    {"lor F,F", [](C c, L, L, L) { return c.lor(lit(F), lit(F)); }, F, none, 0},
    {"lor x,x", [](C c, L x, L, L) { return c.lor(x, x); }, 1, none, 0},
    {"lxor", [](C c, L x, L y, L) { return c.lxor(x, y); }, 4, xor_xy, 1},
    {"lxor F,y", [](C c, L, L y, L) { return c.lxor(lit(F), y); }, 2, none, 0},
    {"lxor x,F", [](C c, L x, L, L) { return c.lxor(x, lit(F)); }, 1, none, 0},
    {"lxor T,y", [](C c, L, L y, L) { return c.lxor(lit(T), y); }, -2, none, 0},
    {"lxor x,T", [](C c, L x, L, L) { return c.lxor(x, lit(T)); }, -1, none, 0},
    {"lxor T,T",
     [](C c, L, L, L) { return c.lxor(lit(T), lit(T)); },
     F,
     none,
     0},
    {"lxor x,x",
     [](C c, L x, L, L) { return c.lxor(x, x); },
     4,
     {{-1, -1, -4}, {1, 1, -4}, {-1, 1, 4}, {1, -1, 4}},
     1},
    {"lnand", [](C c, L x, L y, L) { return c.lnand(x, y); }, -4, and_xy, 1},
    {"lnand x,T",
     [](C c, L x, L, L) { return c.lnand(x, lit(T)); },
     -1,
     none,
     0},
    {"lnor", [](C c, L x, L y, L) { return c.lnor(x, y); }, -4, or_xy, 1},
    {"lequal", [](C c, L x, L y, L) { return c.lequal(x, y); }, -4, xor_xy, 1},
    {"limplies",
     [](C c, L x, L y, L) { return c.limplies(x, y); },
     4,
     {{1, 4}, {-2, 4}, {-1, 2, -4}},
     1},
    {"limplies F,y",
     [](C c, L, L y, L) { return c.limplies(lit(F), y); },
     T,
     none,
     0},
    {"lselect",
     [](C c, L x, L y, L z) { return c.lselect(x, y, z); },
     6,
     {{1, -4},
      {2, -4},
      {-1, -2, 4},
      {-1, -5},
      {3, -5},
      {1, -3, 5},
      {-4, 6},
      {-5, 6},
      {4, 5, -6}},
     3},
    {"lselect T,y,z",
     [](C c, L, L y, L z) { return c.lselect(lit(T), y, z); },
     2,
     none,
     0},
    {"lselect F,y,z",
     [](C c, L, L y, L z) { return c.lselect(lit(F), y, z); },
     3,
     none,
     0},
    {"lselect x,y,y",
     [](C c, L x, L y, L) { return c.lselect(x, y, y); },
     2,
     none,
     0},
    {"land(a,b,o)",
     output_form(&cnft::land),
     F,
     {{1, -3}, {2, -3}, {-1, -2, 3}},
     0},
    {"lor(a,b,o)",
     output_form(&cnft::lor),
     F,
     {{-1, 3}, {-2, 3}, {1, 2, -3}},
     0},
    {"lxor(a,b,o)",
     output_form(&cnft::lxor),
     F,
     {{-1, -2, -3}, {1, 2, -3}, {-1, 2, 3}, {1, -2, 3}},
     0},
    {"lnand(a,b,o)",
     output_form(&cnft::lnand),
     F,
     {{1, 3}, {2, 3}, {-1, -2, -3}},
     0},
    {"lnor(a,b,o)",
     output_form(&cnft::lnor),
     F,
     {{-1, -3}, {-2, -3}, {1, 2, 3}},
     0},
    {"lequal(a,b,o)",
     output_form(&cnft::lequal),
     F,
     {{-1, -2, 3}, {1, 2, 3}, {-1, 2, -3}, {1, -2, -3}},
     0},
    {"limplies(a,b,o)",
     output_form(&cnft::limplies),
     F,
     {{1, 3}, {-2, 3}, {-1, 2, -3}},
     0},
    {"land []", [](C c, L, L, L) { return c.land(bvt()); }, T, none, 0},
    {"land [x]", [](C c, L x, L, L) { return c.land(bvt{x}); }, 1, none, 0},
    {"land [x,y]",
     [](C c, L x, L y, L) { return c.land(bvt{x, y}); },
     4,
     and_xy,
     1},
    {"land [x,y,x]",
     [](C c, L x, L y, L) { return c.land(bvt{x, y, x}); },
     4,
     and_xy,
     1},
    {"land [x,T,y]",
     [](C c, L x, L y, L) { return c.land(bvt{x, lit(T), y}); },
     4,
     {{1, -4}, {T, -4}, {2, -4}, {-1, F, -2, 4}},
     1},
    {"land [x,F,y]",
     [](C c, L x, L y, L) { return c.land(bvt{x, lit(F), y}); },
     F,
     none,
     0},
    {"lor []", [](C c, L, L, L) { return c.lor(bvt()); }, F, none, 0},
    {"lor [x,y,z]",
     [](C c, L x, L y, L z) { return c.lor(bvt{x, y, z}); },
     4,
     {{-1, 4}, {-2, 4}, {-3, 4}, {1, 2, 3, -4}},
     1},
    {"lor [x,T,y]",
     [](C c, L x, L y, L) { return c.lor(bvt{x, lit(T), y}); },
     T,
     none,
     0},
    {"lxor []", [](C c, L, L, L) { return c.lxor(bvt()); }, F, none, 0},
    {"lxor [x]", [](C c, L x, L, L) { return c.lxor(bvt{x}); }, 1, none, 0},
    // Folded as lxor(v[i], running result): the first step is a shortcut.
    {"lxor [x,y,z]",
     [](C c, L x, L y, L z) { return c.lxor(bvt{x, y, z}); },
     5,
     {{-2, -1, -4},
      {2, 1, -4},
      {-2, 1, 4},
      {2, -1, 4},
      {-3, -4, -5},
      {3, 4, -5},
      {-3, 4, 5},
      {3, -4, 5}},
     2},
    {"set_equal",
     [](C c, L x, L y, L) {
       c.set_equal(x, y);
       return const_literal(false);
     },
     F,
     {{1, -2}, {-1, 2}},
     0},
    {"l_set_to",
     [](C c, L x, L, L) {
       c.l_set_to(x, true);
       return const_literal(false);
     },
     F,
     {{1, F}, {-1, T}},
     0},
  };
}
} // namespace

TEST(Cnf, GatesEmitTheirDefiningClausesInOrder)
{
  for(const auto &c : gate_clauses_cases())
  {
    SCOPED_TRACE(c.name);
    recording_cnft rec;
    literalt x = rec.new_variable();
    literalt y = rec.new_variable();
    literalt z = rec.new_variable();
    literalt result = c.gate(rec, x, y, z);
    EXPECT_EQ(result, lit(c.result));
    EXPECT_EQ(rec.clauses, clauses_of(c.clauses));
    EXPECT_EQ(rec.no_variables(), 4 + c.new_variables);
  }
}

TEST(Cnf, GateClausesForceTheGateValueOnEveryInput)
{
  const literalt x = lit(1), y = lit(2), z = lit(3);
  for_each_gate_application(
    x, y, z, [&](const gatet &gate, const bvt &operands) {
      cnf_clause_listt cnf;
      cnf.set_no_variables(4);
      literalt output = gate.build(cnf, operands);
      expect_forced(
        cnf.clause_list,
        cnf.no_variables(),
        {x, y, z},
        output,
        [&](const std::vector<bool> &assignment) {
          return gate_value(gate, operands, assignment);
        });
    });
}

TEST(Cnf, VariablesStartAtOne)
{
  recording_cnft rec;
  EXPECT_EQ(rec.no_variables(), 1u);
  EXPECT_EQ(rec.new_variable(), literalt(1, false));
  EXPECT_EQ(rec.no_variables(), 2u);
  rec.set_no_variables(10);
  EXPECT_EQ(rec.new_variable().get(), 20u);
}

TEST(Cnf, ProcessClause)
{
  cnf_clause_listt cnf;
  cnf.set_no_variables(41);

  struct caset
  {
    std::vector<int> source;
    bool satisfied;
    std::vector<int> dest;
  };
  std::vector<caset> cases = {
    {{1, F, 1, 2}, false, {1, 2}},
    {{2, 1, 2, 1}, false, {2, 1}},
    {{1, 2, -1}, true, {}},
    {{1, -1}, true, {}},
    {{T}, true, {}},
    {{1, T}, true, {}},
    {{F}, false, {}},
    {{F, F}, false, {}},
    {{}, false, {}},
  };
  // Long clauses take another path: repeats of 40 variables, then one
  // complementary literal.
  caset long_clause{{}, false, {}};
  for(int v = 1; v <= 40; ++v)
    long_clause.dest.push_back(v % 2 ? v : -v);
  long_clause.source = long_clause.dest;
  long_clause.source.insert(
    long_clause.source.end(),
    long_clause.dest.rbegin(),
    long_clause.dest.rend());
  cases.push_back(long_clause);
  long_clause.source.push_back(-long_clause.dest[20]);
  long_clause.satisfied = true;
  long_clause.dest.clear();
  cases.push_back(long_clause);

  for(const caset &c : cases)
  {
    SCOPED_TRACE(::testing::PrintToString(c.source));
    bvt dest = clause_of({7});
    EXPECT_EQ(cnf.process_clause(clause_of(c.source), dest), c.satisfied);
    if(!c.satisfied)
    {
      EXPECT_EQ(dest, clause_of(c.dest));
    }
  }
}

TEST(CnfDeathTest, VariablesOutsideTheRangeFail)
{
  cnf_clause_listt cnf;
  cnf.new_variable();
  bvt dest;
  // Satisfied before the unknown variable is reached: no failure.
  EXPECT_TRUE(cnf.process_clause(clause_of({1, -1, 5}), dest));
  EXPECT_DEATH(
    cnf.process_clause(clause_of({1, 2}), dest),
    "l.var_no\\(\\)<_no_variables");

  // The variable after the last one would collide with the constants.
  cnf.set_no_variables(0x7FFFFFFE);
  EXPECT_EQ(cnf.new_variable(), literalt(0x7FFFFFFE, false));
  EXPECT_DEATH(cnf.new_variable(), "_no_variables < literalt::const_var_no");
}

TEST(CnfDeathTest, UnsupportedAssignmentOperationsFail)
{
  cnf_clause_listt cnf;
  EXPECT_DEATH(cnf.set_assignment(lit(1), true), "false");
  EXPECT_DEATH(cnf.copy_assignment_from(cnf), "false");
  EXPECT_DEATH(cnf.is_in_core(lit(1)), "false");
}

#include "brute_force.h"

#include "propositional/cnf_clause_list.h"
#include "tests/util/condition_regex.h"

#include <gtest/gtest.h>

namespace
{
// A gate on the variables x, y, z (1, 2, 3), its result and its truth
// function, which the clauses it emits must force on the result.
struct gate_caset
{
  const char *name;
  std::function<literalt(cnft &, literalt, literalt, literalt)> gate;
  // DIMACS when the gate folds to a constant or an operand; FRESH when the
  // result is a literal of a variable of its own.
  int result;
  std::function<bool(bool, bool, bool)> truth;
  unsigned new_variables;
};

const int FRESH = 0;

std::vector<gate_caset> gate_cases()
{
  typedef cnft &C;
  typedef literalt L;
  typedef bool B;
  const auto x_and_y = [](B x, B y, B) { return x && y; };
  const auto x_or_y = [](B x, B y, B) { return x || y; };
  const auto only_x = [](B x, B, B) { return x; };
  const auto only_y = [](B, B y, B) { return y; };
  const auto always = [](B, B, B) { return true; };
  const auto never = [](B, B, B) { return false; };
  return {
    {"land", [](C c, L x, L y, L) { return c.land(x, y); }, FRESH, x_and_y, 1},
    {"land T,y",
     [](C c, L, L y, L) { return c.land(lit(T), y); },
     2,
     only_y,
     0},
    {"land x,T",
     [](C c, L x, L, L) { return c.land(x, lit(T)); },
     1,
     only_x,
     0},
    {"land F,y",
     [](C c, L, L y, L) { return c.land(lit(F), y); },
     F,
     never,
     0},
    {"land x,F",
     [](C c, L x, L, L) { return c.land(x, lit(F)); },
     F,
     never,
     0},
    {"land x,x", [](C c, L x, L, L) { return c.land(x, x); }, 1, only_x, 0},
    {"land x,!x",
     [](C c, L x, L, L) { return c.land(x, !x); },
     FRESH,
     never,
     1},
    {"lor", [](C c, L x, L y, L) { return c.lor(x, y); }, FRESH, x_or_y, 1},
    {"lor F,y", [](C c, L, L y, L) { return c.lor(lit(F), y); }, 2, only_y, 0},
    {"lor x,F", [](C c, L x, L, L) { return c.lor(x, lit(F)); }, 1, only_x, 0},
    {"lor T,y", [](C c, L, L y, L) { return c.lor(lit(T), y); }, T, always, 0},
    {"lor x,T", [](C c, L x, L, L) { return c.lor(x, lit(T)); }, T, always, 0},
    {"lor F,F",
     [](C c, L, L, L) { return c.lor(lit(F), lit(F)); },
     F,
     never,
     0},
    {"lor x,x", [](C c, L x, L, L) { return c.lor(x, x); }, 1, only_x, 0},
    {"lxor",
     [](C c, L x, L y, L) { return c.lxor(x, y); },
     FRESH,
     [](B x, B y, B) { return x != y; },
     1},
    {"lxor F,y",
     [](C c, L, L y, L) { return c.lxor(lit(F), y); },
     2,
     only_y,
     0},
    {"lxor x,F",
     [](C c, L x, L, L) { return c.lxor(x, lit(F)); },
     1,
     only_x,
     0},
    {"lxor T,y",
     [](C c, L, L y, L) { return c.lxor(lit(T), y); },
     -2,
     [](B, B y, B) { return !y; },
     0},
    {"lxor x,T",
     [](C c, L x, L, L) { return c.lxor(x, lit(T)); },
     -1,
     [](B x, B, B) { return !x; },
     0},
    {"lxor T,T",
     [](C c, L, L, L) { return c.lxor(lit(T), lit(T)); },
     F,
     never,
     0},
    {"lxor x,x",
     [](C c, L x, L, L) { return c.lxor(x, x); },
     FRESH,
     never,
     1},
    {"lnand",
     [](C c, L x, L y, L) { return c.lnand(x, y); },
     FRESH,
     [](B x, B y, B) { return !(x && y); },
     1},
    {"lnand x,T",
     [](C c, L x, L, L) { return c.lnand(x, lit(T)); },
     -1,
     [](B x, B, B) { return !x; },
     0},
    {"lnor",
     [](C c, L x, L y, L) { return c.lnor(x, y); },
     FRESH,
     [](B x, B y, B) { return !(x || y); },
     1},
    {"lequal",
     [](C c, L x, L y, L) { return c.lequal(x, y); },
     FRESH,
     [](B x, B y, B) { return x == y; },
     1},
    {"limplies",
     [](C c, L x, L y, L) { return c.limplies(x, y); },
     FRESH,
     [](B x, B y, B) { return !x || y; },
     1},
    {"limplies F,y",
     [](C c, L, L y, L) { return c.limplies(lit(F), y); },
     T,
     always,
     0},
    // Two gates for the two branches and one joining them.
    {"lselect",
     [](C c, L x, L y, L z) { return c.lselect(x, y, z); },
     FRESH,
     [](B x, B y, B z) { return x ? y : z; },
     3},
    {"lselect T,y,z",
     [](C c, L, L y, L z) { return c.lselect(lit(T), y, z); },
     2,
     only_y,
     0},
    {"lselect F,y,z",
     [](C c, L, L y, L z) { return c.lselect(lit(F), y, z); },
     3,
     [](B, B, B z) { return z; },
     0},
    {"lselect x,y,y",
     [](C c, L x, L y, L) { return c.lselect(x, y, y); },
     2,
     only_y,
     0},
    {"land []", [](C c, L, L, L) { return c.land(bvt()); }, T, always, 0},
    {"land [x]", [](C c, L x, L, L) { return c.land(bvt{x}); }, 1, only_x, 0},
    {"land [x,y]",
     [](C c, L x, L y, L) { return c.land(bvt{x, y}); },
     FRESH,
     x_and_y,
     1},
    {"land [x,y,x]",
     [](C c, L x, L y, L) { return c.land(bvt{x, y, x}); },
     FRESH,
     x_and_y,
     1},
    {"land [x,T,y]",
     [](C c, L x, L y, L) { return c.land(bvt{x, lit(T), y}); },
     FRESH,
     x_and_y,
     1},
    {"land [x,F,y]",
     [](C c, L x, L y, L) { return c.land(bvt{x, lit(F), y}); },
     F,
     never,
     0},
    {"lor []", [](C c, L, L, L) { return c.lor(bvt()); }, F, never, 0},
    {"lor [x,y,z]",
     [](C c, L x, L y, L z) { return c.lor(bvt{x, y, z}); },
     FRESH,
     [](B x, B y, B z) { return x || y || z; },
     1},
    {"lor [x,T,y]",
     [](C c, L x, L y, L) { return c.lor(bvt{x, lit(T), y}); },
     T,
     always,
     0},
    {"lxor []", [](C c, L, L, L) { return c.lxor(bvt()); }, F, never, 0},
    {"lxor [x]", [](C c, L x, L, L) { return c.lxor(bvt{x}); }, 1, only_x, 0},
    // Folded as lxor(v[i], running result): the first step is a shortcut.
    {"lxor [x,y,z]",
     [](C c, L x, L y, L z) { return c.lxor(bvt{x, y, z}); },
     FRESH,
     [](B x, B y, B z) { return (x != y) != z; },
     2},
  };
}

// The forms that constrain an output of their own (a, b, o), set_equal and
// l_set_to on x, y, z: their clauses must force `output` to the truth
// function of the other variables, and they add no variable.
struct relation_caset
{
  const char *name;
  std::function<void(cnft &, literalt, literalt, literalt)> relate;
  int output;
  std::function<bool(bool, bool, bool)> truth;
};

std::vector<relation_caset> relation_cases()
{
  typedef cnft &C;
  typedef literalt L;
  typedef bool B;
  return {
    {"land(a,b,o)",
     [](C c, L x, L y, L z) { c.land(x, y, z); },
     3,
     [](B x, B y, B) { return x && y; }},
    {"lor(a,b,o)",
     [](C c, L x, L y, L z) { c.lor(x, y, z); },
     3,
     [](B x, B y, B) { return x || y; }},
    {"lxor(a,b,o)",
     [](C c, L x, L y, L z) { c.lxor(x, y, z); },
     3,
     [](B x, B y, B) { return x != y; }},
    {"lnand(a,b,o)",
     [](C c, L x, L y, L z) { c.lnand(x, y, z); },
     3,
     [](B x, B y, B) { return !(x && y); }},
    {"lnor(a,b,o)",
     [](C c, L x, L y, L z) { c.lnor(x, y, z); },
     3,
     [](B x, B y, B) { return !(x || y); }},
    {"lequal(a,b,o)",
     [](C c, L x, L y, L z) { c.lequal(x, y, z); },
     3,
     [](B x, B y, B) { return x == y; }},
    {"limplies(a,b,o)",
     [](C c, L x, L y, L z) { c.limplies(x, y, z); },
     3,
     [](B x, B y, B) { return !x || y; }},
    {"set_equal",
     [](C c, L x, L y, L) { c.set_equal(x, y); },
     2,
     [](B x, B, B) { return x; }},
    {"l_set_to",
     [](C c, L x, L, L) { c.l_set_to(x, true); },
     1,
     [](B, B, B) { return true; }},
  };
}

// The truth function of x, y, z as a function of a whole assignment.
std::function<bool(const std::vector<bool> &)>
on_xyz(const std::function<bool(bool, bool, bool)> &truth)
{
  return [truth](const std::vector<bool> &assignment) {
    return truth(assignment[1], assignment[2], assignment[3]);
  };
}
} // namespace

TEST(Cnf, GatesFoldConstantsAndForceTheirResult)
{
  for(const auto &c : gate_cases())
  {
    SCOPED_TRACE(c.name);
    recording_cnft rec;
    literalt x = rec.new_variable();
    literalt y = rec.new_variable();
    literalt z = rec.new_variable();
    literalt result = c.gate(rec, x, y, z);
    if(c.result == FRESH)
      EXPECT_GT(result.var_no(), z.var_no());
    else
      EXPECT_EQ(result, lit(c.result));
    EXPECT_EQ(rec.no_variables(), 4 + c.new_variables);
    expect_forced(
      rec.clauses, rec.no_variables(), {x, y, z}, result, on_xyz(c.truth));
  }
}

TEST(Cnf, OutputFormsForceTheirOutput)
{
  for(const auto &c : relation_cases())
  {
    SCOPED_TRACE(c.name);
    recording_cnft rec;
    literalt x = rec.new_variable();
    literalt y = rec.new_variable();
    literalt z = rec.new_variable();
    c.relate(rec, x, y, z);
    const literalt output = lit(c.output);
    bvt inputs;
    for(literalt l : {x, y, z})
      if(l != output)
        inputs.push_back(l);
    EXPECT_EQ(rec.no_variables(), 4u);
    expect_forced(
      rec.clauses, rec.no_variables(), inputs, output, on_xyz(c.truth));
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

namespace
{
// A back end with a gate form of its own for the OR of a vector: it sees
// each call and hands it on unchanged.
class vector_lor_spyt : public recording_cnft
{
public:
  using cnft::lor;
  literalt lor(const bvt &bv) override
  {
    vector_lor_calls.push_back(bv);
    return cnft::lor(bv);
  }

  std::vector<bvt> vector_lor_calls;
};
} // namespace

TEST(Cnf, LselectJoinsItsBranchesThroughTheVectorLor)
{
  vector_lor_spyt spy;
  const literalt x = spy.new_variable();
  const literalt y = spy.new_variable();
  const literalt z = spy.new_variable();
  const literalt result = spy.lselect(x, y, z);

  // The branches x AND y (4) and !x AND z (5), joined by one OR (6).
  EXPECT_EQ(spy.vector_lor_calls, std::vector<bvt>{clause_of({4, 5})});
  EXPECT_EQ(result, lit(6));
  EXPECT_EQ(spy.no_variables(), 7u);
  EXPECT_EQ(
    spy.clauses,
    clauses_of({
      {1, -4},
      {2, -4},
      {-1, -2, 4},
      {-1, -5},
      {3, -5},
      {1, -3, 5},
      {-4, 6},
      {-5, 6},
      {4, 5, -6},
    }));
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
    condition_regex("l.var_no()<_no_variables"));

  // The variable after the last one would collide with the constants.
  cnf.set_no_variables(0x7FFFFFFE);
  EXPECT_EQ(cnf.new_variable(), literalt(0x7FFFFFFE, false));
  EXPECT_DEATH(cnf.new_variable(), condition_regex("_no_variables < literalt::const_var_no"));
}

TEST(CnfDeathTest, UnsupportedAssignmentOperationsFail)
{
  cnf_clause_listt cnf;
  EXPECT_DEATH(cnf.set_assignment(lit(1), true), "false");
  EXPECT_DEATH(cnf.copy_assignment_from(cnf), "false");
  EXPECT_DEATH(cnf.is_in_core(lit(1)), "false");
}

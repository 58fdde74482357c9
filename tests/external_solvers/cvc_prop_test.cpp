#include "external_solvers/cvc_prop.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

namespace
{
const literalt t = const_literal(true);
const literalt f = const_literal(false);
// The first three variables of a fresh object.
const literalt a(1, false), b(2, false), c(3, false);

class CvcProp : public ::testing::Test
{
protected:
  // Declares l1 ... l3 (a, b, c) and forgets their text.
  void SetUp() override
  {
    for(int i = 0; i < 3; ++i)
      prop.new_variable();
    out.str("");
  }

  std::ostringstream out;
  cvc_propt prop{out};
};
} // namespace

TEST_F(CvcProp, WorkedExampleIsWrittenByteForByte)
{
  std::ostringstream text;
  cvc_propt fresh(text);
  const literalt x = fresh.new_variable();
  const literalt y = fresh.new_variable();
  EXPECT_EQ(x.get(), 2u);
  EXPECT_EQ(y.get(), 4u);
  const literalt g = fresh.land(x, !y);
  EXPECT_EQ(g.get(), 6u);
  fresh.lcnf({g});
  EXPECT_EQ(fresh.prop_solve(), propt::P_ERROR);
  EXPECT_EQ(
    text.str(),
    "l1: BOOLEAN;\n"
    "l2: BOOLEAN;\n"
    "%% land\n"
    "l3: BOOLEAN = l1 AND (NOT l2);\n"
    "\n"
    "%% lcnf\n"
    "ASSERT l3;\n"
    "\n"
    "QUERY FALSE;\n");
  EXPECT_EQ(fresh.no_variables(), 4u);
  EXPECT_EQ(fresh.solver_text(), "CVC");
  EXPECT_EQ(smt_propt(text).solver_text(), "SMT");
}

TEST_F(CvcProp, GateShortcutsWriteNothing)
{
  struct
  {
    const char *name;
    std::function<literalt()> gate;
    literalt expected;
  } cases[] = {
    {"land(t, a)", [&] { return prop.land(t, a); }, a},
    {"land(a, t)", [&] { return prop.land(a, t); }, a},
    {"land(f, a)", [&] { return prop.land(f, a); }, f},
    {"land(a, f)", [&] { return prop.land(a, f); }, f},
    {"land(a, a)", [&] { return prop.land(a, a); }, a},
    {"lor(f, a)", [&] { return prop.lor(f, a); }, a},
    {"lor(a, f)", [&] { return prop.lor(a, f); }, a},
    {"lor(t, a)", [&] { return prop.lor(t, a); }, t},
    {"lor(a, t)", [&] { return prop.lor(a, t); }, t},
    {"lor(a, a)", [&] { return prop.lor(a, a); }, a},
    {"lxor(f, a)", [&] { return prop.lxor(f, a); }, a},
    {"lxor(a, f)", [&] { return prop.lxor(a, f); }, a},
    {"lxor(t, a)", [&] { return prop.lxor(t, a); }, !a},
    {"lxor(a, t)", [&] { return prop.lxor(a, t); }, !a},
    {"lselect(t, a, b)", [&] { return prop.lselect(t, a, b); }, a},
    {"lselect(f, a, b)", [&] { return prop.lselect(f, a, b); }, b},
    {"lselect(c, a, a)", [&] { return prop.lselect(c, a, a); }, a},
    {"lnand(a, f)", [&] { return prop.lnand(a, f); }, t},
    {"lequal(a, t)", [&] { return prop.lequal(a, t); }, a},
    {"limplies(f, a)", [&] { return prop.limplies(f, a); }, t},
    {"lxor([])", [&] { return prop.lxor(bvt{}); }, f},
    {"lxor([a])", [&] { return prop.lxor(bvt{a}); }, a},
    {"land([])", [&] { return prop.land(bvt{}); }, t},
    {"lor([])", [&] { return prop.lor(bvt{}); }, f},
  };
  for(const auto &entry : cases)
  {
    EXPECT_EQ(entry.gate(), entry.expected) << entry.name;
    EXPECT_EQ(out.str(), "") << entry.name;
    EXPECT_EQ(prop.no_variables(), 4u) << entry.name;
  }
}

TEST(CvcPropGates, WithoutShortcutDefineAVariable)
{
  struct
  {
    const char *name;
    std::function<literalt(cvc_propt &)> gate;
    const char *text;
    bool negated;
  } cases[] = {
    {"land",
     [](cvc_propt &prop) { return prop.land(a, !b); },
     "%% land\nl4: BOOLEAN = l1 AND (NOT l2);\n\n",
     false},
    {"land(a, !a)",
     [](cvc_propt &prop) { return prop.land(a, !a); },
     "%% land\nl4: BOOLEAN = l1 AND (NOT l1);\n\n",
     false},
    {"lor",
     [](cvc_propt &prop) { return prop.lor(a, b); },
     "%% lor\nl4: BOOLEAN = l1 OR l2;\n\n",
     false},
    {"lxor(a, a)",
     [](cvc_propt &prop) { return prop.lxor(a, a); },
     "%% lxor\nl4: BOOLEAN = l1 XOR l1;\n\n",
     false},
    {"lnand",
     [](cvc_propt &prop) { return prop.lnand(a, b); },
     "%% land\nl4: BOOLEAN = l1 AND l2;\n\n",
     true},
    {"lnor",
     [](cvc_propt &prop) { return prop.lnor(a, b); },
     "%% lor\nl4: BOOLEAN = l1 OR l2;\n\n",
     true},
    {"lequal",
     [](cvc_propt &prop) { return prop.lequal(a, b); },
     "%% lxor\nl4: BOOLEAN = l1 XOR l2;\n\n",
     true},
    {"limplies",
     [](cvc_propt &prop) { return prop.limplies(a, b); },
     "%% lor\nl4: BOOLEAN = (NOT l1) OR l2;\n\n",
     false},
    {"lselect",
     [](cvc_propt &prop) { return prop.lselect(a, !b, c); },
     "%% lselect\nl4: BOOLEAN = IF l1 THEN (NOT l2) ELSE l3 ENDIF;\n\n",
     false},
    {"land([a, t, a])",
     [](cvc_propt &prop) {
       return prop.land(bvt{a, t, a});
     },
     "%% land\nl4: BOOLEAN = l1 AND TRUE AND l1;\n\n",
     false},
    {"lor([a])",
     [](cvc_propt &prop) { return prop.lor(bvt{a}); },
     "%% lor\nl4: BOOLEAN = l1;\n\n",
     false},
    {"lor([a, f, !c])",
     [](cvc_propt &prop) {
       return prop.lor(bvt{a, f, !c});
     },
     "%% lor\nl4: BOOLEAN = l1 OR FALSE OR (NOT l3);\n\n",
     false},
    // Two operands keep their order: one gate, not the chain's l2 XOR l1.
    {"lxor([a, b])",
     [](cvc_propt &prop) {
       return prop.lxor(bvt{a, b});
     },
     "%% lxor\nl4: BOOLEAN = l1 XOR l2;\n\n",
     false},
    // Each operand is the first argument in turn; the first step folds.
    {"lxor([a, b, c])",
     [](cvc_propt &prop) {
       return prop.lxor(bvt{a, b, c});
     },
     "%% lxor\nl4: BOOLEAN = l2 XOR l1;\n\n%% lxor\nl5: BOOLEAN = l3 XOR "
     "l4;\n\n",
     false},
  };
  for(const auto &entry : cases)
  {
    std::ostringstream out;
    cvc_propt prop(out);
    for(int i = 0; i < 3; ++i)
      prop.new_variable();
    out.str("");
    literalt result = entry.gate(prop);
    EXPECT_EQ(out.str(), entry.text) << entry.name;
    EXPECT_EQ(result, literalt(prop.no_variables() - 1, entry.negated))
      << entry.name;
  }
}

TEST_F(CvcProp, GateAssertionsTieTheGivenOutput)
{
  prop.land(a, b, c);
  prop.lor(a, !b, c);
  prop.lxor(a, b, !c);
  prop.lnand(a, b, c);
  prop.lnor(a, b, c);
  prop.lequal(a, t, c);
  prop.limplies(a, b, c);
  EXPECT_EQ(
    out.str(),
    "%% land\nASSERT (l1 AND l2) <=> l3;\n\n"
    "%% lor\nASSERT (l1 OR (NOT l2)) <=> l3;\n\n"
    "%% lxor\nASSERT (l1 XOR l2) <=> (NOT l3);\n\n"
    "%% lnand\nASSERT (NOT (l1 AND l2)) <=> l3;\n\n"
    "%% lnor\nASSERT (NOT (l1 OR l2)) <=> l3;\n\n"
    "%% lequal\nASSERT (l1 <=> TRUE) <=> l3;\n\n"
    "%% limplies\nASSERT (l1 => l2) <=> l3;\n\n");
  EXPECT_EQ(prop.no_variables(), 4u);
}

TEST_F(CvcProp, ClausesDropRepetitionsAndFalseAndKeepTheEmptyClause)
{
  struct
  {
    bvt clause;
    const char *text;
  } cases[] = {
    {{a, a, b}, "%% lcnf\nASSERT l1 OR l2;\n\n"},
    {{a, b, !a}, ""},
    {{a, t}, ""},
    {{f, !c, f}, "%% lcnf\nASSERT (NOT l3);\n\n"},
    {{c}, "%% lcnf\nASSERT l3;\n\n"},
    // A clause without a literal that can hold is false, never dropped.
    {{}, "%% lcnf\nASSERT FALSE;\n\n"},
    {{f, f}, "%% lcnf\nASSERT FALSE;\n\n"},
  };
  for(const auto &entry : cases)
  {
    out.str("");
    prop.lcnf(entry.clause);
    EXPECT_EQ(out.str(), entry.text);
  }

  // The inherited constraints reach lcnf with a constant in each clause.
  out.str("");
  prop.l_set_to(a, false);
  prop.set_equal(b, t);
  EXPECT_EQ(out.str(), "%% lcnf\nASSERT (NOT l1);\n\n%% lcnf\nASSERT l2;\n\n");
}

TEST_F(CvcProp, ValuesComeOnlyFromTheAssignmentReadBack)
{
  EXPECT_EQ(prop.l_get(a), tvt(tvt::TV_UNKNOWN));
  prop.assignment.assign(3, tvt(tvt::TV_UNKNOWN));
  prop.assignment[1] = tvt(true);
  prop.assignment[2] = tvt(false);
  EXPECT_EQ(prop.l_get(a), tvt(true));
  EXPECT_EQ(prop.l_get(!a), tvt(false));
  EXPECT_EQ(prop.l_get(!b), tvt(true));
  EXPECT_EQ(prop.l_get(c), tvt(tvt::TV_UNKNOWN));
  EXPECT_EQ(prop.l_get(t), tvt(tvt::TV_UNKNOWN));
  EXPECT_EQ(prop.l_get(f), tvt(tvt::TV_UNKNOWN));
  prop.clear_assignment();
  EXPECT_EQ(prop.l_get(a), tvt(tvt::TV_UNKNOWN));
}

TEST(CvcPropDeathTest, VariablesCannotBeSetOrSkipped)
{
  std::ostringstream out;
  cvc_propt prop(out);
  prop.new_variable();
  EXPECT_DEATH(prop.set_no_variables(5), "false");
  EXPECT_DEATH(prop.lcnf({a, literalt(2, false)}), "_no_variables");
}

#include "flattening/prop_conv.h"
#include "harness/decision_test_harness.h"
#include "harness/reference_evaluator.h"
#include "propositional/cnf_clause_list.h"
#include "test_dpll.h"
#include "thrown_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>

namespace
{
const exprt a = bool_symbol("a");
const exprt b = bool_symbol("b");
const exprt c = bool_symbol("c");

exprt boolean(const std::string &id, std::initializer_list<exprt> operands)
{
  return make_expr(id, bool_type(), operands);
}

// A converter whose post_process leaves a trace.
class counting_convt : public prop_convt
{
public:
  using prop_convt::prop_convt;
  void post_process() override
  {
    ++post_process_calls;
  }
  unsigned post_process_calls = 0;
};

class fixed_result_propt : public cnf_clause_listt
{
public:
  resultt prop_solve() override
  {
    return result;
  }
  resultt result = P_SATISFIABLE;
};

// Over every assignment of a, b and c: the expression's literal takes the
// reference value in the model, and cannot take the other value.
void expect_literal_matches_reference(const exprt &expr)
{
  SCOPED_TRACE(expr.to_string());
  test_dpll_propt prop;
  prop_convt conv(prop);
  const literalt result = conv.convert(expr);
  const bvt inputs = {conv.convert(a), conv.convert(b), conv.convert(c)};
  for_each_assignment(
    {{"a", bool_type()}, {"b", bool_type()}, {"c", bool_type()}},
    [&](const assignmentt &values) {
      std::optional<long long> expected = reference_eval(expr, values);
      ASSERT_TRUE(expected.has_value());
      prop.assumptions.clear();
      for(std::size_t i = 0; i < inputs.size(); ++i)
        prop.assumptions.push_back(
          inputs[i].cond_negation(values.at(std::string(1, 'a' + i)) == 0));
      prop.assumptions.push_back(result.cond_negation(*expected != 0));
      EXPECT_EQ(prop.prop_solve(), propt::P_UNSATISFIABLE);
      prop.assumptions.back() = result.cond_negation(*expected == 0);
      EXPECT_EQ(prop.prop_solve(), propt::P_SATISFIABLE);
    });
}
} // namespace

TEST(PropConv, ConnectivesConvertToTheirTruthFunctions)
{
  for(const exprt &expr :
      {boolean("and", {a, b, c}),
       boolean("or", {a, b, c}),
       boolean("xor", {a, b, c}),
       boolean("nand", {a, b, c}),
       boolean("nor", {a, b, c}),
       boolean("and", {a}),
       boolean("not", {a}),
       boolean("=>", {a, b}),
       boolean("if", {a, b, c}),
       boolean("=", {a, boolean("not", {b})}),
       boolean("notequal", {a, b}),
       boolean("or", {bool_constant(false), boolean("and", {a, b})})})
    expect_literal_matches_reference(expr);
}

TEST(PropConv, ConstantsAndLiteralExpressionsMakeNoVariables)
{
  cnf_clause_listt prop;
  prop_convt conv(prop);
  EXPECT_TRUE(conv.convert(bool_constant(false)).is_false());
  EXPECT_TRUE(conv.convert(bool_constant(true)).is_true());
  // Any value other than "false" reads as true.
  EXPECT_TRUE(conv.convert(constant_expr("maybe", bool_type())).is_true());
  exprt literal("literal", bool_type());
  literal.set("literal", dstring("13"));
  EXPECT_EQ(conv.convert(literal), literalt(6, true));
  EXPECT_EQ(prop.no_variables(), 1u);
}

TEST(PropConv, CachedConversionAddsNothingTheSecondTime)
{
  cnf_clause_listt prop;
  prop_convt conv(prop);
  const exprt expr = boolean("and", {a, boolean("or", {b, c})});
  const literalt first = conv.convert(expr);
  const unsigned variables = prop.no_variables();
  const unsigned clauses = prop.no_clauses();

  EXPECT_EQ(conv.convert(expr), first);
  EXPECT_EQ(prop.no_variables(), variables);
  EXPECT_EQ(prop.no_clauses(), clauses);

  EXPECT_NE(conv.convert_uncached(expr), first);
  EXPECT_GT(prop.no_clauses(), clauses);

  const exprt nondet("nondet_symbol", bool_type());
  const literalt shared = conv.convert(nondet);
  EXPECT_EQ(conv.convert(nondet), shared);
  EXPECT_NE(conv.convert_uncached(nondet), shared);

  conv.use_cache = false;
  EXPECT_NE(conv.convert(nondet), shared);
}

TEST(PropConv, MalformedExpressionsThrowTheirTexts)
{
  const exprt bits = symbol_expr("x", unsignedbv_type(4));
  struct
  {
    exprt expr;
    std::string text;
  } cases[] = {
    {boolean("=>", {a}), "char*: implication takes two operands"},
    {boolean("if", {a, b}), "char*: if takes three operands"},
    {boolean("constraint_select_one", {a}),
     "char*: constraint_select_one takes at least two operands"},
    {boolean("xor", {}), "string: operator xor takes at least one operand"},
    {boolean("not", {a, b}), "char*: not takes one operand"},
    {boolean("notequal", {a}), "char*: equality takes two operands"},
    {boolean("and", {a, bits}),
     "string: prop_convt::convert_bool got non-boolean expression:\n" +
       bits.to_string()},
  };
  for(const auto &test : cases)
  {
    cnf_clause_listt prop;
    prop_convt conv(prop);
    EXPECT_EQ(thrown_text([&] { conv.convert(test.expr); }), test.text);
  }

  cnf_clause_listt prop;
  prop_convt conv(prop);
  EXPECT_EQ(
    thrown_text([&] { conv.set_to(bits, true); }),
    "string: prop_convt::set_to got non-boolean expression:\n" +
      bits.to_string());
}

TEST(PropConv, FailedConversionLeavesNoCacheEntry)
{
  test_dpll_propt prop;
  prop_convt conv(prop);
  const exprt broken = boolean("xor", {a, boolean("not", {b, c})});
  EXPECT_EQ(
    thrown_text([&] { conv.convert(broken); }),
    "char*: not takes one operand");
  // Still no literal for it: converting again fails again, and the model
  // has no value for it.
  EXPECT_EQ(
    thrown_text([&] { conv.convert(broken); }),
    "char*: not takes one operand");
  ASSERT_EQ(conv.solve(), decision_proceduret::D_SATISFIABLE);
  tvt value;
  EXPECT_TRUE(conv.get_bool(broken, value));
}

TEST(PropConv, UnknownExpressionWarnsAndStaysFree)
{
  cnf_clause_listt prop;
  prop_convt conv(prop);
  capturing_message_handlert handler;
  conv.set_message_handler(&handler);
  const exprt bits = symbol_expr("x", unsignedbv_type(4));
  const exprt comparison = boolean("<", {bits, bits});
  const literalt result = conv.convert(comparison);
  EXPECT_FALSE(result.is_constant());
  EXPECT_EQ(prop.no_clauses(), 0u);
  ASSERT_EQ(handler.messages.size(), 1u);
  EXPECT_EQ(handler.messages[0].first, 2u);
  EXPECT_EQ(
    handler.messages[0].second, "warning: ignoring " + comparison.pretty(0));

  // An equality of bit-vectors set to true reaches the fallback too.
  conv.set_to(boolean("=", {bits, bits}), true);
  EXPECT_EQ(handler.messages.size(), 2u);
  EXPECT_EQ(prop.no_clauses(), 1u);
}

TEST(PropConv, ConstraintSelectOneEqualsOneOfTheOthers)
{
  const exprt select = boolean("constraint_select_one", {a, b, c});
  for_each_assignment(
    {{"a", bool_type()}, {"b", bool_type()}, {"c", bool_type()}},
    [&](const assignmentt &values) {
      test_dpll_propt prop;
      prop_convt conv(prop);
      EXPECT_EQ(conv.convert(select), conv.convert(a));
      for(const exprt &symbol : {a, b, c})
        conv.set_to(symbol, values.at(symbol.get("identifier").as_string()));
      const bool possible =
        values.at("a") == values.at("b") || values.at("a") == values.at("c");
      EXPECT_EQ(
        conv.solve(),
        possible ? decision_proceduret::D_SATISFIABLE
                 : decision_proceduret::D_UNSATISFIABLE);
    });
}

TEST(PropConv, SetToAdmitsExactlyTheModelsOfTheValue)
{
  const exprt d = bool_symbol("d");
  for(const exprt &expr :
      {boolean("and", {a, boolean("or", {b, c})}),
       boolean("or", {a, boolean("not", {b}), c}),
       boolean("=>", {a, boolean("and", {b, c})}),
       boolean("not", {boolean("or", {a, b})}),
       boolean("=", {a, boolean("xor", {b, c})}),
       boolean("and", {boolean("=", {d, boolean("and", {a, b})}), d, c})})
    for(bool value : {true, false})
    {
      SCOPED_TRACE(expr.to_string() + (value ? " true" : " false"));
      for_each_assignment(
        {{"a", bool_type()},
         {"b", bool_type()},
         {"c", bool_type()},
         {"d", bool_type()}},
        [&](const assignmentt &values) {
          test_dpll_propt prop;
          prop_convt conv(prop);
          conv.set_to(expr, value);
          for(const exprt &symbol : {a, b, c, d})
            prop.assumptions.push_back(conv.convert(symbol).cond_negation(
              values.at(symbol.get("identifier").as_string()) == 0));
          const bool is_model = *reference_eval(expr, values) == value;
          EXPECT_EQ(
            conv.solve(),
            is_model ? decision_proceduret::D_SATISFIABLE
                     : decision_proceduret::D_UNSATISFIABLE)
            << ::testing::PrintToString(values);
        });
    }
}

TEST(PropConv, SetToSplitsConnectivesIntoFewClauses)
{
  cnf_clause_listt prop;
  prop_convt conv(prop);
  conv.set_to(boolean("or", {a, b, c}), true);
  ASSERT_EQ(prop.no_clauses(), 1u);
  EXPECT_EQ(
    prop.clause_list.front(),
    (bvt{conv.convert(a), conv.convert(b), conv.convert(c)}));

  // False: each operand false, and the literal of the whole "or" too.
  cnf_clause_listt prop_false;
  prop_convt conv_false(prop_false);
  conv_false.set_to(boolean("or", {a, b}), false);
  const literalt whole = conv_false.convert(boolean("or", {a, b}));
  const auto &clauses = prop_false.clause_list;
  for(literalt l : {conv_false.convert(a), conv_false.convert(b), whole})
    EXPECT_NE(
      std::find(clauses.begin(), clauses.end(), bvt{!l}), clauses.end());

  cnf_clause_listt prop_and;
  prop_convt conv_and(prop_and);
  conv_and.set_to(boolean("and", {}), true);
  EXPECT_EQ(prop_and.no_clauses(), 0u);
  EXPECT_EQ(
    thrown_text([&] { conv_and.set_to(boolean("or", {}), true); }),
    "string: operator or takes at least one operand");
}

TEST(PropConv, EqualityPropagationBindsANewSymbol)
{
  const exprt conjunction = boolean("and", {b, c});
  cnf_clause_listt prop;
  prop_convt conv(prop);
  const literalt value = conv.convert(conjunction);
  const unsigned clauses = prop.no_clauses();
  conv.set_to(boolean("=", {a, conjunction}), true);
  EXPECT_EQ(prop.no_clauses(), clauses);
  EXPECT_EQ(conv.convert(a), value);
  literalt bound;
  EXPECT_FALSE(conv.literal(a, bound));
  EXPECT_EQ(bound, value);

  // A symbol that has a literal gets an equivalence instead.
  conv.set_to(boolean("=", {a, boolean("or", {b, c})}), true);
  EXPECT_GT(prop.no_clauses(), clauses);
  EXPECT_EQ(conv.convert(a), value);

  cnf_clause_listt prop_off;
  prop_convt conv_off(prop_off);
  conv_off.equality_propagation = false;
  conv_off.set_to(boolean("=", {a, conjunction}), true);
  EXPECT_NE(conv_off.convert(a), conv_off.convert(conjunction));
}

TEST(PropConv, LiteralOfASymbolMakesNone)
{
  cnf_clause_listt prop;
  prop_convt conv(prop);
  literalt dest = literalt(7, false);
  EXPECT_TRUE(conv.literal(a, dest));
  EXPECT_EQ(dest, literalt(7, false));
  EXPECT_EQ(prop.no_variables(), 1u);
  EXPECT_EQ(
    thrown_text([&] { conv.literal(boolean("not", {a}), dest); }),
    "char*: found no literal for expression");
}

TEST(PropConv, SolveRunsPostProcessAndMapsTheBackEndResult)
{
  const std::pair<propt::resultt, decision_proceduret::resultt> cases[] = {
    {propt::P_SATISFIABLE, decision_proceduret::D_SATISFIABLE},
    {propt::P_UNSATISFIABLE, decision_proceduret::D_UNSATISFIABLE},
    {propt::P_ERROR, decision_proceduret::D_ERROR},
  };
  for(const auto &test : cases)
  {
    fixed_result_propt prop;
    prop.result = test.first;
    counting_convt conv(prop);
    capturing_message_handlert handler;
    conv.set_message_handler(&handler);
    EXPECT_EQ(conv.solve(), test.second);
    EXPECT_EQ(conv.post_process_calls, 1u);
    ASSERT_EQ(handler.messages.size(), 1u);
    EXPECT_EQ(handler.messages[0].first, 7u);
    EXPECT_EQ(handler.messages[0].second, "Solving with CNF clause list");
    EXPECT_EQ(conv.solver_description(), "CNF clause list");
  }
}

TEST(PropConv, ReadsBackThreeValuedValues)
{
  cnf_clause_list_assignmentt prop;
  prop_convt conv(prop);
  const literalt la = conv.convert(a);
  const literalt lb = conv.convert(b);
  const exprt cached = boolean("xor", {a, c});
  conv.convert(cached);
  const exprt uncached = boolean("or", {boolean("not", {a}), b});
  conv.convert_uncached(boolean("xor", {b, a}));
  prop.assignment.assign(prop.no_variables(), tvt(tvt::TV_UNKNOWN));
  prop.assignment[la.var_no()] = tvt(false);
  prop.assignment[lb.var_no()] = tvt(tvt::TV_UNKNOWN);

  tvt value;
  // A false operand decides an "and" although another is unknown.
  ASSERT_FALSE(conv.get_bool(boolean("and", {b, a}), value));
  EXPECT_TRUE(value.is_false());
  ASSERT_FALSE(conv.get_bool(uncached, value));
  EXPECT_TRUE(value.is_true());
  ASSERT_FALSE(conv.get_bool(boolean("or", {a, b}), value));
  EXPECT_TRUE(value.is_unknown());
  // Read through the cache; converted uncached, it has no value.
  ASSERT_FALSE(conv.get_bool(cached, value));
  EXPECT_TRUE(value.is_unknown());
  EXPECT_TRUE(conv.get_bool(boolean("xor", {b, a}), value));
  EXPECT_TRUE(conv.get_bool(bool_symbol("never"), value));
  EXPECT_TRUE(conv.get_bool(boolean("or", {a, bool_symbol("never")}), value));

  EXPECT_EQ(conv.get(a), bool_constant(false));
  EXPECT_EQ(conv.get(b), bool_constant(false));
  EXPECT_EQ(conv.get(boolean("not", {a})), bool_constant(true));
  EXPECT_TRUE(conv.get(symbol_expr("x", unsignedbv_type(4))).is_nil());
  EXPECT_TRUE(conv.get(boolean("xor", {b, a})).is_nil());
}

TEST(PropConv, PrintValuesListsSymbolsInIdentifierOrder)
{
  cnf_clause_list_assignmentt prop;
  prop_convt conv(prop);
  std::ostringstream empty;
  conv.print_values(empty);
  EXPECT_EQ(empty.str(), "");

  for(const char *name : {"b", "ab", "a"})
    conv.convert(bool_symbol(name));
  prop.assignment.assign(prop.no_variables(), tvt(tvt::TV_UNKNOWN));
  prop.assignment[conv.convert(bool_symbol("a")).var_no()] = tvt(true);
  prop.assignment[conv.convert(bool_symbol("b")).var_no()] = tvt(false);
  std::ostringstream out;
  conv.print_values(out);
  EXPECT_EQ(out.str(), "a = TRUE\nab = UNKNOWN\nb = FALSE\n");
}

TEST(PropConv, SymbolsBoundToConstantsReadBackTheirValue)
{
  test_dpll_propt prop;
  prop_convt conv(prop);
  // Equality propagation binds a to the constant true literal, which the
  // back end's model does not hold.
  conv.set_to(boolean("=", {a, bool_constant(true)}), true);
  // Folded to the constant true by the back end's gate, and cached so.
  const exprt tautology = boolean("nand", {b, bool_constant(false)});
  ASSERT_TRUE(conv.convert(tautology).is_true());
  ASSERT_EQ(conv.solve(), decision_proceduret::D_SATISFIABLE);
  EXPECT_EQ(conv.get(a), bool_constant(true));
  EXPECT_EQ(conv.get(tautology), bool_constant(true));
  std::ostringstream out;
  conv.print_values(out);
  EXPECT_EQ(out.str(), "a = TRUE\nb = FALSE\n");
}

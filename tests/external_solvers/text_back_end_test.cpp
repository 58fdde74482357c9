#include "external_solvers/cvc_dec.h"
#include "harness/decision_test_harness.h"
#include "harness/reference_evaluator.h"
#include "sat/satcheck_groupsat.h"
#include "tests/harness/exchange_directory.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace
{
const std::vector<std::string> names = {"a", "b", "c", "d"};

// A random Boolean formula over a to d of at most `depth` levels, from the
// connectives that both the text and the flattening write.
exprt random_formula(std::mt19937 &rng, unsigned depth)
{
  const unsigned choice = depth == 0 ? rng() % 5 : rng() % 14;
  if(choice < 4)
    return bool_symbol(names[choice]);
  if(choice == 4)
    return bool_constant(rng() % 2 == 0);

  static const char *const connectives[] = {
    "and", "or", "xor", "not", "if", "=", "notequal"};
  const std::string id = connectives[(choice - 5) % 7];
  unsigned operands = 2;
  if(id == "not")
    operands = 1;
  else if(id == "if")
    operands = 3;
  else if(id == "and" || id == "or" || id == "xor")
    operands = 1 + rng() % 3;
  exprt formula{dstring(id), bool_type()};
  for(unsigned i = 0; i < operands; ++i)
    formula.copy_to_operands(random_formula(rng, depth - 1));
  return formula;
}

// Whether some assignment of a to d satisfies the formula: the oracle
// behind both procedures.
bool satisfiable(const exprt &formula)
{
  bool found = false;
  std::vector<std::pair<std::string, typet>> variables;
  for(const std::string &name : names)
    variables.emplace_back(name, bool_type());
  for_each_assignment(variables, [&](const assignmentt &values) {
    found = found || reference_eval(formula, values).value_or(0) != 0;
  });
  return found;
}

// Constrains the formula through the generic conversion, so that every
// symbol becomes a propositional variable whose value is read back.
void set_through_literal(prop_convt &conv, const exprt &formula)
{
  exprt literal("literal", bool_type());
  literal.set("literal", dstring(std::to_string(conv.convert(formula).get())));
  conv.prop_convt::set_to(literal, true);
}

class TextBackEndEndToEnd : public exchange_directory_testt
{
protected:
  config_32_scopet config_32;
};
} // namespace

TEST_F(TextBackEndEndToEnd, RandomFormulasAgreeWithTheFlatteningOnASatEngine)
{
  std::mt19937 rng(23);
  unsigned satisfiable_count = 0;
  for(unsigned round = 0; round < 40; ++round)
  {
    // A conjunction, so that both answers are common.
    const exprt formula = make_expr(
      "and",
      bool_type(),
      {random_formula(rng, 3), random_formula(rng, 2), random_formula(rng, 2)});
    SCOPED_TRACE(formula.to_string());

    satcheck_groupsatt engine;
    prop_convt flattening(engine);
    flattening.set_to(formula, true);
    const decision_proceduret::resultt expected = flattening.solve();
    ASSERT_EQ(
      expected == decision_proceduret::D_SATISFIABLE, satisfiable(formula));
    satisfiable_count += expected == decision_proceduret::D_SATISFIABLE;

    // The constraint as text, symbols under their own names.
    cvc_dect by_name;
    by_name.set_to(formula, true);
    EXPECT_EQ(by_name.solve(), expected);
    smt_dect smt_by_name;
    smt_by_name.set_to(formula, true);
    EXPECT_EQ(smt_by_name.solve(), expected);

    // The constraint as propositional lines; the counter-model must
    // satisfy the formula.
    cvc_dect by_literal;
    set_through_literal(by_literal, formula);
    ASSERT_EQ(by_literal.solve(), expected);
    if(expected != decision_proceduret::D_SATISFIABLE)
      continue;
    assignmentt model;
    for(const std::string &name : names)
    {
      tvt value;
      if(!by_literal.get_bool(bool_symbol(name), value))
      {
        EXPECT_FALSE(value.is_unknown()) << name;
        model[name] = value.is_true();
      }
      else
        model[name] = 0;
    }
    EXPECT_EQ(reference_eval(formula, model), 1);
  }
  // Both answers occur.
  EXPECT_GT(satisfiable_count, 5u);
  EXPECT_LT(satisfiable_count, 35u);
  // The procedures leave none of their files; the engine of the flattening
  // starts its trace in the working directory of its first record.
  std::set<std::string> left = files();
  left.erase("resolve_trace");
  EXPECT_EQ(left, std::set<std::string>{});
}

#include "operator_table.h"

#include "expr_algorithms/arith_tools.h"
#include "expr_algorithms/replace_expr.h"
#include "flattening/boolbv.h"
#include "flattening_types.h"
#include "sat/satcheck_proofsat.h"
#include "test_dpll.h"
#include "util/std_types.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{
// What the symbolic mode's oracle gives where the expression is free.
const long long free_value = 1LL << 62;

exprt constant_of(long long value, const typet &type)
{
  if(type.id() == "bool")
    return bool_constant(value != 0);
  return bv_constant(value, type);
}

std::string describe(const assignmentt &assignment)
{
  std::ostringstream text;
  for(const auto &entry : assignment)
    text << entry.first << "=" << entry.second << " ";
  return text.str();
}

// Every assignment of the variables, a "fixedbv" ranging as the
// "signedbv" of its width, and bit-vectors over the values of value_bits
// bits only when that is not 0.
void for_each_table_assignment(
  const table_variablest &variables,
  unsigned value_bits,
  const std::function<void(const assignmentt &)> &check)
{
  table_variablest ranges = variables;
  for(auto &variable : ranges)
  {
    typet &type = variable.second;
    if(type.id() == "bool")
      continue;
    const bool is_signed = type.id() == "signedbv" || type.id() == "fixedbv";
    unsigned width = type_width(type);
    if(value_bits != 0 && value_bits < width)
      width = value_bits;
    type = bv_type(width, is_signed);
  }
  for_each_assignment(ranges, check);
}

// The copy of the expression for one assignment, and the pins of its
// variables (none in the constant mode).
exprt instance_for(
  const exprt &expr,
  const table_variablest &variables,
  const assignmentt &assignment,
  table_modet mode,
  const std::string &suffix,
  std::vector<exprt> &pins)
{
  exprt instance = expr;
  for(const auto &variable : variables)
  {
    const exprt symbol = symbol_expr(variable.first, variable.second);
    const exprt value =
      constant_of(assignment.at(variable.first), variable.second);
    if(mode == table_modet::CONSTANT)
    {
      replace_expr_pair(symbol, value, instance);
      continue;
    }
    const exprt renamed =
      symbol_expr(variable.first + "#" + suffix, variable.second);
    replace_expr_pair(symbol, renamed, instance);
    pins.push_back(equal_expr(renamed, value));
  }
  return instance;
}
} // namespace

std::optional<long long> read_value(const exprt &constant)
{
  const typet &type = constant.type();
  const std::string &text = constant.get("value").as_string();
  if(type.id() == "bool")
  {
    if(text == "true" || text == "false")
      return text == "true";
    return std::nullopt;
  }
  if(type.id() == "fixedbv")
  {
    long long raw = 0;
    for(const char bit : text)
      raw = 2 * raw + (bit == '1');
    if(!text.empty() && text[0] == '1')
      raw -= 1LL << text.size();
    return raw;
  }
  mp_integer value;
  if(expr_to_integer(constant, value) || !value.fits_long_long())
    return std::nullopt;
  long long v = value.to_signed_64();
  if(!reference_normalize(type, v))
    return std::nullopt;
  return v;
}

void check_table(
  const exprt &expr,
  const table_variablest &variables,
  const table_oraclet &oracle,
  table_modet mode,
  unsigned value_bits)
{
  // A table where the oracle never gives a value checks nothing.
  bool some_value = false;
  if(mode == table_modet::SYMBOLIC)
  {
    check_constrained_table(
      expr, variables,
      [&](const assignmentt &a)
      {
        // Where the oracle gives no value, any value (but some) will do.
        const std::optional<long long> value = oracle(a);
        some_value |= value.has_value();
        return value ? value : std::optional<long long>(free_value);
      },
      value_bits);
    EXPECT_TRUE(some_value) << "vacuous table: " << expr.pretty();
    return;
  }
  // One back end decides the copies of all assignments at once: with the
  // operands constant, only what the circuits leave open (a quotient)
  // needs a search, and the copies share nothing.
  test_dpll_propt prop;
  boolbvt conv(prop);
  std::vector<std::pair<assignmentt, exprt>> results;
  for_each_table_assignment(
    variables, value_bits,
    [&](const assignmentt &assignment)
    {
      std::vector<exprt> pins;
      const exprt instance =
        instance_for(expr, variables, assignment, mode, "", pins);
      const exprt result =
        symbol_expr("result#" + std::to_string(results.size()), expr.type());
      conv.set_to(equal_expr(result, instance), true);
      results.emplace_back(assignment, result);
    });
  ASSERT_EQ(conv.solve(), decision_proceduret::D_SATISFIABLE) << expr.pretty();
  for(const auto &entry : results)
  {
    const std::optional<long long> expected = oracle(entry.first);
    if(!expected)
      continue;
    some_value = true;
    EXPECT_EQ(read_value(conv.get(entry.second)), expected)
      << expr.id() << " (constant) at " << describe(entry.first) << "over "
      << expr.type().to_string();
  }
  EXPECT_TRUE(some_value) << "vacuous table: " << expr.pretty();
}

void check_table(
  const exprt &expr, const table_variablest &variables, unsigned value_bits)
{
  const reference_evaluatort evaluate(expr);
  const table_oraclet oracle = [&](const assignmentt &assignment)
  { return evaluate(assignment); };
  check_table(expr, variables, oracle, table_modet::SYMBOLIC, value_bits);
  check_table(expr, variables, oracle, table_modet::CONSTANT, value_bits);
}

bool satisfiable_at(
  const exprt &expr,
  const table_variablest &variables,
  const assignmentt &assignment)
{
  satcheck_proofsatt prop;
  boolbvt conv(prop);
  std::vector<exprt> pins;
  const exprt instance =
    instance_for(expr, variables, assignment, table_modet::SYMBOLIC, "0", pins);
  conv.set_to(instance, true);
  for(const exprt &pin : pins)
    conv.set_to(pin, true);
  return conv.solve() == decision_proceduret::D_SATISFIABLE;
}

void check_constrained_table(
  const exprt &expr,
  const table_variablest &variables,
  const table_oraclet &oracle,
  unsigned value_bits)
{
  test_dpll_propt prop;
  check_constrained_table(prop, expr, variables, oracle, value_bits);
}

void check_constrained_table(
  test_dpll_propt &prop,
  const exprt &expr,
  const table_variablest &variables,
  const table_oraclet &oracle,
  unsigned value_bits)
{
  boolbvt conv(prop);
  const exprt result = symbol_expr("result", expr.type());
  conv.set_to(equal_expr(result, expr), true);

  // The variables' bits, made here for any that the expression leaves to
  // post-processing (quantifier instances).
  std::vector<bvt> bits;
  for(const auto &variable : variables)
  {
    bits.emplace_back();
    ASSERT_FALSE(conv.convert_cached(
      symbol_expr(variable.first, variable.second), bits.back()));
  }

  for_each_table_assignment(
    variables, value_bits,
    [&](const assignmentt &assignment)
    {
      prop.assumptions.clear();
      for(std::size_t k = 0; k < variables.size(); ++k)
      {
        const long long value = assignment.at(variables[k].first);
        for(std::size_t i = 0; i < bits[k].size(); ++i)
        {
          const bool set = (static_cast<unsigned long long>(value) >> i) & 1;
          prop.assumptions.push_back(set ? bits[k][i] : !bits[k][i]);
        }
      }
      const std::optional<long long> expected = oracle(assignment);
      const decision_proceduret::resultt answer = conv.solve();
      if(expected == free_value)
      {
        EXPECT_EQ(answer, decision_proceduret::D_SATISFIABLE)
          << expr.id() << " at " << describe(assignment);
        return;
      }
      if(!expected)
      {
        EXPECT_EQ(answer, decision_proceduret::D_UNSATISFIABLE)
          << expr.id() << " at " << describe(assignment);
        return;
      }
      ASSERT_EQ(answer, decision_proceduret::D_SATISFIABLE)
        << expr.id() << " at " << describe(assignment);
      EXPECT_EQ(read_value(conv.get(result)), expected)
        << expr.id() << " at " << describe(assignment);
    });
}

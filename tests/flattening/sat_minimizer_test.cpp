#include "flattening/sat_minimizer.h"
#include "flattening_types.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
// A minimising procedure whose status lines, its own and its back end's,
// are kept in one list.
class SatMinimizer : public config_32_testt
{
protected:
  capturing_message_handlert handler;
  std::unique_ptr<bv_minimizing_dect> dec;

  void SetUp() override
  {
    config_32_testt::SetUp();
    fresh();
  }

  // A new procedure, nothing constrained.
  void fresh()
  {
    handler.messages.clear();
    dec = std::make_unique<bv_minimizing_dect>();
    dec->set_message_handler(&handler);
    dec->satcheck.set_message_handler(&handler);
  }

  bvt bits(const exprt &symbol)
  {
    bvt bv;
    EXPECT_FALSE(dec->convert_cached(symbol, bv));
    return bv;
  }

  // Constrains the bits to the value's binary digits.
  void force(const bvt &bv, unsigned long long value)
  {
    for(std::size_t i = 0; i < bv.size(); ++i)
      dec->satcheck.l_set_to(bv[i], i < 64 && ((value >> i) & 1));
  }

  // The level-6 texts written since the last call.
  std::vector<std::string> status_lines()
  {
    std::vector<std::string> lines;
    for(const auto &message : handler.messages)
      if(message.first == 6)
        lines.push_back(message.second);
    handler.messages.clear();
    return lines;
  }

  // The minimiser's lines, solver statistics left out.
  std::vector<std::string> reports(const std::vector<std::string> &lines)
  {
    std::vector<std::string> kept;
    for(const std::string &line : lines)
      if(line.find(" constraints") == std::string::npos)
        kept.push_back(line);
    return kept;
  }

  // a + b = 3, as expressions.
  void sum_is_three(const exprt &a, const exprt &b)
  {
    dec->set_to(
      equal_expr(make_expr("+", a.type(), {a, b}), bv_constant(3, a.type())),
      true);
  }
};

const typet u4 = unsignedbv_type(4);
} // namespace

TEST_F(SatMinimizer, SettlesEarlierSymbolsFirst)
{
  const exprt a = symbol_expr("a", u4), b = symbol_expr("b", u4);
  for(const bool a_first : {true, false})
  {
    fresh();
    sum_is_three(a, b);
    ASSERT_EQ(dec->solve(), decision_proceduret::D_SATISFIABLE);
    status_lines();
    EXPECT_TRUE(dec->minimize(
      a_first ? bv_minimizing_dect::minimization_listt{a, b}
              : bv_minimizing_dect::minimization_listt{b, a}));
    const std::vector<std::string> expected =
      a_first
        ? std::vector<
            std::string>{"Minimizing... ", "a = 0", "Minimizing... ", "b = 3"}
        : std::vector<std::string>{
            "Minimizing... ", "b = 0", "Minimizing... ", "a = 3"};
    EXPECT_EQ(reports(status_lines()), expected);
    // The model left behind holds the settled values.
    EXPECT_EQ(dec->get(a), bv_constant(a_first ? 0 : 3, u4));
    EXPECT_EQ(dec->get(b), bv_constant(a_first ? 3 : 0, u4));
  }
}

TEST_F(SatMinimizer, OnlyBitsSetInTheModelCostSolverCalls)
{
  const exprt x = symbol_expr("x", u4), zero = symbol_expr("zero", u4);
  force(bits(x), 5);
  force(bits(zero), 0);
  ASSERT_EQ(dec->solve(), decision_proceduret::D_SATISFIABLE);
  status_lines();

  dec->minimize({zero, x});
  // Bits 3 and 1 of x are 0 already; bits 2 and 0 take a refused call
  // and one that restores a model. The four settled bits of zero stay
  // among the constraints. Variable 0 counts; the unit clauses are not
  // stored.
  const std::vector<std::string> expected = {
    "Minimizing... ",
    "zero = 0",
    "Minimizing... ",
    "9 variables, 0 clauses, 6 constraints",
    "9 variables, 0 clauses, 6 constraints",
    "9 variables, 0 clauses, 8 constraints",
    "9 variables, 0 clauses, 8 constraints",
    "x = 5"};
  EXPECT_EQ(status_lines(), expected);
}

TEST_F(SatMinimizer, ReportsValuesOfAnyWidth)
{
  const typet u70 = unsignedbv_type(70);
  const exprt wide = symbol_expr("wide", u70);
  const bvt bv = bits(wide);
  // 2^69 + 2^40 + 1
  for(unsigned i = 0; i < 70; ++i)
    dec->satcheck.l_set_to(bv[i], i == 0 || i == 40 || i == 69);
  ASSERT_EQ(dec->solve(), decision_proceduret::D_SATISFIABLE);
  status_lines();
  dec->minimize({wide});
  EXPECT_EQ(
    reports(status_lines()),
    (std::vector<std::string>{
      "Minimizing... ", "wide = 590295811458217279489"}));
}

TEST_F(SatMinimizer, ConstantBitsNeedNoAssumption)
{
  // Bound by the equality to constant bits, which the engine does not
  // know as literals.
  const exprt c = symbol_expr("c", u4), y = symbol_expr("y", u4);
  dec->set_to(equal_expr(c, bv_constant(6, u4)), true);
  force(bits(y), 9);
  ASSERT_EQ(dec->solve(), decision_proceduret::D_SATISFIABLE);
  status_lines();
  dec->minimize({c, y});
  EXPECT_EQ(
    reports(status_lines()),
    (std::vector<std::string>{
      "Minimizing... ", "c = 6", "Minimizing... ", "y = 9"}));
}

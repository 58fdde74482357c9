#include "circuit_check.h"

#include <gtest/gtest.h>

#include <map>

bvt value_assumptions(const std::vector<bvt> &inputs, const valuest &values)
{
  bvt result;
  for(std::size_t i = 0; i < inputs.size(); ++i)
    for(std::size_t bit = 0; bit < inputs[i].size(); ++bit)
      result.push_back(inputs[i][bit].cond_negation(!((values[i] >> bit) & 1)));
  return result;
}

std::int64_t model_value(const propt &prop, const bvt &bv)
{
  std::int64_t result = 0;
  for(std::size_t bit = 0; bit < bv.size(); ++bit)
  {
    literalt l = bv[bit];
    bool set = l.is_constant() ? l.is_true() : prop.l_get(l).is_true();
    if(set)
      result |= std::int64_t(1) << bit;
  }
  return result;
}

std::int64_t to_signed(std::int64_t value, unsigned width)
{
  const std::int64_t modulus = std::int64_t(1) << width;
  const std::int64_t low = value & (modulus - 1);
  return low >= modulus / 2 ? low - modulus : low;
}

std::vector<valuest> all_values(const std::vector<unsigned> &widths)
{
  std::vector<valuest> result(1, valuest(widths.size(), 0));
  for(std::size_t i = 0; i < widths.size(); ++i)
  {
    std::vector<valuest> extended;
    for(std::int64_t v = 0; v < (std::int64_t(1) << widths[i]); ++v)
      for(valuest tuple : result)
      {
        tuple[i] = v;
        extended.push_back(tuple);
      }
    result.swap(extended);
  }
  return result;
}

void expect_circuit(const circuit_caset &circuit)
{
  SCOPED_TRACE(circuit.name);
  test_dpll_propt prop;
  bv_utilst utils(prop);
  std::vector<bvt> inputs;
  for(unsigned width : circuit.widths)
  {
    bvt input;
    for(unsigned bit = 0; bit < width; ++bit)
      input.push_back(prop.new_variable());
    inputs.push_back(input);
  }
  std::vector<bvt> operands = inputs;
  const bvt output = circuit.build(utils, operands);
  const std::int64_t mask = (std::int64_t(1) << output.size()) - 1;

  // One "output differs from v" literal per expected value v.
  std::map<std::int64_t, literalt> differs;
  for(const valuest &values : all_values(circuit.widths))
  {
    std::optional<std::int64_t> expected = circuit.reference(values);
    prop.assumptions = value_assumptions(inputs, values);
    propt::resultt result = prop.prop_solve();
    if(!expected)
    {
      EXPECT_EQ(result, propt::P_UNSATISFIABLE)
        << "inputs " << ::testing::PrintToString(values);
      continue;
    }
    ASSERT_EQ(result, propt::P_SATISFIABLE)
      << "inputs " << ::testing::PrintToString(values);
    const std::int64_t want = *expected & mask;
    EXPECT_EQ(model_value(prop, output), want)
      << "inputs " << ::testing::PrintToString(values);

    auto found = differs.find(want);
    if(found == differs.end())
    {
      bvt wrong_bits;
      for(std::size_t bit = 0; bit < output.size(); ++bit)
        wrong_bits.push_back(output[bit].cond_negation((want >> bit) & 1));
      found = differs.insert({want, prop.lor(wrong_bits)}).first;
    }
    prop.assumptions.push_back(found->second);
    EXPECT_EQ(prop.prop_solve(), propt::P_UNSATISFIABLE)
      << "inputs " << ::testing::PrintToString(values);
    if(::testing::Test::HasFailure())
      return;
  }
}

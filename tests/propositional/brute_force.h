#ifndef MORVANE_TESTS_PROPOSITIONAL_BRUTE_FORCE_H
#define MORVANE_TESTS_PROPOSITIONAL_BRUTE_FORCE_H

// Test helpers: the gates with their reference truth functions, and an
// exhaustive check that a set of clauses forces a literal to a reference
// value.

#include "recording_cnf.h"

#include "propositional/cnf.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Literals in DIMACS notation, with two stand-ins for the constants.
const int T = 1000000;
const int F = -T;

inline literalt lit(int dimacs)
{
  if(dimacs == T || dimacs == F)
    return const_literal(dimacs == T);
  return literalt(dimacs < 0 ? -dimacs : dimacs, dimacs < 0);
}

inline bvt clause_of(const std::vector<int> &dimacs)
{
  bvt result;
  for(int d : dimacs)
    result.push_back(lit(d));
  return result;
}

inline std::vector<bvt> clauses_of(const std::vector<std::vector<int>> &all)
{
  std::vector<bvt> result;
  for(const auto &c : all)
    result.push_back(clause_of(c));
  return result;
}

// A gate of propt over a list of operands, with its truth function.
struct gatet
{
  std::string name;
  // Number of operands; 0 for the vector forms.
  unsigned arity;
  std::function<literalt(propt &, const bvt &)> build;
  std::function<bool(const std::vector<bool> &)> reference;
};

inline std::vector<gatet> all_gates()
{
  typedef const std::vector<bool> &valuest;
  auto fold = [](valuest v, bool start, bool (*op)(bool, bool)) {
    bool r = start;
    for(bool b : v)
      r = op(r, b);
    return r;
  };
  return {
    {"land",
     2,
     [](propt &p, const bvt &o) { return p.land(o[0], o[1]); },
     [](valuest v) { return v[0] && v[1]; }},
    {"lor",
     2,
     [](propt &p, const bvt &o) { return p.lor(o[0], o[1]); },
     [](valuest v) { return v[0] || v[1]; }},
    {"lxor",
     2,
     [](propt &p, const bvt &o) { return p.lxor(o[0], o[1]); },
     [](valuest v) { return v[0] != v[1]; }},
    {"lnand",
     2,
     [](propt &p, const bvt &o) { return p.lnand(o[0], o[1]); },
     [](valuest v) { return !(v[0] && v[1]); }},
    {"lnor",
     2,
     [](propt &p, const bvt &o) { return p.lnor(o[0], o[1]); },
     [](valuest v) { return !(v[0] || v[1]); }},
    {"lequal",
     2,
     [](propt &p, const bvt &o) { return p.lequal(o[0], o[1]); },
     [](valuest v) { return v[0] == v[1]; }},
    {"limplies",
     2,
     [](propt &p, const bvt &o) { return p.limplies(o[0], o[1]); },
     [](valuest v) { return !v[0] || v[1]; }},
    {"lselect",
     3,
     [](propt &p, const bvt &o) { return p.lselect(o[0], o[1], o[2]); },
     [](valuest v) { return v[0] ? v[1] : v[2]; }},
    {"land vector",
     0,
     [](propt &p, const bvt &o) { return p.land(o); },
     [fold](valuest v) {
       return fold(v, true, [](bool a, bool b) { return a && b; });
     }},
    {"lor vector",
     0,
     [](propt &p, const bvt &o) { return p.lor(o); },
     [fold](valuest v) {
       return fold(v, false, [](bool a, bool b) { return a || b; });
     }},
    {"lxor vector",
     0,
     [](propt &p, const bvt &o) { return p.lxor(o); },
     [fold](valuest v) {
       return fold(v, false, [](bool a, bool b) { return a != b; });
     }},
  };
}

// Calls check(gate, operands) for every gate and every operand list drawn
// from the constants and x, !x, y, !y, z (vector forms: every length from
// 0 to 3).
inline void for_each_gate_application(
  literalt x,
  literalt y,
  literalt z,
  const std::function<void(const gatet &, const bvt &)> &check)
{
  const bvt pool = {lit(F), lit(T), x, !x, y, !y, z};
  for(const gatet &gate : all_gates())
  {
    SCOPED_TRACE(gate.name);
    std::vector<unsigned> lengths;
    if(gate.arity != 0)
      lengths.push_back(gate.arity);
    else
      lengths = {0, 1, 2, 3};
    for(unsigned length : lengths)
    {
      std::size_t combinations = 1;
      for(unsigned i = 0; i < length; ++i)
        combinations *= pool.size();
      for(std::size_t code = 0; code < combinations; ++code)
      {
        bvt operands;
        for(std::size_t rest = code; operands.size() < length;
            rest /= pool.size())
          operands.push_back(pool[rest % pool.size()]);
        check(gate, operands);
      }
    }
  }
}

inline bool value_of(literalt l, const std::vector<bool> &assignment)
{
  if(l.is_constant())
    return l.is_true();
  return assignment[l.var_no()] != l.sign();
}

// The gate's value on the values its operands take in the assignment.
inline bool gate_value(
  const gatet &gate,
  const bvt &operands,
  const std::vector<bool> &assignment)
{
  std::vector<bool> values;
  for(literalt l : operands)
    values.push_back(value_of(l, assignment));
  return gate.reference(values);
}

// Over every assignment of the variables 0 .. variables-1: for each
// assignment of the inputs some model of the clauses exists, and in every
// model `output` has the value `expected` gives for the model. The search
// assigns the variables in order and checks each clause once its last
// variable has a value, so it visits little more than the models.
template <class clausest>
void expect_forced(
  const clausest &clauses,
  unsigned variables,
  const bvt &inputs,
  literalt output,
  const std::function<bool(const std::vector<bool> &)> &expected)
{
  std::vector<std::vector<const bvt *>> by_last_variable(variables);
  for(const bvt &clause : clauses)
  {
    unsigned last = 0;
    for(literalt l : clause)
      if(!l.is_constant() && l.var_no() > last)
        last = l.var_no();
    by_last_variable.at(last).push_back(&clause);
  }

  std::vector<bool> assignment(variables);
  std::vector<bool> input_seen(std::size_t(1) << inputs.size());
  std::function<void(unsigned)> search = [&](unsigned v) {
    if(::testing::Test::HasFailure())
      return;
    if(v == variables)
    {
      std::size_t input_code = 0;
      for(literalt l : inputs)
        input_code = input_code * 2 + value_of(l, assignment);
      input_seen[input_code] = true;
      EXPECT_EQ(value_of(output, assignment), expected(assignment));
      return;
    }
    for(bool value : {false, true})
    {
      assignment[v] = value;
      bool consistent = true;
      for(const bvt *clause : by_last_variable[v])
      {
        bool satisfied = false;
        for(literalt l : *clause)
          satisfied = satisfied || value_of(l, assignment);
        consistent = consistent && satisfied;
      }
      if(consistent)
        search(v + 1);
    }
  };
  search(0);

  for(bool seen : input_seen)
    EXPECT_TRUE(seen) << "some input values have no model";
}

#endif

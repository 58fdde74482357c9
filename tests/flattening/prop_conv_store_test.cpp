#include "flattening/bv_pointers.h"
#include "flattening/prop_conv_store.h"
#include "flattening_types.h"
#include "sat/satcheck_proofsat.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace
{
const typet s8 = signedbv_type(8);

exprt or_expr(const exprt &a, const exprt &b)
{
  return make_expr("or", bool_type(), {a, b});
}

std::string printed(const prop_conv_storet &store)
{
  std::ostringstream out;
  store.constraint_list.print(out);
  return out.str();
}

// sign(x) or sign(y), with y = 3 and x = value: satisfiable exactly for
// a negative value. The disjunction is converted, so that its atoms are
// recorded, and set through the back end. (A Boolean symbol inside it
// would be a variable of the recorder's own, which a replay does not
// tie to the destination's symbol.)
void record_problem(prop_convt &procedure, propt &prop, long long value)
{
  const exprt x = symbol_expr("x", s8), y = symbol_expr("y", s8);
  prop.l_set_to(
    procedure.convert(or_expr(
      make_expr("sign", bool_type(), {x}),
      make_expr("sign", bool_type(), {y}))),
    true);
  procedure.set_to(equal_expr(y, bv_constant(3, s8)), true);
  procedure.set_to(equal_expr(x, bv_constant(value, s8)), true);
}

class PropConvStore : public config_32_testt
{
};
} // namespace

TEST_F(PropConvStore, RecordsSetToCallsAndUnhandledAtomsOnly)
{
  prop_conv_storet store;
  const exprt a = bool_symbol("a"), b = bool_symbol("b"), p = bool_symbol("p");
  const exprt conjunction = make_expr("and", bool_type(), {a, b});
  const exprt equation = equal_expr(symbol_expr("x", s8), bv_constant(1, s8));

  store.set_to(conjunction, true);
  EXPECT_EQ(store.clauses.no_variables(), 1u);
  const literalt disjunction = store.convert(or_expr(equation, p));
  // Converting again finds the atom in the cache: no second record.
  EXPECT_EQ(store.convert(or_expr(equation, p)), disjunction);
  store.set_to(bool_symbol("q"), false);
  // Not Boolean: recorded all the same.
  store.set_to(symbol_expr("x", s8), true);

  EXPECT_EQ(
    printed(store),
    "SET_TO TRUE: " + conjunction.to_string() + "\n" +
      "CONVERT(1): " + equation.to_string() + "\n" +
      "SET_TO FALSE: " + bool_symbol("q").to_string() + "\n" +
      "SET_TO TRUE: " + symbol_expr("x", s8).to_string() + "\n");
}

TEST_F(PropConvStore, ReplayRepeatsTheRecordsInOrder)
{
  prop_conv_storet first, second;
  record_problem(first, first.clauses, 5);
  first.constraint_list.replay(second);
  EXPECT_EQ(printed(second), printed(first));
}

TEST_F(PropConvStore, ReplayedProblemsGetTheSameVerdict)
{
  for(const long long value : {5LL, -5LL})
  {
    satcheck_proofsatt direct_engine;
    bv_pointerst direct(direct_engine);
    record_problem(direct, direct_engine, value);
    const auto verdict = direct.solve();
    EXPECT_EQ(
      verdict,
      value < 0 ? decision_proceduret::D_SATISFIABLE
                : decision_proceduret::D_UNSATISFIABLE);

    prop_conv_storet store;
    record_problem(store, store.clauses, value);
    satcheck_proofsatt engine;
    bv_pointerst replayed(engine);
    // The recorder's variables and clauses first, so that the recorded
    // literals mean the same in the destination.
    while(engine.no_variables() < store.clauses.no_variables())
      engine.new_variable();
    for(const bvt &clause : store.clauses.clause_list)
      engine.lcnf(clause);
    store.constraint_list.replay(replayed);

    EXPECT_EQ(replayed.solve(), verdict) << value;
    if(verdict == decision_proceduret::D_SATISFIABLE)
    {
      EXPECT_EQ(replayed.get(symbol_expr("x", s8)), bv_constant(value, s8));
    }
  }
}

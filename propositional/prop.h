#ifndef MORVANE_PROPOSITIONAL_PROP_H
#define MORVANE_PROPOSITIONAL_PROP_H

#include "propositional/literal.h"
#include "propositional/threeval.h"
#include "util/message.h"

#include <string>

// The abstract propositional back end: gates, constraints, variables,
// solving and reading back values. Gate operations return a literal
// equivalent to the gate's output; they may return an operand or a constant
// instead of a fresh variable.
class propt : public virtual messaget
{
public:
  enum resultt
  {
    P_SATISFIABLE = 0,
    P_UNSATISFIABLE = 1,
    P_ERROR = 2
  };

  virtual ~propt() = default;

  virtual literalt land(literalt a, literalt b) = 0;
  virtual literalt lor(literalt a, literalt b) = 0;
  virtual literalt land(const bvt &bv) = 0;
  virtual literalt lor(const bvt &bv) = 0;
  virtual literalt lnot(literalt a) = 0;
  virtual literalt lxor(literalt a, literalt b) = 0;
  virtual literalt lxor(const bvt &bv) = 0;
  // The negation of land, lor and lxor, and lor(!a, b): the same in every
  // back end, so written once here.
  virtual literalt lnand(literalt a, literalt b);
  virtual literalt lnor(literalt a, literalt b);
  virtual literalt lequal(literalt a, literalt b);
  virtual literalt limplies(literalt a, literalt b);
  // if a then b else c
  virtual literalt lselect(literalt a, literalt b, literalt c) = 0;

  // Constrains a <=> b with the two clauses {a, !b} and {!a, b}.
  virtual void set_equal(literalt a, literalt b);
  virtual void l_set_to(literalt a, bool value);

  // Adds the clause as a constraint.
  virtual void lcnf(const bvt &clause) = 0;

  // Whether the back end accepts constraints at all.
  virtual bool has_set_to() const
  {
    return true;
  }

  // The positive literal of a variable not used before.
  virtual literalt new_variable() = 0;
  virtual unsigned no_variables() const = 0;

  // A one-line name of the back end.
  virtual std::string solver_text() const = 0;

  // Back ends that only record or write formulas answer P_ERROR.
  virtual resultt prop_solve() = 0;

  // The value in the last satisfying assignment; unknown without one.
  virtual tvt l_get(literalt a) const = 0;

  // Supported only by the back ends that override them.
  virtual void set_assignment(literalt a, bool value);
  virtual void copy_assignment_from(const propt &prop);
  virtual bool is_in_core(literalt l) const;

protected:
  // The shortcuts of AND and XOR with a constant operand, which every back
  // end takes first: true, with the result, when one applies.
  bool and_with_constant(literalt a, literalt b, literalt &result) const;
  bool xor_with_constant(literalt a, literalt b, literalt &result);

  // The n-ary gates as chains of the back end's two-operand gate, started
  // at the neutral constant with each operand the first argument in turn:
  // gate(bv[n-1], ... gate(bv[1], gate(bv[0], neutral))).
  literalt land_chain(const bvt &bv);
  literalt lor_chain(const bvt &bv);
  literalt lxor_chain(const bvt &bv);
  // lxor_chain, but no gate for fewer than two operands, and two operands
  // make the one gate lxor(bv[0], bv[1]) in their own order.
  literalt lxor_pair_or_chain(const bvt &bv);
};

#endif

#ifndef MORVANE_EXTERNAL_SOLVERS_CVC_PROP_H
#define MORVANE_EXTERNAL_SOLVERS_CVC_PROP_H

// A propositional back end that decides nothing itself: every variable,
// gate and clause is written at once, as CVC Lite presentation text, to an
// output stream, for an external program to decide. Variables are named
// l1, l2, ... in the order they are made; their values are filled in from
// outside, after the program has answered (cvc_dec.h).
//
// Every line ends with std::endl (a flush); gate definitions, gate
// assertions and clauses are followed by one empty line. Two-operand gates
// with a constant or repeated operand are folded without text.

#include "propositional/prop.h"

#include <ostream>
#include <string>
#include <vector>

class cvc_propt : public virtual propt
{
public:
  // The stream is not owned and must outlive the object. Writes nothing.
  explicit cvc_propt(std::ostream &_out);
  ~cvc_propt() override = default;

  literalt land(literalt a, literalt b) override;
  literalt lor(literalt a, literalt b) override;
  // One defined variable over all operands, constants and repetitions
  // written as they are; an empty list is TRUE (FALSE) without text.
  literalt land(const bvt &bv) override;
  literalt lor(const bvt &bv) override;
  literalt lnot(literalt a) override;
  literalt lxor(literalt a, literalt b) override;
  // Folded from lxor(a, b), each operand the first argument in turn.
  literalt lxor(const bvt &bv) override;
  literalt lselect(literalt a, literalt b, literalt c) override;

  // Asserts that the existing literal o equals the gate; no variable, no
  // folding.
  using propt::lequal;
  using propt::limplies;
  using propt::lnand;
  using propt::lnor;
  virtual void land(literalt a, literalt b, literalt o);
  virtual void lor(literalt a, literalt b, literalt o);
  virtual void lxor(literalt a, literalt b, literalt o);
  virtual void lnand(literalt a, literalt b, literalt o);
  virtual void lnor(literalt a, literalt b, literalt o);
  virtual void lequal(literalt a, literalt b, literalt o);
  virtual void limplies(literalt a, literalt b, literalt o);

  // Writes the clause as one assertion: repeated literals once, in order of
  // first occurrence, FALSE left out. A clause holding TRUE or a literal
  // and its negation is true and writes nothing; a clause with nothing left
  // (the empty clause included) is false and asserts FALSE. Every other
  // literal must belong to an allocated variable.
  void lcnf(const bvt &clause) override;

  // Declares the next variable.
  literalt new_variable() override;
  // One more than the highest variable number.
  unsigned no_variables() const override
  {
    return _no_variables + 1;
  }
  // Variables are only ever added.
  virtual void set_no_variables(unsigned no);

  std::string solver_text() const override
  {
    return solver_name;
  }

  // Writes "QUERY FALSE;": the answer comes from outside, so the result is
  // always P_ERROR.
  resultt prop_solve() override;

  // The value read back from outside, negated for a negative literal;
  // unknown for the constants and for variables without an entry.
  tvt l_get(literalt a) const override;

  void clear_assignment()
  {
    assignment.clear();
  }

  // "TRUE", "FALSE", "l<n>" or "(NOT l<n>)".
  std::string cvc_literal(literalt l) const;
  // Declares the next variable as defined by the text that the caller
  // writes next, followed by ";" and two line ends.
  literalt cvc_define();

  // Indexed by variable number; filled by the reader of the external
  // program's answer.
  std::vector<tvt> assignment;

protected:
  // For the twin back ends that differ only in their name.
  cvc_propt(std::ostream &_out, const char *_solver_name);

  unsigned _no_variables = 0;
  std::ostream &out;

private:
  const char *solver_name;
  // A fresh variable defined by "left <op> right".
  literalt define_gate(
    const char *comment, literalt left, const char *op, literalt right);
  literalt define_list(const char *comment, const bvt &bv, const char *op);
  void assert_gate(const char *comment, const std::string &gate, literalt o);
};

// The same back end under the name "SMT".
class smt_propt : public cvc_propt
{
public:
  explicit smt_propt(std::ostream &_out) : cvc_propt(_out, "SMT")
  {
  }

  std::string smt_literal(literalt l) const
  {
    return cvc_literal(l);
  }
  literalt smt_define()
  {
    return cvc_define();
  }
};

#endif

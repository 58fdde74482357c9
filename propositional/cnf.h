#ifndef MORVANE_PROPOSITIONAL_CNF_H
#define MORVANE_PROPOSITIONAL_CNF_H

#include "propositional/prop.h"

#include <initializer_list>

// Encodes the gates of propt into clauses. Each gate first tries shortcuts
// over constants and equal operands; otherwise it takes a fresh output
// variable and hands its defining clauses, one lcnf call each, to the
// concrete back end. Keeps the variable counter; variable 0 is never handed
// out.
class cnft : public virtual propt
{
public:
  literalt land(literalt a, literalt b) override;
  literalt lor(literalt a, literalt b) override;
  literalt land(const bvt &bv) override;
  literalt lor(const bvt &bv) override;
  literalt lnot(literalt a) override;
  literalt lxor(literalt a, literalt b) override;
  literalt lxor(const bvt &bv) override;
  literalt lselect(literalt a, literalt b, literalt c) override;
  literalt new_variable() override;
  unsigned no_variables() const override;

  // The two-operand forms stay visible beside the output forms below.
  using propt::lequal;
  using propt::limplies;
  using propt::lnand;
  using propt::lnor;

  // Constrain o to be the gate's output.
  virtual void land(literalt a, literalt b, literalt o);
  virtual void lor(literalt a, literalt b, literalt o);
  virtual void lxor(literalt a, literalt b, literalt o);
  virtual void lnand(literalt a, literalt b, literalt o);
  virtual void lnor(literalt a, literalt b, literalt o);
  virtual void lequal(literalt a, literalt b, literalt o);
  virtual void limplies(literalt a, literalt b, literalt o);

  virtual void set_no_variables(unsigned n);
  virtual unsigned no_clauses() const = 0;

  // Simplifies `source` into `dest`: drops false literals and repeats
  // (first occurrence stays). Returns true when the clause is satisfied (a
  // true literal or a complementary pair); dest is then meaningless.
  bool process_clause(const bvt &source, bvt &dest);

  // Appends to dest the literals of source not seen earlier in source.
  static void eliminate_duplicates(const bvt &source, bvt &dest);

protected:
  // One more than the highest variable handed out.
  unsigned _no_variables = 1;

private:
  literalt land_or_lor(const bvt &bv, bool is_or);

  // Passes one defining clause to lcnf; the buffer keeps gates free of
  // allocation once it has grown.
  void add_clause(std::initializer_list<literalt> literals);
  bvt clause_buffer;
};

// A cnft that hands its clauses to a SAT engine.
class cnf_solvert : public cnft
{
public:
  enum statust
  {
    INIT = 0,
    SAT = 1,
    UNSAT = 2,
    ERROR = 3
  };

  unsigned no_clauses() const override
  {
    return clause_counter;
  }

protected:
  statust status = INIT;
  unsigned clause_counter = 0;
};

#endif

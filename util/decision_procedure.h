#ifndef MORVANE_UTIL_DECISION_PROCEDURE_H
#define MORVANE_UTIL_DECISION_PROCEDURE_H

// The interface of every procedure that decides constraints over
// expressions. Callers add constraints with set_to, call solve, and after
// the answer D_SATISFIABLE read values with get or print_values; in_core
// may be asked after D_UNSATISFIABLE of a procedure that computes cores.

#include "util/expr.h"
#include "util/message.h"

#include <ostream>
#include <string>

class decision_proceduret : public virtual messaget
{
public:
  enum resultt
  {
    D_SATISFIABLE = 1,
    D_UNSATISFIABLE = 2,
    D_ERROR = 3
  };

  // The value of the expression in the model found; nil when it has none.
  virtual exprt get(const exprt &expr) const = 0;

  // Writes the model.
  virtual void print_values(std::ostream &out) const = 0;

  // Adds the constraint that the expression has the value.
  virtual void set_to(const exprt &expr, bool value) = 0;

  // Decides the conjunction of the constraints added so far.
  virtual resultt solve() = 0;

  // Whether the constraint belongs to an unsatisfiable core. Asking a
  // procedure that computes no cores is a caller error.
  virtual bool in_core(const exprt &expr);

  virtual std::string solver_description() const = 0;

  ~decision_proceduret() override = default;
};

#endif

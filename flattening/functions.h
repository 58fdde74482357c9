#ifndef MORVANE_FLATTENING_FUNCTIONS_H
#define MORVANE_FLATTENING_FUNCTIONS_H

// Uninterpreted functions by functional consistency: every application is
// converted like any other term, and post_process adds, for each pair of
// applications of one function, the clause that equal arguments imply
// equal results. Arrays read without bounds are recorded the same way, as
// applications of the array to the index.
//
// Cost: one clause per unordered pair of applications of a function, none
// for pairs whose argument equality converts to false.

#include "flattening/equality.h"

#include <map>
#include <set>

class functionst : public equalityt
{
public:
  explicit functionst(propt &_prop) : equalityt(_prop)
  {
  }

  // Records an application: the function (or array) as the first operand,
  // the argument as the second. Throws for any other operand count; an
  // application recorded twice is kept once.
  void record_function_application(const exprt &application);

  // Function constraints, then equality constraints, then the base.
  void post_process() override;

protected:
  typedef std::set<exprt, irep_less> applicationst;

  virtual void add_function_constraints_all();
  virtual void add_function_constraints(const applicationst &applications);
  // Equal arguments imply equal results, for two applications of one
  // function; nothing when the arguments are known to differ.
  void add_function_constraint(const exprt &x, const exprt &y);

  std::map<exprt, applicationst, irep_less> function_applications;
};

#endif

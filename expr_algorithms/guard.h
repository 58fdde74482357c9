#ifndef MORVANE_EXPR_ALGORITHMS_GUARD_H
#define MORVANE_EXPR_ALGORITHMS_GUARD_H

// The condition under which a piece of code or a value is reached: the
// conjunction of a list of conditions in the order they were added (the
// empty list is true), so that the guards of neighbouring paths share a
// common front part. The adding operations never store the constant true;
// the constant false may be stored.

#include "util/expr.h"

#include <ostream>
#include <vector>

class guardt
{
public:
  typedef std::vector<exprt> guard_listt;
  guard_listt guard_list;

  // Appends the condition split into its conjuncts: a Boolean "and" is
  // entered all the way down (one without operands adds nothing), and the
  // constant true is dropped.
  void add(const exprt &condition);

  // Moves the condition in as one entry (the argument is left empty),
  // unless it is the constant true, which is left alone.
  void push_condition(exprt &condition);

  // Whether some condition is the constant false.
  bool is_false() const;

  // The conjunction of the conditions from position `from` on: true when
  // there are none, the condition itself when there is one, else a
  // Boolean "and" of them. Throws "guard is expected to be Boolean" when
  // one of several is not of type "bool".
  void conjunction(exprt &dest, guard_listt::size_type from = 0) const;

  // Cuts off the front part that this guard shares with the other.
  guardt &operator-=(const guardt &other);

  // Makes this guard the disjunction of both: the shared front part P and
  // the rests R1, R2 give P and (R1 or R2); the disjunction is left out
  // when a rest is empty or the two are each other's negation. A guard
  // holding false takes the other guard; the other guard holding false
  // changes nothing.
  guardt &operator|=(const guardt &other);
};

// Each condition as "*** " and its tree text on a line of its own.
std::ostream &operator<<(std::ostream &out, const guardt &guard);

#endif

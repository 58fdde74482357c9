#ifndef MORVANE_FLATTENING_PROP_CONV_STORE_H
#define MORVANE_FLATTENING_PROP_CONV_STORE_H

// An expression-to-literal conversion that records instead of deciding.
// The Boolean structure of what it is given becomes gates of a private
// clause list as usual; every constraint set on it, and every atom that
// the Boolean conversion cannot handle itself, is stored as a record. The
// records can be printed, or replayed in order into another procedure,
// which then converts and constrains the same things itself.
//
// A replayed atom is tied to the literal the recorder gave it, a variable
// of the recorder's clause list: the destination's back end must know
// that variable, for instance by taking over the recorder's clauses
// (`clauses`) before the replay.

#include "flattening/prop_conv.h"
#include "propositional/cnf_clause_list.h"

#include <iosfwd>
#include <list>

struct prop_conv_store_constraintt
{
  enum constraint_typet
  {
    CONVERT = 1,
    SET_TO = 2
  };

  constraint_typet type = SET_TO;
  exprt expr;
  // The value of a SET_TO.
  bool value = false;
  // The literal given out for a CONVERT.
  literalt literal;

  // "CONVERT(<variable, negative when negated>): <expr>" or
  // "SET_TO <TRUE|FALSE>: <expr>", then std::endl.
  void print(std::ostream &out) const;

  // A CONVERT ties the destination's own literal of the atom to the
  // recorded one; a SET_TO repeats the set_to.
  void replay(prop_convt &dest) const;
};

class prop_conv_store_constraintst
  : public std::list<prop_conv_store_constraintt>
{
public:
  // Every record, in the order of recording.
  void print(std::ostream &out) const;
  void replay(prop_convt &dest) const;
};

// Holds the clause list, so that it is built before the prop_convt part
// that runs on it.
class prop_conv_store_propt
{
public:
  cnf_clause_list_assignmentt clauses;
};

class prop_conv_storet : public prop_conv_store_propt, public prop_convt
{
public:
  prop_conv_storet() : prop_convt(clauses)
  {
  }

  // Records the call; converts nothing, adds no clause. The expression
  // need not be Boolean.
  void set_to(const exprt &expr, bool value) override;

  prop_conv_store_constraintst constraint_list;

protected:
  // A fresh variable of the clause list, recorded with the atom.
  literalt convert_rest(const exprt &expr) override;
};

#endif

#ifndef MORVANE_PROPOSITIONAL_QDIMACS_CNF_H
#define MORVANE_PROPOSITIONAL_QDIMACS_CNF_H

#include "propositional/dimacs_cnf.h"

#include <list>

// A clause list with a quantifier prefix, written out as a QDIMACS file.
class qdimacs_cnft : public dimacs_cnft
{
public:
  struct quantifiert
  {
    enum typet : unsigned
    {
      EXISTENTIAL = 1,
      UNIVERSAL = 2
    };

    quantifiert() = default;
    quantifiert(typet _type, unsigned _var_no) : type(_type), var_no(_var_no)
    {
    }

    bool operator==(const quantifiert &other) const
    {
      return type == other.type && var_no == other.var_no;
    }

    typet type = EXISTENTIAL;
    unsigned var_no = 0;
  };

  typedef std::list<quantifiert> quantifierst;

  // Outermost first; one record per quantified variable.
  quantifierst quantifiers;

  std::string solver_text() const override;

  // The problem line, the prefix, then the clauses.
  virtual void write_qdimacs_cnf(std::ostream &out) const;

  // Same prefix and same clauses, in the same order.
  bool operator==(const qdimacs_cnft &other) const;

protected:
  // One line "e <v> 0" or "a <v> 0" per record.
  void write_prefix(std::ostream &out) const;
};

#endif

#ifndef MORVANE_PROPOSITIONAL_CNF_CLAUSE_LIST_H
#define MORVANE_PROPOSITIONAL_CNF_CLAUSE_LIST_H

#include "propositional/cnf.h"

#include <iosfwd>
#include <list>

// Keeps every simplified clause, in the order of addition, instead of
// solving.
class cnf_clause_listt : public cnft
{
public:
  // Stores the clause after process_clause, also when it is empty; a
  // satisfied clause is not stored.
  void lcnf(const bvt &clause) override;

  std::string solver_text() const override;

  resultt prop_solve() override
  {
    return P_ERROR;
  }

  tvt l_get(literalt) const override
  {
    return tvt(tvt::TV_UNKNOWN);
  }

  unsigned no_clauses() const override
  {
    return clause_list.size();
  }

  typedef std::list<bvt> clause_listt;
  clause_listt clause_list;
};

// A clause list with an assignment that can be copied from another back
// end and printed.
class cnf_clause_list_assignmentt : public cnf_clause_listt
{
public:
  // Unknown for variable 0 and for variables beyond the assignment (the
  // constants among them).
  tvt l_get(literalt a) const override;

  void copy_assignment_from(const propt &prop) override;

  // One line "v<i>=<value>" per variable from 1.
  void print_assignment(std::ostream &out) const;

  // Indexed by variable number; entry 0 is not used.
  std::vector<tvt> assignment;
};

#endif

#ifndef MORVANE_QBF_SOLVER_NEW_CLAUSE_TABLE_H
#define MORVANE_QBF_SOLVER_NEW_CLAUSE_TABLE_H

#include "qbf_solver/clause.h"

#include <map>
#include <vector>

// The clauses one elimination is about to add, grouped by length. A clause
// taken out (merged by unification) stays in its list, marked removed, so
// positions stay valid while a list is walked.
struct new_clause_tablet
{
  struct entryt
  {
    clauset clause;
    bool removed = false;
  };

  typedef std::vector<entryt> listt;
  std::map<std::size_t, listt> lists;

  listt &append(clauset clause)
  {
    listt &list = lists[clause.literals.size()];
    list.push_back({std::move(clause), false});
    return list;
  }
};

#endif

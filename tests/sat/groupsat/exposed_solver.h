#ifndef MORVANE_TESTS_SAT_GROUPSAT_EXPOSED_SOLVER_H
#define MORVANE_TESTS_SAT_GROUPSAT_EXPOSED_SOLVER_H

// The engine with its search state open to the tests, which set up exact
// situations (levels, queues, conflicts) that a search reaches only by
// chance.

#include "sat/groupsat/groupsat_solver.h"

#include <vector>

class exposed_solvert : public CSolver
{
public:
  using CSolver::_assignment_stack;
  using CSolver::_conflict_lits;
  using CSolver::_conflicts;
  using CSolver::_dlevel;
  using CSolver::_implication_queue;
  using CSolver::_max_score_pos;
  using CSolver::_num_in_new_cl;
  using CSolver::_ordered_vars;
  using CSolver::_recent_shrinkings;
  using CSolver::_shrinking_benefit;
  using CSolver::_shrinking_cls;
  using CSolver::_shrinking_cls_size;

  ClauseIdx add(const std::vector<int> &lits, int gid = 0)
  {
    return add_original_clause(lits.data(), int(lits.size()), gid);
  }

  std::vector<int> literals_of(ClauseIdx cl)
  {
    std::vector<int> result;
    for(unsigned i = 0; i < clause(cl).num_lits(); ++i)
      result.push_back(clause(cl).literal(i).s_var());
    return result;
  }

  // Opens the next level with the decision svar and propagates; the result
  // of deduce.
  int decide_and_deduce(int svar)
  {
    ++_dlevel;
    queue_implication(svar, -1, _dlevel);
    return deduce();
  }
};

#endif

#ifndef MORVANE_QBF_SOLVER_VARIABLE_QUEUE_H
#define MORVANE_QBF_SOLVER_VARIABLE_QUEUE_H

#include "propositional/qdimacs_cnf.h"
#include "qbf_solver/variable_table.h"

#include <vector>

// The prefix records of one existential block, ordered by the number of
// occurrences of their variables (pos + neg); among equal scores the record
// pushed first wins. The block is pushed from the innermost record outwards,
// so ties go to the innermost record. Scores are kept current through
// score_changed, which the solver calls whenever a polarity count changes.
class variable_queuet
{
public:
  typedef qdimacs_cnft::quantifierst::iterator recordt;

  explicit variable_queuet(variable_tablet &_variables) : variables(_variables)
  {
  }

  bool empty() const
  {
    return heap.empty();
  }

  void push(recordt record, unsigned variable_index);

  // Removes and returns the record with the smallest score.
  recordt pop();

  void score_changed(unsigned variable_index);

  // Forgets every record.
  void clear();

private:
  struct entryt
  {
    recordt record;
    unsigned variable_index;
    unsigned heap_position;
    unsigned next_same_variable;
  };

  variable_tablet &variables;
  std::vector<entryt> entries;
  std::vector<unsigned> heap;

  bool before(unsigned a, unsigned b) const;
  void place(unsigned position, unsigned entry);
  void sift_up(unsigned position);
  void sift_down(unsigned position);
};

#endif

#ifndef MORVANE_TESTS_QBF_SOLVER_MINI_SAT_H
#define MORVANE_TESTS_QBF_SOLVER_MINI_SAT_H

// A small clause-learning SAT search for the certificate checker: it looks
// for values of the universal variables under which a witness network leaves
// a clause false. Literals are signed variable numbers from 1.

#include <vector>

class mini_satt
{
public:
  int new_variable();
  void add_clause(std::vector<int> clause);
  // True when the clauses have a model in which every assumption holds.
  // Learnt clauses are kept for later calls.
  bool solve(const std::vector<int> &assumptions = {});
  bool model_value(int variable) const { return value[variable] > 0; }

private:
  struct watcht
  {
    int clause;
    int blocker;
  };

  std::vector<std::vector<int>> clauses;
  std::vector<bool> learnt_clause; // by clause index
  // By clause index: where the last search for a literal to watch stopped.
  std::vector<std::size_t> search_from;
  std::vector<std::vector<watcht>> watches; // by literal index
  std::vector<signed char> value;           // by variable: 1, -1, 0 open
  std::vector<signed char> phase;           // by variable: last value
  std::vector<int> reason;                  // clause index or -1
  std::vector<int> level;
  std::vector<double> activity;
  std::vector<bool> seen; // scratch of analyze, all false between calls
  std::vector<int> trail;
  std::vector<int> trail_limits;
  std::vector<int> heap;          // variables ordered by activity
  std::vector<int> heap_position; // -1 when not in the heap
  std::size_t propagated = 0;
  unsigned restarts = 0;
  std::size_t learnt_limit = 2000;
  double bump = 1;
  bool contradiction = false;

  static std::size_t index(int l) { return 2 * (l > 0 ? l : -l) + (l < 0); }
  void add_slot();
  int literal_value(int l) const { return l > 0 ? value[l] : -value[-l]; }
  void assign(int l, int why);
  void watch(int clause_index);
  int propagate();
  void analyze(int conflict, std::vector<int> &learnt, int &back_level);
  void backtrack(int to_level);
  void add_learnt(const std::vector<int> &learnt);
  void reduce_learnt();
  void bump_variable(int v);
  void heap_up(int position);
  void heap_down(int position);
  void heap_insert(int v);
  int heap_pop();
};

#endif

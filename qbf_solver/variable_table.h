#ifndef MORVANE_QBF_SOLVER_VARIABLE_TABLE_H
#define MORVANE_QBF_SOLVER_VARIABLE_TABLE_H

#include <cstdint>
#include <unordered_map>
#include <vector>

// Where one occurrence of a variable lies: a stored clause and the position
// of the literal in it.
struct occurrence_reft
{
  static constexpr unsigned none = 0xFFFFFFFFu;
  unsigned clause = none;
  unsigned slot = 0;

  bool is_none() const
  {
    return clause == none;
  }
};

// Everything the solver keeps per variable, in one record: its quantifier
// information, its polarity counts, the head and tail of its occurrence
// list, the polarity a stored unit clause forces, and its place in the
// variable queue.
struct variable_datat
{
  static constexpr unsigned none = 0xFFFFFFFFu;

  unsigned var_no = 0;

  // Quantifier information; a variable without it counts as existential
  // and outermost.
  bool has_info = false;
  bool existential = true;
  unsigned level = 0;

  // Polarity counts over the stored clauses (a repeated literal counts per
  // repetition); together the length of the occurrence list.
  unsigned pos = 0;
  unsigned neg = 0;

  occurrence_reft first_occurrence;
  occurrence_reft last_occurrence;

  // -1: no unit clause; 0: a unit clause holds the positive literal;
  // 1: it holds the negated one.
  signed char constraint = -1;

  // First prefix record of this variable in the variable queue.
  unsigned first_queue_record = none;
};

// Per-variable records, found by variable number. Variables get dense
// indexes in the order they are first met, so large or scattered variable
// numbers cost no more than small ones.
class variable_tablet
{
public:
  // The index of the variable's record, created when absent.
  unsigned index(unsigned var_no);

  // The index of the variable's record, or variable_datat::none.
  unsigned find(unsigned var_no) const;

  variable_datat &operator[](unsigned index)
  {
    return records[index];
  }

  const variable_datat &operator[](unsigned index) const
  {
    return records[index];
  }

  variable_datat &at_var(unsigned var_no)
  {
    return records[index(var_no)];
  }

  std::size_t size() const
  {
    return records.size();
  }

  void clear();

private:
  // Variable numbers below this limit are found through a flat vector.
  static constexpr unsigned dense_limit = 1u << 22;

  std::vector<variable_datat> records;
  std::vector<unsigned> dense_index;
  std::unordered_map<unsigned, unsigned> sparse_index;
};

#endif

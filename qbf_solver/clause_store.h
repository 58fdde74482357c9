#ifndef MORVANE_QBF_SOLVER_CLAUSE_STORE_H
#define MORVANE_QBF_SOLVER_CLAUSE_STORE_H

#include "qbf_solver/clause.h"
#include "qbf_solver/variable_table.h"

#include <memory>
#include <vector>

// The stored clauses of the solver. A stored clause is named by a number
// that stays valid while it is stored. Two indexes are kept up to date:
// - a hash index over the clause hash, for finding an equal clause;
// - per variable, the list of occurrences in the order the clauses were
//   stored, doubly linked through the clauses themselves, so a clause
//   leaves every list in constant time per literal and the order stays.
class clause_storet
{
public:
  static constexpr unsigned none = 0xFFFFFFFFu;

  explicit clause_storet(variable_tablet &_variables) : variables(_variables)
  {
  }

  clause_storet(const clause_storet &) = delete;
  clause_storet &operator=(const clause_storet &) = delete;

  // A stored clause with the given hash that equals `literals`, or none.
  unsigned find(const bvt &literals, unsigned hash) const;

  // Stores a copy of `clause` and appends each of its literals (once per
  // repetition) to the occurrence list of its variable.
  unsigned insert(const clauset &clause, unsigned hash);

  // Takes the clause out of the occurrence lists only.
  void unlink_occurrences(unsigned ref);

  // Drops the clause from the store; it must be out of the occurrence lists.
  void erase(unsigned ref);

  const clauset &clause(unsigned ref) const
  {
    return records[ref].clause;
  }

  std::size_t size() const
  {
    return stored_count;
  }

  bool empty() const
  {
    return stored_count == 0;
  }

  // The next occurrence in the list of the same variable.
  occurrence_reft next_occurrence(occurrence_reft occurrence) const
  {
    return records[occurrence.clause].links[occurrence.slot].next;
  }

  // Forgets every clause; the variable records must be cleared as well.
  void clear();

private:
  struct linkt
  {
    occurrence_reft previous;
    occurrence_reft next;
    unsigned variable_index;
  };

  struct recordt
  {
    clauset clause;
    std::unique_ptr<linkt[]> links;
    unsigned hash = 0;
    unsigned next_in_bucket = none;
    bool linked = false;
  };

  variable_tablet &variables;
  std::vector<recordt> records;
  std::vector<unsigned> free_records;
  std::vector<unsigned> buckets;
  std::size_t stored_count = 0;

  unsigned bucket_of(unsigned hash) const;
  void grow_buckets();
  void link_occurrence(unsigned ref, unsigned slot, unsigned variable_index);
  linkt &link_at(occurrence_reft occurrence)
  {
    return records[occurrence.clause].links[occurrence.slot];
  }
};

#endif

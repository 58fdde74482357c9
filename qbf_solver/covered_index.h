#ifndef MORVANE_QBF_SOLVER_COVERED_INDEX_H
#define MORVANE_QBF_SOLVER_COVERED_INDEX_H

#include "propositional/literal.h"

#include <utility>
#include <vector>

// Literal sets seen so far, kept in a trie over their sorted literals, to
// answer "is one of them a subset of this set?". A query walks only the
// paths whose literals all lie in the queried set. A set that already has a
// subset stored adds nothing to the answers and is not stored.
class covered_indext
{
public:
  // `set` sorted and without repeats, as literal_set gives it.
  bool has_subset_of(const bvt &set) const;

  // Stores the set unless a subset of it is stored; answers whether one
  // was (the answer of has_subset_of before the insertion).
  bool insert(const bvt &set);

private:
  struct nodet
  {
    bool terminal = false;
    // Sorted by literal word.
    std::vector<std::pair<unsigned, unsigned>> children;
  };

  std::vector<nodet> nodes{nodet()};
  // Kept between queries to spare the allocation.
  mutable std::vector<std::pair<unsigned, std::size_t>> query_stack;
};

#endif

#ifndef MORVANE_QBF_SOLVER_COVERED_INDEX_H
#define MORVANE_QBF_SOLVER_COVERED_INDEX_H

#include "propositional/literal.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

// Literal sets seen so far, indexed so that the question "is one of them a
// subset of this set?" looks only at sets whose smallest literal lies in
// the queried set, and rejects most of those by a 64-bit signature.
class covered_indext
{
public:
  // `set` sorted and without repeats, as literal_set gives it.
  bool has_subset_of(const bvt &set) const;
  void insert(const bvt &set);

private:
  struct entryt
  {
    bvt set;
    std::uint64_t signature;
  };

  std::vector<entryt> entries;
  std::unordered_map<unsigned, std::vector<unsigned>> by_smallest_literal;
  bool has_empty = false;

  static std::uint64_t signature(const bvt &set);
};

#endif

#ifndef MORVANE_QBF_SOLVER_LITERAL_SET_INDEX_H
#define MORVANE_QBF_SOLVER_LITERAL_SET_INDEX_H

#include <cstdint>
#include <unordered_map>

// Positions of clauses in some list, found by a hash of their literal set
// (literal_set_hash). Callers confirm a candidate with their own equality.
class literal_set_indext
{
public:
  void insert(std::uint64_t key, unsigned position)
  {
    index.emplace(key, position);
  }

  // Calls `visit` with each position stored under `key`, in no particular
  // order, until it returns true; answers whether one did.
  template <class visitt>
  bool any_of(std::uint64_t key, visitt visit) const
  {
    const auto range = index.equal_range(key);
    for(auto it = range.first; it != range.second; ++it)
      if(visit(it->second))
        return true;
    return false;
  }

private:
  std::unordered_multimap<std::uint64_t, unsigned> index;
};

#endif

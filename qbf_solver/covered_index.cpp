#include "qbf_solver/covered_index.h"

#include <algorithm>

std::uint64_t covered_indext::signature(const bvt &set)
{
  std::uint64_t result = 0;
  for(const literalt l : set)
    result |= std::uint64_t(1) << ((l.get() * 0x9E3779B1u) >> 26);
  return result;
}

bool covered_indext::has_subset_of(const bvt &set) const
{
  if(has_empty)
    return true;
  const std::uint64_t set_signature = signature(set);
  for(const literalt l : set)
  {
    const auto bucket = by_smallest_literal.find(l.get());
    if(bucket == by_smallest_literal.end())
      continue;
    for(const unsigned i : bucket->second)
    {
      const entryt &entry = entries[i];
      if(
        (entry.signature & ~set_signature) == 0 &&
        entry.set.size() <= set.size() &&
        std::includes(set.begin(), set.end(), entry.set.begin(), entry.set.end()))
        return true;
    }
  }
  return false;
}

void covered_indext::insert(const bvt &set)
{
  if(set.empty())
  {
    has_empty = true;
    return;
  }
  by_smallest_literal[set.front().get()].push_back(entries.size());
  entries.push_back({set, signature(set)});
}

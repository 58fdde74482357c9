#ifndef MORVANE_QBF_SOLVER_LITERAL_SET_INDEX_H
#define MORVANE_QBF_SOLVER_LITERAL_SET_INDEX_H

#include <cstdint>
#include <vector>

// Positions of clauses in some list, found by a hash of their literal set
// (literal_set_hash). Callers confirm a candidate with their own equality.
// One flat table with linear probing: no allocation per entry.
class literal_set_indext
{
public:
  void insert(std::uint64_t key, unsigned position)
  {
    if(2 * (count + 1) > slots.size())
      grow();
    place({key, position});
    ++count;
  }

  // Calls `visit` with each position stored under `key`, in no particular
  // order, until it returns true; answers whether one did.
  template <class visitt>
  bool any_of(std::uint64_t key, visitt visit) const
  {
    if(slots.empty())
      return false;
    const std::size_t mask = slots.size() - 1;
    for(std::size_t i = home(key); slots[i].position != empty;
        i = (i + 1) & mask)
      if(slots[i].key == key && visit(slots[i].position))
        return true;
    return false;
  }

private:
  static constexpr unsigned empty = 0xFFFFFFFFu;

  struct slott
  {
    std::uint64_t key;
    unsigned position;
  };

  std::vector<slott> slots;
  std::size_t count = 0;

  std::size_t home(std::uint64_t key) const
  {
    return std::size_t(key >> 20) & (slots.size() - 1);
  }

  void place(const slott &slot)
  {
    const std::size_t mask = slots.size() - 1;
    std::size_t i = home(slot.key);
    while(slots[i].position != empty)
      i = (i + 1) & mask;
    slots[i] = slot;
  }

  void grow()
  {
    std::vector<slott> old(slots.empty() ? 16 : 2 * slots.size(), {0, empty});
    old.swap(slots);
    for(const slott &slot : old)
      if(slot.position != empty)
        place(slot);
  }
};

#endif

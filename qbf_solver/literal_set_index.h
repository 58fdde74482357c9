#ifndef MORVANE_QBF_SOLVER_LITERAL_SET_INDEX_H
#define MORVANE_QBF_SOLVER_LITERAL_SET_INDEX_H

#include <cstdint>
#include <vector>

// Positions of clauses in some list, found by a hash of their literal set
// (literal_set_hash). Callers confirm a candidate with their own equality.
// One flat table with linear probing, eight bytes a slot: the key is folded
// to 32 bits, which pick the home slot and are kept to filter candidates.
class literal_set_indext
{
public:
  void insert(std::uint64_t key, unsigned position)
  {
    if(2 * (count + 1) > slots.size())
      grow();
    place({fingerprint(key), position});
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
    const unsigned print = fingerprint(key);
    for(std::size_t i = print & mask; slots[i].position != empty;
        i = (i + 1) & mask)
      if(slots[i].fingerprint == print && visit(slots[i].position))
        return true;
    return false;
  }

private:
  static constexpr unsigned empty = 0xFFFFFFFFu;

  struct slott
  {
    unsigned fingerprint;
    unsigned position;
  };

  std::vector<slott> slots;
  std::size_t count = 0;

  static unsigned fingerprint(std::uint64_t key)
  {
    return unsigned(key ^ (key >> 32));
  }

  void place(const slott &slot)
  {
    const std::size_t mask = slots.size() - 1;
    std::size_t i = slot.fingerprint & mask;
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

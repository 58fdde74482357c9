#ifndef MORVANE_UTIL_NUMBERING_H
#define MORVANE_UTIL_NUMBERING_H

// Gives each distinct value a consecutive number from 0, in order of first
// appearance; indexing with a number gives the value back. Values are
// looked up in an ordered map (for trees: the tree order, which ignores
// comments), so numbering costs one map lookup.

#include "util/invariant.h"

#include <map>
#include <vector>

template <class T>
class numbering : public std::vector<T>
{
public:
  std::map<T, unsigned> numbers;

  // The value's number, appending the value when it is new.
  unsigned number(const T &value)
  {
    auto inserted =
      numbers.insert({value, static_cast<unsigned>(this->size())});
    if(inserted.second)
      this->push_back(value);
    INVARIANT(this->size()==numbers.size());
    return inserted.first->second;
  }

  // Empties the sequence and the map together.
  void clear()
  {
    std::vector<T>::clear();
    numbers.clear();
  }
};

#endif

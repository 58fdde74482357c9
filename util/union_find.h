#ifndef MORVANE_UTIL_UNION_FIND_H
#define MORVANE_UTIL_UNION_FIND_H

// Equivalence classes. `unsigned_union_find` partitions the numbers
// 0 ... size()-1 and grows on demand; numbers at or beyond the size are
// classes of their own. Classes are joined by size (on a tie the second
// argument's class joins the first's) and found by following parent links
// without compressing them. `union_find<T>` numbers the values of a type
// consecutively (`numbering<T>`) and partitions the numbers.
//
// Costs: find walks the parent links, whose length union by size bounds by
// the logarithm of the class size; get_other, re_root and isolate may scan
// every number; intersection costs one find per number.

#include "util/invariant.h"
#include "util/numbering.h"

#include <vector>

class unsigned_union_find
{
public:
  struct nodet
  {
    // Number of elements in the class; kept at the class's root.
    unsigned count = 1;
    // The next element towards the root; meaningful for non-roots only.
    unsigned parent = 0;
    bool is_root = true;
  };

  std::vector<nodet> nodes;

  unsigned size() const
  {
    return static_cast<unsigned>(nodes.size());
  }

  // Grows to `size` nodes, each a class of its own; never shrinks.
  void resize(unsigned size);

  // Empties the partition.
  void clear()
  {
    nodes.clear();
  }

  // The root of a's class; a itself when a is beyond the size.
  unsigned find(unsigned a) const;

  // Joins the classes of a and b, growing to cover both.
  void make_union(unsigned a, unsigned b);

  // The smallest element of a's class other than its root; the class must
  // have at least two elements.
  unsigned get_other(unsigned a);

  // Makes new_root, another element of old's class, the root of that class.
  void re_root(unsigned old, unsigned new_root);

  // Takes a out of its class; the other elements stay together, one fewer.
  void isolate(unsigned a);

  // Keeps an element joined with its class's root only where the other
  // partition joins the two as well.
  void intersection(const unsigned_union_find &other);

private:
  void grow_to_cover(unsigned a)
  {
    if(a >= size())
      resize(a + 1);
  }
};

template <class T>
class union_find : public numbering<T>
{
public:
  unsigned_union_find uuf;

  // The value's number, numbering it (as a class of its own) when new.
  unsigned number(const T &value)
  {
    const unsigned n = numbering<T>::number(value);
    if(n >= uuf.size())
      uuf.resize(static_cast<unsigned>(this->size()));
    INVARIANT(uuf.size()==this->size());
    return n;
  }

  // The number of the root of n's class.
  unsigned find_number(unsigned n) const
  {
    n = uuf.find(n);
    INVARIANT(n<this->size());
    return n;
  }

  // The value that represents n's class.
  const T &find(unsigned n) const
  {
    return (*this)[find_number(n)];
  }

  // Numbers both values and joins their classes.
  void make_union(const T &a, const T &b)
  {
    const unsigned na = number(a);
    const unsigned nb = number(b);
    uuf.make_union(na, nb);
  }

  // Empties the numbering and the partition together.
  void clear()
  {
    numbering<T>::clear();
    uuf.clear();
  }
};

#endif

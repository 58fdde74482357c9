#ifndef MORVANE_SAT_PROOFSAT_GLOBAL_H
#define MORVANE_SAT_PROOFSAT_GLOBAL_H

// The engine's own allocation functions and growable array. Storage comes
// from the C allocator so that arrays of clause pointers and literals can be
// resized in place; elements are constructed and destroyed explicitly, so a
// vec of vecs owns its inner storage.

#include "util/invariant.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>
#include <utility>

// The bytes of n elements; a count whose bytes size_t cannot hold fails
// like an allocation, rather than wrapping to a small request.
template <class T>
std::size_t byte_count(std::size_t size)
{
  if(size > std::numeric_limits<std::size_t>::max() / sizeof(T))
    throw std::bad_alloc();
  return size * sizeof(T);
}

// Allocates n elements' worth of raw storage; throws std::bad_alloc when
// the allocator has nothing left, so that the owner of the engine can give
// an error answer.
template <class T>
T *xmalloc(std::size_t size)
{
  T *tmp = static_cast<T *>(std::malloc(byte_count<T>(size)));
  if(size != 0 && tmp == nullptr)
    throw std::bad_alloc();
  return tmp;
}

// Resizes ptr (null allocates) to n elements; throws std::bad_alloc on
// failure, leaving ptr as it was.
template <class T>
T *xrealloc(T *ptr, std::size_t size)
{
  T *tmp = static_cast<T *>(
    std::realloc(static_cast<void *>(ptr), byte_count<T>(size)));
  if(size != 0 && tmp == nullptr)
    throw std::bad_alloc();
  return tmp;
}

// Stops the program when a call that cannot fail in a consistent engine
// reports failure.
inline void check(bool expr)
{
  INVARIANT(expr);
}

// The capacity that a vec of capacity `cap` grows to so that it holds
// min_cap elements: max(min_cap, 2) from nothing, otherwise (c * 3 + 1) >> 1
// as often as needed, but at most 2^31 - 2: a vec holds fewer than 2^31 - 1
// elements, so its size plus one is always an int. Throws std::bad_alloc,
// as a failed allocation does, when min_cap is above that bound.
inline int grown_capacity(int cap, int min_cap)
{
  // In 64 bits, as the last step may pass 2^31.
  const std::int64_t largest = std::numeric_limits<int>::max() - 1;
  std::int64_t new_cap = cap;
  if(new_cap == 0)
    new_cap = min_cap >= 2 ? min_cap : 2;
  else
    do
      new_cap = (new_cap * 3 + 1) >> 1;
    while(new_cap < min_cap);
  if(min_cap > largest)
    throw std::bad_alloc();
  return static_cast<int>(new_cap < largest ? new_cap : largest);
}

// A growable array: capacity 0 or at least 2, grown by about 1.5 each time
// ((c * 3 + 1) >> 1), so repeated push gives capacities 2, 3, 5, 8, 12, ...
// Holds fewer than 2^31 - 1 elements. Indexing is unchecked.
template <class T>
class vec
{
  T *data;
  int sz;
  int cap;

public:
  vec() : data(nullptr), sz(0), cap(0)
  {
  }
  // Copies are explicit (copyTo), so none is made by accident.
  vec(const vec &) = delete;
  vec &operator=(const vec &) = delete;
  vec(vec &&other) : data(other.data), sz(other.sz), cap(other.cap)
  {
    other.data = nullptr;
    other.sz = other.cap = 0;
  }
  vec &operator=(vec &&other)
  {
    if(this != &other)
    {
      reset(true);
      std::swap(data, other.data);
      std::swap(sz, other.sz);
      std::swap(cap, other.cap);
    }
    return *this;
  }
  ~vec()
  {
    reset(true);
  }

  int size() const
  {
    return sz;
  }
  int capacity() const
  {
    return cap;
  }
  T &operator[](int index)
  {
    return data[index];
  }
  const T &operator[](int index) const
  {
    return data[index];
  }
  T &last()
  {
    return data[sz - 1];
  }
  const T &last() const
  {
    return data[sz - 1];
  }
  T *begin()
  {
    return data;
  }
  T *end()
  {
    return data + sz;
  }
  const T *begin() const
  {
    return data;
  }
  const T *end() const
  {
    return data + sz;
  }

  void push()
  {
    if(sz == cap)
      reserve_capacity(sz + 1);
    new(&data[sz]) T();
    sz++;
  }
  void push(const T &elem)
  {
    if(sz == cap)
    {
      // elem may live in this vec: copy it before the storage moves.
      T copy(elem);
      reserve_capacity(sz + 1);
      new(&data[sz]) T(std::move(copy));
    }
    else
      new(&data[sz]) T(elem);
    sz++;
  }
  void pop()
  {
    sz--;
    data[sz].~T();
  }

  // Removes the last nelems elements; nelems <= 0 changes nothing.
  void shrink(int nelems)
  {
    INVARIANT(nelems <= sz);
    for(int i = 0; i < nelems; i++)
      pop();
  }

  // When the storage cannot grow, throws std::bad_alloc and leaves the vec
  // as it was.
  void reserve_capacity(int min_cap)
  {
    if(cap >= min_cap)
      return;
    const int new_cap = grown_capacity(cap, min_cap);
    data = xrealloc(data, new_cap);
    cap = new_cap;
  }

  void grow_filled(int size, const T &pad)
  {
    if(sz >= size)
      return;
    reserve_capacity(size);
    for(int i = sz; i < size; i++)
      new(&data[i]) T(pad);
    sz = size;
  }
  void grow_filled(int size)
  {
    if(sz >= size)
      return;
    reserve_capacity(size);
    for(int i = sz; i < size; i++)
      new(&data[i]) T();
    sz = size;
  }

  // Destroys every element; with free_storage also gives the storage back.
  void reset(bool free_storage = true)
  {
    if(data == nullptr)
      return;
    for(int i = 0; i < sz; i++)
      data[i].~T();
    sz = 0;
    if(free_storage)
    {
      std::free(static_cast<void *>(data));
      data = nullptr;
      cap = 0;
    }
  }

  void copyTo(vec<T> &copy) const
  {
    copy.reset(false);
    copy.reserve_capacity(sz);
    for(int i = 0; i < sz; i++)
      new(&copy.data[i]) T(data[i]);
    copy.sz = sz;
  }
};

#endif

#ifndef MORVANE_SAT_PROOFSAT_SORT_H
#define MORVANE_SAT_PROOFSAT_SORT_H

// A quicksort whose pivot comes from a seeded generator, so that every run
// sorts the same input the same way; ranges of 15 elements or fewer go to a
// selection sort.

#include "sat/proofsat/Global.h"

// The seed every top-level sort and the variable order start from.
const double initial_random_seed = 91648253.0;

// A fraction in [0, 1) from a multiplicative generator; advances seed.
inline double drand(double &seed)
{
  seed *= 1389796;
  int q = int(seed / 2147483647);
  seed -= double(q) * 2147483647;
  return seed / 2147483647;
}

// A number in [0, size) drawn from seed.
inline int irand(double &seed, int size)
{
  return int(drand(seed) * size);
}

template <class T, class LessThan>
void selection_sort(T *array, int size, LessThan lt)
{
  for(int i = 0; i < size - 1; i++)
  {
    int best = i;
    for(int j = i + 1; j < size; j++)
      if(lt(array[j], array[best]))
        best = j;
    std::swap(array[i], array[best]);
  }
}

// Sorts array[0 .. size-1] ascending under lt (a strict comes-first order).
template <class T, class LessThan>
void random_pivot_sort(T *array, int size, LessThan lt, double &seed)
{
  if(size <= 15)
  {
    selection_sort(array, size, lt);
    return;
  }
  T pivot = array[irand(seed, size)];
  int i = -1;
  int j = size;
  for(;;)
  {
    do
      i++;
    while(lt(array[i], pivot));
    do
      j--;
    while(lt(pivot, array[j]));
    if(i >= j)
      break;
    std::swap(array[i], array[j]);
  }
  random_pivot_sort(array, i, lt, seed);
  random_pivot_sort(&array[i], size - i, lt, seed);
}

template <class T, class LessThan>
void random_pivot_sort(vec<T> &v, LessThan lt)
{
  double seed = initial_random_seed;
  random_pivot_sort(v.begin(), v.size(), lt, seed);
}

template <class T>
struct LessThan_default
{
  bool operator()(const T &x, const T &y) const
  {
    return x < y;
  }
};

// Sorts v by < and keeps the first element of every run of equal values.
template <class T>
void sort_unique(vec<T> &v)
{
  random_pivot_sort(v, LessThan_default<T>());
  if(v.size() == 0)
    return;
  int j = 1;
  for(int i = 1; i < v.size(); i++)
    if(v[j - 1] < v[i])
      v[j++] = v[i];
  v.shrink(v.size() - j);
}

#endif

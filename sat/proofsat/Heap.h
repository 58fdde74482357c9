#ifndef MORVANE_SAT_PROOFSAT_HEAP_H
#define MORVANE_SAT_PROOFSAT_HEAP_H

// A binary heap of small non-negative integers with an index from element
// to slot, so that membership, key increases and removal of the top cost
// O(1) or O(log n). Slot 0 holds a dummy; the top sits in slot 1. Elements
// that compare equal never swap, so of two equal keys the one that got its
// slot first stays nearer the top.

#include "sat/proofsat/Global.h"

template <class C>
class Heap
{
public:
  C comp;
  vec<int> heap;
  vec<int> indices;

  explicit Heap(C c) : comp(c)
  {
    heap.push(-1);
  }

  // Admits the element numbers 0 .. size-1.
  void setBounds(int size)
  {
    INVARIANT(size >= 0);
    indices.grow_filled(size, 0);
  }

  bool inHeap(int n) const
  {
    INVARIANT(ok(n));
    return indices[n] != 0;
  }

  // Restores the order after n's key grew.
  void increase(int n)
  {
    INVARIANT(ok(n));
    INVARIANT(inHeap(n));
    percolateUp(indices[n]);
  }

  void insert(int n)
  {
    INVARIANT(ok(n));
    indices[n] = heap.size();
    heap.push(n);
    percolateUp(indices[n]);
  }

  bool empty() const
  {
    return heap.size() == 1;
  }

  // Removes and answers the top; the heap must not be empty.
  int take_top()
  {
    int r = heap[1];
    heap[1] = heap.last();
    indices[heap[1]] = 1;
    indices[r] = 0;
    heap.pop();
    if(heap.size() > 1)
      percolateDown(1);
    return r;
  }

private:
  bool ok(int n) const
  {
    return n >= 0 && n < indices.size();
  }

  static int left(int i)
  {
    return i + i;
  }
  static int right(int i)
  {
    return i + i + 1;
  }
  static int parent(int i)
  {
    return i >> 1;
  }

  void percolateUp(int i)
  {
    int x = heap[i];
    while(parent(i) != 0 && comp(x, heap[parent(i)]))
    {
      heap[i] = heap[parent(i)];
      indices[heap[i]] = i;
      i = parent(i);
    }
    heap[i] = x;
    indices[x] = i;
  }

  void percolateDown(int i)
  {
    int x = heap[i];
    while(left(i) < heap.size())
    {
      int child = right(i) < heap.size() && comp(heap[right(i)], heap[left(i)])
                    ? right(i)
                    : left(i);
      if(!comp(heap[child], x))
        break;
      heap[i] = heap[child];
      indices[heap[i]] = i;
      i = child;
    }
    heap[i] = x;
    indices[x] = i;
  }
};

#endif

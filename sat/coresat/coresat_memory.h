#ifndef MORVANE_SAT_CORESAT_CORESAT_MEMORY_H
#define MORVANE_SAT_CORESAT_CORESAT_MEMORY_H

#include <cstddef>
#include <cstdio>

// Counted memory: every block of the engine comes from here and is given
// back with the size it was allocated with, so the engine can report its
// current and peak use (the counters live in the engine state). A failed
// allocation throws std::bad_alloc, as the language's own allocation does.

// A zero-filled block.
void *coresat_new(std::size_t bytes);
// Null is ignored.
void coresat_delete(void *block, std::size_t bytes);
// Null behaves as coresat_new(new_bytes); a grown part is zero-filled.
void *coresat_resize(void *block, std::size_t old_bytes, std::size_t new_bytes);
unsigned coresat_max_bytes();
unsigned coresat_current_bytes();
void coresat_reset_memory_stats();

// n ints followed by a 0.
int *coresat_copy_ints(const int *ints, int n);
// Gives back a 0-terminated int array; null is ignored.
void coresat_delete_ints(int *ints);
char *coresat_strdup(const char *text);
void coresat_delete_string(char *text);

// The engine's clock: constant, so its time figures are reproducible (every
// printed time reads 0.00, a time limit of 0 is reached at once and a
// positive one never).
double coresat_time_stamp();
// The formatted message, then " in %.2f seconds\n" with the time since
// start, then a flush.
void coresat_report_time(
  double start, std::FILE *stream, const char *format, ...)
  __attribute__((format(printf, 3, 4)));

// A growable array of counted memory: (begin, end, limit), all null when
// empty, doubling its capacity when full. Plain data, so that it lives in
// zero-filled records and is moved by copying bytes.
template <typename T>
struct coresat_stack
{
  T *begin;
  T *end;
  T *limit;

  int size() const
  {
    return int(end - begin);
  }
  bool empty() const
  {
    return end == begin;
  }
  T &operator[](int i) const
  {
    return begin[i];
  }
  T &top() const
  {
    return end[-1];
  }

  void push(const T &value)
  {
    if(end == limit)
      grow();
    *end++ = value;
  }
  T pop()
  {
    return *--end;
  }
  void clear()
  {
    end = begin;
  }
  void shrink(int new_size)
  {
    end = begin + new_size;
  }
  void release()
  {
    coresat_delete(begin, std::size_t(limit - begin) * sizeof(T));
    begin = end = limit = nullptr;
  }

private:
  void grow()
  {
    std::size_t count = std::size_t(limit - begin);
    std::size_t new_count = count ? 2 * count : 2;
    std::size_t used = std::size_t(end - begin);
    begin = static_cast<T *>(
      coresat_resize(begin, count * sizeof(T), new_count * sizeof(T)));
    end = begin + used;
    limit = begin + new_count;
  }
};

#endif

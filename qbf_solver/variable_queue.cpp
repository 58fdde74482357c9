#include "qbf_solver/variable_queue.h"

#include "util/invariant.h"

bool variable_queuet::before(unsigned a, unsigned b) const
{
  const variable_datat &va = variables[entries[a].variable_index];
  const variable_datat &vb = variables[entries[b].variable_index];
  const unsigned long long score_a = 0ull + va.pos + va.neg;
  const unsigned long long score_b = 0ull + vb.pos + vb.neg;
  if(score_a != score_b)
    return score_a < score_b;
  return a < b;
}

void variable_queuet::place(unsigned position, unsigned entry)
{
  heap[position] = entry;
  entries[entry].heap_position = position;
}

void variable_queuet::sift_up(unsigned position)
{
  const unsigned entry = heap[position];
  while(position > 0)
  {
    const unsigned parent = (position - 1) / 2;
    if(!before(entry, heap[parent]))
      break;
    place(position, heap[parent]);
    position = parent;
  }
  place(position, entry);
}

void variable_queuet::sift_down(unsigned position)
{
  const unsigned entry = heap[position];
  const unsigned size = heap.size();
  while(true)
  {
    unsigned child = 2 * position + 1;
    if(child >= size)
      break;
    if(child + 1 < size && before(heap[child + 1], heap[child]))
      ++child;
    if(!before(heap[child], entry))
      break;
    place(position, heap[child]);
    position = child;
  }
  place(position, entry);
}

void variable_queuet::push(recordt record, unsigned variable_index)
{
  const unsigned entry = entries.size();
  variable_datat &variable = variables[variable_index];
  entries.push_back({record, variable_index, 0, variable.first_queue_record});
  variable.first_queue_record = entry;
  heap.push_back(entry);
  sift_up(heap.size() - 1);
}

variable_queuet::recordt variable_queuet::pop()
{
  INVARIANT(!heap.empty());
  const unsigned entry = heap.front();
  const unsigned last = heap.back();
  heap.pop_back();
  if(!heap.empty())
  {
    place(0, last);
    sift_down(0);
  }

  // Unchain the entry from its variable's records.
  unsigned *link = &variables[entries[entry].variable_index].first_queue_record;
  while(*link != entry)
    link = &entries[*link].next_same_variable;
  *link = entries[entry].next_same_variable;

  return entries[entry].record;
}

void variable_queuet::score_changed(unsigned variable_index)
{
  for(unsigned entry = variables[variable_index].first_queue_record;
      entry != variable_datat::none;
      entry = entries[entry].next_same_variable)
  {
    const unsigned position = entries[entry].heap_position;
    sift_up(position);
    sift_down(entries[entry].heap_position);
  }
}

void variable_queuet::clear()
{
  for(const unsigned entry : heap)
    variables[entries[entry].variable_index].first_queue_record =
      variable_datat::none;
  heap.clear();
  entries.clear();
}

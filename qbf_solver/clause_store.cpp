#include "qbf_solver/clause_store.h"

#include "util/invariant.h"

unsigned clause_storet::bucket_of(unsigned hash) const
{
  // The clause hash keeps little entropy in its low bits; mix it first.
  return unsigned((hash * 0x9E3779B97F4A7C15ull) >> 32) & (buckets.size() - 1);
}

unsigned clause_storet::find(const bvt &literals, unsigned hash) const
{
  if(buckets.empty())
    return none;
  for(unsigned ref = buckets[bucket_of(hash)]; ref != none;
      ref = records[ref].next_in_bucket)
  {
    const recordt &record = records[ref];
    if(record.hash == hash && clauses_equal(record.clause.literals, literals))
      return ref;
  }
  return none;
}

void clause_storet::grow_buckets()
{
  std::vector<unsigned> old_heads;
  old_heads.swap(buckets);
  buckets.assign(old_heads.empty() ? 128 : 2 * old_heads.size(), none);
  for(unsigned head : old_heads)
  {
    while(head != none)
    {
      recordt &record = records[head];
      const unsigned next = record.next_in_bucket;
      unsigned &bucket = buckets[bucket_of(record.hash)];
      record.next_in_bucket = bucket;
      bucket = head;
      head = next;
    }
  }
}

void clause_storet::link_occurrence(
  unsigned ref,
  unsigned slot,
  unsigned variable_index)
{
  const occurrence_reft here{ref, slot};
  linkt &link = records[ref].links[slot];
  link.variable_index = variable_index;
  link.next = occurrence_reft();

  variable_datat &variable = variables[variable_index];
  link.previous = variable.last_occurrence;
  if(variable.last_occurrence.is_none())
    variable.first_occurrence = here;
  else
    link_at(variable.last_occurrence).next = here;
  variable.last_occurrence = here;
}

unsigned clause_storet::insert(const clauset &clause, unsigned hash)
{
  if(stored_count + 1 > buckets.size())
    grow_buckets();

  unsigned ref;
  if(free_records.empty())
  {
    ref = records.size();
    records.emplace_back();
  }
  else
  {
    ref = free_records.back();
    free_records.pop_back();
  }

  recordt &record = records[ref];
  record.clause = clause;
  record.hash = hash;
  const std::size_t length = clause.literals.size();
  record.links.reset(length == 0 ? nullptr : new linkt[length]);
  unsigned &bucket = buckets[bucket_of(hash)];
  record.next_in_bucket = bucket;
  bucket = ref;
  ++stored_count;

  for(unsigned slot = 0; slot < length; ++slot)
  {
    const unsigned index = variables.index(clause.literals[slot].var_no());
    link_occurrence(ref, slot, index);
  }
  records[ref].linked = true;
  return ref;
}

void clause_storet::unlink_occurrences(unsigned ref)
{
  recordt &record = records[ref];
  if(!record.linked)
    return;
  record.linked = false;
  const std::size_t length = record.clause.literals.size();
  for(unsigned slot = 0; slot < length; ++slot)
  {
    const linkt &link = record.links[slot];
    variable_datat &variable = variables[link.variable_index];
    if(link.previous.is_none())
      variable.first_occurrence = link.next;
    else
      link_at(link.previous).next = link.next;
    if(link.next.is_none())
      variable.last_occurrence = link.previous;
    else
      link_at(link.next).previous = link.previous;
  }
}

void clause_storet::erase(unsigned ref)
{
  recordt &record = records[ref];
  INVARIANT(!record.linked);

  unsigned *pointer = &buckets[bucket_of(record.hash)];
  while(*pointer != ref)
  {
    INVARIANT(*pointer != none);
    pointer = &records[*pointer].next_in_bucket;
  }
  *pointer = record.next_in_bucket;

  record.clause = clauset();
  record.links.reset();
  record.next_in_bucket = none;
  free_records.push_back(ref);
  --stored_count;
}

void clause_storet::clear()
{
  records.clear();
  free_records.clear();
  buckets.clear();
  stored_count = 0;
}

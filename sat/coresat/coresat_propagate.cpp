#include "sat/coresat/coresat_propagate.h"

#include "sat/coresat/coresat_analyze.h"
#include "sat/coresat/coresat_clause.h"
#include "sat/coresat/coresat_heap.h"

namespace
{
// The unit clause of the one unassigned literal of a level-0 reason, derived
// from that reason and the unit reasons of its false literals.
coresat_clause *derive_unit_reason(coresat_clause *reason)
{
  coresat_add_antecedent(reason);
  const int *lits = coresat_literals(reason);
  for(int i = 0; i < reason->size; ++i)
  {
    if(coresat.vals[lits[i]])
    {
      coresat_clause *unit = coresat_var_of(lits[i])->reason;
      if(unit)
        coresat_add_antecedent(unit);
    }
    else
      coresat.literal_buffer.push(lits[i]);
  }
  coresat_clause *unit = coresat_add_derived_clause(0);
  coresat_discard_clause(reason);
  return unit;
}

void conflict(coresat_clause *c)
{
  ++coresat.conflicts;
  coresat.conflict_clause = c;
}

// The clause's watch at position `pos` has become false: moves the first
// literal of positions 2 ... size-1 that is not false there and watches it.
// False when every such literal is false.
bool replace_watch(coresat_clause *c, int pos)
{
  int *lits = coresat_literals(c);
  for(int i = 2; i < c->size; ++i)
  {
    if(coresat.vals[lits[i]] >= 0)
    {
      int t = lits[pos];
      lits[pos] = lits[i];
      lits[i] = t;
      coresat_lit_of(lits[pos])->watch_list.push(c->idx);
      return true;
    }
  }
  return false;
}
} // namespace

void coresat_queue(coresat_clause *reason, int lit)
{
  coresat.propagation_queue.push(coresat_implication{reason, lit});
}

void coresat_assign(int lit, coresat_clause *reason)
{
  if(coresat.decision_level == 0 && reason && reason->size > 1)
    reason = derive_unit_reason(reason);
  --coresat.unassigned_vars;
  coresat.vals[lit] = 1;
  coresat.vals[-lit] = -1;
  coresat_var *var = coresat_var_of(lit);
  var->reason = reason;
  var->level = coresat.decision_level;
  if(reason)
    reason->flags |= coresat_clause_locked;
  if(coresat.decision_level == 0)
    ++coresat.fixed_count;
  coresat.assignment_trail.push(lit);
}

void coresat_propagate_literal(int lit)
{
  coresat_stack<int> &list = coresat_lit_of(lit)->watch_list;
  const signed char *vals = coresat.vals;
  int read = 0;
  int write = 0;
  int size = list.size();
  while(read < size)
  {
    int entry = list[read++];
    if(coresat.conflict_clause)
    {
      list[write++] = entry;
      continue;
    }
    if(entry < 0)
    {
      int other = list[read++];
      list[write++] = entry;
      list[write++] = other;
      if(vals[other] > 0)
        continue;
      coresat_clause *c = coresat.clause_table[-entry];
      if(vals[other] < 0)
        conflict(c);
      else
        coresat_queue(c, other);
      continue;
    }
    coresat_clause *c = coresat.clause_table[entry];
    const int *lits = coresat_literals(c);
    int w0 = vals[lits[0]];
    if(w0 > 0)
    {
      list[write++] = entry;
      continue;
    }
    int pos;
    if(w0 < 0)
    {
      int w1 = vals[lits[1]];
      if(w1 > 0)
      {
        list[write++] = entry;
        continue;
      }
      if(w1 < 0)
      {
        list[write++] = entry;
        conflict(c);
        continue;
      }
      pos = 0;
    }
    else
      pos = 1; // lit is the watch at position 1
    if(!replace_watch(c, pos))
    {
      list[write++] = entry;
      coresat_queue(c, lits[1 - pos]);
    }
  }
  list.shrink(write);
}

void coresat_propagate()
{
  coresat_stack<coresat_implication> &q = coresat.propagation_queue;
  while(!coresat.conflict_clause && coresat.queue_head < q.size())
  {
    coresat_implication next = q[coresat.queue_head++];
    int value = coresat.vals[next.lit];
    if(value == 0)
    {
      coresat_assign(next.lit, next.reason);
      coresat_propagate_literal(-next.lit);
    }
    else if(value < 0)
      conflict(next.reason);
  }
  q.clear();
  coresat.queue_head = 0;
}

void coresat_backtrack(int level)
{
  coresat_stack<int> &trail = coresat.assignment_trail;
  while(!trail.empty() && coresat_var_of(trail.top())->level != level)
  {
    int lit = trail.pop();
    coresat_var *var = coresat_var_of(lit);
    if(var->reason)
      var->reason->flags &= ~coresat_clause_locked;
    coresat.vals[lit] = 0;
    coresat.vals[-lit] = 0;
    if(var->heap_pos < 0)
      coresat_heap_push(coresat_abs(lit));
    ++coresat.unassigned_vars;
  }
}

#include "sat/coresat/coresat.h"

#include "sat/coresat/coresat_clause.h"
#include "sat/coresat/coresat_entry.h"
#include "sat/coresat/coresat_state.h"

#include <climits>

int coresat_add(int lit)
{
  if(lit == INT_MIN)
    return -1;
  coresat_init();
  coresat_add_literal(lit);
  coresat_leave();
  return 0;
}

int coresat_deref(int lit)
{
  if(lit == INT_MIN)
    return 0;
  coresat_init();
  int value = coresat_abs(lit) > coresat.max_var ? 0 : coresat.vals[lit];
  coresat_leave();
  return value;
}

void coresat_reset()
{
  coresat.decision_heap.release();
  coresat.assignment_trail.release();
  coresat.propagation_queue.release();
  coresat.work_stack.release();
  coresat.seen_vars.release();
  coresat.antecedent_buffer.release();
  coresat.unit_clauses.release();
  coresat.reduce_buffer.release();
  coresat.sort_stack.release();
  coresat.literal_buffer.release();
  coresat_stack<coresat_clause *> &table = coresat.clause_table;
  for(int i = 0; i < table.size(); ++i)
    if(table[i])
      coresat_delete(table[i], coresat_clause_bytes(table[i]));
  table.release();
  int size = coresat.size_vars;
  if(coresat.lits)
  {
    for(int lit = -coresat.max_var; lit <= coresat.max_var; ++lit)
      coresat_lit_of(lit)->watch_list.release();
    coresat_delete(
      coresat.lits - size, sizeof(coresat_lit) * (2 * std::size_t(size) + 1));
    coresat_delete(coresat.vals - size, 2 * std::size_t(size) + 1);
    coresat_delete(coresat.vars, sizeof(coresat_var) * (std::size_t(size) + 1));
  }
  coresat_reset_memory_stats();
  int nesting = coresat.nesting;
  coresat = coresat_state();
  coresat.nesting = nesting;
}

#include "sat/coresat/coresat_trace.h"

#include "sat/coresat/coresat.h"
#include "sat/coresat/coresat_entry.h"

#include <climits>

coresat_stack<int> coresat_core_clauses()
{
  coresat_stack<int> core = {};
  if(!coresat.empty_clause)
    return core;
  coresat_stack<int> stack = {};
  stack.push(coresat.empty_clause->idx);
  while(!stack.empty())
  {
    int id = stack.pop();
    coresat_clause *c = coresat.clause_table[id < 0 ? -id : id];
    if(c->flags & coresat_clause_core_mark)
      continue;
    c->flags |= coresat_clause_core_mark;
    core.push(c->idx);
    if(
      c->flags & coresat_clause_original ||
      !(c->trace_flags & coresat_trace_antecedents))
      continue;
    for(const int *a = coresat_antecedents(c); *a; ++a)
      stack.push(*a);
  }
  stack.release();
  return core;
}

void coresat_mark_core_variables()
{
  coresat_stack<int> core = coresat_core_clauses();
  for(int i = 0; i < core.size(); ++i)
  {
    coresat_clause *c = coresat.clause_table[core[i]];
    const int *lits = coresat_literals(c);
    for(int j = 0; j < c->size; ++j)
      coresat_var_of(lits[j])->flags |= coresat_var_core;
  }
  core.release();
  coresat.core_computed = 1;
}

int coresat_var_in_core(int v)
{
  if(v == INT_MIN)
    return 0;
  coresat_init();
  if(!coresat.core_computed)
    coresat_mark_core_variables();
  int v_abs = v < 0 ? -v : v;
  int in_core =
    v_abs <= coresat.max_var && (coresat.vars[v_abs].flags & coresat_var_core)
      ? 1
      : 0;
  coresat_leave();
  return in_core;
}

void coresat_print_resolution_trace(std::FILE *stream)
{
  coresat_init();
  coresat_stack<int> core = coresat_core_clauses();
  for(int i = core.size() - 1; i >= 0; --i)
  {
    coresat_clause *c = coresat.clause_table[core[i]];
    std::fprintf(stream, "%d", c->idx);
    const int *lits = coresat_literals(c);
    for(int j = 0; j < c->size; ++j)
      std::fprintf(stream, " %d", lits[j]);
    std::fputs(" 0", stream);
    if(!(c->flags & coresat_clause_original))
    {
      if(c->trace_flags & coresat_trace_antecedents)
        for(const int *a = coresat_antecedents(c); *a; ++a)
          std::fprintf(stream, " %d", *a);
    }
    std::fputs(" 0\n", stream);
  }
  core.release();
  coresat_leave();
}

int coresat_print_variable_core(std::FILE *stream)
{
  coresat_init();
  std::fprintf(
    stream,
    "c printing variable core with maximal variable index %d\n",
    coresat.max_var);
  int count = 0;
  for(int v = 1; v <= coresat.max_var; ++v)
  {
    if(coresat_var_in_core(v))
    {
      std::fprintf(stream, "%d\n", v);
      ++count;
    }
  }
  coresat_leave();
  return count;
}

#include "sat/coresat/coresat_collect.h"

#include "sat/coresat/coresat_analyze.h"
#include "sat/coresat/coresat_clause.h"
#include "sat/coresat/coresat_state.h"

#include <algorithm>

namespace
{
bool is_live(const coresat_clause *c)
{
  return c && !(c->flags & (coresat_clause_garbage | coresat_clause_collected));
}

bool has_value(coresat_clause *c, int value)
{
  const int *lits = coresat_literals(c);
  for(int i = 0; i < c->size; ++i)
    if(coresat.vals[lits[i]] == value)
      return true;
  return false;
}

// Lower score first, then older.
bool less_active(int a, int b)
{
  int c = coresat_score_cmp(
    coresat.clause_table[a]->score, coresat.clause_table[b]->score);
  if(c)
    return c < 0;
  return a < b;
}
} // namespace

void coresat_collect_garbage(void (*callback)(int n))
{
  ++coresat.collections;
  for(int lit = -coresat.max_var; lit <= coresat.max_var; ++lit)
    if(lit)
      coresat_lit_of(lit)->watch_list.release();
  coresat.unit_clauses.clear();
  coresat.empty_clause = nullptr;

  coresat_stack<coresat_clause *> &table = coresat.clause_table;
  int n = table.size();
  callback(n);

  for(int i = 0; i < table.size(); ++i)
  {
    coresat_clause *c = table[i];
    if(
      !c || (c->flags & coresat_clause_collected) ||
      !(c->flags & coresat_clause_garbage))
      continue;
    c->flags = (c->flags & ~coresat_clause_garbage) | coresat_clause_collected;
    if(coresat.trace || c->size <= 1)
      continue;
    table[i] = nullptr;
    ++coresat.collected_clauses;
    coresat.collected_literals += std::uint64_t(c->size);
    coresat_delete(c, coresat_clause_bytes(c));
  }
  for(int i = 1; i < n; ++i)
    if(table[i] && !(table[i]->flags & coresat_clause_collected))
      coresat_place_clause(table[i]);
}

void coresat_simplify_clauses(int n)
{
  coresat_stack<coresat_clause *> &table = coresat.clause_table;
  for(int i = 0; i < table.size(); ++i)
    if(is_live(table[i]) && has_value(table[i], 1))
      coresat_discard_clause(table[i]);

  for(int i = 1; i < n; ++i)
  {
    coresat_clause *c = table[i];
    if(!is_live(c) || !has_value(c, -1))
      continue;
    coresat_add_antecedent(c);
    const int *lits = coresat_literals(c);
    for(int j = 0; j < c->size; ++j)
    {
      if(coresat.vals[lits[j]] < 0)
        coresat_add_antecedent(coresat_var_of(lits[j])->reason);
      else
        coresat.literal_buffer.push(lits[j]);
    }
    coresat_add_derived_clause(0);
    coresat_discard_clause(c);
  }
}

void coresat_mark_reducible_clauses(int n)
{
  coresat_stack<int> &buffer = coresat.reduce_buffer;
  for(int i = 1; i < n; ++i)
  {
    // A clause already marked (by level-0 fixing) is going anyway; marking
    // it twice would take its literals out of the counts twice.
    coresat_clause *c = coresat.clause_table[i];
    if(is_live(c) && (c->flags & coresat_clause_learned))
      buffer.push(i);
  }
  std::sort(buffer.begin, buffer.end, less_active);
  int half = buffer.size() / 2;
  for(int i = 0; i < half; ++i)
  {
    coresat_clause *c = coresat.clause_table[buffer[i]];
    if(!(c->flags & coresat_clause_locked) && c->size > 2)
      coresat_discard_clause(c);
  }
  buffer.clear();
}

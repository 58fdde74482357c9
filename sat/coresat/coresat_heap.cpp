#include "sat/coresat/coresat_heap.h"

#include "sat/coresat/coresat_propagate.h"

namespace
{
int larger(int a, int b)
{
  return a > b ? a : b;
}

int cmp_int(int a, int b)
{
  return a < b ? -1 : a > b ? 1 : 0;
}

int max_occurrences(int v)
{
  return larger(
    coresat_lit_of(v)->occurrences, coresat_lit_of(-v)->occurrences);
}

int max_binary_occurrences(int v)
{
  return larger(
    coresat_lit_of(v)->binary_occurrences,
    coresat_lit_of(-v)->binary_occurrences);
}

void place(int v, int p)
{
  coresat.decision_heap[p] = v;
  coresat.vars[v].heap_pos = p;
}

void sift_up(int p)
{
  int v = coresat.decision_heap[p];
  while(p >= 1)
  {
    int parent = p / 2;
    int above = coresat.decision_heap[parent];
    if(coresat_cmp_heap(above, v) >= 0)
      break;
    place(above, p);
    p = parent;
  }
  place(v, p);
}

void sift_down(int p)
{
  coresat_stack<int> &heap = coresat.decision_heap;
  int size = heap.size();
  for(int c = 2 * p; c < size; c = 2 * p)
  {
    int child;
    if(coresat_cmp_heap(heap[p], heap[c]) < 0)
      child =
        c + 1 < size && coresat_cmp_heap(heap[c + 1], heap[c]) > 0 ? c + 1 : c;
    else if(c + 1 < size && coresat_cmp_heap(heap[c + 1], heap[p]) > 0)
      child = c + 1; // also the root's only child: at p = 0, c is p itself
    else
      break;
    int v = heap[p];
    place(heap[child], p);
    place(v, child);
    p = child;
  }
}

// Scales the scores of every used variable by 2^-100.
void rescale_variable_scores()
{
  for(int v = 1; v <= coresat.max_var; ++v)
    if(coresat.vars[v].flags & coresat_var_used)
      coresat.vars[v].score = coresat_score_shift(coresat.vars[v].score, -100);
}

// Scales the scores of every learned clause by 2^-100.
void rescale_clause_scores()
{
  coresat_stack<coresat_clause *> &table = coresat.clause_table;
  for(int i = 0; i < table.size(); ++i)
    if(table[i] && (table[i]->flags & coresat_clause_learned))
      table[i]->score = coresat_score_shift(table[i]->score, -100);
}

// score + inc; on overflow inc and every score of its kind shrink by 2^100
// and the sum is taken again.
score_number bumped(score_number &score, score_number &inc, void (*rescale)())
{
  score_number s = coresat_score_add(score, inc);
  if(!coresat_score_is_infinity(s))
    return s;
  inc = coresat_score_shift(inc, -100);
  rescale();
  return coresat_score_add(score, inc);
}

void grow_increment(score_number &inc, int shift, void (*rescale)())
{
  score_number grown = coresat_score_add(inc, coresat_score_shift(inc, shift));
  if(!coresat_score_is_infinity(grown))
  {
    inc = grown;
    return;
  }
  inc = coresat_score_shift(inc, -100);
  rescale();
}
} // namespace

int coresat_cmp_heap(int a, int b)
{
  int c = coresat_score_cmp(coresat.vars[a].score, coresat.vars[b].score);
  if(c)
    return c;
  c = cmp_int(max_occurrences(a), max_occurrences(b));
  if(c)
    return c;
  c = cmp_int(max_binary_occurrences(a), max_binary_occurrences(b));
  if(c)
    return c;
  return cmp_int(a, b);
}

void coresat_heap_push(int v)
{
  coresat.vars[v].heap_pos = coresat.decision_heap.size();
  coresat.decision_heap.push(v);
  sift_up(coresat.vars[v].heap_pos);
}

int coresat_heap_remove(int p)
{
  coresat_stack<int> &heap = coresat.decision_heap;
  int v = heap[p];
  int last = heap.size() - 1;
  if(p != last)
  {
    place(heap[last], p);
    place(v, last);
  }
  heap.pop();
  coresat.vars[v].heap_pos = -1;
  if(p != last)
  {
    sift_up(p);
    sift_down(p);
  }
  return v;
}

void coresat_bump_variable_score(int lit)
{
  if(coresat.no_bump)
    return;
  coresat_var *var = coresat_var_of(lit);
  var->score =
    bumped(var->score, coresat.var_score_inc, rescale_variable_scores);
  if(var->heap_pos > 0)
    sift_up(var->heap_pos);
}

void coresat_bump_clause_score(coresat_clause *c)
{
  if(coresat.no_bump || !(c->flags & coresat_clause_learned))
    return;
  c->score = bumped(c->score, coresat.clause_score_inc, rescale_clause_scores);
}

void coresat_grow_score_increments()
{
  if(coresat.no_bump)
    return;
  grow_increment(coresat.var_score_inc, -4, rescale_variable_scores);
  grow_increment(coresat.clause_score_inc, -10, rescale_clause_scores);
}

std::uint32_t coresat_rng_step(std::uint32_t state)
{
  return state * 1664525u + 1013904223u;
}

void coresat_decide()
{
  ++coresat.decisions;
  unsigned k = (coresat.rng_state >> 13) & 63;
  coresat.rng_state = coresat_rng_step(coresat.rng_state);
  int v;
  do
  {
    if(coresat.decision_heap.empty())
      return;
    int p = 0;
    if(k == 1)
    {
      p = int(coresat.rng_state % unsigned(coresat.decision_heap.size()));
      coresat.rng_state = coresat_rng_step(coresat.rng_state);
    }
    v = coresat_heap_remove(p);
  } while(coresat.vals[v]);

  int pos = coresat_lit_of(v)->occurrences;
  int neg = coresat_lit_of(-v)->occurrences;
  int pos_binary = coresat_lit_of(v)->binary_occurrences;
  int neg_binary = coresat_lit_of(-v)->binary_occurrences;
  int lit;
  if(pos != neg)
    lit = pos > neg ? v : -v;
  else if(pos_binary != neg_binary)
    lit = pos_binary < neg_binary ? v : -v;
  else
  {
    lit = (coresat.rng_state >> 15) & 1 ? -v : v;
    coresat.rng_state = coresat_rng_step(coresat.rng_state);
  }
  ++coresat.decision_level;
  coresat_queue(nullptr, lit);
}

#include "sat/coresat/coresat_clause.h"

#include "sat/coresat/coresat_analyze.h"
#include "sat/coresat/coresat_heap.h"
#include "sat/coresat/coresat_propagate.h"

#include <climits>
#include <cstring>

coresat_clause *coresat_new_clause(int original, int learned)
{
  int size = coresat.literal_buffer.size();
  int antecedents = coresat.trace ? coresat.antecedent_buffer.size() : 0;
  std::size_t ints = std::size_t(size);
  if(antecedents)
    ints += std::size_t(antecedents) + 1;
  coresat_clause *c = static_cast<coresat_clause *>(
    coresat_new(sizeof(coresat_clause) + sizeof(int) * ints));
  c->size = size;
  if(original)
    c->flags = coresat_clause_original;
  else
    c->flags = learned ? coresat_clause_learned : coresat_clause_derived;
  if(coresat.clause_table.empty())
    coresat.clause_table.push(nullptr);
  c->idx = coresat.clause_table.size();
  coresat.clause_table.push(c);
  coresat_count_clause_stats(c, size);
  return c;
}

int coresat_cmp_watch_literals(int a, int b)
{
  int va = coresat.vals[a];
  int vb = coresat.vals[b];
  if(va != vb)
    return va > vb ? 1 : -1;
  int la = coresat_var_of(a)->level;
  int lb = coresat_var_of(b)->level;
  if(la != lb)
  {
    // A true literal of lower level stays true longer; a false or
    // unassigned one of higher level is undone sooner.
    if(va > 0)
      return la < lb ? 1 : -1;
    return la > lb ? 1 : -1;
  }
  int ia = coresat_abs(a);
  int ib = coresat_abs(b);
  if(ia != ib)
    return ia < ib ? 1 : -1;
  return 0;
}

namespace
{
// Swaps the best watch among positions from ... size-1 into position from.
void move_best_watch(int *lits, int size, int from)
{
  int best = from;
  for(int i = from + 1; i < size; ++i)
    if(coresat_cmp_watch_literals(lits[i], lits[best]) >= 0)
      best = i;
  int t = lits[from];
  lits[from] = lits[best];
  lits[best] = t;
}
} // namespace

void coresat_connect_clause(coresat_clause *c)
{
  int *lits = coresat_literals(c);
  move_best_watch(lits, c->size, 0);
  move_best_watch(lits, c->size, 1);
  if(c->size == 2)
  {
    coresat_stack<int> &first = coresat_lit_of(lits[0])->watch_list;
    first.push(-c->idx);
    first.push(lits[1]);
    coresat_stack<int> &second = coresat_lit_of(lits[1])->watch_list;
    second.push(-c->idx);
    second.push(lits[0]);
  }
  else
  {
    coresat_lit_of(lits[0])->watch_list.push(c->idx);
    coresat_lit_of(lits[1])->watch_list.push(c->idx);
  }
}

namespace
{
void count_stats(coresat_clause_stats &stats, int delta)
{
  if(delta >= 0)
  {
    ++stats.added_clauses;
    stats.added_literals += std::uint64_t(delta);
    ++stats.current_clauses;
    stats.current_literals += delta;
    if(stats.current_clauses > stats.max_clauses)
      stats.max_clauses = stats.current_clauses;
    if(stats.current_literals > stats.max_literals)
      stats.max_literals = stats.current_literals;
  }
  else
  {
    ++stats.removed_clauses;
    stats.removed_literals += std::uint64_t(-std::int64_t(delta));
    --stats.current_clauses;
    stats.current_literals += delta;
  }
}
} // namespace

void coresat_count_clause_stats(coresat_clause *c, int delta)
{
  if(c->flags & coresat_clause_original)
    count_stats(coresat.stats_original, delta);
  else if(c->flags & coresat_clause_learned)
    count_stats(coresat.stats_learned, delta);
  else
    count_stats(coresat.stats_derived, delta);
  count_stats(coresat.stats_all, delta);
}

void coresat_count_occurrences(coresat_clause *c, int delta)
{
  const int *lits = coresat_literals(c);
  for(int i = 0; i < c->size; ++i)
  {
    coresat_lit *l = coresat_lit_of(lits[i]);
    l->occurrences += delta;
    if(c->size == 2)
      l->binary_occurrences += delta;
  }
}

void coresat_place_clause(coresat_clause *c)
{
  if(c->size == 0)
  {
    if(!coresat.empty_clause)
      coresat.empty_clause = c;
  }
  else if(c->size == 1)
    coresat.unit_clauses.push(c);
  else
    coresat_connect_clause(c);
}

void coresat_discard_clause(coresat_clause *c)
{
  c->flags |= coresat_clause_garbage;
  coresat_count_occurrences(c, -1);
  coresat_count_clause_stats(c, -c->size);
}

void coresat_add_antecedent(coresat_clause *c)
{
  if(c->flags & coresat_clause_antecedent)
    return;
  c->flags |= coresat_clause_antecedent;
  coresat.antecedent_buffer.push(c->idx);
}

namespace
{
// Relocates a signed-literal array of old_size variables (middle pointer
// `middle`) into one of new_size variables, keeping -max_var ... max_var.
template <typename T>
T *grow_literal_array(T *middle, int old_size, int new_size)
{
  T *fresh =
    static_cast<T *>(coresat_new(sizeof(T) * (2 * std::size_t(new_size) + 1))) +
    new_size;
  if(middle)
  {
    int m = coresat.max_var;
    std::memcpy(
      static_cast<void *>(fresh - m),
      middle - m,
      sizeof(T) * (2 * std::size_t(m) + 1));
    coresat_delete(
      middle - old_size, sizeof(T) * (2 * std::size_t(old_size) + 1));
  }
  return fresh;
}

void grow_vars(int v)
{
  int old_size = coresat.size_vars;
  int new_size = coresat_grown_size(old_size, v);
  coresat.lits = grow_literal_array(coresat.lits, old_size, new_size);
  coresat.vars = static_cast<coresat_var *>(coresat_resize(
    coresat.vars,
    sizeof(coresat_var) * (std::size_t(old_size) + 1),
    sizeof(coresat_var) * (std::size_t(new_size) + 1)));
  coresat.vals = grow_literal_array(coresat.vals, old_size, new_size);
  coresat.size_vars = new_size;
}

void use_variable(int v)
{
  if(v > coresat.size_vars)
    grow_vars(v);
  if(v > coresat.max_var)
    coresat.max_var = v;
  coresat_var *var = coresat.vars + v;
  if(var->flags & coresat_var_used)
    return;
  var->flags |= coresat_var_used;
  // At the end of the heap without sifting: its score is still zero.
  var->heap_pos = coresat.decision_heap.size();
  coresat.decision_heap.push(v);
  ++coresat.used_vars;
  ++coresat.unassigned_vars;
}

// Marks each variable with the polarity it occurs in; true when some
// variable occurs in both. Leaves the marks at 0.
bool is_tautology()
{
  coresat_stack<int> &buffer = coresat.literal_buffer;
  bool tautology = false;
  for(int i = 0; i < buffer.size() && !tautology; ++i)
  {
    int lit = buffer[i];
    int polarity = lit < 0 ? -1 : 1;
    coresat_var *var = coresat_var_of(lit);
    if(var->mark == -polarity)
      tautology = true;
    var->mark = polarity;
  }
  for(int i = 0; i < buffer.size(); ++i)
    coresat_var_of(buffer[i])->mark = 0;
  return tautology;
}

void remove_duplicates()
{
  coresat_stack<int> &buffer = coresat.literal_buffer;
  int kept = 0;
  for(int i = 0; i < buffer.size(); ++i)
  {
    coresat_var *var = coresat_var_of(buffer[i]);
    if(var->mark)
      continue;
    var->mark = 1;
    buffer[kept++] = buffer[i];
  }
  buffer.shrink(kept);
  for(int i = 0; i < kept; ++i)
    coresat_var_of(buffer[i])->mark = 0;
}

// A clause false under the current assignment: jump back to the
// second-highest level among its literals, so that it can become unit. A
// clause false at level 0 is never visited by propagation again: it is a
// conflict there, analysed at once into the empty clause.
void backtrack_if_false(coresat_clause *c)
{
  const int *lits = coresat_literals(c);
  int highest = -1;
  for(int i = 0; i < c->size; ++i)
  {
    if(coresat.vals[lits[i]] >= 0)
      return;
    int level = coresat_var_of(lits[i])->level;
    if(level > highest)
      highest = level;
  }
  if(highest == 0)
  {
    coresat_backtrack(0);
    coresat.decision_level = 0;
    coresat.conflict_clause = c;
    coresat_analyze();
    return;
  }
  int below = 0;
  for(int i = 0; i < c->size; ++i)
  {
    int level = coresat_var_of(lits[i])->level;
    if(level < highest && level > below)
      below = level;
  }
  if(coresat.decision_level != below)
  {
    coresat_backtrack(below);
    coresat.decision_level = below;
  }
  coresat.conflict_clause = nullptr;
}
} // namespace

int coresat_grown_size(int size, int v)
{
  // Doubling past half the int range would overflow (and never end).
  if(size > INT_MAX / 2)
    return v;
  int new_size = size ? 2 * size : 2;
  while(new_size < v)
    new_size = new_size > INT_MAX / 2 ? v : 2 * new_size;
  return new_size;
}

void coresat_add_literal(int lit)
{
  if(lit)
  {
    use_variable(coresat_abs(lit));
    coresat.literal_buffer.push(lit);
    return;
  }
  if(is_tautology())
  {
    coresat.literal_buffer.clear();
    return;
  }
  remove_duplicates();
  coresat_clause *c = coresat_new_clause(1, 0);
  int *lits = coresat_literals(c);
  for(int i = 0; i < c->size; ++i)
  {
    lits[i] = coresat.literal_buffer[i];
    coresat_bump_variable_score(lits[i]);
  }
  coresat.literal_buffer.clear();
  coresat_place_clause(c);
  coresat_count_occurrences(c, 1);
  coresat_bump_clause_score(c);
  if(c->size > 0)
    backtrack_if_false(c);
}

#include "sat/coresat/coresat_analyze.h"

#include "sat/coresat/coresat_clause.h"
#include "sat/coresat/coresat_entry.h"
#include "sat/coresat/coresat_heap.h"
#include "sat/coresat/coresat_propagate.h"

#include <algorithm>

namespace
{
void push_literals(coresat_clause *c)
{
  const int *lits = coresat_literals(c);
  for(int i = 0; i < c->size; ++i)
    coresat.work_stack.push(lits[i]);
}

void clear_seen_marks(int from)
{
  coresat_stack<coresat_var *> &seen = coresat.seen_vars;
  for(int i = from; i < seen.size(); ++i)
    seen[i]->mark = 0;
  seen.shrink(from);
}

// Takes the clauses listed since position `from` off the antecedent list.
void clear_antecedents(int from)
{
  coresat_stack<int> &buffer = coresat.antecedent_buffer;
  for(int i = from; i < buffer.size(); ++i)
    coresat.clause_table[buffer[i]]->flags &= ~coresat_clause_antecedent;
  buffer.shrink(from);
}

// Collects the negations of the decisions in the conflict's implication
// cone, listing every clause of the cone; false, with literal_buffer
// holding two of them, when there are more than two.
bool analyze_decisions()
{
  push_literals(coresat.conflict_clause);
  coresat_add_antecedent(coresat.conflict_clause);
  bool complete = true;
  while(!coresat.work_stack.empty())
  {
    int lit = coresat.work_stack.pop();
    coresat_var *var = coresat_var_of(lit);
    if(var->mark)
      continue;
    var->mark = 1;
    coresat.seen_vars.push(var);
    if(var->reason)
    {
      coresat_add_antecedent(var->reason);
      push_literals(var->reason);
    }
    else if(coresat.literal_buffer.size() == 2)
    {
      complete = false;
      break;
    }
    else
      coresat.literal_buffer.push(lit);
  }
  clear_seen_marks(0);
  coresat.work_stack.clear();
  return complete;
}

// Marks the variable of a false literal met by the first-UIP walk: lower
// levels go to the clause, the current level is counted as pending.
void visit_literal(int lit, int &pending)
{
  coresat_var *var = coresat_var_of(lit);
  if(var->mark)
    return;
  var->mark = 1;
  if(var->level < coresat.decision_level)
    coresat.literal_buffer.push(lit);
  else
    ++pending;
}

void analyze_first_uip()
{
  coresat.literal_buffer.clear();
  clear_antecedents(0);
  coresat_clause *c = coresat.conflict_clause;
  coresat_add_antecedent(c);
  int pending = 0;
  const int *lits = coresat_literals(c);
  for(int i = 0; i < c->size; ++i)
    visit_literal(lits[i], pending);

  coresat_stack<int> &trail = coresat.assignment_trail;
  int i = trail.size();
  int uip;
  for(;;)
  {
    uip = trail[--i];
    coresat_var *var = coresat_var_of(uip);
    if(!var->mark)
      continue;
    if(pending == 1)
      break;
    coresat_clause *reason = var->reason;
    const int *reason_lits = coresat_literals(reason);
    for(int j = 0; j < reason->size; ++j)
      visit_literal(reason_lits[j], pending);
    coresat_add_antecedent(reason);
    --pending;
  }
  coresat.literal_buffer.push(-uip);
  for(; i < trail.size(); ++i)
    coresat_var_of(trail[i])->mark = 0;
}

// Whether every literal of reason r follows from the marked variables
// through implications of the current level; the variables traversed are
// marked and their reasons listed.
bool implied_by_marked(coresat_clause *r)
{
  const int *lits = coresat_literals(r);
  for(int i = 0; i < r->size; ++i)
  {
    coresat.work_stack.push(lits[i]);
    while(!coresat.work_stack.empty())
    {
      coresat_var *var = coresat_var_of(coresat.work_stack.pop());
      if(var->mark)
        continue;
      if(var->level < coresat.decision_level || !var->reason)
        return false;
      var->mark = 1;
      coresat.seen_vars.push(var);
      coresat_add_antecedent(var->reason);
      push_literals(var->reason);
    }
  }
  return true;
}

void minimize()
{
  coresat_stack<int> &clause = coresat.literal_buffer;
  for(int i = 0; i < clause.size(); ++i)
    coresat_var_of(clause[i])->mark = coresat_mark_kept;
  for(int i = 0; i < clause.size(); ++i)
  {
    // The UIP literal, the only one of the current level, stays: without
    // it the clause would assert nothing after the jump. (It can only look
    // redundant when a clause added late implied it from lower levels.)
    coresat_var *x = coresat_var_of(clause[i]);
    coresat_clause *r = x->reason;
    if(!r || x->level == coresat.decision_level)
      continue;
    int seen_size = coresat.seen_vars.size();
    int antecedent_size = coresat.antecedent_buffer.size();
    if(implied_by_marked(r))
    {
      x->mark = -1;
      coresat_add_antecedent(r);
    }
    else
    {
      coresat.work_stack.clear();
      clear_antecedents(antecedent_size);
      clear_seen_marks(seen_size);
    }
  }
  int kept = 0;
  for(int i = 0; i < clause.size(); ++i)
  {
    coresat_var *var = coresat_var_of(clause[i]);
    if(var->mark > 0)
      clause[kept++] = clause[i];
    var->mark = 0;
  }
  clause.shrink(kept);
  clear_seen_marks(0);
}

void report_progress()
{
  if(++coresat.conflicts_since_report < 1000)
    return;
  if(coresat.verbose > 1)
  {
    if(coresat.reports == 0)
      std::fputs("c   seconds   MB\n", coresat.output);
    coresat_update_seconds();
    std::fprintf(
      coresat.output,
      "c %8.2f %6.1f\n",
      coresat.seconds,
      coresat.current_bytes / double(1 << 20));
  }
  ++coresat.reports;
  coresat.conflicts_since_report = 0;
}

// Higher level first, then the smaller literal.
bool derived_order(int a, int b)
{
  int la = coresat_var_of(a)->level;
  int lb = coresat_var_of(b)->level;
  if(la != lb)
    return la > lb;
  return a < b;
}
} // namespace

void coresat_analyze()
{
  if(!analyze_decisions())
  {
    analyze_first_uip();
    minimize();
  }
  coresat_grow_score_increments();
  coresat_clause *c = coresat_add_derived_clause(1);
  coresat.conflict_clause = nullptr;
  int target = 0;
  if(c->size > 0)
  {
    const int *lits = coresat_literals(c);
    // Sorted: lits[0] has the highest level, the first literal of a lower
    // level gives the level to jump back to.
    int highest = coresat_var_of(lits[0])->level;
    for(int i = 1; i < c->size && !target; ++i)
      if(coresat_var_of(lits[i])->level < highest)
        target = coresat_var_of(lits[i])->level;
  }
  coresat_backtrack(target);
  coresat.decision_level = target;
  if(c->size > 0)
    coresat_queue(c, coresat_literals(c)[0]);
  report_progress();
}

coresat_clause *coresat_add_derived_clause(int learned)
{
  coresat_clause *c = coresat_new_clause(0, learned);
  int *lits = coresat_literals(c);
  for(int i = 0; i < c->size; ++i)
  {
    lits[i] = coresat.literal_buffer[i];
    coresat_bump_variable_score(lits[i]);
  }
  coresat.literal_buffer.clear();
  std::sort(lits, lits + c->size, derived_order);

  coresat_stack<int> &antecedents = coresat.antecedent_buffer;
  // coresat_new_clause made room for the list only when it is not empty.
  if(coresat.trace && !antecedents.empty())
  {
    c->trace_flags |= coresat_trace_antecedents;
    int *list = coresat_antecedents(c);
    for(int i = 0; i < antecedents.size(); ++i)
    {
      list[i] = antecedents[i];
      ++coresat.clause_table[antecedents[i]]->references;
    }
    list[antecedents.size()] = 0;
  }
  for(int i = 0; i < antecedents.size(); ++i)
    coresat_bump_clause_score(coresat.clause_table[antecedents[i]]);
  clear_antecedents(0);

  coresat_place_clause(c);
  coresat_count_occurrences(c, 1);
  coresat_bump_clause_score(c);
  return c;
}

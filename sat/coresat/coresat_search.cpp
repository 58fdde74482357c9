#include "sat/coresat/coresat.h"

#include "sat/coresat/coresat_analyze.h"
#include "sat/coresat/coresat_collect.h"
#include "sat/coresat/coresat_entry.h"
#include "sat/coresat/coresat_heap.h"
#include "sat/coresat/coresat_propagate.h"
#include "sat/coresat/coresat_state.h"

#include <algorithm>

namespace
{
void backtrack_to_top()
{
  coresat.conflict_clause = nullptr;
  coresat_backtrack(0);
  coresat.decision_level = 0;
}

// Simplification needs level 0: above it, clauses satisfied only by the
// search would go, reasons among them. A later call can find the engine
// standing above level 0 where the first call finds it at 0.
void simplify_if_fixed()
{
  if(coresat.fixed_count == coresat.simplified_at || coresat.decision_level)
    return;
  coresat.simplified_at = coresat.fixed_count;
  coresat_collect_garbage(coresat_simplify_clauses);
  // A clause added after its other literals were fixed false is unit at
  // level 0 without having been propagated there; shortening makes it a
  // unit clause, which must be assigned now, or a decision could falsify
  // it unseen.
  bool queued = false;
  for(int i = 0; i < coresat.unit_clauses.size(); ++i)
  {
    coresat_clause *u = coresat.unit_clauses[i];
    if(!coresat.vals[coresat_literals(u)[0]])
    {
      coresat_queue(u, coresat_literals(u)[0]);
      queued = true;
    }
  }
  if(!queued)
    return;
  coresat_propagate();
  if(coresat.conflict_clause)
    coresat_analyze();
}

// A unit clause whose literal is not fixed true at level 0: one added since
// the last call.
bool has_unfixed_unit()
{
  for(int i = 0; i < coresat.unit_clauses.size(); ++i)
  {
    int lit = coresat_literals(coresat.unit_clauses[i])[0];
    if(coresat.vals[lit] <= 0 || coresat_var_of(lit)->level != 0)
      return true;
  }
  return false;
}

// Propagates the unit clauses; false on a conflict.
bool propagate_units()
{
  if(coresat.unit_clauses.empty())
    return true;
  // New units belong to level 0: a search standing above it would undo
  // them on a later backtrack.
  if(coresat.decision_level != 0 && has_unfixed_unit())
    backtrack_to_top();
  for(int i = 0; i < coresat.unit_clauses.size(); ++i)
  {
    coresat_clause *u = coresat.unit_clauses[i];
    coresat_queue(u, coresat_literals(u)[0]);
  }
  coresat_propagate();
  if(coresat.conflict_clause)
  {
    coresat_analyze();
    return false;
  }
  simplify_if_fixed();
  return !coresat.empty_clause;
}

int binary_count(int v)
{
  return coresat_lit_of(v)->binary_occurrences +
         coresat_lit_of(-v)->binary_occurrences;
}

int occurrence_count(int v)
{
  return coresat_lit_of(v)->occurrences + coresat_lit_of(-v)->occurrences;
}

// More binary occurrences first, then fewer occurrences, then the smaller
// index.
bool probe_order(int a, int b)
{
  if(binary_count(a) != binary_count(b))
    return binary_count(a) > binary_count(b);
  if(occurrence_count(a) != occurrence_count(b))
    return occurrence_count(a) < occurrence_count(b);
  return a < b;
}

// Tries lit as a decision; a failed literal makes its negation a level-0
// unit. Literals implied without conflict get the stamp cur. False when the
// variable's probing should stop.
bool probe(int lit, int *stamps, int &cur)
{
  ++coresat.decision_level;
  coresat_queue(nullptr, lit);
  coresat_propagate();
  if(!coresat.conflict_clause)
  {
    coresat_stack<int> &trail = coresat.assignment_trail;
    for(int i = trail.size() - 1;
        i >= 0 && coresat_var_of(trail[i])->level != 0;
        --i)
      stamps[trail[i]] = cur;
    backtrack_to_top();
    return true;
  }
  ++cur;
  coresat_analyze();
  coresat_propagate();
  if(!coresat.conflict_clause)
    return true;
  coresat_analyze();
  return false;
}

void probe_pass(coresat_stack<int> &candidates, int *stamps, int &cur)
{
  for(int i = 0; i < candidates.size(); ++i)
  {
    stamps[candidates[i]] = -1;
    stamps[-candidates[i]] = -1;
  }
  int kept = 0;
  for(int i = 0; i < candidates.size() && !coresat.empty_clause; ++i)
  {
    int v = candidates[i];
    int first = coresat_lit_of(v)->binary_occurrences <
                    coresat_lit_of(-v)->binary_occurrences
                  ? v
                  : -v;
    for(int lit : {first, -first})
    {
      if(coresat.vals[v])
        break;
      if(stamps[lit] == cur)
        continue;
      if(!probe(lit, stamps, cur))
        break;
    }
    if(!coresat.vals[v])
      candidates[kept++] = v;
  }
  candidates.shrink(kept);
}

// Failed-literal probing over the variables of binary clauses; returns the
// number of assignments it produced.
int probe_failed_literals()
{
  double t0 = coresat_time_stamp();
  int u0 = coresat.unassigned_vars;
  coresat_stack<int> candidates = {};
  for(int i = 0; i < coresat.decision_heap.size(); ++i)
    if(binary_count(coresat.decision_heap[i]) > 0)
      candidates.push(coresat.decision_heap[i]);
  std::sort(candidates.begin, candidates.end, probe_order);
  // Probes are decisions above level 0: a search left standing above it (by
  // a limit) is taken back first, as the first probe would do anyway.
  if(
    !candidates.empty() && coresat.unassigned_vars > 0 &&
    coresat.decision_level)
    backtrack_to_top();
  std::size_t stamp_count = 2 * std::size_t(coresat.max_var) + 1;
  int *stamp_block = static_cast<int *>(coresat_new(sizeof(int) * stamp_count));
  int *stamps = stamp_block + coresat.max_var;
  coresat.no_bump = 1;

  if(!coresat.empty_clause && coresat.unassigned_vars > 0)
  {
    int epoch = 0;
    for(;;)
    {
      int cur = epoch;
      probe_pass(candidates, stamps, cur);
      if(coresat.empty_clause || coresat.unassigned_vars == 0 || cur <= epoch)
        break;
      epoch = cur;
    }
  }

  coresat.no_bump = 0;
  candidates.release();
  coresat_delete(stamp_block, sizeof(int) * stamp_count);
  int produced = u0 - coresat.unassigned_vars;
  if(coresat.verbose > 1)
    coresat_report_time(
      t0, coresat.output, "c preprocessing produced %d assignments", produced);
  return produced;
}

void closing_report()
{
  if(coresat.final_report_done || coresat.verbose <= 1 || coresat.reports <= 0)
    return;
  std::fprintf(
    coresat.output,
    "c %8.2f %6.1f\n",
    coresat.seconds,
    coresat.current_bytes / double(1 << 20));
  coresat.final_report_done = 1;
}

// The limit checks of the search loop: true when one is reached.
bool limit_reached()
{
  if(
    coresat.conflict_limit >= 0 &&
    coresat.conflicts >= std::uint64_t(coresat.conflict_limit))
  {
    closing_report();
    if(coresat.verbose > 0)
      std::fprintf(
        coresat.output,
        "c limit of %d conflicts reached\n",
        coresat.conflict_limit);
    return true;
  }
  if(
    coresat.decision_limit >= 0 &&
    coresat.decisions >= std::uint64_t(coresat.decision_limit))
  {
    closing_report();
    if(coresat.verbose > 0)
      std::fprintf(
        coresat.output,
        "c limit of %d decisions reached\n",
        coresat.decision_limit);
    return true;
  }
  if(coresat.time_limit >= 0)
  {
    coresat_update_seconds();
    if(coresat.time_limit <= coresat.seconds)
    {
      closing_report();
      if(coresat.verbose > 0)
        std::fprintf(
          coresat.output,
          "c time limit of %.2f seconds reached after %.2f seconds\n",
          coresat.time_limit,
          coresat.seconds);
      return true;
    }
  }
  return false;
}

void restart()
{
  backtrack_to_top();
  std::uint64_t d = coresat.next_restart - coresat.restart_base;
  coresat.next_restart = coresat.restart_base + d + d / 2;
  coresat.reduce_limit +=
    (coresat.reduce_limit - std::uint64_t(coresat.reduce_base)) / 10;
}

int search()
{
  coresat.restart_base = coresat.conflicts;
  coresat.next_restart = coresat.conflicts + 100;
  int learned = coresat.stats_learned.current_clauses;
  coresat.reduce_base = learned;
  coresat.reduce_limit =
    std::uint64_t(learned) +
    std::uint64_t(coresat.stats_original.current_clauses / 3);
  for(;;)
  {
    coresat_propagate();
    if(coresat.conflict_clause)
    {
      coresat_analyze();
      if(coresat.empty_clause)
        return coresat_unsatisfiable;
      continue;
    }
    if(coresat.unassigned_vars == 0)
      return coresat_satisfiable;
    if(limit_reached())
      return coresat_undecided;
    if(coresat.decision_level == 0)
    {
      ++coresat.level0_visits;
      simplify_if_fixed();
      if(coresat.empty_clause)
        return coresat_unsatisfiable;
      if(coresat.unassigned_vars == 0)
        continue;
    }
    if(coresat.conflicts >= coresat.next_restart)
      restart();
    if(
      std::uint64_t(coresat.stats_learned.current_clauses) >=
      coresat.reduce_limit)
      coresat_collect_garbage(coresat_mark_reducible_clauses);
    coresat_decide();
  }
}

int solve()
{
  if(coresat.empty_clause)
    return coresat_unsatisfiable;
  if(!propagate_units())
    return coresat_unsatisfiable;
  int produced = probe_failed_literals();
  if(coresat.empty_clause)
    return coresat_unsatisfiable;
  if(produced > 0)
    simplify_if_fixed();
  if(coresat.empty_clause)
    return coresat_unsatisfiable;
  return search();
}
} // namespace

int coresat_sat()
{
  coresat_init();
  // Literals of an unfinished clause wait aside: the search builds its own
  // clauses in literal_buffer.
  coresat_stack<int> pending = coresat.literal_buffer;
  coresat.literal_buffer = coresat_stack<int>();
  int result = solve();
  coresat.literal_buffer.release();
  coresat.literal_buffer = pending;
  closing_report();
  coresat_leave();
  return result;
}

#include "sat/proofsat/Solver.h"

#include "sat/proofsat/Sort.h"

#include <cmath>
#include <cstdio>

bool Solver::assume(Lit p)
{
  trail_limits.push(trail.size());
  return enqueue(p);
}

Var Solver::select(double random_var_freq)
{
  if(drand(random_seed) < random_var_freq && !order_heap.empty())
  {
    Var next = irand(random_seed, nVars());
    if(value(next) == l_Undef)
      return next;
  }
  while(!order_heap.empty())
  {
    Var next = order_heap.take_top();
    if(value(next) == l_Undef)
      return next;
  }
  return var_Undef;
}

lbool Solver::search(
  int nof_conflicts,
  int nof_learnts,
  const SearchParams &params)
{
  if(!ok)
    return l_False;
  INVARIANT(root_level == decisionLevel());

  stats.starts++;
  int conflictC = 0;
  var_decay = 1 / params.var_decay;
  clause_decay = 1 / params.clause_decay;
  model.reset(false);

  for(;;)
  {
    Clause *confl = propagate();
    if(confl != nullptr)
    {
      stats.conflicts++;
      conflictC++;
      if(decisionLevel() == root_level)
      {
        analyzeFinal(confl);
        return l_False;
      }
      vec<Lit> learnt_clause;
      int backtrack_level;
      analyze(confl, learnt_clause, backtrack_level);
      cancelUntil(backtrack_level > root_level ? backtrack_level : root_level);
      newClause(
        learnt_clause, true, proof != nullptr ? proof->last() : ClauseId_NULL);
      if(learnt_clause.size() == 1)
        level[var(learnt_clause[0])] = 0;
      varDecayActivity();
      claDecayActivity();
      continue;
    }

    if(nof_conflicts >= 0 && conflictC >= nof_conflicts)
    {
      progress_estimate = progressEstimate();
      cancelUntil(root_level);
      return l_Undef;
    }
    if(decisionLevel() == 0)
    {
      simplifyDB();
      INVARIANT(ok);
    }
    if(nof_learnts >= 0 && nLearnts() - trail.size() >= nof_learnts)
      reduceDB();

    stats.decisions++;
    Var next = select(params.random_var_freq);
    if(next == var_Undef)
    {
      model.grow_filled(nVars());
      for(int i = 0; i < nVars(); i++)
        model[i] = value(i);
      cancelUntil(root_level);
      return l_True;
    }
    check(assume(~Lit(next)));
  }
}

double Solver::progressEstimate() const
{
  double progress = 0;
  double F = 1.0 / nVars();
  for(int i = 0; i < nVars(); i++)
    if(value(i) != l_Undef)
      progress += std::pow(F, level[i]);
  return progress / nVars();
}

namespace
{
// Clauses of more than two literals by rising activity; binary clauses
// last.
struct reduceDB_lt
{
  bool operator()(Clause *x, Clause *y) const
  {
    return x->size() > 2 && (y->size() == 2 || x->activity() < y->activity());
  }
};
} // namespace

void Solver::reduceDB()
{
  double extra_lim = clause_increment / nLearnts();
  random_pivot_sort(learnt_clauses, reduceDB_lt());
  int i, j;
  for(i = j = 0; i < nLearnts() / 2; i++)
  {
    Clause *c = learnt_clauses[i];
    if(c->size() > 2 && !locked(c))
      remove(c);
    else
      learnt_clauses[j++] = c;
  }
  for(; i < nLearnts(); i++)
  {
    Clause *c = learnt_clauses[i];
    if(c->size() > 2 && !locked(c) && c->activity() < extra_lim)
      remove(c);
    else
      learnt_clauses[j++] = c;
  }
  learnt_clauses.shrink(i - j);
}

void Solver::printTableRow(int learnt_limit)
{
  std::printf(
    "| %9d | %7d %8d | %7d %7d %8d %7.1f | %6.3f %% |\n",
    int(stats.conflicts),
    nClauses(),
    int(stats.clauses_literals),
    learnt_limit,
    nLearnts(),
    int(stats.learnts_literals),
    double(stats.learnts_literals) / nLearnts(),
    progress_estimate * 100);
  std::fflush(stdout);
}

namespace
{
// clang-format off
const char *const table_rule =
  "==============================================================================";
const char *const table_head[] = {
  "==================================[PROOFSAT]===================================",
  "| Conflicts |     ORIGINAL     |              LEARNT              | Progress |",
  "|           | Clauses Literals |   Limit Clauses Literals  Lit/Cl |          |",
  table_rule};
// clang-format on

void printLine(const char *line)
{
  std::printf("%s\n", line);
  std::fflush(stdout);
}
} // namespace

bool Solver::solve(const vec<Lit> &assumptions)
{
  simplifyDB();
  if(!ok)
  {
    // The clauses alone are contradictory: no assumption is to blame, and
    // the conflict of an earlier solve must not be read as this one's.
    conflict.reset(false);
    if(proof != nullptr)
      conflict_id = proof->last();
    return false;
  }

  SearchParams params(search_defaults);
  double nof_conflicts = 100;
  double nof_learnts = nClauses() / 3;
  lbool status = l_Undef;

  root_level = assumptions.size();
  for(int i = 0; i < assumptions.size(); i++)
  {
    Lit p = assumptions[i];
    INVARIANT(var(p) < nVars());
    if(!assume(p))
    {
      Clause *r = reason[var(p)];
      if(r != nullptr)
      {
        analyzeFinal(r, true);
        conflict.push(~p);
      }
      else if(level[var(p)] > 0)
      {
        // An earlier assumption was ~p: the two contradict each other, and
        // no clause of the formula takes part.
        conflict.reset(false);
        conflict.push(~p);
        conflict.push(p);
        conflict_id = ClauseId_NULL;
      }
      else
      {
        INVARIANT(proof == nullptr || unit_id[var(p)] != ClauseId_NULL);
        conflict.reset(false);
        conflict.push(~p);
        if(proof != nullptr)
          conflict_id = unit_id[var(p)];
      }
      cancelUntil(0);
      return false;
    }
    Clause *confl = propagate();
    if(confl != nullptr)
    {
      analyzeFinal(confl);
      INVARIANT(conflict.size() > 0);
      cancelUntil(0);
      return false;
    }
  }
  INVARIANT(root_level == decisionLevel());

  if(verbosity >= 1)
    for(const char *line : table_head)
      printLine(line);

  while(status == l_Undef)
  {
    if(verbosity >= 1)
      printTableRow(int(nof_learnts));
    status = search(int(nof_conflicts), int(nof_learnts), params);
    nof_conflicts *= 1.5;
    nof_learnts *= 1.1;
  }

  if(verbosity >= 1)
    printLine(table_rule);

  cancelUntil(0);
  return status == l_True;
}

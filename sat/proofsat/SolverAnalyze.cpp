#include "sat/proofsat/Solver.h"

#include "sat/proofsat/Sort.h"

void Solver::varBumpActivity(Lit p)
{
  if(var_decay < 0)
    return;
  Var x = var(p);
  if((activity[x] += var_increment) > 1e100)
    varRescaleActivity();
  if(order_heap.inHeap(x))
    order_heap.increase(x);
}

void Solver::varDecayActivity()
{
  if(var_decay >= 0)
    var_increment *= var_decay;
}

void Solver::varRescaleActivity()
{
  for(int i = 0; i < nVars(); i++)
    activity[i] *= 1e-100;
  var_increment *= 1e-100;
}

void Solver::claBumpActivity(Clause *c)
{
  float &a = c->activity();
  if((a += float(clause_increment)) > 1e20)
    claRescaleActivity();
}

void Solver::claDecayActivity()
{
  clause_increment *= clause_decay;
}

void Solver::claRescaleActivity()
{
  for(Clause *c : learnt_clauses)
    c->activity() *= 1e-20f;
  clause_increment *= 1e-20;
}

namespace
{
// The literal assigned last comes first.
struct LastAssignedFirst
{
  const vec<int> &trail_position;
  bool operator()(Lit x, Lit y) const
  {
    return trail_position[var(x)] > trail_position[var(y)];
  }
};

unsigned levelBit(int level)
{
  return 1u << (level & 31);
}
} // namespace

void Solver::analyze(Clause *confl, vec<Lit> &out_learnt, int &out_btlevel)
{
  if(proof != nullptr)
    proof->beginChain(confl->id());

  out_learnt.push();
  out_btlevel = 0;
  out_learnt[0] = ~analyzeFirstUip(confl, out_learnt, out_btlevel);

  const int kept =
    deep_minimise ? minimiseDeep(out_learnt) : minimiseLocal(out_learnt);
  if(proof != nullptr)
    resolveDropped();

  for(Lit l : out_learnt)
    seen[var(l)] = 0;
  for(Lit l : minimise_clear)
    seen[var(l)] = 0;

  stats.max_literals += out_learnt.size();
  out_learnt.shrink(out_learnt.size() - kept);
  stats.tot_literals += out_learnt.size();
}

Lit Solver::analyzeFirstUip(
  Clause *confl,
  vec<Lit> &out_learnt,
  int &out_btlevel)
{
  Lit p = lit_Undef;
  int trail_index = trail.size() - 1;
  int paths = 0;
  do
  {
    INVARIANT(confl != nullptr);
    Clause &c = *confl;
    if(c.learnt())
      claBumpActivity(&c);

    for(int j = p == lit_Undef ? 0 : 1; j < c.size(); j++)
    {
      Lit q = c[j];
      Var x = var(q);
      if(seen[x])
        continue;
      // Read once: the compiler cannot tell that bumping leaves levels be.
      const int x_level = level[x];
      if(x_level > 0)
      {
        varBumpActivity(q);
        seen[x] = 1;
        if(x_level == decisionLevel())
          paths++;
        else
        {
          out_learnt.push(q);
          if(x_level > out_btlevel)
            out_btlevel = x_level;
        }
      }
      else if(proof != nullptr)
        proof->resolve(unit_id[x], x);
    }

    while(!seen[var(trail[trail_index--])])
      ;
    p = trail[trail_index + 1];
    confl = reason[var(p)];
    seen[var(p)] = 0;
    paths--;
    if(paths > 0 && proof != nullptr)
      proof->resolve(confl->id(), var(p));
  } while(paths > 0);
  return p;
}

int Solver::minimiseDeep(vec<Lit> &out_learnt)
{
  unsigned levels = 0;
  for(int i = 1; i < out_learnt.size(); i++)
    levels |= levelBit(level[var(out_learnt[i])]);
  minimise_clear.reset(false);
  int j = 1;
  for(int i = 1; i < out_learnt.size(); i++)
    if(
      reason[var(out_learnt[i])] == nullptr ||
      !analyze_removable(out_learnt[i], levels))
      out_learnt[j++] = out_learnt[i];
  return j;
}

int Solver::minimiseLocal(vec<Lit> &out_learnt)
{
  minimise_clear.reset(false);
  int j = 1;
  for(int i = 1; i < out_learnt.size(); i++)
  {
    Clause *r = reason[var(out_learnt[i])];
    bool keep = r == nullptr;
    for(int k = 1; !keep && k < r->size(); k++)
    {
      Var x = var((*r)[k]);
      if(!seen[x] && level[x] != 0)
        keep = true;
    }
    if(keep)
      out_learnt[j++] = out_learnt[i];
    else
      minimise_clear.push(out_learnt[i]);
  }
  return j;
}

void Solver::resolveDropped()
{
  // The last assigned first, so that each step meets its pivot in the
  // clause derived so far.
  random_pivot_sort(minimise_clear, LastAssignedFirst{trail_position});
  for(Lit l : minimise_clear)
  {
    Var v = var(l);
    INVARIANT(level[v] > 0);
    proof->resolve(reason[v]->id(), v);
    resolveFixed(*reason[v], 1);
  }
  proof->endChain();
}

bool Solver::analyze_removable(Lit p_, unsigned levels)
{
  INVARIANT(reason[var(p_)] != nullptr);
  analyze_stack.reset(false);
  analyze_stack.push(p_);
  int top = minimise_clear.size();
  while(analyze_stack.size() > 0)
  {
    INVARIANT(reason[var(analyze_stack.last())] != nullptr);
    Clause &c = *reason[var(analyze_stack.last())];
    analyze_stack.pop();
    for(int i = 1; i < c.size(); i++)
    {
      Lit q = c[i];
      Var x = var(q);
      if(seen[x] || level[x] == 0)
        continue;
      if(reason[x] != nullptr && (levelBit(level[x]) & levels) != 0)
      {
        seen[x] = 1;
        analyze_stack.push(q);
        minimise_clear.push(q);
      }
      else
      {
        for(int k = top; k < minimise_clear.size(); k++)
          seen[var(minimise_clear[k])] = 0;
        minimise_clear.shrink(minimise_clear.size() - top);
        return false;
      }
    }
  }
  minimise_clear.push(p_);
  return true;
}

void Solver::analyzeFinal(Clause *confl, bool skip_first)
{
  conflict.reset(false);
  if(root_level == 0)
  {
    if(proof != nullptr)
      conflict_id = proof->last();
    return;
  }
  if(proof != nullptr)
    proof->beginChain(confl->id());

  // Marks the literals above level 0 and resolves away the fixed ones.
  auto mark = [this](const Clause &c, int from)
  {
    for(int i = from; i < c.size(); i++)
    {
      Var x = var(c[i]);
      if(level[x] > 0)
        seen[x] = 1;
      else if(proof != nullptr)
        proof->resolve(unit_id[x], x);
    }
  };
  mark(*confl, skip_first ? 1 : 0);

  int start =
    root_level < decisionLevel() ? trail_limits[root_level] : trail.size() - 1;
  for(int i = start; i >= trail_limits[0]; i--)
  {
    Var x = var(trail[i]);
    if(!seen[x])
      continue;
    Clause *r = reason[x];
    if(r == nullptr)
    {
      INVARIANT(level[x] > 0);
      conflict.push(~trail[i]);
    }
    else
    {
      if(proof != nullptr)
        proof->resolve(r->id(), x);
      mark(*r, 1);
    }
    seen[x] = 0;
  }
  if(proof != nullptr)
    conflict_id = proof->endChain();
}

#include "sat/proofsat/Solver.h"

#include "sat/proofsat/Sort.h"

Solver::Solver()
    : ok(true),
      clause_increment(1),
      clause_decay(1),
      var_increment(1),
      var_decay(1),
      order_heap(VarOrder_lt{activity}),
      random_seed(initial_random_seed),
      root_level(0),
      propagation_head(0),
      simplify_assigns(0),
      simplify_budget(0),
      search_defaults(0.95, 0.999, 0.02),
      deep_minimise(true),
      proof(nullptr),
      verbosity(0),
      progress_estimate(0),
      conflict_id(ClauseId_NULL)
{
}

Solver::~Solver()
{
  // Only the blocks: the proof may already be gone.
  for(Clause *c : learnt_clauses)
    remove(c, true);
  for(Clause *c : clauses)
    remove(c, true);
}

Var Solver::newVar()
{
  Var x = nVars();
  watches.push();
  watches.push();
  reason.push(nullptr);
  assigns.push(l_Undef.toByte());
  level.push(-1);
  trail_position.push(-1);
  activity.push(0);
  order_heap.setBounds(x + 1);
  order_heap.insert(x);
  seen.push(0);
  if(proof != nullptr)
    unit_id.push(ClauseId_NULL);
  return x;
}

void Solver::newClause(const vec<Lit> &ps_, bool learnt, ClauseId id)
{
  INVARIANT(learnt || id == ClauseId_NULL);
  if(!ok)
    return;

  vec<Lit> qs;
  if(!learnt)
  {
    INVARIANT(decisionLevel() == 0);
    ps_.copyTo(qs);
    sort_unique(qs);
    for(int i = 0; i < qs.size() - 1; i++)
      if(qs[i] == ~qs[i + 1])
        return;
    for(int i = 0; i < qs.size(); i++)
      if(value(qs[i]) == l_True)
        return;
    if(proof != nullptr)
    {
      id = proof->addRoot(qs);
      proof->beginChain(id);
    }
    int j = 0;
    for(int i = 0; i < qs.size(); i++)
    {
      if(value(qs[i]) != l_False)
        qs[j++] = qs[i];
      else if(proof != nullptr)
        proof->resolve(unit_id[var(qs[i])], var(qs[i]));
    }
    qs.shrink(qs.size() - j);
    if(proof != nullptr)
      id = proof->endChain();
  }
  const vec<Lit> &ps = learnt ? ps_ : qs;

  if(ps.size() == 0)
  {
    ok = false;
    return;
  }
  if(ps.size() == 1)
  {
    if(id != ClauseId_NULL)
      unit_id[var(ps[0])] = id;
    if(!enqueue(ps[0]))
      ok = false;
    return;
  }

  Clause *c = Clause::create(learnt, ps, id);
  if(learnt)
  {
    // Watch the literal that becomes unassigned last as the second.
    int max_i = 1;
    int max = level[var(ps[1])];
    for(int i = 2; i < ps.size(); i++)
      if(level[var(ps[i])] > max)
      {
        max = level[var(ps[i])];
        max_i = i;
      }
    (*c)[1] = ps[max_i];
    (*c)[max_i] = ps[1];

    // Listed before the bump, so that a rescale it causes covers it too.
    learnt_clauses.push(c);
    claBumpActivity(c);
    check(enqueue((*c)[0], c));
    watches[index(~(*c)[0])].push(c);
    watches[index(~(*c)[1])].push(c);
    stats.learnts_literals += c->size();
  }
  else
  {
    watches[index(~(*c)[0])].push(c);
    watches[index(~(*c)[1])].push(c);
    clauses.push(c);
    stats.clauses_literals += c->size();
  }
}

bool Solver::enqueue(Lit p, Clause *from)
{
  if(value(p) != l_Undef)
    return value(p) != l_False;
  Var x = var(p);
  assigns[x] = (sign(p) ? l_False : l_True).toByte();
  level[x] = decisionLevel();
  trail_position[x] = trail.size();
  reason[x] = from;
  trail.push(p);
  return true;
}

void Solver::resolveFixed(const Clause &c, int from)
{
  for(int k = from; k < c.size(); k++)
  {
    Var x = var(c[k]);
    if(level[x] == 0)
      proof->resolve(unit_id[x], x);
  }
}

Clause *Solver::propagate()
{
  Clause *confl = nullptr;
  while(propagation_head < trail.size())
  {
    stats.propagations++;
    simplify_budget--;

    Lit p = trail[propagation_head++];
    vec<Clause *> &ws = watches[index(p)];
    Clause **i = ws.begin();
    Clause **j = i;
    Clause **end = ws.end();
    Lit false_lit = ~p;

    while(i != end)
    {
      Clause &c = **i++;
      if(c[0] == false_lit)
      {
        c[0] = c[1];
        c[1] = false_lit;
      }
      INVARIANT(c[1] == false_lit);

      Lit first = c[0];
      if(value(first) == l_True)
      {
        *j++ = &c;
        continue;
      }

      bool moved = false;
      for(int k = 2; k < c.size(); k++)
        if(value(c[k]) != l_False)
        {
          c[1] = c[k];
          c[k] = false_lit;
          watches[index(~c[1])].push(&c);
          moved = true;
          break;
        }
      if(moved)
        continue;

      // Unit or conflicting on first.
      if(decisionLevel() == 0 && proof != nullptr)
      {
        proof->beginChain(c.id());
        for(int k = 1; k < c.size(); k++)
          proof->resolve(unit_id[var(c[k])], var(c[k]));
        ClauseId id = proof->endChain();
        if(value(first) == l_False)
        {
          proof->beginChain(unit_id[var(first)]);
          proof->resolve(id, var(first));
          proof->endChain();
        }
        else
        {
          // A unit learnt under assumptions keeps its id after the
          // assumptions are undone; a new derivation replaces it.
          unit_id[var(first)] = id;
        }
      }

      *j++ = &c;
      if(!enqueue(first, &c))
      {
        if(decisionLevel() == 0)
          ok = false;
        confl = &c;
        propagation_head = trail.size();
        while(i != end)
          *j++ = *i++;
      }
    }
    ws.shrink(int(i - j));
  }
  return confl;
}

void Solver::cancelUntil(int lv)
{
  if(decisionLevel() <= lv)
    return;
  for(int c = trail.size() - 1; c >= trail_limits[lv]; c--)
  {
    Var x = var(trail[c]);
    assigns[x] = l_Undef.toByte();
    reason[x] = nullptr;
    if(!order_heap.inHeap(x))
      order_heap.insert(x);
  }
  trail.shrink(trail.size() - trail_limits[lv]);
  trail_limits.shrink(trail_limits.size() - lv);
  propagation_head = trail.size();
}

void Solver::remove(Clause *c, bool just_free)
{
  if(!just_free)
  {
    removeWatch(watches[index(~(*c)[0])], c);
    removeWatch(watches[index(~(*c)[1])], c);
    if(c->learnt())
      stats.learnts_literals -= c->size();
    else
      stats.clauses_literals -= c->size();
    if(proof != nullptr)
      proof->deleted(c->id());
  }
  Clause::destroy(c);
}

void Solver::removeWatch(vec<Clause *> &ws, Clause *c)
{
  // simplifyDB empties the lists of fixed literals wholesale.
  if(ws.size() == 0)
    return;
  int j = 0;
  while(j < ws.size() && ws[j] != c)
    j++;
  INVARIANT(j < ws.size());
  for(; j < ws.size() - 1; j++)
    ws[j] = ws[j + 1];
  ws.pop();
}

bool Solver::simplify(Clause *c) const
{
  INVARIANT(decisionLevel() == 0);
  for(int i = 0; i < c->size(); i++)
    if(value((*c)[i]) == l_True)
      return true;
  return false;
}

void Solver::simplifyDB()
{
  if(!ok)
    return;
  INVARIANT(decisionLevel() == 0);
  if(propagate() != nullptr)
  {
    ok = false;
    return;
  }
  if(trail.size() == simplify_assigns || simplify_budget > 0)
    return;

  for(int i = simplify_assigns; i < trail.size(); i++)
  {
    Lit p = trail[i];
    watches[index(p)].reset(true);
    watches[index(~p)].reset(true);
  }

  for(vec<Clause *> *cs : {&clauses, &learnt_clauses})
  {
    int j = 0;
    for(int i = 0; i < cs->size(); i++)
    {
      Clause *c = (*cs)[i];
      if(!locked(c) && simplify(c))
        remove(c);
      else
        (*cs)[j++] = c;
    }
    cs->shrink(cs->size() - j);
  }

  simplify_assigns = trail.size();
  simplify_budget = stats.clauses_literals + stats.learnts_literals;
}

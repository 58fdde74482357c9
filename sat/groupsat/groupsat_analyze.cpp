#include "sat/groupsat/groupsat_solver.h"
#include "sat/groupsat/groupsat_trace.h"

#include <ostream>

namespace
{
// The number of recent shrinkings whose size reductions steer the
// shrinking threshold.
const std::size_t shrinking_window = 20;
} // namespace

int CSolver::analyze_conflicts()
{
  INVARIANT(_conflicts.size() > 0);
  INVARIANT(_conflict_lits.size() == 0);
  INVARIANT(_implication_queue.empty());
  INVARIANT(_num_marked == 0);
  if(dlevel() > 0)
    return conflict_analysis_firstUIP();

  for(std::size_t i = 1; i < _variables.size(); ++i)
  {
    if(variable(i).value() == 2)
      continue;
    INVARIANT(variable(i).dlevel() <= 0);
    ClauseIdx ante = variable(i).antecedent();
    if(ante != -1)
      INVARIANT(clause(ante).status() != DELETED_CL);
  }
  // The shortest conflicting clause, the latest of equals.
  ClauseIdx shortest = _conflicts.back();
  for(auto it = _conflicts.rbegin(); it != _conflicts.rend(); ++it)
    if(clause(*it).num_lits() < clause(shortest).num_lits())
      shortest = *it;
  write_level0_conflict(shortest);
  resolve_trace_stream() << "\n" << std::flush;

  _conflicts.clear();
  back_track(0);
  return -1;
}

unsigned CSolver::mark_vars_at_level(ClauseIdx cl, int var_idx, int dl)
{
  INVARIANT(_resolvents.empty() || var_idx != -1);
  CClause &c = clause(cl);
  _resolvents.push_back(int(c.id()));
  unsigned gflag = c.gflag();
  for(unsigned i = 0; i < c.num_lits(); ++i)
  {
    CLitPoolElement &lit = c.literal(i);
    int v = int(lit.var_index());
    if(v == var_idx)
      continue;
    CVariable &var = variable(v);
    if(var.dlevel() == dl)
    {
      if(!var.is_marked())
      {
        var.set_marked();
        ++_num_marked;
        if(_mark_increase_score)
        {
          int svar = lit.s_var();
          adjust_variable_order(&svar, 1);
        }
      }
    }
    else
    {
      INVARIANT(variable(v).dlevel() < dl);
      if(var.new_cl_phase() == 2)
      {
        // Literals assigned at level 0 never enter a learned clause; the
        // clause rests on the groups of their facts instead.
        if(var.dlevel() != 0)
        {
          ++_num_in_new_cl;
          var.set_new_cl_phase(lit.var_sign());
          _conflict_lits.push_back(lit.s_var());
        }
        else
          gflag |= var.level0_gflag();
      }
      else
        INVARIANT(variable(v).new_cl_phase() == lit.var_sign());
    }
  }
  return gflag;
}

void CSolver::add_to_new_clause(int svar)
{
  INVARIANT(variable(svar >> 1).new_cl_phase() == 2);
  _conflict_lits.push_back(svar);
  ++_num_in_new_cl;
  variable(svar >> 1).set_new_cl_phase(svar & 1);
}

int CSolver::walk_to_uip(int dl, int bump, unsigned &gflag)
{
  std::vector<int> &assignments = *_assignment_stack[dl];
  for(auto it = assignments.rbegin(); it != assignments.rend(); ++it)
  {
    int assigned = *it;
    CVariable &var = variable(assigned >> 1);
    if(assigned == 0 || !var.is_marked())
      continue;
    var.clear_marked();
    --_num_marked;
    if(_num_marked == 0)
      return assigned ^ 1;
    ClauseIdx ante_cl = var.antecedent();
    INVARIANT(ante_cl != -1);
    clause(ante_cl).activity() += bump;
    gflag |= mark_vars_at_level(ante_cl, assigned >> 1, dl);
  }
  INVARIANT(false && "the walk meets the last marked variable");
  return 0;
}

int CSolver::conflict_analysis_firstUIP()
{
  _mark_increase_score = false;
  ClauseIdx chosen = _conflicts.front();

  // With several conflicting clauses, learn from the one that gives the
  // shortest clause (the first of equals); the trials leave no marks.
  if(_conflicts.size() >= 2)
  {
    std::size_t best_size = 0;
    for(std::size_t i = 0; i < _conflicts.size(); ++i)
    {
      ClauseIdx c = _conflicts[i];
      INVARIANT(_num_in_new_cl == 0);
      INVARIANT(dlevel() > 0);
      clause(c).activity() += 1;
      mark_vars_at_level(c, -1, dlevel());
      unsigned ignored = 0;
      add_to_new_clause(walk_to_uip(dlevel(), 1, ignored));
      if(i == 0 || _conflict_lits.size() < best_size)
      {
        chosen = c;
        best_size = _conflict_lits.size();
      }
      for(int s_var : _conflict_lits)
      {
        CVariable &var = variable(s_var >> 1);
        INVARIANT(var.new_cl_phase() == (unsigned)(s_var & 0x1));
        var.set_new_cl_phase(2);
      }
      _num_in_new_cl = 0;
      _conflict_lits.clear();
      _resolvents.clear();
    }
  }

  INVARIANT(_num_marked == 0);
  clause(chosen).activity() += 5;
  _mark_increase_score = true;
  unsigned gflag = mark_vars_at_level(chosen, -1, dlevel());
  add_to_new_clause(walk_to_uip(dlevel(), 5, gflag));
  return finish_add_conf_clause(gflag);
}

int CSolver::find_shrinking_gap()
{
  for(int svar : _conflict_lits)
    _shrinking_cls.insert({variable(svar >> 1).dlevel(), svar});
  int lo = _shrinking_cls.begin()->first;
  int hi = _shrinking_cls.rbegin()->first;
  if(lo == hi)
    return -1;
  // From the lowest level up, to the first gap of more than two levels
  // below the highest level.
  auto it = _shrinking_cls.begin();
  while(true)
  {
    int level = it->first;
    it = _shrinking_cls.erase(it);
    if(it == _shrinking_cls.end() || it->first == hi)
      return -1;
    if(it->first - level > 2)
      return level < dlevel() - 1 ? level : -1;
  }
}

int CSolver::finish_add_conf_clause(unsigned gflag)
{
  int n = int(_conflict_lits.size());
  ClauseIdx added_cl = add_conflict_clause(_conflict_lits.data(), n, gflag);
  if(added_cl < 0)
  {
    _stats.is_mem_out = true;
    _conflicts.clear();
    INVARIANT(_implication_queue.empty());
    return 1;
  }
  record_learned_clause(added_cl, n);
  adjust_variable_order(_conflict_lits.data(), n);

  if(_params.shrinking_enable)
  {
    record_shrinking_benefit(n);
    if(n > _params.shrinking_size)
    {
      int gap = find_shrinking_gap();
      if(gap >= 0 && !_shrinking_cls.empty())
      {
        start_shrinking(gap, n);
        return gap;
      }
    }
  }

  int unit_lit = -1;
  int m = assertion_level(added_cl, unit_lit);
  if(m == 0)
  {
    // The clause is unit at level 0: a good moment to delay the restart.
    _stats.next_restart = _stats.num_backtracks + _stats.restart_incr;
    back_track(1);
  }
  else
    back_track(m + 1);
  queue_implication(unit_lit, added_cl, m);

  for(std::size_t i = 1; i < _conflicts.size(); ++i)
    INVARIANT(!is_conflicting(_conflicts[i]));
  _conflicts.clear();
  clear_new_clause();
  return m;
}

void CSolver::record_learned_clause(ClauseIdx added_cl, int n)
{
  _stats.sum_learned_lits += n;
  _stats.sum_learned_lits_sq += double(n) * n;
  ++_stats.num_learned;
  _top_unsat_cls = ClauseIdx(_clauses.size()) - 1;

  std::ostream &trace = resolve_trace_stream();
  trace << "CL: " << clause(added_cl).id() << " <=";
  for(int id : _resolvents)
    trace << " " << id;
  trace << "\n" << std::flush;
  _resolvents.clear();
}

void CSolver::record_shrinking_benefit(int n)
{
  _shrinking_cls.clear();
  if(_shrinking_cls_size == 0)
    return;
  int reduction = _shrinking_cls_size - n;
  _shrinking_benefit += reduction;
  _shrinking_cls_size = 0;
  _recent_shrinkings.push(reduction);
  if(_recent_shrinkings.size() > shrinking_window)
  {
    _shrinking_benefit -= _recent_shrinkings.front();
    _recent_shrinkings.pop();
  }
}

void CSolver::start_shrinking(int gap, int n)
{
  // Back up below the gap; the literals above it are decided false again,
  // level by level.
  _shrinking_cls_size = n;
  ++_stats.num_shrinkings;
  back_track(gap + 1);
  _conflicts.clear();
  _resolvents.clear();
  _num_in_new_cl = 0;
  for(int svar : _conflict_lits)
    variable(svar >> 1).set_new_cl_phase(2);
  _conflict_lits.clear();
  if(
    _stats.num_shrinkings % shrinking_window == 0 &&
    _recent_shrinkings.size() == shrinking_window)
  {
    if(_shrinking_benefit > 800)
      _params.shrinking_size -= 5;
    else if(_shrinking_benefit <= 599)
      _params.shrinking_size += 10;
  }
}

int CSolver::assertion_level(ClauseIdx added_cl, int &unit_lit)
{
  int m = 0;
  CClause &cl = clause(added_cl);
  for(unsigned i = 0; i < cl.num_lits(); ++i)
  {
    int vid = int(cl.literal(i).var_index());
    INVARIANT(variable(vid).value() != 2);
    INVARIANT(literal_value(cl.literal(i)) == 0);
    int level = variable(vid).dlevel();
    if(level >= dlevel())
    {
      INVARIANT(unit_lit == -1);
      unit_lit = cl.literal(i).s_var();
    }
    else if(level > m)
      m = level;
  }
  return m;
}

void CSolver::clear_new_clause()
{
  while(!_conflict_lits.empty())
  {
    int svar = _conflict_lits.back();
    CVariable &var = variable(svar >> 1);
    INVARIANT(var.new_cl_phase() == (unsigned)(svar & 0x1));
    --_num_in_new_cl;
    var.set_new_cl_phase(2);
    _conflict_lits.pop_back();
  }
  INVARIANT(_num_in_new_cl == 0);
}

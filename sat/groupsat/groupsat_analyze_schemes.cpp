#include "sat/groupsat/groupsat_solver.h"

int CSolver::conflict_analysis_lastUIP()
{
  ClauseIdx c = _conflicts.front();
  unsigned gflag = mark_vars_at_level(c, -1, dlevel());
  std::vector<int> &assignments = *_assignment_stack[dlevel()];
  for(int i = int(assignments.size()) - 1; i >= 0; --i)
  {
    int assigned = assignments[i];
    CVariable &var = variable(assigned >> 1);
    if(assigned == 0 || !var.is_marked())
      continue;
    var.clear_marked();
    --_num_marked;
    ClauseIdx ante = var.antecedent();
    if(ante == -1)
    {
      // The level's decision: it comes first and is marked last.
      INVARIANT(i == 0);
      INVARIANT(_num_marked == 0);
      add_to_new_clause(assigned ^ 1);
      break;
    }
    gflag |= mark_vars_at_level(ante, assigned >> 1, dlevel());
  }
  return finish_add_conf_clause(gflag);
}

void CSolver::mark_vars_of_dl(const std::vector<int> &lits, int dl)
{
  INVARIANT(_num_marked == 0);
  for(int svar : lits)
  {
    int v = svar >> 1;
    INVARIANT(variable(v).new_cl_phase() != 2);
    if(variable(v).dlevel() == dl)
    {
      --_num_in_new_cl;
      variable(v).set_new_cl_phase(2);
      INVARIANT(!variable(v).is_marked());
      variable(v).set_marked();
      ++_num_marked;
    }
    else
    {
      INVARIANT(variable(v).dlevel() < dl);
      _conflict_lits.push_back(svar);
    }
  }
}

int CSolver::conflict_analysis_allUIP()
{
  ClauseIdx c = _conflicts.front();
  unsigned gflag = mark_vars_at_level(c, -1, dlevel());
  std::vector<int> uips = {walk_to_uip(dlevel(), 0, gflag)};
  for(int level = dlevel() - 1; level > 0; --level)
  {
    std::vector<int> lits;
    lits.swap(_conflict_lits);
    INVARIANT(_num_marked == 0);
    mark_vars_of_dl(lits, level);
    if(_num_marked > 0)
      uips.push_back(walk_to_uip(level, 0, gflag));
  }
  INVARIANT(_num_marked == 0);
  for(int svar : uips)
  {
    INVARIANT(variable(svar >> 1).new_cl_phase() == 2);
    add_to_new_clause(svar);
  }
  return finish_add_conf_clause(gflag);
}

int CSolver::conflict_analysis_decisions_only()
{
  ClauseIdx c = _conflicts.front();
  unsigned gflag = clause(c).gflag();
  std::vector<int> listed;
  auto list = [&](CClause &cl) {
    for(unsigned i = 0; i < cl.num_lits(); ++i)
    {
      CVariable &var = variable(cl.literal(i).var_index());
      if(var.is_marked())
        continue;
      var.set_marked();
      ++_num_marked;
      listed.push_back(cl.literal(i).s_var());
    }
  };
  list(clause(c));
  // The list grows while it is walked.
  for(std::size_t i = 0; i < listed.size(); ++i)
  {
    ClauseIdx ante = variable(listed[i] >> 1).antecedent();
    if(ante == -1)
      continue;
    gflag |= clause(ante).gflag();
    list(clause(ante));
  }
  for(int svar : listed)
  {
    CVariable &var = variable(svar >> 1);
    if(var.antecedent() == -1)
      add_to_new_clause(svar);
    INVARIANT(variable(svar >> 1).is_marked());
    var.clear_marked();
    --_num_marked;
  }
  INVARIANT(_num_marked == 0);
  return finish_add_conf_clause(gflag);
}

void CSolver::set_up_resolve(ClauseIdx cl, CResolveSet &conf_lits)
{
  INVARIANT(_conflict_lits.empty());
  INVARIANT(conf_lits.empty());
  CClause &c = clause(cl);
  for(unsigned i = 0; i < c.num_lits(); ++i)
    conf_lits.insert(&variable(c.literal(i).var_index()));
}

unsigned CSolver::resolve_one_lit(CResolveSet &conf_lits)
{
  INVARIANT(!conf_lits.empty());
  CVariable *resolved = *conf_lits.begin();
  conf_lits.erase(conf_lits.begin());
  ClauseIdx cl_idx = resolved->antecedent();
  INVARIANT(cl_idx != -1);
  CClause &c = clause(cl_idx);
  for(unsigned i = 0; i < c.num_lits(); ++i)
  {
    CVariable *var = &variable(c.literal(i).var_index());
    if(var != resolved)
      conf_lits.insert(var);
  }
  return c.gflag();
}

bool CSolver::is_uip_reached(CResolveSet &conf_lits)
{
  INVARIANT(!conf_lits.empty());
  if(conf_lits.size() == 1)
    return true;
  auto it = conf_lits.begin();
  CVariable *v1 = *it;
  CVariable *v2 = *++it;
  INVARIANT(v1->dlevel() >= v2->dlevel());
  return v1->dlevel() != v2->dlevel();
}

int CSolver::conflict_analysis_firstUIP_resolve_based()
{
  INVARIANT(dlevel() > 0);
  ClauseIdx c = _conflicts.front();
  unsigned gflag = clause(c).gflag();
  CResolveSet conf_lits;
  set_up_resolve(c, conf_lits);
  while(!is_uip_reached(conf_lits))
    gflag |= resolve_one_lit(conf_lits);

  // The false literal of each variable, in set order.
  std::vector<int> lits;
  for(CVariable *var : conf_lits)
    lits.push_back(2 * int(var - _variables.data()) + int(var->value()));
  int n = int(lits.size());
  ClauseIdx cl = add_conflict_clause(lits.data(), n, gflag);
  if(cl < 0)
  {
    _stats.is_mem_out = true;
    _conflicts.clear();
    INVARIANT(_implication_queue.empty());
    return 1;
  }
  adjust_variable_order(lits.data(), n);
  int result = 0;
  if(n >= 2)
  {
    result = variable(lits[1] >> 1).dlevel();
    back_track(result + 1);
  }
  else
    back_track(1);
  queue_implication(lits[0], cl, result);
  for(std::size_t i = 1; i < _conflicts.size(); ++i)
    INVARIANT(!is_conflicting(_conflicts[i]));
  _conflicts.clear();
  return result;
}

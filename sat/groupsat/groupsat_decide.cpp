#include "sat/groupsat/groupsat_solver.h"

#include <cstdlib>

int CSolver::decision_phase(int v)
{
  CVariable &var = variable(v);
  if(var.scores(1) > var.scores(0))
    return v + v + 1;
  if(var.scores(1) == var.scores(0))
  {
    if(var.two_lits_count(0) > var.two_lits_count(1))
      return v + v + 1;
    if(var.two_lits_count(0) == var.two_lits_count(1))
      return v + v + std::rand() % 2;
  }
  return v + v;
}

void CSolver::decide(int svar)
{
  ++_dlevel;
  if(_dlevel > _stats.max_dlevel)
    _stats.max_dlevel = _dlevel;
  queue_implication(svar, -1, _dlevel);
}

bool CSolver::decide_next_branch()
{
  if(dlevel() > 0)
    INVARIANT(_assignment_stack[dlevel()]->size() > 0);
  if(!_implication_queue.empty())
    return _implication_queue.front().lit != 0;

  if(_params.shrinking_enable && decide_shrinking_literal())
    return true;

  if(_outside_constraint_hook != nullptr)
  {
    _outside_constraint_hook(this);
    if(!_implication_queue.empty())
      return _implication_queue.front().lit != 0;
  }

  ++_stats.num_decisions;
  if(_stats.num_free_variables == 0)
    return false;
  if(decide_from_learned_clause())
    return true;
  decide_by_score();
  return true;
}

bool CSolver::decide_shrinking_literal()
{
  while(!_shrinking_cls.empty())
  {
    int svar = _shrinking_cls.begin()->second;
    _shrinking_cls.erase(_shrinking_cls.begin());
    if(variable(svar >> 1).value() == 2)
    {
      ++_stats.num_decisions;
      ++_stats.num_decisions_shrinking;
      ++_dlevel;
      queue_implication(svar ^ 1, -1, _dlevel);
      return true;
    }
  }
  return false;
}

bool CSolver::is_satisfied_learned(CClause &cl)
{
  // The literal that satisfied the clause last time is tried first.
  int &sat_idx = cl.sat_lit_idx();
  if(sat_idx < int(cl.num_lits()) && literal_value(cl.literal(sat_idx)) == 1)
    return true;
  for(unsigned i = 0; i < cl.num_lits(); ++i)
  {
    if(literal_value(cl.literal(i)) == 1)
    {
      sat_idx = int(i);
      return true;
    }
  }
  return false;
}

int CSolver::best_free_variable(CClause &cl)
{
  int best = 0;
  int best_score = 0;
  for(unsigned i = 0; i < cl.num_lits(); ++i)
  {
    int v = int(cl.literal(i).var_index());
    if(variable(v).value() != 2)
      continue;
    int score = variable(v).score();
    if(best == 0 || score > best_score)
    {
      best = v;
      best_score = score;
    }
  }
  return best;
}

bool CSolver::decide_from_learned_clause()
{
  // The newest learned clause not yet satisfied.
  for(; _top_unsat_cls >= 0 && clause(_top_unsat_cls).status() != ORIGINAL_CL;
      --_top_unsat_cls)
  {
    CClause &cl = clause(_top_unsat_cls);
    if(cl.status() != CONFLICT_CL || is_satisfied_learned(cl))
      continue;
    int best = best_free_variable(cl);
    if(best == 0)
      return false;
    decide(decision_phase(best));
    ++_stats.num_decisions_cls;
    return true;
  }
  return false;
}

void CSolver::decide_by_score()
{
  // The score order, with a random pick among the best free variables.
  auto is_free = [](const CVariable *var) {
    return var->value() == 2 && var->is_branchable();
  };
  int i = _max_score_pos;
  while(!is_free(_ordered_vars[i].first))
  {
    ++i;
    INVARIANT(i < int(_ordered_vars.size()));
  }
  _max_score_pos = i;

  --_stats.current_randomness;
  if(_stats.current_randomness < _params.base_randomness)
    _stats.current_randomness = _params.base_randomness;
  int r = _stats.current_randomness;
  if(r >= _stats.num_free_variables)
    r = _stats.num_free_variables - 1;
  int k = std::rand() % (r + 1);
  CVariable *ptr = _ordered_vars[i].first;
  for(int j = i + 1; k > 0; ++j)
  {
    if(is_free(_ordered_vars[j].first))
    {
      ptr = _ordered_vars[j].first;
      --k;
    }
  }
  INVARIANT(ptr->value() == 2 && ptr->is_branchable());
  int s_var = decision_phase(int(ptr - _variables.data()));
  INVARIANT(s_var >= 2);
  ++_stats.num_decisions_vsids;
  decide(s_var);
}

void CSolver::adjust_variable_order(const int *lits, int n)
{
  for(int l = 0; l < n; ++l)
  {
    int svar = lits[l];
    CVariable &var = variable(svar >> 1);
    INVARIANT(var.value() != 2);
    int orig_score = var.score();
    ++var.scores(svar & 1);
    int new_score = var.score();
    if(new_score == orig_score)
      continue;

    int pos = var.var_score_pos();
    INVARIANT(_ordered_vars[pos].first == &var);
    INVARIANT(_ordered_vars[pos].second == orig_score);
    // Leaps of the initial step over lower scores, then halving steps to
    // the highest position whose score is below the new one.
    int step = _params.bubble_init_step;
    int p = pos - step;
    while(p >= 0 && _ordered_vars[p].second < new_score)
      p -= step;
    int q = p + step;
    for(int h = step / 2; h > 0; h /= 2)
      if(q - h >= 0 && _ordered_vars[q - h].second < new_score)
        q -= h;

    _ordered_vars[pos] = _ordered_vars[q];
    _ordered_vars[pos].first->var_score_pos() = pos;
    _ordered_vars[q] = {&var, new_score};
    var.var_score_pos() = q;
    _stats.total_bubble_move += pos - q;
  }
}

void CSolver::set_var_value(int v, int value, ClauseIdx antecedent, int dl)
{
  INVARIANT(value == 0 || value == 1);
  CVariable &var = variable(v);
  INVARIANT(var.value() == 2);
  var.dlevel() = dl;
  var.set_value(value);
  var.antecedent() = antecedent;
  if(dl == 0)
    record_level0_support(antecedent, v);
  var.assgn_stack_pos() = int(_assignment_stack[dl]->size());
  _assignment_stack[dl]->push_back(v + v + 1 - value);
  if(dl == dlevel())
    set_var_value_current_dl(v, value);
  else
    set_var_value_not_current_dl(v, value);
  ++_stats.num_implications;
  if(var.is_branchable())
    --_stats.num_free_variables;
}

void CSolver::record_level0_support(ClauseIdx antecedent, int v)
{
  CVariable &var = variable(v);
  var.level0_gflag() = 0;
  var.set_level0_learned(false);
  if(antecedent == -1)
    return;
  CClause &cl = clause(antecedent);
  unsigned gflag = cl.gflag();
  bool learned = cl.status() != ORIGINAL_CL;
  for(unsigned i = 0; i < cl.num_lits(); ++i)
  {
    const CVariable &other = variable(int(cl.literal(i).var_index()));
    if(&other == &var)
      continue;
    gflag |= other.level0_gflag();
    learned = learned || other.level0_learned();
  }
  var.level0_gflag() = gflag;
  var.set_level0_learned(learned);
}

void CSolver::move_watch(
  std::vector<CLitPoolElement *> &list,
  std::size_t i,
  CLitPoolElement *p,
  int direction)
{
  p->set_watch(direction);
  variable(p->var_index()).watched(p->var_sign()).push_back(p);
  list[i]->unwatch();
  list[i] = list.back();
  list.pop_back();
}

// What the scan of a clause from its false watch found, when no literal
// could take the watch over.
struct CSolver::CWatchScan
{
  // The clause's other watch.
  CLitPoolElement *other = nullptr;
  // The unwatched false literal of highest level, and that level; only
  // when the scan tracks levels.
  CLitPoolElement *highest = nullptr;
  int max_level = -1;
  ClauseIdx cl = -1;
};

template <bool track_levels>
inline bool CSolver::move_false_watch(
  std::vector<CLitPoolElement *> &watched,
  std::size_t i,
  CWatchScan &scan)
{
  CLitPoolElement *w = watched[i];
  int direction = w->direction();
  for(int pass = 0; pass < 2; ++pass, direction = -direction)
  {
    for(CLitPoolElement *p = w + direction;; p += direction)
    {
      if(!p->is_literal())
      {
        if(direction > 0)
          scan.cl = p->get_clause_index();
        break;
      }
      if(p->is_watched())
      {
        scan.other = p;
        continue;
      }
      if(literal_value(*p) != 0)
      {
        move_watch(watched, i, p, direction);
        return true;
      }
      if(track_levels)
      {
        int level = variable(p->var_index()).dlevel();
        if(level > scan.max_level)
        {
          scan.max_level = level;
          scan.highest = p;
        }
      }
    }
  }
  return false;
}

void CSolver::set_var_value_current_dl(int v, int value)
{
  std::vector<CLitPoolElement *> &watched = variable(v).watched(value);
  for(std::size_t i = 0; i < watched.size();)
  {
    CWatchScan scan;
    // A moved watch leaves the list's last entry at i.
    if(move_false_watch<false>(watched, i, scan))
      continue;

    unsigned other_value = literal_value(*scan.other);
    if(other_value == 0)
      _conflicts.push_back(scan.cl);
    else if(other_value != 1)
      queue_implication(scan.other->s_var(), scan.cl, _dlevel);
    ++i;
  }
}

void CSolver::set_var_value_not_current_dl(int v, int value)
{
  std::vector<CLitPoolElement *> &watched = variable(v).watched(value);
  for(std::size_t i = 0; i < watched.size();)
  {
    CWatchScan scan;
    if(move_false_watch<true>(watched, i, scan))
      continue;

    CLitPoolElement *w = watched[i];
    int level = variable(w->var_index()).dlevel();
    bool moved = false;
    if(scan.highest != nullptr && scan.max_level > level)
    {
      // The watch goes to the false literal of highest level, with the
      // direction of the scan's second pass.
      move_watch(watched, i, scan.highest, -w->direction());
      level = scan.max_level;
      moved = true;
    }

    CLitPoolElement *other = scan.other;
    CVariable &other_var = variable(other->var_index());
    unsigned other_value = literal_value(*other);
    if(other_value == 0)
    {
      INVARIANT(variable(other->var_index()).dlevel() >= scan.max_level);
      queue_implication(other->s_var(), scan.cl, level);
    }
    else if(other_value != 1 || level < other_var.dlevel())
      queue_implication(other->s_var(), scan.cl, level);
    if(!moved)
      ++i;
  }
}

void CSolver::unset_var_value(int v)
{
  if(v == 0)
    return;
  CVariable &var = variable(v);
  bool was_level0 = var.dlevel() == 0;
  var.set_value(2);
  var.antecedent() = -1;
  var.dlevel() = -1;
  var.assgn_stack_pos() = -1;
  // The order holds -1 for a level-0 variable once scores were refreshed;
  // a variable freed from level 0 takes its real score again.
  int pos = var.var_score_pos();
  if(was_level0 && pos >= 0 && pos < int(_ordered_vars.size()))
    _ordered_vars[pos].second = var.score();
  if(var.is_branchable())
  {
    ++_stats.num_free_variables;
    if(var.var_score_pos() < _max_score_pos)
      _max_score_pos = var.var_score_pos();
  }
}

void CSolver::mark_var_unbranchable(int v)
{
  CVariable &var = variable(v);
  if(!var.is_branchable())
    return;
  var.disable_branch();
  if(var.value() == 2)
    --_stats.num_free_variables;
}

void CSolver::mark_var_branchable(int v)
{
  CVariable &var = variable(v);
  if(var.is_branchable())
    return;
  var.enable_branch();
  if(var.value() == 2)
  {
    ++_stats.num_free_variables;
    if(var.var_score_pos() < _max_score_pos)
      _max_score_pos = var.var_score_pos();
  }
}

int CSolver::deduce()
{
  while(!_implication_queue.empty())
  {
    if(!_conflicts.empty())
    {
      _implication_queue = std::queue<CImplication>();
      break;
    }
    CImplication imp = _implication_queue.front();
    _implication_queue.pop();
    int v = imp.lit >> 1;
    int sign = imp.lit & 1;
    CVariable &var = variable(v);

    if(var.value() == 2)
      set_var_value(v, 1 - sign, imp.antecedent, imp.dlevel);
    else if(int(var.value()) == sign)
    {
      // The literal is false.
      int dl = imp.dlevel;
      if(dl == dlevel())
        _conflicts.push_back(imp.antecedent);
      else
      {
        INVARIANT(dl < dlevel());
        int orig_dl = var.dlevel();
        if(orig_dl == dl)
        {
          back_track(dl + 1);
          _conflicts.push_back(imp.antecedent);
        }
        else if(orig_dl > dl)
        {
          back_track(orig_dl);
          set_var_value(v, 1 - sign, imp.antecedent, dl);
        }
      }
    }
    else
    {
      // The literal is true already: keep the shorter reason, and move the
      // variable down when it is implied at a lower level.
      if(
        var.antecedent() != -1 && imp.antecedent != -1 &&
        clause(imp.antecedent).num_lits() < clause(var.antecedent()).num_lits())
        var.antecedent() = imp.antecedent;
      if(imp.dlevel < var.dlevel())
      {
        int old_dl = var.dlevel();
        int old_pos = var.assgn_stack_pos();
        INVARIANT((*_assignment_stack[old_dl])[old_pos] == imp.lit);
        (*_assignment_stack[old_dl])[old_pos] = 0;
        unset_var_value(v);
        set_var_value(v, 1 - sign, imp.antecedent, imp.dlevel);
      }
    }
  }
  return _conflicts.empty() ? NO_CONFLICT : 0;
}

#include "sat/groupsat/groupsat_solver.h"
#include "sat/groupsat/groupsat_trace.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

namespace
{
// The name under which this unit reports its fatal errors.
const char *const unit_file = "groupsat_solver.cpp";
} // namespace

CSolver::CSolver()
{
  _stats.start_cpu_time = get_cpu_time();
  _assignment_stack.push_back(new std::vector<int>);
}

CSolver::~CSolver()
{
  for(std::vector<int> *level : _assignment_stack)
    delete level;
}

void CSolver::set_variable_number(int n)
{
  INVARIANT(num_variables() == 0);
  _variables.resize(std::size_t(n) + 1);
  _stats.num_free_variables = n;
  while(_assignment_stack.size() < std::size_t(n) + 1)
    _assignment_stack.push_back(new std::vector<int>);
  INVARIANT(_assignment_stack.size() == num_variables() + 1);
}

int CSolver::add_variable()
{
  _variables.emplace_back();
  ++_stats.num_free_variables;
  while(_assignment_stack.size() < num_variables() + 1)
    _assignment_stack.push_back(new std::vector<int>);
  INVARIANT(_assignment_stack.size() == num_variables() + 1);
  return int(num_variables());
}

ClauseIdx CSolver::add_clause_with_gid(const int *lits, int n, int gid)
{
  INVARIANT(dlevel() >= 0);
  ClauseIdx cl = add_clause(lits, n, gflag_of_gid(gid));
  if(cl < 0)
  {
    _stats.is_mem_out = true;
    _stats.outcome = MEM_OUT;
  }
  return cl;
}

ClauseIdx CSolver::add_original_clause(const int *lits, int n, int gid)
{
  ClauseIdx cl = add_clause_with_gid(lits, n, gid);
  if(cl >= 0)
  {
    clause(cl).set_status(ORIGINAL_CL);
    clause(cl).activity() = 0;
  }
  return cl;
}

ClauseIdx CSolver::add_conflict_clause(const int *lits, int n, unsigned gflag)
{
  ClauseIdx cl = add_clause(lits, n, gflag);
  if(cl < 0)
  {
    _stats.is_mem_out = true;
    _stats.outcome = MEM_OUT;
    return cl;
  }
  clause(cl).set_status(CONFLICT_CL);
  clause(cl).activity() = 0;
  return cl;
}

int CSolver::solve()
{
  if(_stats.outcome != UNDETERMINED)
    return _stats.outcome;
  init_solve();
  if(!preprocess())
    _stats.outcome = UNSATISFIABLE;
  else
    run_search();
  // Ends the progress line.
  std::cout << "\n";
  _stats.finish_cpu_time = get_cpu_time();
  return _stats.outcome;
}

void CSolver::init_solve()
{
  CDatabaseStats &db = CDatabase::_stats;
  db.init_num_clauses = num_clauses();
  db.init_num_literals = num_literals();
  db.num_deleted_clauses = 0;
  db.num_del_orig_cls = 0;
  db.num_deleted_literals = 0;
  db.num_compact = 0;
  db.num_enlarge = 0;

  // Every counter starts at 0, except the free-variable count.
  CSolverStats fresh;
  fresh.num_free_variables = _stats.num_free_variables;
  fresh.next_restart = _params.first_restart;
  fresh.restart_incr = _params.backtrack_incr;
  fresh.next_decay = _params.decay_period;
  fresh.current_randomness = _params.base_randomness;
  fresh.start_cpu_time = get_cpu_time();
  fresh.been_reset = false;
  _stats = fresh;

  INVARIANT(_conflicts.empty());
  INVARIANT(_conflict_lits.empty());
  INVARIANT(_num_marked == 0);
  INVARIANT(_num_in_new_cl == 0);
  INVARIANT(_dlevel == 0);

  for(CVariable &var : _variables)
  {
    var.scores(0) = var.lits_count(0);
    var.scores(1) = var.lits_count(1);
  }
  _ordered_vars.resize(num_variables());
  update_var_score();
  std::srand(_stats.random_seed);

  _top_unsat_cls = ClauseIdx(_clauses.size()) - 1;
  _shrinking_benefit = 0;
  _shrinking_cls.clear();
  _shrinking_cls_size = 0;
}

void CSolver::update_var_score()
{
  for(std::size_t i = 1; i < _variables.size(); ++i)
    _ordered_vars[i - 1] = {&_variables[i], _variables[i].score()};
  // Highest score first; equal scores keep the index order.
  std::stable_sort(
    _ordered_vars.begin(),
    _ordered_vars.end(),
    [](const std::pair<CVariable *, int> &a,
       const std::pair<CVariable *, int> &b) { return a.second > b.second; });
  for(std::size_t i = 0; i < _ordered_vars.size(); ++i)
    _ordered_vars[i].first->var_score_pos() = int(i);
  _max_score_pos = 0;
}

void CSolver::decay_variable_score()
{
  for(std::size_t i = 1; i < _variables.size(); ++i)
  {
    _variables[i].scores(0) /= 2;
    _variables[i].scores(1) /= 2;
  }
  for(auto &entry : _ordered_vars)
    entry.second = entry.first->score();
}

void CSolver::write_level0_conflict(ClauseIdx conflict)
{
  std::ostream &trace = resolve_trace_stream();
  for(std::size_t i = 1; i < _variables.size(); ++i)
  {
    CVariable &var = _variables[i];
    if(var.value() == 2 || var.antecedent() == -1)
      continue;
    CClause &ante = clause(var.antecedent());
    trace << "VAR: " << i << " L: " << var.assgn_stack_pos()
          << " V: " << var.value() << " A: " << ante.id() << " Lits:";
    for(unsigned j = 0; j < ante.num_lits(); ++j)
      trace << " " << ante.literal(j).s_var();
    trace << "\n" << std::flush;
  }
  CClause &cl = clause(conflict);
  trace << "CONF: " << cl.id() << " ==";
  for(unsigned j = 0; j < cl.num_lits(); ++j)
    trace << " " << cl.literal(j).s_var();
}

bool CSolver::preprocess()
{
  INVARIANT(dlevel() == 0);
  int n = int(num_variables());
  // Level 0 is rebuilt from the clauses. What waits in the queue (units
  // added to a reset solver, choices made before the clauses changed) is
  // either found again or no longer holds; propagating it early would let
  // it hide a unit clause that contradicts it. Conflicts found before
  // (by an earlier refutation) concern an assignment that is gone.
  _implication_queue = std::queue<CImplication>();
  _conflicts.clear();

  std::vector<int> unused;
  for(int i = 1; i <= n; ++i)
  {
    CVariable &var = variable(i);
    if(var.lits_count(0) == 0 && var.lits_count(1) == 0)
    {
      unused.push_back(i);
      queue_implication(i + i, -1, 0);
      int r = deduce();
      INVARIANT(r == NO_CONFLICT);
    }
  }
  if(_params.verbosity > 1 && !unused.empty())
  {
    std::cout << unused.size() << " Variables are defined but not used \n";
    if(_params.verbosity > 2)
    {
      for(int i : unused)
        std::cout << i << " ";
      std::cout << "\n";
    }
  }

  std::vector<int> one_phase;
  for(int i = 1; i <= n; ++i)
  {
    CVariable &var = variable(i);
    if(var.value() != 2)
      continue;
    if(var.lits_count(0) == 0)
    {
      queue_implication(i + i + 1, -1, 0);
      one_phase.push_back(-i);
    }
    else if(var.lits_count(1) == 0)
    {
      queue_implication(i + i, -1, 0);
      one_phase.push_back(i);
    }
  }
  if(_params.verbosity > 1 && !one_phase.empty())
  {
    std::cout << one_phase.size() << " Variables only appear in one phase.\n";
    if(_params.verbosity > 2)
    {
      for(int i : one_phase)
        std::cout << i << " ";
      std::cout << "\n";
    }
  }

  for(std::size_t c = 0; c < _clauses.size(); ++c)
  {
    CClause &cl = _clauses[c];
    if(cl.status() == DELETED_CL)
      continue;
    // A clause without literals is false under every assignment, and the
    // watches never see it: it is the conflict.
    if(cl.num_lits() == 0)
      _conflicts.push_back(ClauseIdx(c));
    else if(cl.num_lits() == 1 && literal_value(cl.literal(0)) >= 2)
      queue_implication(cl.literal(0).s_var(), ClauseIdx(c), 0);
  }

  if(deduce() == NO_CONFLICT)
  {
    std::cout << _assignment_stack[0]->size()
              << " vars set during preprocess; \n";
    return true;
  }
  std::cout << " CONFLICT during preprocess \n";
  write_level0_conflict(_conflicts.front());
  // The line has no newline, but it is in the file before anyone reads it.
  resolve_trace_stream().flush();
  return false;
}

void CSolver::run_search()
{
  while(_stats.outcome == UNDETERMINED)
  {
    run_periodic_tasks();
    // A clause added by a hook may have refuted the formula at level 0;
    // the answer is then final.
    if(_stats.outcome != UNDETERMINED)
      return;
    if(!decide_next_branch())
    {
      if(_sat_hook != nullptr && _sat_hook(this))
        continue;
      _stats.outcome = SATISFIABLE;
      return;
    }
    // So may the outside-constraint hook, which the decision step calls.
    if(_stats.outcome != UNDETERMINED)
      return;
    while(deduce() != NO_CONFLICT)
    {
      if(analyze_conflicts() < 0)
      {
        _stats.outcome = UNSATISFIABLE;
        return;
      }
    }
    if(get_cpu_time() - _stats.start_cpu_time > _params.time_limit)
      _stats.outcome = TIME_OUT;
    else if(_force_terminate)
      _stats.outcome = ABORTED;
    else if(_stats.is_mem_out)
      _stats.outcome = MEM_OUT;
  }
}

void CSolver::run_periodic_tasks()
{
  if(
    _params.restart_enable && _stats.num_backtracks > _stats.next_restart &&
    _shrinking_cls.empty())
  {
    _stats.next_restart = _stats.num_backtracks + _stats.restart_incr;
    delete_unrelevant_clauses();
    if(_stats.num_restarts % 5 == 1)
      compact_lit_pool();
    restart();
    std::cout << "\rDecision: " << _assignment_stack[0]->size() << "/"
              << num_variables() << "\tTime: " << elapsed_cpu_time() << "/"
              << _params.time_limit << std::flush;
  }
  if(_stats.num_backtracks > _stats.next_decay)
  {
    _stats.next_decay = _stats.num_backtracks + _params.decay_period;
    decay_variable_score();
  }
  for(CHookRecord &hook : _hooks)
  {
    // Once a hook's clause has refuted the formula, the search is over.
    if(_stats.outcome != UNDETERMINED)
      return;
    if(_stats.num_decisions >= hook.next_trigger)
    {
      hook.next_trigger += hook.interval;
      hook.function(this);
    }
  }
}

void CSolver::restart()
{
  ++_stats.num_restarts;
  if(_params.verbosity > 1)
    std::cout << "Restarting ... \n";
  if(_dlevel > 0)
    back_track(1);
  INVARIANT(dlevel() == 0);
}

void CSolver::back_track(int blevel)
{
  INVARIANT(blevel <= dlevel());
  for(int level = _dlevel; level >= blevel; --level)
  {
    std::vector<int> &assignments = *_assignment_stack[level];
    // A 0 slot (a variable that moved to a lower level) undoes nothing.
    for(auto it = assignments.rbegin(); it != assignments.rend(); ++it)
      unset_var_value(*it >> 1);
    assignments.clear();
  }
  _dlevel = std::max(blevel - 1, 0);
  ++_stats.num_backtracks;
  drop_implications_from(blevel);
}

void CSolver::drop_implications_from(int blevel)
{
  if(!_implication_queue.empty())
    keep_implications(
      [blevel](const CImplication &imp) { return imp.dlevel < blevel; });
}

void CSolver::delete_unrelevant_clauses()
{
  CDatabaseStats &db = CDatabase::_stats;
  unsigned deleted_before = db.num_deleted_clauses;
  int learned = int(num_clauses()) - int(db.init_num_clauses) +
                int(db.num_del_orig_cls);
  int head = learned / _params.tail_vs_head;
  int count = 0;

  for(std::size_t c = 0; c + 1 < _clauses.size(); ++c)
  {
    CClause &cl = _clauses[c];
    if(cl.status() == DELETED_CL)
      continue;

    // A true level-0 literal satisfies the clause for good only when its
    // fact follows from clauses (a choice for an unused or one-phase
    // variable may be overturned by an added clause), rests on no group
    // but the clause's own (deleting one of those deletes the clause too)
    // and, for an original clause, on no learned clause: a clean-up drops
    // those, and the fact may then need this very clause to follow again.
    bool true_at_level0 = false, for_good = false;
    for(unsigned i = 0; i < cl.num_lits() && !for_good; ++i)
    {
      const CVariable &var = variable(cl.literal(i).var_index());
      if(literal_value(cl.literal(i)) != 1 || var.dlevel() != 0)
        continue;
      true_at_level0 = true;
      for_good = var.antecedent() != -1 &&
                 (var.level0_gflag() & ~cl.gflag()) == 0 &&
                 !(cl.status() == ORIGINAL_CL && var.level0_learned());
    }
    if(true_at_level0)
    {
      if(
        !for_good ||
        (cl.status() != ORIGINAL_CL && cl.status() != CONFLICT_CL))
        continue;
      int true_lits = 0, free_lits = 0;
      for(unsigned i = 0; i < cl.num_lits(); ++i)
      {
        unsigned value = literal_value(cl.literal(i));
        if(value == 1)
          ++true_lits;
        else if(value != 0)
          ++free_lits;
        if(true_lits + free_lits > 1)
        {
          mark_clause_deleted(cl);
          break;
        }
      }
      continue;
    }

    if(cl.status() != CONFLICT_CL)
      continue;
    ++count;
    // Clauses learned before this solve count among its initial clauses,
    // so `learned` may be 0 while learned records exist.
    unsigned span = unsigned(_params.head_activity - _params.tail_activity);
    int bound = _params.head_activity -
                int(span * unsigned(count) / unsigned(std::max(learned, 1)));
    int size_bound;
    if(head > 0)
    {
      size_bound = _params.head_num_lits;
      --head;
    }
    else
      size_bound = _params.tail_num_lits;
    if(cl.activity() > bound)
      continue;
    int true_lits = 0, free_lits = 0;
    for(unsigned i = 0; i < cl.num_lits(); ++i)
    {
      unsigned value = literal_value(cl.literal(i));
      if(value == 1)
        ++true_lits;
      else if(value != 0)
        ++free_lits;
      if(free_lits > size_bound)
      {
        if(true_lits + free_lits > 1)
          mark_clause_deleted(cl);
        break;
      }
    }
  }

  if(db.num_deleted_clauses == deleted_before)
    return;

  purge_erased_watches();

  for(int i = 1; i <= int(num_variables()); ++i)
  {
    CVariable &var = variable(i);
    if(var.dlevel() == 0)
    {
      var.scores(0) = 0;
      var.scores(1) = 0;
      continue;
    }
    var.scores(0) = var.lits_count(0);
    var.scores(1) = var.lits_count(1);
    if(var.value() == 2 && var.lits_count(0) == 0)
      queue_implication(i + i + 1, -1, 0);
    else if(var.value() == 2 && var.lits_count(1) == 0)
      queue_implication(i + i, -1, 0);
  }
  update_var_score();
}

void CSolver::set_random_seed(int seed)
{
  std::srand(seed);
}

void CSolver::add_periodic_hook(CSolverHook function, int interval)
{
  _hooks.push_back(CHookRecord{0, function, interval});
}

float CSolver::elapsed_cpu_time()
{
  return float(get_cpu_time() - _stats.start_cpu_time);
}

float CSolver::total_run_time()
{
  return float(_stats.finish_cpu_time - _stats.start_cpu_time);
}

bool CSolver::time_out()
{
  return elapsed_cpu_time() > _params.time_limit;
}

void CSolver::not_implemented()
{
  groupsat_fatal(
    nullptr, unit_file, 1560, "Not implemented in this version");
}

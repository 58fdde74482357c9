#include "sat/groupsat/groupsat_solver.h"

#include <algorithm>
#include <iostream>
#include <ostream>

void CSolver::reset()
{
  if(_stats.been_reset || num_variables() == 0)
    return;
  back_track(0);
  _conflicts.clear();
  _implication_queue = std::queue<CImplication>();
  _stats.outcome = UNDETERMINED;
  _stats.been_reset = true;
}

void CSolver::delete_clause_group(int gid)
{
  INVARIANT(is_gid_allocated(gid));
  INVARIANT(gid > 0 && gid <= 32);
  if(!_stats.been_reset)
    reset();

  const unsigned bit = 1u << (gid - 1);
  for(CClause &cl : _clauses)
  {
    if(cl.status() != DELETED_CL && (cl.gflag() & bit) != 0)
      mark_clause_deleted(cl);
  }
  purge_erased_watches();
  free_gid(gid);
}

void CSolver::redo_level0()
{
  back_track(0);
  if(!preprocess())
    _stats.outcome = UNSATISFIABLE;
}

void CSolver::drop_queued_choices_against(const int *lits, int n)
{
  keep_implications([lits, n](const CImplication &imp) {
    // Level 0 without antecedent: a choice for a one-phase variable.
    const bool choice = imp.antecedent == -1 && imp.dlevel == 0;
    return !choice || std::find(lits, lits + n, imp.lit ^ 1) == lits + n;
  });
}

ClauseIdx CSolver::add_clause_incr(const int *lits, int n, int gid)
{
  ClauseIdx cl = add_clause(lits, n, gflag_of_gid(gid));
  if(cl < 0)
    return -1;
  clause(cl).set_status(ORIGINAL_CL);
  drop_queued_choices_against(lits, n);

  if(n == 1)
  {
    int svar = lits[0];
    if(
      literal_value(clause(cl).literal(0)) == 0 &&
      variable(svar >> 1).dlevel() == 0)
    {
      redo_level0();
      return cl;
    }
    if(_dlevel > 0)
      back_track(1);
    queue_implication(svar, cl, 0);
    return cl;
  }

  // A false literal chosen by preprocessing (unused or one phase) is no
  // consequence of the clauses; with this clause it may be wrong.
  for(int i = 0; i < n; ++i)
  {
    const CVariable &var = variable(lits[i] >> 1);
    if(
      var.dlevel() == 0 && var.antecedent() == -1 &&
      (var.value() ^ unsigned(lits[i] & 1)) == 0)
    {
      redo_level0();
      return cl;
    }
  }

  int unassigned = 0, free_lit = 0;
  int true_count = 0, true_lit = 0, true_level = -1;
  int hi = -1, lo = -1, hi_lit = 0;
  for(int i = 0; i < n && unassigned < 2; ++i)
  {
    int svar = lits[i];
    const CVariable &var = variable(svar >> 1);
    unsigned value = var.value() ^ unsigned(svar & 1);
    if(value >= 2)
    {
      ++unassigned;
      free_lit = svar;
      continue;
    }
    if(var.dlevel() >= hi)
    {
      lo = hi;
      hi = var.dlevel();
      hi_lit = svar;
    }
    else if(var.dlevel() > lo)
      lo = var.dlevel();
    if(value == 1)
    {
      ++true_count;
      true_lit = svar;
      true_level = var.dlevel();
    }
  }

  if(unassigned == 1 && true_count == 0)
  {
    if(_dlevel > hi)
      back_track(hi + 1);
    queue_implication(free_lit, cl, hi);
  }
  else if(unassigned == 0 && true_count == 1)
  {
    if(true_level == hi && hi > lo)
    {
      back_track(lo + 1);
      queue_implication(true_lit, cl, lo);
    }
  }
  else if(unassigned == 0 && true_count == 0)
  {
    INVARIANT(is_conflicting(cl));
    if(hi > lo)
    {
      back_track(lo + 1);
      queue_implication(hi_lit, cl, lo);
    }
    else
    {
      back_track(hi);
      if(hi == 0 && !preprocess())
        _stats.outcome = UNSATISFIABLE;
    }
  }
  return cl;
}

void CSolver::clean_up_dbase()
{
  INVARIANT(dlevel() == 0);
  int before = estimate_mem_usage();
  for(std::size_t c = 0; c + 1 < _clauses.size(); ++c)
  {
    CClause &cl = _clauses[c];
    if(cl.status() != ORIGINAL_CL && cl.status() != DELETED_CL)
      mark_clause_deleted(cl);
  }
  for(CVariable &var : _variables)
  {
    for(int sign = 0; sign < 2; ++sign)
    {
      std::vector<CLitPoolElement *> &watched = var.watched(sign);
      std::size_t live = 0;
      for(CLitPoolElement *entry : watched)
        live += entry->is_literal();
      std::vector<CLitPoolElement *> kept;
      kept.reserve(live);
      for(CLitPoolElement *entry : watched)
      {
        if(entry->is_literal())
          kept.push_back(entry);
      }
      watched.swap(kept);
    }
  }
  int after = estimate_mem_usage();
  if(_params.verbosity >= 1)
    std::cout << "Database Cleaned, releasing (approximately) "
              << before - after << " Bytes\n";
}

int CSolver::estimate_mem_usage()
{
  std::size_t used = std::min(
    std::size_t(std::max(_stats.max_dlevel, 0)), _assignment_stack.size());
  std::size_t levels = 0;
  for(std::size_t level = 0; level < used; ++level)
    levels += _assignment_stack[level]->capacity() * sizeof(int);
  return CDatabase::estimate_mem_usage() + int(levels) +
         int(12 * _assignment_stack.size());
}

int CSolver::max_dlevel_of_clause(ClauseIdx cl)
{
  if(cl == -1)
    return _dlevel;
  int highest = 0;
  CClause &c = clause(cl);
  for(unsigned i = 0; i < c.num_lits(); ++i)
  {
    const CVariable &var = variable(c.literal(i).var_index());
    if(var.value() < 2 && var.dlevel() > highest)
      highest = var.dlevel();
  }
  return highest;
}

void CSolver::verify_integrity()
{
  for(unsigned i = 1; i <= num_variables(); ++i)
  {
    CVariable &var = variable(int(i));
    unsigned value = var.value();
    if(value >= 2)
      continue;
    int dlevel = var.dlevel();
    int pos = var.assgn_stack_pos();
    // Written as the rule reads in the engine's messages.
    INVARIANT((*_assignment_stack[dlevel])[pos] == (int) (i+i+1-value));
  }

  for(CClause &cl : _clauses)
  {
    // A clause without literals has nothing to watch; it is the conflict
    // preprocessing finds.
    if(cl.status() == DELETED_CL || cl.num_lits() == 0)
      continue;
    int watch_index = 0;
    CLitPoolElement *watches[2] = {nullptr, nullptr};
    for(unsigned i = 0; i < cl.num_lits(); ++i)
    {
      if(cl.literal(i).is_watched())
      {
        if(watch_index < 2)
          watches[watch_index] = &cl.literal(i);
        ++watch_index;
      }
    }
    if(watch_index == 0)
    {
      INVARIANT(cl.num_lits() == 1);
      continue;
    }
    INVARIANT(watch_index == 2);
    for(CLitPoolElement *watch : watches)
    {
      if(literal_value(*watch) != 0)
        continue;
      int watch_level = variable(watch->var_index()).dlevel();
      for(unsigned i = 0; i < cl.num_lits(); ++i)
      {
        CLitPoolElement &lit = cl.literal(i);
        if(lit.is_watched())
          continue;
        INVARIANT(literal_value(lit) == 0);
        INVARIANT(variable(lit.var_index()).dlevel() <= watch_level);
      }
    }
  }
}

void CSolver::dump_assignment_stack(std::ostream &os)
{
  os << "Assignment Stack:  ";
  for(int level = 0; level <= _dlevel; ++level)
  {
    os << "(" << level << ":";
    for(int svar : *_assignment_stack[level])
      os << ((svar & 1) ? "-" : "+") << (svar >> 1) << " ";
    os << ") \n";
  }
  os << "\n";
}

void CSolver::dump_implication_queue(std::ostream &os)
{
  os << "Implication Queue Previous: ";
  std::queue<CImplication> queue = _implication_queue;
  for(; !queue.empty(); queue.pop())
  {
    const CImplication &entry = queue.front();
    os << "(" << ((entry.lit & 1) ? "-" : "+") << (entry.lit >> 1) << "@"
       << entry.dlevel << ":" << entry.antecedent << ")  ";
  }
}

void CSolver::print_cls(std::ostream &os)
{
  for(CClause &cl : _clauses)
  {
    if(cl.status() == DELETED_CL)
      continue;
    if(cl.status() == ORIGINAL_CL)
      os << "0 ";
    else
    {
      INVARIANT(cl.status() == CONFLICT_CL);
      os << "A ";
    }
    for(int bit = 0; bit < 32; ++bit)
      os << ((cl.gflag() >> bit) & 1);
    os << "\t";
    for(unsigned i = 0; i < cl.num_lits(); ++i)
    {
      CLitPoolElement &lit = cl.literal(i);
      os << (lit.var_sign() ? "-" : "") << lit.var_index() << " ";
    }
    os << "0\n";
  }
}

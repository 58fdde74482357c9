#include "changing_formula.h"

#include "random_cnf.h"

#include "sat/groupsat/groupsat_solver.h"

#include <algorithm>
#include <random>
#include <vector>

namespace
{
struct tracked_clauset
{
  std::vector<int> lits;
  // 0 permanent, -1 volatile, else the group id.
  int gid;
};

// The solver with the session's record of what is in force, which the
// hooks (plain functions of the solver) reach through it.
class session_solvert : public CSolver
{
public:
  explicit session_solvert(unsigned seed) : rng(seed)
  {
  }

  std::mt19937 rng;
  int num_vars = 0;
  std::vector<tracked_clauset> added;
  std::vector<int> live_gids;
  // Additions the hooks may still make in the current solve.
  int hook_budget = 0;
  int hook_additions = 0;
  std::string failure;

  int below(int n)
  {
    return std::uniform_int_distribution<int>(0, n - 1)(rng);
  }

  // Units often, else two or three distinct variables; now and then with
  // a literal repeated or beside its negation.
  std::vector<int> random_clause(int unit_one_in)
  {
    int width = below(unit_one_in) == 0 ? 1 : 2 + below(2);
    std::vector<int> lits;
    while(int(lits.size()) < std::min(width, num_vars))
    {
      int v = 1 + below(num_vars);
      bool repeated = false;
      for(int l : lits)
        repeated = repeated || l >> 1 == v;
      if(!repeated)
        lits.push_back(2 * v + below(2));
    }
    int odd = below(40);
    if(odd < 2)
      lits.insert(
        lits.begin() + below(int(lits.size()) + 1),
        lits[std::size_t(below(int(lits.size())))] ^ odd);
    return lits;
  }

  // A random clause whose literals are, in turn, at random, on variables
  // still free, or against the current values (level 0 included), which
  // takes the additions through every case of the engine.
  std::vector<int> clause_on_assignment()
  {
    std::vector<int> lits = random_clause(5);
    int mode = below(3);
    for(int &l : lits)
    {
      int v = l >> 1;
      std::vector<int> free_vars;
      for(int u = 1; u <= num_vars; ++u)
        if(variable(u).value() >= 2)
          free_vars.push_back(u);
      if(mode == 1 && !free_vars.empty())
        v = free_vars[std::size_t(below(int(free_vars.size())))];
      unsigned value = variable(v).value();
      if(mode == 2 && value < 2)
        l = 2 * v + int(value);
      else
        l = 2 * v + (l & 1);
    }
    return lits;
  }

  // Mostly permanent; sometimes a live group, rarely volatile.
  int random_gid()
  {
    int pick = below(10);
    if(pick < 6 || live_gids.empty())
      return 0;
    if(pick == 9)
      return -1;
    return live_gids[std::size_t(below(int(live_gids.size())))];
  }

  void add(const std::vector<int> &lits, int gid, bool incremental)
  {
    const int *data = lits.data();
    int n = int(lits.size());
    ClauseIdx cl = incremental ? add_clause_incr(data, n, gid)
                               : add_original_clause(data, n, gid);
    if(cl < 0 && failure.empty())
      failure = "a clause could not be stored";
    added.push_back({lits, gid});
  }

  void delete_group(int gid)
  {
    delete_clause_group(gid);
    live_gids.erase(std::find(live_gids.begin(), live_gids.end(), gid));
    // Volatile clauses carry every group bit.
    added.erase(
      std::remove_if(
        added.begin(),
        added.end(),
        [gid](const tracked_clauset &c) {
          return c.gid == gid || c.gid == -1;
        }),
      added.end());
  }

  cnf_formulat in_force() const
  {
    cnf_formulat formula;
    formula.variables = num_vars;
    for(const tracked_clauset &c : added)
      formula.clauses.push_back(c.lits);
    return formula;
  }
};

void add_during_search(CSolver *solver)
{
  session_solvert &session = static_cast<session_solvert &>(*solver);
  if(session.hook_budget == 0 || session.below(3) == 0)
    return;
  --session.hook_budget;
  ++session.hook_additions;
  session.add(session.clause_on_assignment(), session.random_gid(), true);
}

// Blocks part of the model found, or adds a clause at random (which may
// hold already); the search then goes on.
bool add_at_model(CSolver *solver)
{
  session_solvert &session = static_cast<session_solvert &>(*solver);
  if(session.hook_budget == 0)
    return false;
  --session.hook_budget;
  ++session.hook_additions;
  std::vector<int> lits = session.random_clause(4);
  if(session.below(2) == 0)
  {
    for(int &l : lits)
    {
      unsigned value = session.variable(l >> 1).value();
      if(value < 2)
        l = (l & ~1) | int(value);
    }
  }
  session.add(lits, session.random_gid(), true);
  return true;
}

void make_restarts_frequent(session_solvert &session)
{
  CSolverParameters &p = session.params();
  p.first_restart = session.below(3);
  p.backtrack_incr = 1 + session.below(3);
  p.decay_period = 1 + session.below(3);
  if(session.below(2) == 0)
  {
    // Clause deletion at every restart.
    p.head_activity = 1;
    p.tail_activity = 0;
    p.head_num_lits = 0;
    p.tail_num_lits = 1;
    p.tail_vs_head = 2;
  }
  if(session.below(4) == 0)
    p.shrinking_size = 2;
}

// The answer and the model against brute force; false (with the failure
// noted) when wrong.
bool check_answer(session_solvert &session, int outcome, int step)
{
  cnf_formulat formula = session.in_force();
  bool satisfiable = brute_force_satisfiable(formula);
  std::string where = "solve " + std::to_string(step) + ": ";
  if(outcome != SATISFIABLE && outcome != UNSATISFIABLE)
    session.failure = where + "outcome " + std::to_string(outcome);
  else if((outcome == SATISFIABLE) != satisfiable)
    session.failure = where + "wrong answer " + std::to_string(outcome);
  else if(
    satisfiable && !satisfies(formula, model_of(session, session.num_vars)))
    session.failure = where + "model violates a clause in force";
  return session.failure.empty();
}

// Between two solves: reset, clean-up, group deletion and additions, in a
// random mix.
void change_between_solves(session_solvert &session)
{
  // Learned clauses dropped under what the search left at level 0.
  if(session.dlevel() == 0 && session.below(4) == 0)
    session.clean_up_dbase();
  switch(session.below(4))
  {
  case 0:
    // Clauses added to the assignment the solve left.
    for(int k = 1 + session.below(3); k > 0; --k)
      session.add(session.random_clause(3), session.random_gid(), true);
    session.reset();
    break;
  case 1:
    if(!session.live_gids.empty())
    {
      session.delete_group(session.live_gids[std::size_t(
        session.below(int(session.live_gids.size())))]);
      break;
    }
    session.reset();
    break;
  case 2:
    session.reset();
    for(int k = 1 + session.below(3); k > 0; --k)
      session.add(session.random_clause(3), session.random_gid(), true);
    break;
  default:
    session.reset();
    break;
  }
  // Every branch has reset the solver: learned clauses may go.
  if(session.below(2) == 0)
    session.clean_up_dbase();
  session.verify_integrity();
}
} // namespace

changing_formula_reportt run_changing_formula(unsigned seed)
{
  session_solvert session(seed);
  session.num_vars = 4 + session.below(11);
  session.set_variable_number(session.num_vars);
  make_restarts_frequent(session);
  for(int g = session.below(4); g > 0; --g)
    session.live_gids.push_back(session.alloc_gid());
  int clauses = session.num_vars * (1 + session.below(3));
  for(int c = 0; c < clauses; ++c)
    session.add(session.random_clause(12), session.random_gid(), false);
  for(int h = 1 + session.below(2); h > 0; --h)
    session.add_periodic_hook(add_during_search, session.below(2));
  if(session.below(2) == 0)
    session._sat_hook = add_at_model;

  changing_formula_reportt report;
  for(int step = 0; step < 4 && session.failure.empty(); ++step)
  {
    session.hook_budget = session.below(10);
    int outcome = session.solve();
    if(!check_answer(session, outcome, step))
      break;
    ++(outcome == SATISFIABLE ? report.satisfiable : report.unsatisfiable);
    change_between_solves(session);
  }
  report.failure = session.failure;
  report.hook_additions = session.hook_additions;
  return report;
}

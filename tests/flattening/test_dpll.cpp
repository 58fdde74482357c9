#include "test_dpll.h"

#include <utility>
#include <vector>

class test_dpllt
{
public:
  // Room for the variables 0 .. variables-1; never shrinks.
  void grow(unsigned variables)
  {
    if(variables > value.size())
    {
      value.resize(variables, UNASSIGNED);
      watches.resize(2 * variables);
    }
  }

  // Between searches only the root facts are assigned: a clause is
  // simplified by them for good.
  void add_clause(const bvt &clause)
  {
    bvt open;
    for(literalt l : clause)
    {
      if(is_true(l))
        return;
      if(!is_false(l))
        open.push_back(l);
    }
    if(open.empty())
      inconsistent = true;
    else if(open.size() == 1)
      inconsistent = inconsistent || !enqueue(open[0]) || !propagate();
    else
    {
      clauses.push_back(open);
      watches[(!open[0]).get()].push_back(clauses.size() - 1);
      watches[(!open[1]).get()].push_back(clauses.size() - 1);
    }
    root_size = trail.size();
  }

  bool solve(const bvt &assumptions)
  {
    if(inconsistent)
      return false;
    // Assumptions form one level that backtracking never flips.
    decisions.push_back({trail.size(), true});
    for(literalt l : assumptions)
      if(l.is_false() || (!l.is_constant() && !enqueue(l)))
        return false;
    while(true)
    {
      if(!propagate())
      {
        if(!backtrack())
          return false;
        continue;
      }
      unsigned v = next_unassigned();
      if(v == value.size())
        return true;
      decisions.push_back({trail.size(), false});
      enqueue(literalt(v, true));
    }
  }

  bool variable_is_true(unsigned v) const
  {
    return value[v] == 1;
  }

  // Back to the root facts.
  void reset()
  {
    undo_to(root_size);
    decisions.clear();
  }

private:
  static constexpr signed char UNASSIGNED = -1;

  struct decisiont
  {
    std::size_t trail_size;
    bool flipped;
  };

  // Variable 0 is never used: it stays marked as assigned.
  std::vector<signed char> value{0};
  std::vector<bvt> clauses;
  // Indexed by the word of a literal: the clauses watching its negation,
  // which must look for a new watch when the literal becomes true.
  std::vector<std::vector<std::size_t>> watches{2};
  bvt trail;
  std::size_t propagated = 0;
  std::size_t root_size = 0;
  std::vector<decisiont> decisions;
  unsigned search_start = 1;
  bool inconsistent = false;

  bool is_true(literalt l) const
  {
    signed char v = value[l.var_no()];
    return v != UNASSIGNED && v == (l.sign() ? 0 : 1);
  }

  bool is_false(literalt l) const
  {
    signed char v = value[l.var_no()];
    return v != UNASSIGNED && v == (l.sign() ? 1 : 0);
  }

  bool enqueue(literalt l)
  {
    if(value[l.var_no()] != UNASSIGNED)
      return is_true(l);
    value[l.var_no()] = l.sign() ? 0 : 1;
    trail.push_back(l);
    return true;
  }

  bool propagate()
  {
    while(propagated < trail.size())
    {
      literalt assigned = trail[propagated++];
      std::vector<std::size_t> &watching = watches[assigned.get()];
      for(std::size_t w = 0; w < watching.size();)
      {
        bvt &clause = clauses[watching[w]];
        // Keep the false watch in position 1.
        if(clause[0] == !assigned)
          std::swap(clause[0], clause[1]);
        bool moved = false;
        for(std::size_t k = 2; k < clause.size() && !moved; ++k)
        {
          if(!is_false(clause[k]))
          {
            std::swap(clause[1], clause[k]);
            watches[(!clause[1]).get()].push_back(watching[w]);
            watching[w] = watching.back();
            watching.pop_back();
            moved = true;
          }
        }
        if(moved)
          continue;
        if(!enqueue(clause[0]))
        {
          propagated = trail.size();
          return false;
        }
        ++w;
      }
    }
    return true;
  }

  // Undoes to the last decision not yet flipped and flips it; false when
  // there is none.
  bool backtrack()
  {
    while(!decisions.empty())
    {
      decisiont last = decisions.back();
      decisions.pop_back();
      if(last.flipped)
      {
        undo_to(last.trail_size);
        continue;
      }
      literalt decided = trail[last.trail_size];
      undo_to(last.trail_size);
      decisions.push_back({trail.size(), true});
      enqueue(!decided);
      return true;
    }
    return false;
  }

  void undo_to(std::size_t size)
  {
    while(trail.size() > size)
    {
      unsigned v = trail.back().var_no();
      value[v] = UNASSIGNED;
      if(v < search_start)
        search_start = v;
      trail.pop_back();
    }
    if(propagated > size)
      propagated = size;
  }

  unsigned next_unassigned()
  {
    while(search_start < value.size() && value[search_start] != UNASSIGNED)
      ++search_start;
    return search_start;
  }
};

test_dpll_propt::test_dpll_propt() : dpll(new test_dpllt)
{
}

test_dpll_propt::~test_dpll_propt() = default;

propt::resultt test_dpll_propt::prop_solve()
{
  dpll->grow(no_variables());
  clause_listt::const_iterator next = clause_list.begin();
  std::advance(next, clauses_taken);
  for(; next != clause_list.end(); ++next, ++clauses_taken)
    dpll->add_clause(*next);

  const bool satisfiable = dpll->solve(assumptions);
  assignment.assign(no_variables(), tvt(tvt::TV_UNKNOWN));
  if(satisfiable)
    for(unsigned v = 1; v < no_variables(); ++v)
      assignment[v] = tvt(dpll->variable_is_true(v));
  dpll->reset();
  return satisfiable ? P_SATISFIABLE : P_UNSATISFIABLE;
}

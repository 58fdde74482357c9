#include "test_dpll.h"

#include <vector>

namespace
{
class dpllt
{
public:
  explicit dpllt(unsigned variables)
    : value(variables, UNASSIGNED), watches(2 * variables)
  {
  }

  // False when the clause makes the problem unsatisfiable at once.
  bool add_clause(const bvt &clause)
  {
    if(clause.empty())
      return false;
    if(clause.size() == 1)
      return enqueue(clause[0]);
    clauses.push_back(clause);
    watches[(!clause[0]).get()].push_back(clauses.size() - 1);
    watches[(!clause[1]).get()].push_back(clauses.size() - 1);
    return true;
  }

  bool enqueue(literalt l)
  {
    signed char wanted = l.sign() ? 0 : 1;
    if(value[l.var_no()] != UNASSIGNED)
      return value[l.var_no()] == wanted;
    value[l.var_no()] = wanted;
    trail.push_back(l);
    return true;
  }

  bool solve()
  {
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

  bool is_true(unsigned v) const
  {
    return value[v] == 1;
  }

private:
  static constexpr signed char UNASSIGNED = -1;

  struct decisiont
  {
    std::size_t trail_size;
    bool flipped;
  };

  std::vector<signed char> value;
  std::vector<bvt> clauses;
  // Indexed by the word of a literal: the clauses watching its negation,
  // which must look for a new watch when the literal becomes true.
  std::vector<std::vector<std::size_t>> watches;
  bvt trail;
  std::size_t propagated = 0;
  std::vector<decisiont> decisions;
  unsigned search_start = 1;

  bool is_false(literalt l) const
  {
    signed char v = value[l.var_no()];
    return v != UNASSIGNED && v == (l.sign() ? 1 : 0);
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
      literalt decided = trail[last.trail_size];
      undo_to(last.trail_size);
      if(!last.flipped)
      {
        decisions.push_back({trail.size(), true});
        enqueue(!decided);
        return true;
      }
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
    propagated = size;
  }

  unsigned next_unassigned()
  {
    while(search_start < value.size() && value[search_start] != UNASSIGNED)
      ++search_start;
    return search_start;
  }
};
} // namespace

propt::resultt test_dpll_propt::prop_solve()
{
  dpllt dpll(no_variables());
  bool consistent = true;
  for(const bvt &clause : clause_list)
    consistent = consistent && dpll.add_clause(clause);
  for(literalt l : assumptions)
    consistent = consistent && !l.is_false() &&
                 (l.is_true() || dpll.enqueue(l));

  assignment.assign(no_variables(), tvt(tvt::TV_UNKNOWN));
  if(!consistent || !dpll.solve())
    return P_UNSATISFIABLE;
  for(unsigned v = 1; v < no_variables(); ++v)
    assignment[v] = tvt(dpll.is_true(v));
  return P_SATISFIABLE;
}

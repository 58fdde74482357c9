#include "qbf_oracle.h"

#include <cstdlib>

namespace
{
class expansiont
{
public:
  explicit expansiont(const qbf_formulat &_formula)
    : formula(_formula), value(_formula.variables.size(), 0)
  {
    for(const auto &block : _formula.blocks)
      for(int v : block)
        order.push_back(v);
  }

  bool evaluate(std::size_t next)
  {
    bool all_true = true;
    for(const auto &clause : formula.clauses)
    {
      bool satisfied = false, open = false;
      for(int l : clause)
      {
        int v = value[std::abs(l)];
        if(v == 0)
          open = true;
        else if((v > 0) == (l > 0))
          satisfied = true;
      }
      if(!satisfied && !open)
        return false;
      all_true = all_true && satisfied;
    }
    if(all_true)
      return true;
    // Some clause is open, so some variable of the prefix is unassigned.
    int v = order[next];
    bool existential = formula.variables[v].existential;
    bool result = !existential;
    for(int choice : {1, -1})
    {
      value[v] = choice;
      if(evaluate(next + 1) == existential)
      {
        result = existential;
        break;
      }
    }
    value[v] = 0;
    return result;
  }

private:
  const qbf_formulat &formula;
  std::vector<int> value; // 0 unassigned, 1 true, -1 false
  std::vector<int> order;
};
} // namespace

bool qbf_is_true(const qbf_formulat &formula)
{
  return expansiont(formula).evaluate(0);
}

#include "qbf_oracle.h"

#include <cstdlib>

namespace
{
class expansiont
{
public:
  // Numbers the variables 1, 2, ... in prefix order, so that the search
  // keeps its values in a table however large the variable numbers are.
  explicit expansiont(const qbf_formulat &formula)
  {
    std::unordered_map<int, int> dense;
    existential.push_back(false); // slot 0 is unused
    for(const auto &block : formula.blocks)
      for(int v : block)
      {
        dense[v] = static_cast<int>(existential.size());
        existential.push_back(formula.variables.at(v).existential);
      }
    for(const auto &clause : formula.clauses)
    {
      clauses.emplace_back();
      for(int l : clause)
        clauses.back().push_back(l > 0 ? dense.at(l) : -dense.at(-l));
    }
    value.assign(existential.size(), 0);
  }

  // Decides the formula with the variables before `v` assigned.
  bool evaluate(int v)
  {
    bool all_true = true;
    for(const auto &clause : clauses)
    {
      bool satisfied = false, open = false;
      for(int l : clause)
      {
        int x = value[std::abs(l)];
        if(x == 0)
          open = true;
        else if((x > 0) == (l > 0))
          satisfied = true;
      }
      if(!satisfied && !open)
        return false;
      all_true = all_true && satisfied;
    }
    if(all_true)
      return true;
    // Some clause is open, so some variable of the prefix is unassigned.
    bool result = !existential[v];
    for(int choice : {1, -1})
    {
      value[v] = choice;
      if(evaluate(v + 1) == existential[v])
      {
        result = existential[v];
        break;
      }
    }
    value[v] = 0;
    return result;
  }

private:
  std::vector<bool> existential;         // by dense number
  std::vector<std::vector<int>> clauses; // over dense numbers
  std::vector<int> value;                // 0 unassigned, 1 true, -1 false
};
} // namespace

bool qbf_is_true(const qbf_formulat &formula)
{
  return expansiont(formula).evaluate(1);
}

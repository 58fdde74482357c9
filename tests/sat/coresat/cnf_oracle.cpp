#include "cnf_oracle.h"

#include <map>
#include <set>

int_cnft random_cnf(std::mt19937 &random, int n, int m, int max_width)
{
  int_cnft cnf;
  for(int i = 0; i < m; ++i)
  {
    int width = 1 + int(random() % unsigned(max_width < n ? max_width : n));
    std::set<int> vars;
    int_clauset clause;
    while(int(vars.size()) < width)
    {
      int v = 1 + int(random() % unsigned(n));
      if(vars.insert(v).second)
        clause.push_back(random() % 2 ? v : -v);
    }
    cnf.push_back(clause);
  }
  return cnf;
}

bool satisfies(const int_cnft &cnf, unsigned bits)
{
  for(const int_clauset &clause : cnf)
  {
    bool sat = false;
    for(int lit : clause)
    {
      bool value = (bits >> ((lit < 0 ? -lit : lit) - 1)) & 1;
      if(value == (lit > 0))
        sat = true;
    }
    if(!sat)
      return false;
  }
  return true;
}

bool brute_force_sat(const int_cnft &cnf, int n)
{
  for(unsigned bits = 0; bits < (1u << n); ++bits)
    if(satisfies(cnf, bits))
      return true;
  return false;
}

bool implied_by_unit_propagation(
  const int_clauset &clause, const int_cnft &premises)
{
  std::map<int, bool> value; // variable -> value
  auto assign_false = [&value](int lit) {
    int v = lit < 0 ? -lit : lit;
    bool wanted = lit < 0;
    auto it = value.find(v);
    if(it != value.end())
      return it->second == wanted;
    value[v] = wanted;
    return true;
  };
  for(int lit : clause)
    if(!assign_false(lit))
      return true; // the clause is a tautology
  for(bool changed = true; changed;)
  {
    changed = false;
    for(const int_clauset &premise : premises)
    {
      int unassigned = 0;
      int last = 0;
      bool sat = false;
      for(int lit : premise)
      {
        auto it = value.find(lit < 0 ? -lit : lit);
        if(it == value.end())
        {
          ++unassigned;
          last = lit;
        }
        else if(it->second == (lit > 0))
          sat = true;
      }
      if(sat)
        continue;
      if(unassigned == 0)
        return true;
      if(unassigned == 1)
      {
        assign_false(-last);
        changed = true;
      }
    }
  }
  return false;
}

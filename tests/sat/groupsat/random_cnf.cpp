#include "random_cnf.h"

#include "sat/groupsat/groupsat_solver.h"

cnf_formulat random_cnf(std::mt19937 &rng, const random_cnf_shapet &shape)
{
  cnf_formulat formula;
  formula.variables = shape.variables;
  auto below = [&rng](int n) {
    return int(std::uniform_int_distribution<int>(0, n - 1)(rng));
  };
  auto random_literal = [&]() {
    return 2 * (1 + below(shape.variables)) + below(2);
  };
  for(int c = 0; c < shape.clauses; ++c)
  {
    if(!formula.clauses.empty() && below(1000) < shape.repeated_clauses)
    {
      formula.clauses.push_back(
        formula.clauses[below(int(formula.clauses.size()))]);
      continue;
    }
    std::vector<int> clause;
    int width = 1 + below(shape.max_width);
    for(int i = 0; i < width; ++i)
      clause.push_back(random_literal());
    if(below(1000) < shape.repeats)
      clause.insert(clause.begin() + below(width + 1), clause[below(width)]);
    if(below(1000) < shape.tautologies)
      clause.insert(clause.begin() + below(width + 1), clause[below(width)] ^ 1);
    formula.clauses.push_back(clause);
  }
  if(shape.empty_clause)
  {
    auto at = formula.clauses.begin() + below(int(formula.clauses.size()) + 1);
    formula.clauses.insert(at, std::vector<int>());
  }
  return formula;
}

cnf_formulat random_3sat(std::mt19937 &rng, int variables, int clauses)
{
  cnf_formulat formula;
  formula.variables = variables;
  std::uniform_int_distribution<int> variable(1, variables);
  std::uniform_int_distribution<int> sign(0, 1);
  for(int c = 0; c < clauses; ++c)
  {
    std::vector<int> clause;
    while(clause.size() < 3)
    {
      int v = variable(rng);
      bool repeated = false;
      for(int l : clause)
        repeated = repeated || l >> 1 == v;
      if(!repeated)
        clause.push_back(2 * v + sign(rng));
    }
    formula.clauses.push_back(clause);
  }
  return formula;
}

bool satisfies(const cnf_formulat &formula, const std::vector<int> &values)
{
  for(const std::vector<int> &clause : formula.clauses)
  {
    bool satisfied = false;
    for(int l : clause)
      satisfied = satisfied || values[l >> 1] != (l & 1);
    if(!satisfied)
      return false;
  }
  return true;
}

bool brute_force_satisfiable(const cnf_formulat &formula)
{
  std::vector<int> values(formula.variables + 1);
  for(unsigned long code = 0; code < (1ul << formula.variables); ++code)
  {
    for(int v = 1; v <= formula.variables; ++v)
      values[v] = (code >> (v - 1)) & 1;
    if(satisfies(formula, values))
      return true;
  }
  return false;
}

void load(CSolver &solver, const cnf_formulat &formula)
{
  solver.set_variable_number(formula.variables);
  for(const std::vector<int> &clause : formula.clauses)
    solver.add_original_clause(clause.data(), int(clause.size()), 0);
}

std::vector<int> model_of(CSolver &solver, int variables)
{
  std::vector<int> values(variables + 1);
  for(int v = 1; v <= variables; ++v)
    values[v] = int(solver.variable(v).value());
  return values;
}

std::vector<int> svars(const std::vector<int> &dimacs)
{
  std::vector<int> lits;
  for(int d : dimacs)
    lits.push_back(d < 0 ? -2 * d + 1 : 2 * d);
  return lits;
}

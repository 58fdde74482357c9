// Decides a DIMACS CNF file with the clause-learning engine, for the
// benchmark script: prints "SATISFIABLE" (exit code 10) or "UNSATISFIABLE"
// (20); 99 when the file cannot be read, the engine stops undecided or runs
// out of memory, or a model it reports leaves a clause false. The engine
// writes its trace "resolve_trace" into the working directory.
//
// usage: groupsat_cnf FILE

#include "propositional/cnf.h"
#include "propositional/read_dimacs_cnf.h"
#include "sat/groupsat/groupsat_solver.h"

#include <fstream>
#include <iostream>
#include <new>
#include <vector>

namespace
{
class clause_collectort : public cnft
{
public:
  void lcnf(const bvt &clause) override
  {
    clauses.push_back(clause);
  }
  std::string solver_text() const override
  {
    return "collector";
  }
  resultt prop_solve() override
  {
    return P_ERROR;
  }
  tvt l_get(literalt) const override
  {
    return tvt();
  }
  unsigned no_clauses() const override
  {
    return clauses.size();
  }

  std::vector<bvt> clauses;
};

bool model_satisfies(CSolver &solver, const std::vector<bvt> &clauses)
{
  for(const bvt &clause : clauses)
  {
    bool satisfied = false;
    for(literalt l : clause)
      satisfied = satisfied || solver.variable(l.var_no()).value() != l.sign();
    if(!satisfied)
      return false;
  }
  return true;
}

int decide(int argc, char **argv)
{
  if(argc != 2)
  {
    std::cerr << "usage: groupsat_cnf FILE\n";
    return 99;
  }
  std::ifstream in(argv[1]);
  if(!in)
  {
    std::cerr << "cannot read " << argv[1] << "\n";
    return 99;
  }
  clause_collectort formula;
  read_dimacs_cnf(in, formula);

  CSolver solver;
  solver.set_variable_number(int(formula.no_variables()) - 1);
  std::vector<int> lits;
  for(const bvt &clause : formula.clauses)
  {
    lits.clear();
    for(literalt l : clause)
      lits.push_back(int(l.get()));
    solver.add_original_clause(lits.data(), int(lits.size()), 0);
  }

  switch(solver.solve())
  {
  case SATISFIABLE:
    if(!model_satisfies(solver, formula.clauses))
    {
      std::cerr << "the model leaves a clause false\n";
      return 99;
    }
    std::cout << "SATISFIABLE\n";
    return 10;
  case UNSATISFIABLE:
    std::cout << "UNSATISFIABLE\n";
    return 20;
  default:
    std::cerr << "undecided, outcome " << solver.outcome() << "\n";
    return 99;
  }
}
} // namespace

int main(int argc, char **argv)
{
  // A large variable number makes the engine's tables larger than memory:
  // that is an error answer, not an abort.
  try
  {
    return decide(argc, argv);
  }
  catch(const std::bad_alloc &)
  {
    std::cerr << "out of memory\n";
    return 99;
  }
}

// Decides a DIMACS CNF file with the clause-learning engine, for the
// benchmark script: prints "SATISFIABLE" (exit code 10) or "UNSATISFIABLE"
// (20); 99 when the file cannot be read, the engine stops undecided or runs
// out of memory, or a model it reports leaves a clause false. The engine
// writes its trace "resolve_trace" into the working directory.
//
// usage: groupsat_cnf FILE

#include "tests/sat/tools/dimacs_driver.h"

#include "sat/groupsat/groupsat_solver.h"

#include <iostream>
#include <vector>

namespace
{
int decide(int argc, char **argv)
{
  if(argc != 2)
  {
    std::cerr << "usage: groupsat_cnf FILE\n";
    return 99;
  }
  recording_cnft formula;
  if(!read_dimacs_file(argv[1], formula))
    return 99;

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
    if(!model_satisfies(formula, [&solver](literalt l) {
         return solver.variable(l.var_no()).value() != l.sign();
       }))
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
  return answer_within_memory([&] { return decide(argc, argv); });
}

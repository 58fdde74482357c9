// Bench driver: decides a DIMACS CNF file with the Coresat engine through
// its propositional adapter. Prints SATISFIABLE or UNSATISFIABLE and exits
// with 10 or 20; 99 when the file cannot be read, the engine fails or runs
// out of memory, or a model it reports leaves a clause false.

#include "tests/sat/tools/dimacs_driver.h"

#include "sat/satcheck_coresat.h"

#include <iostream>

namespace
{
int decide(int argc, char **argv)
{
  if(argc != 2)
  {
    std::cerr << "usage: coresat_cnf FILE\n";
    return 99;
  }
  // The clauses are kept apart from the engine to check its model.
  recording_cnft formula;
  if(!read_dimacs_file(argv[1], formula))
    return 99;
  satcheck_coresatt solver;
  solver.set_no_variables(formula.no_variables());
  for(const bvt &clause : formula.clauses)
    solver.lcnf(clause);
  switch(solver.prop_solve())
  {
  case propt::P_SATISFIABLE:
    if(!model_satisfies(
         formula, [&solver](literalt l) { return solver.l_get(l).is_true(); }))
    {
      std::cerr << "the model falsifies a clause\n";
      return 99;
    }
    std::cout << "SATISFIABLE\n";
    return 10;
  case propt::P_UNSATISFIABLE:
    std::cout << "UNSATISFIABLE\n";
    return 20;
  default:
    return 99;
  }
}
} // namespace

int main(int argc, char **argv)
{
  return answer_within_memory([&] { return decide(argc, argv); });
}

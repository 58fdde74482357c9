// Bench driver: decides a DIMACS CNF file with the Coresat engine through
// its propositional adapter. Prints SATISFIABLE or UNSATISFIABLE and exits
// with 10 or 20; 99 when the file cannot be read, the engine fails or runs
// out of memory, or a model it reports leaves a clause false.

#include "propositional/cnf_clause_list.h"
#include "propositional/read_dimacs_cnf.h"
#include "sat/satcheck_coresat.h"

#include <fstream>
#include <iostream>
#include <new>

namespace
{
bool satisfies(const propt &solver, const bvt &clause)
{
  for(literalt l : clause)
    if(solver.l_get(l).is_true())
      return true;
  return false;
}

int decide(int argc, char **argv)
{
  if(argc != 2)
  {
    std::cerr << "usage: coresat_cnf FILE\n";
    return 99;
  }
  std::ifstream in(argv[1]);
  if(!in)
  {
    std::cerr << "cannot read " << argv[1] << '\n';
    return 99;
  }
  // The clauses are kept apart from the engine to check its model.
  cnf_clause_listt formula;
  read_dimacs_cnf(in, formula);
  if(in.bad())
  {
    std::cerr << "cannot read " << argv[1] << '\n';
    return 99;
  }
  satcheck_coresatt solver;
  solver.set_no_variables(formula.no_variables());
  for(const bvt &clause : formula.clause_list)
    solver.lcnf(clause);
  switch(solver.prop_solve())
  {
  case propt::P_SATISFIABLE:
    for(const bvt &clause : formula.clause_list)
      if(!satisfies(solver, clause))
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

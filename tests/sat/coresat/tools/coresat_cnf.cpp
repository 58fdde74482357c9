// Bench driver: decides a DIMACS CNF file with the Coresat engine through
// its propositional adapter. Prints SATISFIABLE or UNSATISFIABLE and exits
// with 10 or 20; 99 when the file cannot be read or the engine fails.

#include "propositional/read_dimacs_cnf.h"
#include "sat/coresat/satcheck_coresat.h"

#include <fstream>
#include <iostream>

int main(int argc, char **argv)
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
  satcheck_coresatt solver;
  read_dimacs_cnf(in, solver);
  if(in.bad())
  {
    std::cerr << "cannot read " << argv[1] << '\n';
    return 99;
  }
  switch(solver.prop_solve())
  {
  case propt::P_SATISFIABLE:
    std::cout << "SATISFIABLE\n";
    return 10;
  case propt::P_UNSATISFIABLE:
    std::cout << "UNSATISFIABLE\n";
    return 20;
  default:
    return 99;
  }
}

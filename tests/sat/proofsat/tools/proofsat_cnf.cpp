// Decides a DIMACS CNF file with the proof-logging engine:
//   proofsat_cnf [--proof] FILE
// Prints "SATISFIABLE" or "UNSATISFIABLE" and exits 10 or 20; 99 when the
// file cannot be read, the engine runs out of memory, the proof file cannot
// be created or a model fails its own check. --proof records the
// resolution proof in a temporary file while solving, removed at the end.

#include "tests/sat/tools/dimacs_driver.h"

#include "sat/proofsat/Solver.h"

#include <cstring>
#include <iostream>
#include <memory>
#include <system_error>
#include <vector>

namespace
{
int decide(int argc, char **argv)
{
  bool with_proof = false;
  const char *path = nullptr;
  bool usage_error = false;
  for(int i = 1; i < argc; i++)
  {
    if(std::strcmp(argv[i], "--proof") == 0)
      with_proof = true;
    else if(argv[i][0] == '-' || path != nullptr)
      usage_error = true;
    else
      path = argv[i];
  }
  if(usage_error || path == nullptr)
  {
    std::cerr << "usage: proofsat_cnf [--proof] FILE\n";
    return 99;
  }
  recording_cnft formula;
  if(!read_dimacs_file(path, formula))
    return 99;

  Solver solver;
  std::unique_ptr<Proof> proof;
  if(with_proof)
  {
    proof.reset(new Proof());
    solver.proof = proof.get();
  }
  while(unsigned(solver.nVars()) < formula.no_variables())
    solver.newVar();

  bool satisfiable = true;
  vec<Lit> literals;
  for(const bvt &clause : formula.clauses)
  {
    // An empty clause decides the formula; a proof file has no record
    // for it.
    if(clause.empty())
    {
      satisfiable = false;
      break;
    }
    literals.reset(false);
    for(literalt l : clause)
      literals.push(Lit::fromIndex(int(l.get())));
    solver.newClause(literals);
  }
  if(satisfiable)
    satisfiable = solver.solve();

  if(
    satisfiable && !model_satisfies(formula, [&solver](literalt l) {
      return solver.model[int(l.var_no())] == (l.sign() ? l_False : l_True);
    }))
  {
    std::cerr << "the model falsifies a clause\n";
    return 99;
  }
  std::cout << (satisfiable ? "SATISFIABLE" : "UNSATISFIABLE") << '\n';
  return satisfiable ? 10 : 20;
}
} // namespace

int main(int argc, char **argv)
{
  // A missing temporary folder leaves the proof nowhere to go: an error
  // answer too.
  try
  {
    return answer_within_memory([&] { return decide(argc, argv); });
  }
  catch(const std::system_error &e)
  {
    std::cerr << e.what() << '\n';
    return 99;
  }
}

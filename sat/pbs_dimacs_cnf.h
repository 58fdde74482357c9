#ifndef MORVANE_SAT_PBS_DIMACS_CNF_H
#define MORVANE_SAT_PBS_DIMACS_CNF_H

#include "propositional/dimacs_cnf.h"

#include <iosfwd>
#include <map>
#include <set>
#include <string>

// Hands the clauses and a weighted objective to the external pseudo-Boolean
// solver "pbs" through files in the working directory: the clauses in
// "temp.cnf", the objective in "temp.cnf.pb", the program's answer in
// "temp.out". It either meets a goal (the weighted sum equals `goal`) or
// optimises the weighted sum. The three files stay after the run. A link at
// any of the names is never followed: the two written files replace
// whatever has their names, and a link at the answer's name reads as an
// answer that cannot be opened.
//
// The owner fills `weights` and sets the flags, `goal` and `program_dir`
// before prop_solve.
class pbs_dimacs_cnft : public dimacs_cnft
{
public:
  // Optimise the objective instead of meeting `goal`.
  bool optimize = false;
  // With `optimize`: maximise instead of minimise.
  bool maximize = false;
  // With `optimize`: the program's binary-search optimisation.
  bool binary_search = false;
  // The directory holding the program; empty: found through the shell's
  // search path.
  std::string program_dir;
  // Without `optimize`: the value the weighted sum must equal.
  int goal = 0;
  // After prop_solve: the objective value of the answer, -1 when none.
  int objective_value = -1;
  // The weighted literals of the objective.
  std::map<literalt, unsigned> weights;
  // The variables the last assignment read made true.
  std::set<int> true_vars;

  // P_SATISFIABLE when the program gave an assignment, P_UNSATISFIABLE
  // when it gave none or its answer cannot be read, P_ERROR when an
  // exchange file cannot be written or the program cannot be run.
  resultt prop_solve() override;

  // The content of "temp.cnf.pb", flushing after each line.
  virtual void write_dimacs_pb(std::ostream &out) const;

  // Runs the program and reads "temp.out"; true when an assignment was read.
  bool pbs_solve();

  // From the last assignment read: a variable not reported true is false.
  tvt l_get(literalt a) const override;

  std::string solver_text() const override;

private:
  std::string command() const;
  // Acts on one answer line; false when the reading must stop.
  bool read_answer_line(const std::string &line, std::istream &in);

  // Whether the last pbs_solve could not run the program.
  bool program_failed = false;
  bool assignment_read = false;
};

#endif

#ifndef MORVANE_TESTS_SAT_PROOFSAT_SOLVER_HARNESS_H
#define MORVANE_TESTS_SAT_PROOFSAT_SOLVER_HARNESS_H

// Drives the engine over clauses of literal codes, with no proof, a proof
// in traverser mode checked as it grows, or a proof file replayed into a
// checker, and checks each answer: models against the clauses and the
// assumptions, conflicts against the assumptions and an oracle, and the
// proof's clauses by resolution.

#include "random_cnf.h"
#include "resolution_checker.h"

#include "sat/proofsat/Solver.h"

#include <gtest/gtest.h>

#include <memory>

enum class proof_modet
{
  NONE,
  TRAVERSER,
  ON_FILE
};

class solver_harnesst
{
public:
  explicit solver_harnesst(proof_modet mode, int vars = 0);

  void add_variables(int vars);
  void add(const code_clauset &clause);
  bool solve(const code_clauset &assumptions = {});

  // Checks the last answer; `expected` from an oracle, or -1 when unknown.
  void check(const code_clauset &assumptions, bool answer, int expected);

  // The checked proof so far (replayed from the file in file mode).
  const resolution_checkert &proof_checker();

  proof_modet mode;
  resolution_checkert checker;
  std::unique_ptr<Proof> proof;
  Solver solver;
  std::vector<code_clauset> clauses;

private:
  resolution_checkert replayed;
};

#endif

#ifndef MORVANE_TESTS_SAT_GROUPSAT_RANDOM_CNF_H
#define MORVANE_TESTS_SAT_GROUPSAT_RANDOM_CNF_H

// Test helpers: random CNF formulas over signed variables (2 * variable +
// sign, variables from 1), an exhaustive satisfiability check, and loading a
// formula into the engine.

#include <random>
#include <vector>

class CSolver;

// The signed variables of a clause in DIMACS numbering (-3 is 7).
std::vector<int> svars(const std::vector<int> &dimacs);

struct cnf_formulat
{
  int variables = 0;
  std::vector<std::vector<int>> clauses;
};

struct random_cnf_shapet
{
  int variables;
  int clauses;
  int max_width;
  // Per mille of clauses that repeat a literal, hold a complementary pair,
  // or repeat an earlier clause.
  int repeats = 0;
  int tautologies = 0;
  int repeated_clauses = 0;
  // Whether one clause is left empty.
  bool empty_clause = false;
};

cnf_formulat random_cnf(std::mt19937 &rng, const random_cnf_shapet &shape);

// Uniform random 3-SAT with distinct variables in each clause.
cnf_formulat random_3sat(std::mt19937 &rng, int variables, int clauses);

// values[v] is 0 or 1 for v = 1..variables.
bool satisfies(const cnf_formulat &formula, const std::vector<int> &values);

// Tries every assignment; for up to about 20 variables.
bool brute_force_satisfiable(const cnf_formulat &formula);

void load(CSolver &solver, const cnf_formulat &formula);

// The solver's values of variables 1..n, indexed by variable.
std::vector<int> model_of(CSolver &solver, int variables);

#endif

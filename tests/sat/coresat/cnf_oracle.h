#ifndef MORVANE_TESTS_SAT_CORESAT_CNF_ORACLE_H
#define MORVANE_TESTS_SAT_CORESAT_CNF_ORACLE_H

// Oracles for the Coresat tests, written apart from the engine: random
// CNFs, satisfiability by enumerating every assignment, and a
// unit-propagation check of a clause against the clauses it was derived
// from.

#include <random>
#include <vector>

typedef std::vector<int> int_clauset;
typedef std::vector<int_clauset> int_cnft;

// m clauses of 1 ... max_width distinct-variable literals over 1 ... n.
int_cnft random_cnf(std::mt19937 &random, int n, int m, int max_width);

// Whether the assignment (bit v-1 of `bits` is variable v) satisfies every
// clause.
bool satisfies(const int_cnft &cnf, unsigned bits);

// Whether some assignment of variables 1 ... n satisfies cnf (n <= 20).
bool brute_force_sat(const int_cnft &cnf, int n);

// Whether making every literal of `clause` false and propagating units
// over `premises` ends in a clause with every literal false.
bool implied_by_unit_propagation(
  const int_clauset &clause, const int_cnft &premises);

#endif

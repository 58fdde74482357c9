#ifndef MORVANE_TESTS_QBF_SOLVER_RANDOM_QBF_H
#define MORVANE_TESTS_QBF_SOLVER_RANDOM_QBF_H

// Small random formulas in QDIMACS text for agreement tests. The same seed
// gives the same text on every platform.

#include <cstdint>
#include <string>

// Prefix shapes, clause lengths 1 to 4, repeated and complementary
// literals, free variables (also in front of a universal first block) and
// clauses continued over two lines all occur.
std::string random_qdimacs(std::uint64_t seed);

#endif

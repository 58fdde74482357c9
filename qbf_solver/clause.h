#ifndef MORVANE_QBF_SOLVER_CLAUSE_H
#define MORVANE_QBF_SOLVER_CLAUSE_H

#include "propositional/literal.h"

#include <cstdint>

// A clause as the solver handles it: its literals in the order given
// (repeats kept) and its derivation for the certificate. id 0 means not
// numbered yet; parents and pivot are 0 for an input clause.
struct clauset
{
  bvt literals;
  unsigned id = 0;
  unsigned parent1 = 0;
  unsigned parent2 = 0;
  unsigned pivot = 0;
};

// h = (l - h) XOR (h << 2) over the literal words in order; order matters.
// Deliberately so, although clauses_equal ignores order: a permutation of a
// stored clause usually lands in another bucket and is stored a second
// time. Which clauses count as duplicates, and so the diagnostics' clause
// counts and the certificate's ids, follow from this hash; a hash that
// ignored order would change them.
unsigned clause_hash(const bvt &literals);

// The same number of literals, and each clause holds every literal of the
// other. Order and the multiplicity of repeats do not matter.
bool clauses_equal(const bvt &a, const bvt &b);

// The distinct literals of a clause, sorted by their words (so by variable).
bvt literal_set(const bvt &literals);

// The same set without a copy when the literals already are one (strictly
// ascending); otherwise it is built in `buffer`.
const bvt &literal_set(const bvt &literals, bvt &buffer);

// Hash of a literal set (each literal once, in any order) together with the
// clause length it came from: a sum of one mixed value per literal, so that
// the hash of the set with one literal exchanged takes constant work
// (literal_set_hash_exchanged).
std::uint64_t literal_set_hash(const bvt &set, std::size_t length);

// The hash of the set hashed as `hash` with `out` replaced by `in`, where
// `out` is in the set and `in` is not.
std::uint64_t
literal_set_hash_exchanged(std::uint64_t hash, literalt out, literalt in);

// The literals of `literals` whose variable is not `var_no`, in order.
bvt literals_without(const bvt &literals, unsigned var_no);

#endif

#ifndef MORVANE_TESTS_SAT_PROOFSAT_RANDOM_CNF_H
#define MORVANE_TESTS_SAT_PROOFSAT_RANDOM_CNF_H

// Random clause sets over literal codes (2 * var + sign) and an exhaustive
// satisfiability oracle for up to 20 variables.

#include <cstdint>
#include <random>
#include <vector>

typedef std::vector<int> code_clauset;

// A clause of one to four literals (mostly three) over variables
// 0 .. vars-1; repeated literals and complementary pairs occur now and then.
inline code_clauset random_clause(std::mt19937 &random, int vars)
{
  static const int lengths[] = {1, 2, 2, 3, 3, 3, 3, 3, 3, 4};
  int length = lengths[random() % 10];
  code_clauset clause;
  for(int i = 0; i < length; i++)
    clause.push_back(int(random() % (2 * vars)));
  return clause;
}

// Whether some assignment satisfies every clause and makes every literal of
// `forced` true.
inline bool brute_force_satisfiable(
  int vars,
  const std::vector<code_clauset> &clauses,
  const code_clauset &forced = {})
{
  // Each clause as the masks of its positive and its negative variables.
  std::vector<std::pair<uint32_t, uint32_t>> masks;
  for(const code_clauset &clause : clauses)
  {
    uint32_t positive = 0, negative = 0;
    for(int code : clause)
      ((code & 1) ? negative : positive) |= 1u << (code >> 1);
    masks.emplace_back(positive, negative);
  }
  for(int code : forced)
    masks.emplace_back(
      (code & 1) ? 0 : 1u << (code >> 1), (code & 1) ? 1u << (code >> 1) : 0);
  for(uint32_t assignment = 0; assignment < (1u << vars); assignment++)
  {
    bool all = true;
    for(const auto &m : masks)
      if(((assignment & m.first) | (~assignment & m.second)) == 0)
      {
        all = false;
        break;
      }
    if(all)
      return true;
  }
  return false;
}

#endif

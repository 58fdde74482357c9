#include "random_qbf.h"

#include <vector>

namespace
{
// splitmix64: portable, unlike the standard distributions.
class randomt
{
public:
  explicit randomt(std::uint64_t seed) : state(seed) {}

  unsigned below(unsigned n)
  {
    state += 0x9e3779b97f4a7c15ULL;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return static_cast<unsigned>((z ^ (z >> 31)) % n);
  }

  bool chance(unsigned percent) { return below(100) < percent; }

private:
  std::uint64_t state;
};

// The kind of each quantified variable, outermost first ('e' or 'a').
std::string prefix_kinds(randomt &random, unsigned count)
{
  std::string kinds(count, 'e');
  switch(random.below(6))
  {
  case 0: // one existential block
    break;
  case 1: // forall-exists
    for(unsigned i = 0; i < count / 2; ++i)
      kinds[i] = 'a';
    break;
  case 2: // exists-forall-exists
    for(unsigned i = count / 3; i < 2 * count / 3; ++i)
      kinds[i] = 'a';
    break;
  case 3: // exists-forall: the innermost block is universal
    for(unsigned i = count / 2; i < count; ++i)
      kinds[i] = 'a';
    break;
  case 4: // alternating pairs
    for(unsigned i = 0; i < count; ++i)
      kinds[i] = (i / 2) % 2 ? 'e' : 'a';
    break;
  default: // any kind for each variable
    for(auto &k : kinds)
      k = random.chance(40) ? 'a' : 'e';
  }
  return kinds;
}

std::string prefix_text(const std::string &kinds)
{
  std::string text;
  for(std::size_t i = 0; i < kinds.size(); ++i)
  {
    if(i == 0 || kinds[i] != kinds[i - 1])
    {
      if(i != 0)
        text += "0\n";
      text += kinds[i];
      text += ' ';
    }
    text += std::to_string(i + 1) + ' ';
  }
  if(!kinds.empty())
    text += "0\n";
  return text;
}

std::vector<int> random_clause(randomt &random, unsigned variables)
{
  static const unsigned lengths[] = {1, 2, 2, 3, 3, 3, 4, 4};
  unsigned length = lengths[random.below(8)];
  std::vector<int> clause;
  for(unsigned i = 0; i < length; ++i)
  {
    if(!clause.empty() && random.chance(8))
      clause.push_back(clause[random.below(clause.size())]);
    else if(!clause.empty() && random.chance(4))
      clause.push_back(-clause[random.below(clause.size())]);
    else
    {
      int v = 1 + static_cast<int>(random.below(variables));
      clause.push_back(random.chance(50) ? v : -v);
    }
  }
  return clause;
}
// Free variables in front of a universal first block: each clause holds the
// universal 1 and two free variables, so resolving on a free variable joins
// both signs of 1, which universal reduction must take away.
std::string free_before_universal(randomt &random, std::uint64_t seed)
{
  const unsigned variables = 3 + random.below(3);
  const unsigned clause_count = variables + random.below(2 * variables + 1);
  std::string text = "c random formula " + std::to_string(seed) + "\n";
  text += "p cnf " + std::to_string(variables) + ' ' +
          std::to_string(clause_count) + "\na 1 0\n";
  for(unsigned i = 0; i < clause_count; ++i)
  {
    const int f = 2 + static_cast<int>(random.below(variables - 1));
    int g = 2 + static_cast<int>(random.below(variables - 2));
    if(g >= f)
      ++g;
    std::vector<int> clause{
      random.chance(50) ? f : -f, random.chance(50) ? g : -g};
    clause.insert(
      clause.begin() + random.below(3), random.chance(50) ? 1 : -1);
    for(int l : clause)
      text += std::to_string(l) + ' ';
    text += "0\n";
  }
  return text;
}
} // namespace

std::string random_qdimacs(std::uint64_t seed)
{
  randomt random(seed);
  if(random.chance(20))
    return free_before_universal(random, seed);
  unsigned variables = 1 + random.below(8);
  // The last few variables may be left without a quantifier (free).
  unsigned quantified = variables - (random.chance(30) ? random.below(3) : 0);
  if(quantified > variables)
    quantified = 0;
  unsigned clause_count = 1 + random.below(2 * variables + 2);

  std::string text = "c random formula " + std::to_string(seed) + "\n";
  text += "p cnf " + std::to_string(variables) + ' ' +
          std::to_string(clause_count) + '\n';
  text += prefix_text(prefix_kinds(random, quantified));
  for(unsigned i = 0; i < clause_count; ++i)
  {
    std::vector<int> clause = random_clause(random, variables);
    std::size_t split = random.chance(10) ? random.below(clause.size()) : 0;
    for(std::size_t j = 0; j < clause.size(); ++j)
    {
      if(split != 0 && j == split)
        text += '\n';
      text += std::to_string(clause[j]) + ' ';
    }
    text += "0\n";
  }
  return text;
}

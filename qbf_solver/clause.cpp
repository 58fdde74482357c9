#include "qbf_solver/clause.h"

#include <algorithm>

unsigned clause_hash(const bvt &literals)
{
  unsigned h = 0;
  for(const literalt l : literals)
    h = (l.get() - h) ^ (h << 2);
  return h;
}

static bool contains(const bvt &clause, literalt literal)
{
  return std::find(clause.begin(), clause.end(), literal) != clause.end();
}

bool clauses_equal(const bvt &a, const bvt &b)
{
  if(a.size() != b.size())
    return false;
  // Short clauses are compared directly; long ones through their sets.
  if(a.size() <= 8)
  {
    for(const literalt l : a)
      if(!contains(b, l))
        return false;
    for(const literalt l : b)
      if(!contains(a, l))
        return false;
    return true;
  }
  return literal_set(a) == literal_set(b);
}

bvt literal_set(const bvt &literals)
{
  bvt result = literals;
  std::sort(result.begin(), result.end());
  result.erase(std::unique(result.begin(), result.end()), result.end());
  return result;
}

const bvt &literal_set(const bvt &literals, bvt &buffer)
{
  const bool is_set =
    std::adjacent_find(
      literals.begin(), literals.end(), [](literalt a, literalt b) {
        return !(a < b);
      }) == literals.end();
  if(is_set)
    return literals;
  buffer = literal_set(literals);
  return buffer;
}

namespace
{
// A 64-bit finaliser: every input bit reaches every output bit, so sums of
// these values rarely meet by chance.
std::uint64_t mixed(std::uint64_t x)
{
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}
} // namespace

std::uint64_t literal_set_hash(const bvt &set, std::size_t length)
{
  std::uint64_t h = mixed(~std::uint64_t(length));
  for(const literalt l : set)
    h += mixed(l.get());
  return h;
}

std::uint64_t
literal_set_hash_exchanged(std::uint64_t hash, literalt out, literalt in)
{
  return hash - mixed(out.get()) + mixed(in.get());
}

bvt literals_without(const bvt &literals, unsigned var_no)
{
  bvt result;
  result.reserve(literals.size());
  for(const literalt l : literals)
    if(l.var_no() != var_no)
      result.push_back(l);
  return result;
}

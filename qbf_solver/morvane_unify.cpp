#include "qbf_solver/literal_set_index.h"
#include "qbf_solver/morvane.h"

#include <algorithm>

namespace
{
// The first literal of each variable of a clause, sorted by variable.
bvt first_per_variable(const bvt &literals)
{
  bvt result = literals;
  std::stable_sort(result.begin(), result.end(), [](literalt a, literalt b) {
    return a.var_no() < b.var_no();
  });
  result.erase(
    std::unique(
      result.begin(),
      result.end(),
      [](literalt a, literalt b) { return a.var_no() == b.var_no(); }),
    result.end());
  return result;
}

const literalt *find_variable(const bvt &sorted, unsigned var_no)
{
  const auto it = std::lower_bound(
    sorted.begin(), sorted.end(), var_no, [](literalt l, unsigned v) {
      return l.var_no() < v;
    });
  return it != sorted.end() && it->var_no() == var_no ? &*it : nullptr;
}

// The variables of `literals` that occur in exactly one literal.
bvt literals_of_single_variables(const bvt &literals)
{
  bvt sorted = literals;
  std::sort(sorted.begin(), sorted.end());
  bvt result;
  for(std::size_t i = 0; i < sorted.size(); ++i)
  {
    const unsigned v = sorted[i].var_no();
    const bool before = i > 0 && sorted[i - 1].var_no() == v;
    const bool after = i + 1 < sorted.size() && sorted[i + 1].var_no() == v;
    if(!before && !after)
      result.push_back(sorted[i]);
  }
  return result;
}

// The partners of the clauses of one list of a table: clauses that may
// differ from a clause in the sign of one variable only. Such a partner
// has the clause's literal set with one literal flipped, so a hash index
// of the list's literal sets finds them.
class partner_findert
{
public:
  partner_findert(const new_clause_tablet::listt &_list, std::size_t _length)
    : list(_list), length(_length)
  {
    for(std::size_t i = 0; i < _list.size(); ++i)
      index.insert(
        literal_set_hash(literal_set(_list[i].clause.literals, buffer), _length),
        i);
  }

  // Positions after i of clauses not removed that may be partners of
  // clause i, ascending and each once. Each flipped set's hash comes from
  // the whole set's in constant time, so a clause of L literals costs
  // O(L log L), not O(L^2).
  const std::vector<unsigned> &partners_of(std::size_t i)
  {
    partners.clear();
    const bvt &literals = list[i].clause.literals;
    const std::uint64_t set_hash =
      literal_set_hash(literal_set(literals, buffer), length);
    for(const literalt l : literals_of_single_variables(literals))
      // The other sign is not in the set, so flipping l gives a set again.
      index.any_of(
        literal_set_hash_exchanged(set_hash, l, !l), [&](unsigned j) {
          if(j > i && !list[j].removed)
            partners.push_back(j);
          return false;
        });
    std::sort(partners.begin(), partners.end());
    partners.erase(
      std::unique(partners.begin(), partners.end()), partners.end());
    return partners;
  }

private:
  const new_clause_tablet::listt &list;
  const std::size_t length;
  literal_set_indext index;
  bvt buffer;
  std::vector<unsigned> partners;
};
} // namespace

unsigned
morvanet::unifiable_common_part(const clauset &a, const clauset &b, bvt &common)
{
  if(a.literals.size() != b.literals.size())
    return 0;
  common.clear();
  const bvt b_first = first_per_variable(b.literals);
  unsigned x = 0;
  for(const literalt l : a.literals)
  {
    const literalt *m = find_variable(b_first, l.var_no());
    if(m == nullptr)
      return 0;
    if(m->sign() != l.sign())
    {
      if(x != 0)
        return 0;
      x = l.var_no();
    }
    else
      common.push_back(l);
  }
  // Both must hold the same variables; otherwise the merged clause would
  // lose literals of b and not follow from the two.
  const bvt a_first = first_per_variable(a.literals);
  if(a_first.size() != b_first.size())
    return 0;
  return x;
}

unsigned morvanet::unify_clauses(new_clause_tablet &table)
{
  if(table.lists.empty() || table.lists.rbegin()->first == 0)
    return 0;

  unsigned total = 0;
  bvt common;
  for(std::size_t length = table.lists.rbegin()->first; length >= 2; --length)
  {
    const unsigned count = unify_length(table, length, common);
    // Deliberately not going on to shorter lengths: unification stops at
    // the first length, from the longest down, at which nothing merged,
    // even if shorter clauses could still be merged. The counts in the
    // diagnostics depend on it.
    if(count == 0)
      break;
    total += count;
  }
  return total;
}

unsigned morvanet::unify_length(
  new_clause_tablet &table,
  std::size_t length,
  bvt &common)
{
  new_clause_tablet::listt &list = table.lists[length];
  partner_findert finder(list, length);
  unsigned count = 0;
  for(std::size_t i = 0; i < list.size(); ++i)
  {
    if(list[i].removed)
      continue;
    clauset &a = list[i].clause;
    bool merged_any = false;
    for(const unsigned j : finder.partners_of(i))
    {
      clauset &b = list[j].clause;
      const unsigned x = unifiable_common_part(a, b, common);
      if(x == 0 || !is_existential(x) || common.empty())
        continue;
      append_merge(a, b, x, common, table);
      list[j].removed = true;
      ++count;
      merged_any = true;
    }
    if(merged_any)
      list[i].removed = true;
  }
  return count;
}

void morvanet::append_merge(
  clauset &a,
  clauset &b,
  unsigned x,
  const bvt &common,
  new_clause_tablet &table)
{
  clauset merged;
  merged.literals = common;
  if(save_certificate)
  {
    for(clauset *c : {&a, &b})
      if(c->id == 0)
      {
        c->id = ++clause_id_counter;
        record_derivation(*c);
      }
    merged.parent1 = a.id;
    merged.parent2 = b.id;
    merged.pivot = x;
  }
  if(show_unifications)
  {
    *diagnostics << "DEBUG: Unifying: ";
    print_clause(a, 0);
    *diagnostics << " x ";
    print_clause(b, 0);
    *diagnostics << " -> ";
    print_clause(merged, 0);
    *diagnostics << '\n';
  }
  table.append(std::move(merged));
}

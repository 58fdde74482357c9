#include "qbf_solver/covered_index.h"
#include "qbf_solver/literal_set_index.h"
#include "qbf_solver/morvane.h"

#include <algorithm>

namespace
{
// The clauses of one side as resolution needs them: of each clause its
// literals other than the pivot's, one per variable in ascending variable
// order, all in one flat buffer so that the pair loop reads memory in order.
class operandst
{
public:
  // `last_wins`: a later literal of a variable replaces an earlier one (the
  // first clause of a resolvent); otherwise two signs of one variable clash
  // and every resolvent with the clause is dropped.
  operandst(
    const std::vector<clauset> &clauses,
    unsigned var_no,
    bool last_wins);

  const literalt *begin(std::size_t i) const
  {
    return literals.data() + starts[i];
  }
  const literalt *end(std::size_t i) const
  {
    return literals.data() + starts[i + 1];
  }
  bool self_clash(std::size_t i) const
  {
    return clashes[i];
  }

private:
  bvt literals;
  std::vector<std::size_t> starts;
  std::vector<bool> clashes;
};

operandst::operandst(
  const std::vector<clauset> &clauses,
  unsigned var_no,
  bool last_wins)
{
  starts.push_back(0);
  for(const clauset &clause : clauses)
  {
    bvt others = literals_without(clause.literals, var_no);
    std::stable_sort(
      others.begin(), others.end(), [](literalt a, literalt b) {
        return a.var_no() < b.var_no();
      });
    bool clash = false;
    for(std::size_t i = 0; i < others.size(); ++i)
    {
      const bool run_goes_on =
        i + 1 < others.size() && others[i + 1].var_no() == others[i].var_no();
      if(!run_goes_on)
        literals.push_back(others[i]);
      else if(others[i + 1] != others[i] && !last_wins)
        clash = true;
    }
    starts.push_back(literals.size());
    clashes.push_back(clash);
  }
}

// Resolvent of the operand [a, a_end) and operand j of `second` in
// ascending variable order; false on a clash.
bool merge_operands(
  const literalt *a,
  const literalt *a_end,
  const operandst &second,
  std::size_t j,
  bvt &out)
{
  out.clear();
  if(second.self_clash(j))
    return false;
  const literalt *b = second.begin(j), *b_end = second.end(j);
  while(a != a_end && b != b_end)
  {
    if(a->var_no() < b->var_no())
      out.push_back(*a++);
    else if(b->var_no() < a->var_no())
      out.push_back(*b++);
    else
    {
      if(*a != *b)
        return false;
      out.push_back(*a++);
      ++b;
    }
  }
  out.insert(out.end(), a, a_end);
  out.insert(out.end(), b, b_end);
  return true;
}

// A clause of one side without the eliminated variable, derived against
// the unit clause of the other side.
clauset strip_variable(
  const clauset &clause,
  unsigned var_no,
  unsigned unit_id,
  bool with_derivation)
{
  clauset result;
  result.literals = literals_without(clause.literals, var_no);
  if(with_derivation)
  {
    result.parent1 = clause.id;
    result.parent2 = unit_id;
    result.pivot = var_no;
  }
  return result;
}

// Appends the resolvent unless the table holds it already. Resolvents are
// sorted sets, so equal ones are identical. The index may offer positions
// of other lengths' lists.
inline void append_if_new(
  new_clause_tablet &table,
  literal_set_indext &index,
  const clauset &resolvent)
{
  const std::size_t length = resolvent.literals.size();
  new_clause_tablet::listt &list = table.lists[length];
  const std::uint64_t key = literal_set_hash(resolvent.literals, length);
  const bool known = index.any_of(key, [&](unsigned j) {
    return j < list.size() && list[j].clause.literals == resolvent.literals;
  });
  if(!known)
  {
    index.insert(key, list.size());
    table.append(resolvent);
  }
}
} // namespace

morvanet::resultt morvanet::eliminate_existential()
{
  // The records of the innermost existential block, but never the first
  // record of the prefix, which is taken only when it is the last one left.
  if(quantifiers.size() > 1)
  {
    auto it = quantifiers.end();
    --it;
    while(it != quantifiers.begin() &&
          it->type == quantifiert::EXISTENTIAL)
    {
      queue.push(it, variables.index(it->var_no));
      --it;
    }
  }

  while(!quantifiers.empty() &&
        quantifiers.back().type == quantifiert::EXISTENTIAL)
  {
    const auto chosen =
      quantifiers.size() == 1 ? quantifiers.begin() : queue.pop();
    const unsigned var_no = chosen->var_no;
    quantifiers.erase(chosen);

    const resultt result = eliminate_variable(var_no);
    if(result != R_UNKNOWN)
    {
      queue.clear();
      return result;
    }
  }
  return R_UNKNOWN;
}

// The clauses of the variable being eliminated: side 0 holds those where it
// occurs positively (P), side 1 those where it occurs negated (N).
struct morvanet::variable_sidest
{
  std::vector<clauset> clauses[2];
  bool has_unit[2] = {false, false};
  unsigned unit_id[2] = {0, 0};
};

struct morvanet::stored_countst
{
  unsigned conflict = 0;
  unsigned covered = 0;
  unsigned filtered = 0;
};

morvanet::resultt morvanet::eliminate_variable(unsigned var_no)
{
  std::ostream &out = *diagnostics;
  variable_sidest sides;
  bvt buffer;
  take_out_clauses(var_no, sides, buffer);

  const std::vector<clauset> &positive = sides.clauses[0];
  const std::vector<clauset> &negative = sides.clauses[1];
  if(show_progress)
    out << "CF: " << var_no << ": " << positive.size() << " w, "
        << negative.size() << " cw (" << positive.size() + negative.size()
        << " total).\n";

  if(sides.has_unit[0] && sides.has_unit[1])
  {
    if(show_progress)
      out << "CF: " << var_no << ": f = X.\n";
    if(save_certificate)
      conclude_invalid(sides.unit_id[0], sides.unit_id[1], var_no);
    return R_INVALID;
  }

  new_clause_tablet table;
  derive_clauses(var_no, sides, table);
  if(save_certificate)
    save_function(var_no, positive, negative);
  const unsigned unified = unify_clauses(table);

  stored_countst counts;
  if(!store_new_clauses(table, buffer, counts))
    return R_INVALID;

  if(show_progress)
  {
    out << "CF: " << var_no << ": " << counts.conflict
        << " conflict clauses (" << counts.covered << " covered, "
        << counts.filtered << " filtered, " << unified << " unified).\n";
    print_statistics();
  }
  if(show_debug)
    print_stats_debug("CF", var_no);
  return R_UNKNOWN;
}

void morvanet::take_out_clauses(
  unsigned var_no,
  variable_sidest &sides,
  bvt &buffer)
{
  literal_set_indext side_index[2];
  for(occurrence_reft first; !(first = first_occurrence(var_no)).is_none();)
  {
    const clauset &clause = stored_clause(first.clause);
    const bool negative = clause.literals[first.slot].sign();
    std::vector<clauset> &side = sides.clauses[negative];

    const std::uint64_t key = literal_set_hash(
      literal_set(clause.literals, buffer), clause.literals.size());
    const bool known = side_index[negative].any_of(key, [&](unsigned i) {
      return clauses_equal(side[i].literals, clause.literals);
    });
    if(!known)
    {
      side_index[negative].insert(key, side.size());
      side.push_back(clause);
    }
    if(clause.literals.size() == 1)
    {
      sides.has_unit[negative] = true;
      sides.unit_id[negative] = side.back().id;
    }
    remove_clause(first.clause);
  }
}

void morvanet::derive_clauses(
  unsigned var_no,
  const variable_sidest &sides,
  new_clause_tablet &table)
{
  std::ostream &out = *diagnostics;
  const std::vector<clauset> &positive = sides.clauses[0];
  const std::vector<clauset> &negative = sides.clauses[1];
  if(positive.empty() && negative.empty())
  {
    if(show_progress)
      out << "CF: " << var_no << ": f = D.\n";
  }
  else if(sides.has_unit[0] || negative.empty())
  {
    if(show_progress)
      out << "CF: " << var_no << ": f = 1.\n";
    for(const clauset &n : negative)
      table.append(
        strip_variable(n, var_no, sides.unit_id[0], save_certificate));
  }
  else if(sides.has_unit[1] || positive.empty())
  {
    if(show_progress)
      out << "CF: " << var_no << ": f = 0.\n";
    for(const clauset &p : positive)
      table.append(
        strip_variable(p, var_no, sides.unit_id[1], save_certificate));
  }
  else
  {
    add_resolvents(var_no, positive, negative, table);
    if(show_progress)
      out << "CF: " << var_no << ": f = ?\n";
  }
}

void morvanet::add_resolvents(
  unsigned var_no,
  const std::vector<clauset> &positive,
  const std::vector<clauset> &negative,
  new_clause_tablet &table)
{
  const operandst p_operands(positive, var_no, false);
  const operandst n_operands(negative, var_no, true);
  literal_set_indext resolvent_index;
  clauset resolvent;
  for(std::size_t k = 0; k < negative.size(); ++k)
  {
    const clauset &n = negative[k];
    const literalt *n_begin = n_operands.begin(k), *n_end = n_operands.end(k);
    for(std::size_t i = 0; i < positive.size(); ++i)
    {
      if(!merge_operands(n_begin, n_end, p_operands, i, resolvent.literals))
        continue;
      if(save_certificate)
      {
        resolvent.parent1 = positive[i].id;
        resolvent.parent2 = n.id;
        resolvent.pivot = var_no;
      }
      append_if_new(table, resolvent_index, resolvent);

      if(show_conflicts)
      {
        print_conflict(var_no, n, positive[i], resolvent);
        *diagnostics << "CF: " << var_no << ": Conflict Constraint: ";
        print_clause(resolvent, 0);
        *diagnostics << '\n';
      }
    }
  }
}

bool morvanet::store_new_clauses(
  new_clause_tablet &table,
  bvt &buffer,
  stored_countst &counts)
{
  covered_indext covered;
  for(auto &length_list : table.lists)
  {
    for(new_clause_tablet::entryt &entry : length_list.second)
    {
      if(entry.removed)
        continue;
      // A clause with a repeated literal is never covered (merging the
      // covering clause into it does not give it back).
      const bvt &set = literal_set(entry.clause.literals, buffer);
      const bool has_subset = covered.insert(set);
      if(has_subset && set.size() == entry.clause.literals.size())
      {
        ++counts.covered;
        continue;
      }
      const std::size_t before = clause_set.size();
      if(add_clause(entry.clause) == no_clause)
        return false;
      if(clause_set.size() > before)
        ++counts.conflict;
      else
        ++counts.filtered;
    }
  }
  return true;
}

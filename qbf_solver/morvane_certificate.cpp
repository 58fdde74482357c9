#include "qbf_solver/morvane.h"

#include "util/invariant.h"

#include <unordered_set>

morvanet::resultt morvanet::open_certificate()
{
  return certificate.open() ? R_UNKNOWN : R_ERROR;
}

void morvanet::close_certificate()
{
  certificate.close();
}

void morvanet::conclude_valid()
{
  std::ostream &out = certificate.lines();
  out << "CONCLUDE VALID ";
  for(const auto &witness : witness_nodes)
    out << witness.first << ' ' << witness.second << ' ';
}

void morvanet::save_pure_function(unsigned var_no, bool positive)
{
  const std::int64_t n = certificate.new_gate();
  certificate.lines() << "E " << n << " A 0\n";
  witness_nodes[var_no] = positive ? n : -n;
}

void morvanet::save_function(
  unsigned var_no,
  const std::vector<clauset> &positive,
  const std::vector<clauset> &negative)
{
  std::ostream &out = certificate.lines();
  if(positive.empty() && negative.empty())
    return;
  if(positive.empty() || negative.empty())
  {
    save_pure_function(var_no, negative.empty());
    return;
  }

  if(negative.size() >= positive.size())
  {
    // v is true exactly when some clause of P has all its other literals
    // false: an AND gate per clause, then OR gates joining them in order.
    std::vector<std::int64_t> and_gates;
    and_gates.reserve(positive.size());
    for(const clauset &p : positive)
    {
      INVARIANT(!p.literals.empty());
      const std::int64_t g = certificate.new_gate();
      out << "E " << g << " A ";
      for(const literalt l : p.literals)
        if(l.var_no() != var_no)
          out << -l.dimacs() << ' ';
      out << "0\n";
      and_gates.push_back(g);
    }
    std::int64_t result = and_gates.front();
    for(std::size_t i = 1; i < and_gates.size(); ++i)
    {
      const std::int64_t n = certificate.new_gate();
      out << "E " << n << " I " << result << ' ' << result << ' '
          << and_gates[i] << '\n';
      result = n;
    }
    witness_nodes[var_no] = result;
    return;
  }

  // v is true exactly when every clause of N has another literal true: an
  // OR gate per clause, joined by one AND gate. A clause without another
  // literal stands for false, the negation of an AND gate without operand.
  std::vector<std::int64_t> operands;
  std::int64_t true_gate = 0;
  for(const clauset &n : negative)
  {
    INVARIANT(!n.literals.empty());
    const bvt others = literals_without(n.literals, var_no);
    if(others.empty())
    {
      if(true_gate == 0)
      {
        true_gate = certificate.new_gate();
        out << "E " << true_gate << " A 0\n";
      }
      operands.push_back(-true_gate);
      continue;
    }
    std::int64_t u = others.front().dimacs();
    for(std::size_t i = 1; i < others.size(); ++i)
    {
      const std::int64_t g = certificate.new_gate();
      out << "E " << g << " I " << u << ' ' << u << ' ' << others[i].dimacs()
          << '\n';
      u = g;
    }
    operands.push_back(u);
  }
  const std::int64_t g = certificate.new_gate();
  out << "E " << g << " A ";
  for(const std::int64_t operand : operands)
    out << operand << ' ';
  out << "0\n";
  witness_nodes[var_no] = g;
}

unsigned morvanet::write_derivation(unsigned id)
{
  // The entry number of a clause that needs no line of its own: an input
  // clause is its own entry, a reduced input clause refers to its input
  // entry, and a written clause has its number.
  const auto known_entry = [this](unsigned clause_id, unsigned &entry) {
    const derivationt d = clause_id < clause_parents.size()
                            ? clause_parents[clause_id]
                            : derivationt();
    if(d.parent1 == 0 || d.parent2 == 0)
    {
      entry = d.parent2 == 0 && d.parent1 != 0 ? d.parent1 : clause_id;
      return true;
    }
    entry = d.written_id;
    return entry != 0;
  };

  unsigned entry;
  if(known_entry(id, entry))
    return entry;

  // Parents are written before their child, the second parent first;
  // an explicit stack keeps deep refutations off the call stack.
  std::vector<unsigned> stack{id};
  while(!stack.empty())
  {
    const unsigned top = stack.back();
    const derivationt d = clause_parents[top];
    if(d.written_id != 0)
    {
      stack.pop_back();
      continue;
    }
    unsigned a, b;
    if(!known_entry(d.parent2, a))
    {
      stack.push_back(d.parent2);
      continue;
    }
    if(!known_entry(d.parent1, b))
    {
      stack.push_back(d.parent1);
      continue;
    }
    stack.pop_back();

    const unsigned k = certificate_clauses.size();
    clauset resolvent;
    std::unordered_set<unsigned> taken;
    for(const unsigned parent : {a, b})
      for(const literalt l : certificate_clauses[parent].literals)
        if(l.var_no() != d.pivot && taken.insert(l.get()).second)
          resolvent.literals.push_back(l);

    // Universal reduction: drop the innermost variable while it is
    // universal (on equal levels the later literal counts as inner).
    bvt &literals = resolvent.literals;
    while(!literals.empty())
    {
      std::size_t inner = 0;
      unsigned inner_level = 0;
      bool inner_existential = true;
      for(std::size_t i = 0; i < literals.size(); ++i)
      {
        const unsigned index = variables.find(literals[i].var_no());
        const bool known =
          index != variable_datat::none && variables[index].has_info;
        const unsigned l_level = known ? variables[index].level : 0;
        if(i == 0 || l_level >= inner_level)
        {
          inner = i;
          inner_level = l_level;
          inner_existential = !known || variables[index].existential;
        }
      }
      if(inner_existential)
        break;
      literals = literals_without(literals, literals[inner].var_no());
    }

    std::ostream &out = certificate.lines();
    out << k << ' ';
    for(const literalt l : literals)
      out << l.dimacs() << ' ';
    out << "0 " << a << ' ' << b << " 0\n";
    certificate_clauses.push_back(std::move(resolvent));
    clause_parents[top].written_id = k;
  }
  return clause_parents[id].written_id;
}

void morvanet::conclude_invalid(unsigned d, unsigned e, unsigned pivot)
{
  // Reopened and truncated on purpose: the gate lines written so far
  // belong to witnesses of a valid answer, which a refutation makes void;
  // the refutation stands alone after the first line.
  if(open_certificate() != R_UNKNOWN)
    return;
  std::ostream &out = certificate.lines();

  if(pivot == 0)
  {
    // The empty clause is an input clause (or reduces from one): d names
    // its entry, or it is the clause being read, which takes the next one.
    out << "CONCLUDE INVALID "
        << (d != 0 ? d : unsigned(certificate_clauses.size()));
    return;
  }

  const unsigned a = write_derivation(d);
  const unsigned b = write_derivation(e);
  if(show_debug)
    *diagnostics << "DEBUG: " << a << " for " << d << " and " << b << " for "
                 << e << '\n';
  const unsigned m = certificate_clauses.size() + 1;
  out << m << " 0 " << a << ' ' << b << " 0\n"
      << "CONCLUDE INVALID " << m;
}

#include "propositional/cnf.h"

#include "util/invariant.h"

#include <unordered_set>

namespace
{
// Appends literals to a clause and answers whether one is in it yet.
// Clauses are short as a rule, and scanning the few literals appended is
// cheaper than hashing them; long clauses use a hash set.
class distinct_literalst
{
public:
  // Literals already in `clause` do not count as appended.
  distinct_literalst(bvt &_clause, std::size_t expected)
    : clause(_clause), first(_clause.size()), hashed(expected > scan_limit)
  {
    if(hashed)
      words.reserve(expected);
  }

  bool contains(literalt l) const
  {
    if(hashed)
      return words.count(l.get()) != 0;
    for(std::size_t i = first; i < clause.size(); ++i)
      if(clause[i] == l)
        return true;
    return false;
  }

  void append(literalt l)
  {
    if(hashed)
      words.insert(l.get());
    clause.push_back(l);
  }

private:
  static const std::size_t scan_limit = 32;
  bvt &clause;
  const std::size_t first;
  const bool hashed;
  std::unordered_set<unsigned> words;
};
} // namespace

literalt cnft::lnot(literalt a)
{
  return !a;
}

literalt cnft::new_variable()
{
  // The next variable number belongs to the constants.
  INVARIANT(_no_variables < literalt::const_var_no);
  return literalt(_no_variables++, false);
}

unsigned cnft::no_variables() const
{
  return _no_variables;
}

void cnft::set_no_variables(unsigned n)
{
  _no_variables = n;
}

void cnft::add_clause(std::initializer_list<literalt> literals)
{
  clause_buffer.assign(literals);
  lcnf(clause_buffer);
}

literalt cnft::land(literalt a, literalt b)
{
  literalt result;
  if(and_with_constant(a, b, result))
    return result;
  if(a == b)
    return a;
  literalt o = new_variable();
  land(a, b, o);
  return o;
}

literalt cnft::lor(literalt a, literalt b)
{
  // OR is AND with operands and result negated, and so are its shortcuts.
  literalt result;
  if(and_with_constant(!a, !b, result))
    return !result;
  if(a == b)
    return a;
  literalt o = new_variable();
  lor(a, b, o);
  return o;
}

// No shortcut for a = b or a = !b: those still get a variable and four
// clauses.
literalt cnft::lxor(literalt a, literalt b)
{
  literalt result;
  if(xor_with_constant(a, b, result))
    return result;
  literalt o = new_variable();
  lxor(a, b, o);
  return o;
}

literalt cnft::lselect(literalt a, literalt b, literalt c)
{
  if(a.is_true())
    return b;
  if(a.is_false())
    return c;
  if(b == c)
    return c;
  literalt if_true = land(a, b);
  literalt if_false = land(lnot(a), c);
  // Joined through the vector form, so a back end with an OR of its own
  // sees this one too; for two operands it encodes like the pair form.
  return lor(bvt{if_true, if_false});
}

void cnft::land(literalt a, literalt b, literalt o)
{
  add_clause({a, !o});
  add_clause({b, !o});
  add_clause({!a, !b, o});
}

void cnft::lor(literalt a, literalt b, literalt o)
{
  add_clause({!a, o});
  add_clause({!b, o});
  add_clause({a, b, !o});
}

void cnft::lxor(literalt a, literalt b, literalt o)
{
  add_clause({!a, !b, !o});
  add_clause({a, b, !o});
  add_clause({!a, b, o});
  add_clause({a, !b, o});
}

void cnft::lnand(literalt a, literalt b, literalt o)
{
  add_clause({a, o});
  add_clause({b, o});
  add_clause({!a, !b, !o});
}

void cnft::lnor(literalt a, literalt b, literalt o)
{
  add_clause({!a, !o});
  add_clause({!b, !o});
  add_clause({a, b, o});
}

void cnft::lequal(literalt a, literalt b, literalt o)
{
  lxor(a, b, lnot(o));
}

void cnft::limplies(literalt a, literalt b, literalt o)
{
  lor(lnot(a), b, o);
}

literalt cnft::land(const bvt &bv)
{
  return land_or_lor(bv, false);
}

literalt cnft::lor(const bvt &bv)
{
  return land_or_lor(bv, true);
}

// OR is AND with every operand and the output negated, and so are its
// clauses: {!l, o} for each operand l, then {l..., !o}.
literalt cnft::land_or_lor(const bvt &bv, bool is_or)
{
  const literalt neutral = const_literal(!is_or);
  if(bv.empty())
    return neutral;
  if(bv.size() == 1)
    return bv[0];
  if(bv.size() == 2)
    return is_or ? lor(bv[0], bv[1]) : land(bv[0], bv[1]);

  for(literalt l : bv)
    if(l == !neutral)
      return !neutral;

  // Neutral operands stay: process_clause of the back end drops them.
  bvt operands;
  eliminate_duplicates(bv, operands);
  literalt o = new_variable();
  for(literalt l : operands)
    add_clause({l.cond_negation(is_or), (!o).cond_negation(is_or)});

  clause_buffer.clear();
  for(literalt l : operands)
    clause_buffer.push_back((!l).cond_negation(is_or));
  clause_buffer.push_back(o.cond_negation(is_or));
  lcnf(clause_buffer);
  return o;
}

literalt cnft::lxor(const bvt &bv)
{
  return lxor_pair_or_chain(bv);
}

void cnft::eliminate_duplicates(const bvt &source, bvt &dest)
{
  distinct_literalst distinct(dest, source.size());
  for(literalt l : source)
    if(!distinct.contains(l))
      distinct.append(l);
}

bool cnft::process_clause(const bvt &source, bvt &dest)
{
  dest.clear();
  if(source.empty())
    return false;

  dest.reserve(source.size());
  distinct_literalst distinct(dest, source.size());

  for(literalt l : source)
  {
    if(l.is_false())
      continue;
    if(l.is_true())
      return true;
    if(!distinct.contains(l))
      distinct.append(l);
    if(distinct.contains(lnot(l)))
      return true;
    INVARIANT(l.var_no()<_no_variables);
  }

  return false;
}

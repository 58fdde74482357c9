#include "sat/interpolant_proof.h"

#include "util/invariant.h"

#include <iostream>

void proofsat_prooft::root(const vec<Lit> &clause)
{
  std::cout << "root called\n"
            << "clause number " << clauses.size() << '\n'
            << "no of literals " << clause.size() << '\n'
            << "partition id " << partition_id << '\n';

  clauses.push_back({true, {}, partition_id, {}, {}});
  for(int i = 0; i < clause.size(); ++i)
    clauses.back().literals.push_back(index(clause[i]));
}

void proofsat_prooft::chain(const vec<ClauseId> &cs, const vec<Var> &xs)
{
  std::cout << "chain called\n"
            << "clause number " << clauses.size() << '\n';
  for(int i = 0; i < cs.size(); ++i)
    std::cout << "ids are i" << i << ' ' << cs[i] << '\n';
  for(int i = 0; i < xs.size(); ++i)
    std::cout << "pivots are i =" << i << ' ' << xs[i] << '\n';

  // Antecedents are earlier records: one naming the new record itself
  // would make the interpolation walk go round for ever.
  int c_id = int(clauses.size());
  clauses.push_back({false, {}, 0, {}, {}});
  proof_clauset &record = clauses.back();
  for(int i = 0; i < cs.size(); ++i)
  {
    INVARIANT(cs[i]<c_id);
    record.ids.push_back(cs[i]);
  }
  for(int i = 0; i < xs.size(); ++i)
    record.pivots.push_back(xs[i]);
}

namespace
{
void print_variable_marks(const char *heading, const std::vector<bool> &marks)
{
  std::cout << heading << '\n';
  for(std::size_t v = 0; v < marks.size(); ++v)
    if(marks[v])
      std::cout << v << ' ';
  std::cout << '\n';
}

void print_values(const std::vector<bool> &marks)
{
  for(std::size_t v = 0; v < marks.size(); ++v)
    std::cout << "i = " << v << " has value " << marks[v] << '\n';
}

// The literal word, its sign and its node.
void print_graph_literal(literalt x)
{
  std::cout << "var " << x.get() << ' ' << x.sign() << ' ' << x.var_no()
            << '\n';
}
} // namespace

literalt proofsat_prooft::interpolate(
  const bvt &literals,
  int partition,
  and_grapht &graph,
  std::string &text)
{
  std::vector<bool> in_a(literals.size()), in_b(literals.size()),
    shared(literals.size());

  for(std::size_t k = 0; k < clauses.size(); ++k)
  {
    const proof_clauset &c = clauses[k];
    if(!c.is_root)
      continue;
    std::cout << "clauses[i].pid " << k << ' ' << c.pid << '\n';
    if(c.pid != partition && c.pid != partition + 1)
      continue;
    std::vector<bool> &in = c.pid == partition ? in_a : in_b;
    for(int l : c.literals)
    {
      unsigned v = unsigned(l) >> 1;
      INVARIANT(v<literals.size());
      in[v] = true;
    }
  }

  for(std::size_t v = 0; v < literals.size(); ++v)
    shared[v] = in_a[v] && in_b[v];

  print_variable_marks("variables in partition 1 are ", in_a);
  print_variable_marks("variables in partition 2 are ", in_b);
  std::cout << "after union 2\n";
  print_values(in_b);
  print_values(in_a);
  std::cout << "intersection : ";
  for(std::size_t v = 0; v < shared.size(); ++v)
    if(shared[v])
      std::cout << v << ' ';
  std::cout << '\n'
            << "shared variabled done " << shared.size() << '\n'
            << "clauses.size() " << clauses.size() << '\n';

  and_graph_propt g(graph);
  text.clear();
  literalt result = build_interpolant(
    text, literals, g, int(clauses.size()) - 1, partition, in_a, shared);
  std::cout << "interpolant is " << text << '\n';
  return result;
}

literalt proofsat_prooft::root_interpolant(
  std::string &text,
  const bvt &literals,
  and_graph_propt &g,
  int c_id,
  const std::vector<bool> &shared)
{
  std::cout << "interested partition's root\n";
  literalt r = const_literal(false);
  bool first = true;
  for(int l : clauses[c_id].literals)
  {
    unsigned v = unsigned(l) >> 1;
    INVARIANT(v<literals.size());
    if(!shared[v])
      continue;
    bool negated = l & 1;
    std::string literal_text = (negated ? "-" : "") + std::to_string(v);
    literalt x = literals[v];
    std::cout << "c_id " << c_id << '\n'
              << "str_lit " << literal_text << '\n'
              << "var(*iter_lit) " << v << '\n';
    print_graph_literal(x);
    if(negated)
    {
      x = g.lnot(x);
      std::cout << "negation\n";
      print_graph_literal(x);
    }
    if(first)
    {
      text = literal_text;
      r = x;
      first = false;
    }
    else
    {
      text += " or " + literal_text;
      r = g.lor(r, x);
    }
  }
  std::cout << "interpolant is " << text << '\n';
  return r;
}

// The partial interpolant of one record, once made.
struct proofsat_prooft::partialt
{
  bool done = false;
  literalt result;
  std::string text;
  // A derived record's text is moved into the first text that uses it.
  bool text_taken = false;
};

literalt proofsat_prooft::build_interpolant(
  std::string &text,
  const bvt &literals,
  and_graph_propt &g,
  int c_id,
  int partition,
  const std::vector<bool> &in_a,
  const std::vector<bool> &shared)
{
  INVARIANT(!clauses.empty());
  INVARIANT(c_id >= 0 && std::size_t(c_id) < clauses.size());

  std::vector<partialt> partial(std::size_t(c_id) + 1);

  // A derived record waiting for its antecedents.
  struct framet
  {
    int c;
    std::size_t next;
    literalt r;
    std::string text;
  };
  std::vector<framet> stack;

  // Prints the entry lines of record c; makes an input record's partial
  // interpolant at once and opens a frame for a derived one.
  auto enter = [&](int c) {
    std::cout << "c_id " << c << '\n';
    const proof_clauset &record = clauses[c];
    if(record.is_root)
    {
      partialt &p = partial[c];
      if(record.pid == partition)
        p.result = root_interpolant(p.text, literals, g, c, shared);
      else
      {
        std::cout << "uninteresting partition's root\n";
        p.text = "TRUE";
        p.result = const_literal(true);
      }
      p.done = true;
      return;
    }
    std::cout << "resolved clauses ";
    for(int id : record.ids)
      std::cout << id << ' ';
    std::cout << '\n';
    stack.push_back({c, 0, const_literal(true), std::string()});
  };

  auto take_text = [&](int a) {
    partialt &p = partial[a];
    if(clauses[a].is_root)
      return p.text;
    if(p.text_taken)
      return "#" + std::to_string(a);
    p.text_taken = true;
    return std::move(p.text);
  };

  enter(c_id);
  while(!stack.empty())
  {
    framet &f = stack.back();
    const proof_clauset &record = clauses[f.c];
    if(f.next == record.ids.size())
    {
      partialt &p = partial[f.c];
      p.done = true;
      p.result = f.r;
      p.text = std::move(f.text);
      stack.pop_back();
      continue;
    }

    // Records filled in by hand must also point back only.
    int a = record.ids[f.next];
    INVARIANT(a >= 0 && a < f.c);
    INVARIANT(f.next <= record.pivots.size());
    if(!partial[a].done)
    {
      enter(a); // may invalidate f
      continue;
    }

    std::cout << "c_id " << f.c << '\n';
    std::string antecedent_text = take_text(a);
    literalt r_a = partial[a].result;
    if(f.next == 0)
    {
      f.r = r_a;
      f.text = std::move(antecedent_text);
    }
    else
    {
      unsigned v = unsigned(record.pivots[f.next - 1]);
      INVARIANT(v<literals.size());
      std::cout << "pivot variable is " << v << '\n'
                << (shared[v] ? "pivot variable global\n"
                              : "pivot variable local\n");
      // A pivot that only A knows joins with OR; a shared pivot, or one
      // that A does not know, with AND.
      if(in_a[v] && !shared[v])
      {
        f.text += " or " + antecedent_text;
        f.r = g.lor(f.r, r_a);
      }
      else
      {
        f.text += " and " + antecedent_text;
        f.r = g.land(f.r, r_a);
      }
    }
    ++f.next;
  }

  text = take_text(c_id);
  return partial[c_id].result;
}

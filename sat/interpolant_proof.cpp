#include "sat/interpolant_proof.h"

#include "util/invariant.h"

#include <iostream>
#include <sstream>

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
void print_graph_literal(std::ostream &out, literalt x)
{
  out << "var " << x.get() << ' ' << x.sign() << ' ' << x.var_no() << '\n';
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
  std::string trace;
  literalt result = build_interpolant(
    text, trace, literals, g, int(clauses.size()) - 1, partition, in_a, shared);
  std::cout << trace << "interpolant is " << text << '\n';
  return result;
}

literalt proofsat_prooft::root_interpolant(
  std::string &text,
  const bvt &literals,
  and_graph_propt &g,
  int c_id,
  const std::vector<bool> &shared,
  std::ostream &trace)
{
  trace << "interested partition's root\n";
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
    trace << "c_id " << c_id << '\n'
          << "str_lit " << literal_text << '\n'
          << "var(*iter_lit) " << v << '\n';
    print_graph_literal(trace, x);
    if(negated)
    {
      x = g.lnot(x);
      trace << "negation\n";
      print_graph_literal(trace, x);
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
  trace << "interpolant is " << text << '\n';
  return r;
}

// The walk of build_interpolant over the records below one record: each
// record's partial interpolant is made once; a derived record waits on an
// explicit stack until its antecedents are made.
class proofsat_prooft::walkt
{
public:
  walkt(
    proofsat_prooft &_proof,
    const bvt &_literals,
    and_graph_propt &_g,
    int c_id,
    int _partition,
    const std::vector<bool> &_in_a,
    const std::vector<bool> &_shared)
    : proof(_proof),
      literals(_literals),
      g(_g),
      partition(_partition),
      in_a(_in_a),
      shared(_shared),
      partial(std::size_t(c_id) + 1)
  {
  }

  // Makes the partial interpolant of record c_id and of all it rests on.
  void run(int c_id)
  {
    enter(c_id);
    while(!stack.empty())
      step();
  }

  // The text of record a for a use of it; a derived record's text goes to
  // its first use, later ones get "#<a>".
  std::string take_text(int a);

  literalt result(int c) const
  {
    return partial[c].result;
  }

  // The diagnostic lines of the walk so far.
  std::string trace() const
  {
    return trace_stream.str();
  }

private:
  // The partial interpolant of one record, once made.
  struct partialt
  {
    bool done = false;
    literalt result;
    std::string text;
    // A derived record's text is moved into the first text that uses it.
    bool text_taken = false;
  };

  // A derived record waiting for its antecedents.
  struct framet
  {
    int c;
    std::size_t next;
    literalt r;
    std::string text;
  };

  void enter(int c);
  void make_root(int c);
  void step();
  void join(framet &f, int a);

  proofsat_prooft &proof;
  const bvt &literals;
  and_graph_propt &g;
  const int partition;
  const std::vector<bool> &in_a;
  const std::vector<bool> &shared;
  std::vector<partialt> partial;
  std::vector<framet> stack;
  std::ostringstream trace_stream;
};

// Records the entry lines of record c; makes an input record's partial
// interpolant at once and opens a frame for a derived one.
void proofsat_prooft::walkt::enter(int c)
{
  trace_stream << "c_id " << c << '\n';
  const proof_clauset &record = proof.clauses[c];
  if(record.is_root)
  {
    make_root(c);
    return;
  }
  trace_stream << "resolved clauses ";
  for(int id : record.ids)
    trace_stream << id << ' ';
  trace_stream << '\n';
  stack.push_back({c, 0, const_literal(true), std::string()});
}

// An input record of the partition keeps its shared literals; any other
// input record is TRUE.
void proofsat_prooft::walkt::make_root(int c)
{
  partialt &p = partial[c];
  if(proof.clauses[c].pid == partition)
    p.result =
      proof.root_interpolant(p.text, literals, g, c, shared, trace_stream);
  else
  {
    trace_stream << "uninteresting partition's root\n";
    p.text = "TRUE";
    p.result = const_literal(true);
  }
  p.done = true;
}

std::string proofsat_prooft::walkt::take_text(int a)
{
  partialt &p = partial[a];
  if(proof.clauses[a].is_root)
    return p.text;
  if(p.text_taken)
    return "#" + std::to_string(a);
  p.text_taken = true;
  return std::move(p.text);
}

// Closes the top frame when all its antecedents have joined; otherwise
// enters its next antecedent or, once made, joins it.
void proofsat_prooft::walkt::step()
{
  framet &f = stack.back();
  const proof_clauset &record = proof.clauses[f.c];
  if(f.next == record.ids.size())
  {
    partialt &p = partial[f.c];
    p.done = true;
    p.result = f.r;
    p.text = std::move(f.text);
    stack.pop_back();
    return;
  }

  // Records filled in by hand must also point back only.
  int a = record.ids[f.next];
  INVARIANT(a >= 0 && a < f.c);
  INVARIANT(f.next <= record.pivots.size());
  if(!partial[a].done)
  {
    enter(a); // may invalidate f
    return;
  }
  join(f, a);
}

// Joins the made antecedent a as the next antecedent of frame f.
void proofsat_prooft::walkt::join(framet &f, int a)
{
  trace_stream << "c_id " << f.c << '\n';
  std::string antecedent_text = take_text(a);
  literalt r_a = partial[a].result;
  if(f.next == 0)
  {
    f.r = r_a;
    f.text = std::move(antecedent_text);
  }
  else
  {
    unsigned v = unsigned(proof.clauses[f.c].pivots[f.next - 1]);
    INVARIANT(v<literals.size());
    trace_stream << "pivot variable is " << v << '\n'
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

literalt proofsat_prooft::build_interpolant(
  std::string &text,
  std::string &trace,
  const bvt &literals,
  and_graph_propt &g,
  int c_id,
  int partition,
  const std::vector<bool> &in_a,
  const std::vector<bool> &shared)
{
  INVARIANT(!clauses.empty());
  INVARIANT(c_id >= 0 && std::size_t(c_id) < clauses.size());

  walkt walk(*this, literals, g, c_id, partition, in_a, shared);
  walk.run(c_id);
  text = walk.take_text(c_id);
  trace = walk.trace();
  return walk.result(c_id);
}

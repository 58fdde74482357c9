// Interpolants per second from the proof of a random 3-CNF split into two
// overlapping halves, and the proof records walked per second. Each record's
// partial interpolant is made once: the proofs reuse learnt clauses so much
// that walking them unfolded would visit millions of records or more.

#include "sat/satcheck_proofsat_interpolation.h"

#include <benchmark/benchmark.h>

#include <iostream>
#include <random>
#include <sstream>

namespace
{
class recorder_accesst : public satcheck_proofsat_interpolationt
{
public:
  proofsat_prooft &recorder()
  {
    return *proofsat_proof;
  }
};

// A over variables 1 .. side, B over the last `side` of `vars`, clauses of
// three distinct variables, alternately to A and B, until the whole is
// unsatisfiable.
void fill(recorder_accesst &solver, unsigned vars, unsigned side, int clauses)
{
  std::mt19937 random(1);
  for(;;)
  {
    recorder_accesst attempt;
    for(unsigned v = 0; v < vars; ++v)
      attempt.new_variable();
    std::vector<std::pair<int, bvt>> added;
    for(int i = 0; i < clauses; ++i)
    {
      int partition = i % 2;
      unsigned first = partition == 0 ? 1 : vars - side + 1;
      bvt clause;
      while(clause.size() < 3)
      {
        literalt l(first + random() % side, random() % 2);
        bool repeated = false;
        for(literalt other : clause)
          repeated = repeated || other.var_no() == l.var_no();
        if(!repeated)
          clause.push_back(l);
      }
      added.emplace_back(partition, clause);
      attempt.set_partition_id(partition);
      attempt.lcnf(clause);
    }
    if(attempt.prop_solve() != propt::P_UNSATISFIABLE)
      continue;
    for(unsigned v = 0; v < vars; ++v)
      solver.new_variable();
    for(const auto &pc : added)
    {
      solver.set_partition_id(pc.first);
      solver.lcnf(pc.second);
    }
    solver.prop_solve();
    return;
  }
}

void BM_interpolate(benchmark::State &state)
{
  // The diagnostic lines are part of the work, but not of the output.
  std::ostringstream sink;
  std::streambuf *old = std::cout.rdbuf(sink.rdbuf());
  unsigned vars = unsigned(state.range(0));
  recorder_accesst solver;
  fill(solver, vars, vars * 3 / 5, int(vars * 9 / 2));

  std::int64_t records = 0;
  for(auto _ : state)
  {
    and_graph_formulat graph;
    and_graph_propt g(graph);
    bvt literals;
    for(unsigned v = 0; v < solver.no_variables(); ++v)
      literals.push_back(g.new_variable());
    std::string text;
    benchmark::DoNotOptimize(
      solver.recorder().interpolate(literals, 0, graph, text));
    records += solver.recorder().clauses.size();
    sink.str(std::string());
  }
  std::cout.rdbuf(old);
  state.counters["records"] =
    benchmark::Counter(double(records), benchmark::Counter::kIsRate);
  const std::vector<proof_clauset> &clauses = solver.recorder().clauses;
  state.counters["proof"] = double(clauses.size());
  // The records a walk without memory would visit.
  std::vector<double> unfolded(clauses.size(), 1);
  for(std::size_t c = 0; c < clauses.size(); ++c)
    for(int id : clauses[c].ids)
      unfolded[c] += unfolded[id];
  state.counters["unfolded"] = unfolded.back();
}
} // namespace

BENCHMARK(BM_interpolate)->Arg(40)->Arg(80)->Arg(120);

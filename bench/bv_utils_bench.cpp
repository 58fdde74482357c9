// Building the bit-vector circuits into a clause list: clauses per second
// and clauses per circuit for each circuit kind and width, the quadratic
// multiplier and divider beside the linear adder, comparator and shifter.

#include "flattening/bv_utils.h"
#include "propositional/cnf_clause_list.h"

#include <benchmark/benchmark.h>

#include <functional>

namespace
{
bvt fresh_vector(propt &prop, std::size_t width)
{
  bvt result;
  for(std::size_t bit = 0; bit < width; ++bit)
    result.push_back(prop.new_variable());
  return result;
}

typedef std::function<void(bv_utilst &, bvt &, const bvt &)> circuitt;

void run_circuit(benchmark::State &state, const circuitt &circuit)
{
  std::int64_t clauses = 0;
  std::size_t last_clauses = 0;
  for(auto _ : state)
  {
    state.PauseTiming();
    cnf_clause_listt prop;
    bv_utilst utils(prop);
    bvt op0 = fresh_vector(prop, state.range(0));
    const bvt op1 = fresh_vector(prop, state.range(0));
    state.ResumeTiming();
    circuit(utils, op0, op1);
    last_clauses = prop.no_clauses();
    clauses += last_clauses;
    state.PauseTiming();
    prop.clause_list.clear();
    state.ResumeTiming();
  }
  state.counters["clauses/s"] =
    benchmark::Counter(double(clauses), benchmark::Counter::kIsRate);
  state.counters["clauses"] = double(last_clauses);
}

void BM_adder(benchmark::State &state)
{
  run_circuit(state, [](bv_utilst &u, bvt &a, const bvt &b) {
    u.add_sub(a, b, false);
  });
}

void BM_comparator(benchmark::State &state)
{
  run_circuit(state, [](bv_utilst &u, bvt &a, const bvt &b) {
    benchmark::DoNotOptimize(u.comparator(false, a, b, true));
  });
}

void BM_shifter(benchmark::State &state)
{
  run_circuit(state, [](bv_utilst &u, bvt &a, const bvt &b) {
    u.shifter(bv_utilst::SHIFT_ARITHMETIC_RIGHT, a, b);
  });
}

void BM_multiplier(benchmark::State &state)
{
  run_circuit(state, [](bv_utilst &u, bvt &a, const bvt &b) {
    u.multiplier(a, b, true);
  });
}

void BM_multiplier_no_overflow(benchmark::State &state)
{
  run_circuit(state, [](bv_utilst &u, bvt &a, const bvt &b) {
    u.multiplier_no_overflow(a, b, true);
  });
}

void BM_divider(benchmark::State &state)
{
  run_circuit(state, [](bv_utilst &u, bvt &a, const bvt &b) {
    bvt quotient, remainder;
    u.divider(a, b, quotient, remainder, true);
  });
}
} // namespace

BENCHMARK(BM_adder)->Arg(32)->Arg(64);
BENCHMARK(BM_comparator)->Arg(32)->Arg(64);
BENCHMARK(BM_shifter)->Arg(32)->Arg(64);
BENCHMARK(BM_multiplier)->Arg(32)->Arg(64);
BENCHMARK(BM_multiplier_no_overflow)->Arg(32)->Arg(64);
BENCHMARK(BM_divider)->Arg(32)->Arg(64);

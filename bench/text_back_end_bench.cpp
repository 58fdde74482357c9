// Writing constraints as CVC Lite text: propositional lines of the text
// back end, bit-vector constraints of the converter, both into memory, and
// the same constraints into the exchange file, where every line is flushed
// to the file as it is written.

#include "bench/bench_exprs.h"
#include "external_solvers/cvc_dec.h"
#include "util/config.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <sstream>

namespace
{
// x<i> + x<i+1> < x<i+2> over 32-bit symbols, one per constraint.
exprt constraint(unsigned i)
{
  const typet type = bench::bits_type(32);
  exprt operands[3];
  for(unsigned k = 0; k < 3; ++k)
    operands[k] = bench::symbol("x" + std::to_string(i + k), type);
  exprt sum("+", type);
  sum.copy_to_operands(operands[0], operands[1]);
  exprt less("<", typet("bool"));
  less.copy_to_operands(sum, operands[2]);
  return less;
}

void BM_gates_and_clauses(benchmark::State &state)
{
  std::int64_t lines = 0;
  for(auto _ : state)
  {
    std::ostringstream out;
    cvc_propt prop(out);
    literalt previous = prop.new_variable();
    for(std::int64_t i = 0; i < state.range(0); ++i)
    {
      const literalt next = prop.new_variable();
      previous = prop.lxor(prop.land(previous, next), !next);
      prop.lcnf({previous, next});
    }
    const std::string text = out.str();
    lines += std::count(text.begin(), text.end(), '\n');
  }
  state.counters["lines/s"] =
    benchmark::Counter(double(lines), benchmark::Counter::kIsRate);
}

void run_constraints(benchmark::State &state, bool to_file)
{
  config_set_32(config.ansi_c);
  std::int64_t constraints = 0;
  for(auto _ : state)
  {
    std::ostringstream out;
    std::unique_ptr<text_convt> conv;
    if(to_file)
      conv.reset(new cvc_dect);
    else
      conv.reset(new cvc_convt(out));
    for(std::int64_t i = 0; i < state.range(0); ++i)
      conv->set_to(constraint(static_cast<unsigned>(i)), true);
    constraints += state.range(0);
  }
  state.counters["constraints/s"] =
    benchmark::Counter(double(constraints), benchmark::Counter::kIsRate);
}

void BM_constraints_in_memory(benchmark::State &state)
{
  run_constraints(state, false);
}

void BM_constraints_to_file(benchmark::State &state)
{
  run_constraints(state, true);
}
} // namespace

BENCHMARK(BM_gates_and_clauses)->Arg(1000)->Arg(10000);
BENCHMARK(BM_constraints_in_memory)->Arg(1000)->Arg(10000);
BENCHMARK(BM_constraints_to_file)->Arg(1000)->Arg(10000);

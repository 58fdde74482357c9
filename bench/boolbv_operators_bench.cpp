// The operator converters: converting one operator over two w-bit
// symbols into clauses (the counters give the clauses and variables one
// operator costs), a read of an n-element array at a symbolic index, and
// deciding a factorisation x * y = N (x, y > 1) over w bits end to end on
// the Proofsat engine.

#include "bench/bench_exprs.h"
#include "flattening/boolbv.h"
#include "propositional/cnf_clause_list.h"
#include "sat/satcheck_proofsat.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
using bench::binary;
using bench::bits_type;
using bench::symbol;

exprt constant(unsigned long long value, unsigned width)
{
  std::string bits(width, '0');
  for(unsigned i = 0; i < width && i < 64; ++i)
    if((value >> i) & 1)
      bits[width - 1 - i] = '1';
  exprt result("constant", bits_type(width));
  result.set("value", dstring(bits));
  return result;
}

void convert_operator(benchmark::State &state, const char *id, bool boolean)
{
  const unsigned width = static_cast<unsigned>(state.range(0));
  const typet type = bits_type(width);
  const exprt expr = binary(
    id, boolean ? typet("bool") : type, symbol("x", type), symbol("y", type));
  unsigned clauses = 0, variables = 0;
  for(auto _ : state)
  {
    cnf_clause_listt prop;
    boolbvt conv(prop);
    bvt bv;
    conv.convert_cached(expr, bv);
    clauses = prop.no_clauses();
    variables = prop.no_variables();
    benchmark::DoNotOptimize(bv.data());
  }
  state.counters["clauses"] = clauses;
  state.counters["variables"] = variables;
}

void BM_convert_add(benchmark::State &state)
{
  convert_operator(state, "+", false);
}
void BM_convert_mult(benchmark::State &state)
{
  convert_operator(state, "*", false);
}
void BM_convert_div(benchmark::State &state)
{
  convert_operator(state, "/", false);
}
void BM_convert_shl(benchmark::State &state)
{
  convert_operator(state, "shl", false);
}
void BM_convert_less(benchmark::State &state)
{
  convert_operator(state, "<", true);
}

void BM_convert_symbolic_read(benchmark::State &state)
{
  const unsigned n = static_cast<unsigned>(state.range(0));
  typet array_type("array");
  array_type.subtype() = bits_type(32);
  array_type.add("size") = constant(n, 32);
  exprt read("index", bits_type(32));
  read.copy_to_operands(symbol("A", array_type), symbol("i", bits_type(32)));
  unsigned clauses = 0;
  for(auto _ : state)
  {
    cnf_clause_listt prop;
    boolbvt conv(prop);
    bvt bv;
    conv.convert_cached(read, bv);
    clauses = prop.no_clauses();
  }
  state.counters["clauses"] = clauses;
}

void BM_decide_factorisation(benchmark::State &state)
{
  // 2^(w/2) + 1 times 2^(w/2) - 1: a product of two factors above 1.
  const unsigned width = static_cast<unsigned>(state.range(0));
  const unsigned long long half = 1ULL << (width / 2);
  const typet type = bits_type(width);
  const exprt x = symbol("x", type), y = symbol("y", type);
  exprt constraint("and", typet("bool"));
  constraint.copy_to_operands(
    binary(
      "=", typet("bool"), binary("no-overflow-mult", type, x, y),
      constant((half + 1) * (half - 1), width)),
    binary(">", typet("bool"), x, constant(1, width)),
    binary(">", typet("bool"), y, constant(1, width)));
  for(auto _ : state)
  {
    satcheck_proofsatt prop;
    boolbvt conv(prop);
    conv.set_to(constraint, true);
    benchmark::DoNotOptimize(conv.solve());
  }
}
} // namespace

BENCHMARK(BM_convert_add)->Arg(8)->Arg(32)->Arg(64);
BENCHMARK(BM_convert_mult)->Arg(8)->Arg(32)->Arg(64);
BENCHMARK(BM_convert_div)->Arg(8)->Arg(32)->Arg(64);
BENCHMARK(BM_convert_shl)->Arg(8)->Arg(32)->Arg(64);
BENCHMARK(BM_convert_less)->Arg(8)->Arg(32)->Arg(64);
BENCHMARK(BM_convert_symbolic_read)->Arg(16)->Arg(256);
BENCHMARK(BM_decide_factorisation)->Arg(16)->Arg(24);

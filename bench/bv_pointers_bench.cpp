// The pointer encoding and the minimiser: converting sums of a pointer
// and a symbolic index over structures of 3 units (a constant multiplier
// and an adder within the offset, per sum), and minimising two unsigned
// symbols tied by a + b = c on the proof-logging engine (at most two
// engine calls per bit).

#include "bench/bench_exprs.h"
#include "flattening/bv_pointers.h"
#include "flattening/sat_minimizer.h"
#include "propositional/cnf_clause_list.h"
#include "util/config.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace
{
using bench::binary;
using bench::bits_type;
using bench::symbol;

void BM_pointer_sums(benchmark::State &state)
{
  config_set_32(config.ansi_c);
  typet pair("struct");
  for(const char *name : {"x", "y"})
  {
    irept component("component");
    component.set("name", name);
    component.add("type") = bits_type(32);
    pair.add("components").get_sub().push_back(component);
  }
  typet pointer("pointer");
  pointer.subtype() = pair;
  const exprt p = symbol("p", pointer);
  std::vector<exprt> sums;
  for(unsigned k = 0; k < 64; ++k)
    sums.push_back(binary(
      "+",
      pointer,
      p,
      symbol("i" + std::to_string(k), bits_type(32, "signedbv"))));
  bench::convert_each<bv_pointerst>(state, sums);
}

void BM_minimize_sum(benchmark::State &state)
{
  config_set_32(config.ansi_c);
  const unsigned width = static_cast<unsigned>(state.range(0));
  const typet type = bits_type(width);
  const exprt a = symbol("a", type), b = symbol("b", type);
  exprt c("constant", type);
  c.set(
    "value",
    dstring(std::string(width / 2, '0') + std::string(width - width / 2, '1')));
  for(auto _ : state)
  {
    bv_minimizing_dect dec;
    dec.set_to(binary("=", typet("bool"), binary("+", type, a, b), c), true);
    dec.solve();
    dec.minimize({b, a});
  }
}
} // namespace

BENCHMARK(BM_pointer_sums);
BENCHMARK(BM_minimize_sum)->Arg(8)->Arg(16)->Arg(32);

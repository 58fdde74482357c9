#ifndef MORVANE_BENCH_BENCH_EXPRS_H
#define MORVANE_BENCH_BENCH_EXPRS_H

// The expressions the converter benchmarks build their inputs from, and
// the loop that converts a set of them with a fresh converter each time.

#include "propositional/cnf_clause_list.h"
#include "util/expr.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace bench
{
// A bit-vector type of the given width; id names its kind.
inline typet bits_type(unsigned width, const char *id = "unsignedbv")
{
  typet type(id);
  type.set("width", static_cast<int>(width));
  return type;
}

inline exprt symbol(const std::string &name, const typet &type)
{
  exprt result("symbol", type);
  result.set("identifier", dstring(name));
  return result;
}

inline exprt
binary(const char *id, const typet &type, const exprt &a, const exprt &b)
{
  exprt result{dstring(id), type};
  result.copy_to_operands(a, b);
  return result;
}

// Each iteration converts every expression of exprs into clauses with a
// fresh converter of type convertert; items are expressions converted.
template <class convertert>
void convert_each(benchmark::State &state, const std::vector<exprt> &exprs)
{
  for(auto _ : state)
  {
    cnf_clause_listt prop;
    convertert conv(prop);
    bvt bv;
    for(const exprt &expr : exprs)
      conv.convert_cached(expr, bv);
    benchmark::DoNotOptimize(bv);
  }
  state.SetItemsProcessed(
    state.iterations() * static_cast<benchmark::IterationCount>(exprs.size()));
}
} // namespace bench

#endif

// The flattening core: converting fresh structures of bit-vector symbols
// (symbol map and cache on a miss), converting them again (cache hits),
// and the array theory's post-processing over n reads of a class of
// updated arrays (clauses grow with reads times updates).

#include "bench/bench_exprs.h"
#include "flattening/boolbv.h"
#include "propositional/cnf_clause_list.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace
{
using bench::bits_type;
using bench::symbol;

// A structure of n 32-bit symbol components.
exprt structure(unsigned n, unsigned tag)
{
  typet type("struct");
  irept &components = type.add("components");
  exprt value("struct", type);
  for(unsigned k = 0; k < n; ++k)
  {
    irept component("component");
    component.set("name", dstring("c" + std::to_string(k)));
    component.add("type") = bits_type(32);
    components.get_sub().push_back(component);
    value.copy_to_operands(
      symbol(
        "s" + std::to_string(tag) + "_" + std::to_string(k), bits_type(32)));
  }
  value.type() = type;
  return value;
}

void BM_convert_structures(benchmark::State &state)
{
  const unsigned n = static_cast<unsigned>(state.range(0));
  std::vector<exprt> values;
  for(unsigned tag = 0; tag < 64; ++tag)
    values.push_back(structure(n, tag));
  bench::convert_each<boolbvt>(state, values);
}

void BM_convert_cached_again(benchmark::State &state)
{
  const unsigned n = static_cast<unsigned>(state.range(0));
  cnf_clause_listt prop;
  boolbvt conv(prop);
  const exprt value = structure(n, 0);
  bvt bv;
  conv.convert_cached(value, bv);
  for(auto _ : state)
  {
    conv.convert_cached(value, bv);
    benchmark::DoNotOptimize(bv);
  }
  state.SetItemsProcessed(state.iterations());
}

// Element equalities as free literals: what is measured is the theory.
class free_equalities_arrayst : public arrayst
{
public:
  using arrayst::arrayst;

protected:
  literalt convert_rest(const exprt &expr) override
  {
    return expr.id() == "=" ? prop.new_variable() : arrayst::convert_rest(expr);
  }
};

// a = with(...with(b, i1, v1)..., im, vm), read at n indices.
void BM_array_theory(benchmark::State &state)
{
  const unsigned reads = static_cast<unsigned>(state.range(0));
  const unsigned updates = static_cast<unsigned>(state.range(1));
  const typet element = bits_type(8), index = bits_type(16);
  typet array("array");
  array.subtype() = element;
  array.add("size") = symbol("n", index);

  exprt updated = symbol("b", array);
  for(unsigned k = 0; k < updates; ++k)
  {
    exprt with("with", array);
    with.copy_to_operands(
      updated,
      symbol("w" + std::to_string(k), index),
      symbol("v" + std::to_string(k), element));
    updated = with;
  }
  exprt equality("=", typet("bool"));
  equality.copy_to_operands(symbol("a", array), updated);

  std::size_t clauses = 0;
  for(auto _ : state)
  {
    cnf_clause_listt prop;
    free_equalities_arrayst conv(prop);
    conv.record_array_equality(equality);
    for(unsigned k = 0; k < reads; ++k)
    {
      exprt read("index", element);
      read.copy_to_operands(
        symbol("a", array), symbol("r" + std::to_string(k), index));
      conv.record_function_application(read);
    }
    conv.add_array_constraints_all();
    clauses = prop.no_clauses();
  }
  state.counters["clauses"] = double(clauses);
}
} // namespace

BENCHMARK(BM_convert_structures)->Arg(4)->Arg(32);
BENCHMARK(BM_convert_cached_again)->Arg(4)->Arg(32);
BENCHMARK(BM_array_theory)->Args({8, 4})->Args({32, 4})->Args({32, 16});

// Clauses per second for a long chain of gates: each gate takes the running
// result and a fresh input, cycling through AND, OR and XOR.

#include "propositional/cnf_clause_list.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{
// Takes each clause and only counts it: measures the gate encoding alone.
class counting_cnft : public cnft
{
public:
  void lcnf(const bvt &clause) override
  {
    ++clauses;
    benchmark::DoNotOptimize(clause.data());
  }
  std::string solver_text() const override
  {
    return "counting";
  }
  resultt prop_solve() override
  {
    return P_ERROR;
  }
  tvt l_get(literalt) const override
  {
    return tvt();
  }
  unsigned no_clauses() const override
  {
    return clauses;
  }

  unsigned clauses = 0;
};

void build_chain(cnft &cnf, std::int64_t gates)
{
  literalt result = cnf.new_variable();
  for(std::int64_t i = 0; i < gates; ++i)
  {
    literalt input = cnf.new_variable();
    switch(i % 3)
    {
    case 0:
      result = cnf.land(result, input);
      break;
    case 1:
      result = cnf.lor(result, !input);
      break;
    default:
      result = cnf.lxor(input, result);
      break;
    }
  }
  benchmark::DoNotOptimize(result);
}

template <class back_endt>
void BM_gate_chain(benchmark::State &state)
{
  std::int64_t clauses = 0;
  for(auto _ : state)
  {
    auto cnf = std::make_unique<back_endt>();
    build_chain(*cnf, state.range(0));
    clauses += cnf->no_clauses();
    // Freeing the clauses is not part of building them.
    state.PauseTiming();
    cnf.reset();
    state.ResumeTiming();
  }
  state.counters["clauses"] =
    benchmark::Counter(double(clauses), benchmark::Counter::kIsRate);
}
} // namespace

BENCHMARK_TEMPLATE(BM_gate_chain, counting_cnft)->Arg(1 << 20);
BENCHMARK_TEMPLATE(BM_gate_chain, cnf_clause_listt)->Arg(1 << 20);

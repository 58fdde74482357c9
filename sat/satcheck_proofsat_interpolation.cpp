#include "sat/satcheck_proofsat_interpolation.h"

#include "sat/proofsat/Solver.h"
#include "util/invariant.h"

#include <iostream>

satcheck_proofsat_interpolationt::satcheck_proofsat_interpolationt()
    : proofsat_proof(std::make_unique<proofsat_prooft>()),
      proof(std::make_unique<Proof>(*proofsat_proof))
{
  solver = std::make_unique<Solver>();
  solver->proof = proof.get();
}

satcheck_proofsat_interpolationt::~satcheck_proofsat_interpolationt() =
  default;

std::string satcheck_proofsat_interpolationt::solver_text() const
{
  return "Proofsat + Interpolation";
}

propt::resultt satcheck_proofsat_interpolationt::prop_solve()
{
  std::cout << "i am in prop_solve\n";
  INVARIANT(status!=ERROR);

  std::string sizes = size_text();
  print(6, sizes);
  std::cout << sizes;

  on_engine([this] { add_variables(); });
  std::cout << "i am here after add_variables\n";

  resultt result = run_engine();
  if(result == P_UNSATISFIABLE)
    std::cout << "PROOFSAT=UNSAT\n"
              << "p_unsatisfiable\n";
  return result;
}

void satcheck_proofsat_interpolationt::get_interpolant(
  int partition,
  and_graph_formulat &graph)
{
  unsigned n = no_variables();
  int m = solver->nClauses();
  std::cout << "no of variables " << n << '\n'
            << "no of clauses " << m << '\n'
            << n << '\n'
            << "and graph before is ";
  graph.print_node_list(std::cout);
  std::cout << '\n' << "no of clauses " << m << '\n';

  and_graph_propt g(graph);
  bvt literals(n);
  for(unsigned i = 0; i < n; ++i)
  {
    literals[i] = g.new_variable();
    std::cout << "var " << 0 << literals[i].var_no() << '\n'
              << "added variables " << i << '\n';
  }

  std::string text;
  graph.root_literal =
    proofsat_proof->interpolate(literals, partition, graph, text);
  std::cout << "INTERPOLANT=" << text << '\n' << "and graph is ";
  graph.print_node_list(std::cout);
  std::cout << '\n';
}

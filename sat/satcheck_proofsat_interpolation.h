#ifndef MORVANE_SAT_SATCHECK_PROOFSAT_INTERPOLATION_H
#define MORVANE_SAT_SATCHECK_PROOFSAT_INTERPOLATION_H

// The proof-logging back end that keeps its proof in memory, with every
// input clause tagged by a partition, and builds interpolants between
// partitions after an unsatisfiable answer. It writes diagnostic lines to
// standard output while it works.

#include "sat/interpolant_proof.h"
#include "sat/satcheck_proofsat.h"

#include <memory>

class satcheck_proofsat_interpolationt : public satcheck_proofsat_baset
{
public:
  satcheck_proofsat_interpolationt();
  ~satcheck_proofsat_interpolationt() override;
  satcheck_proofsat_interpolationt(const satcheck_proofsat_interpolationt &) =
    delete;
  satcheck_proofsat_interpolationt &
  operator=(const satcheck_proofsat_interpolationt &) = delete;

  std::string solver_text() const override;
  resultt prop_solve() override;

  // The partition of the clauses added from now on (0 at the start).
  void set_partition_id(int id)
  {
    proofsat_proof->partition_id = id;
  }

  // After an unsatisfiable answer: appends one input node per variable
  // 0 .. no_variables() - 1 to graph, after the nodes it holds, builds the
  // interpolant between partition and partition + 1 over them and makes it
  // the graph's root_literal. Building takes time linear in the proof, and
  // the diagnostic listings of the graph before and after are linear in the
  // graph (each node once, naming its operands by number).
  void get_interpolant(int partition, and_graph_formulat &graph);

protected:
  // The recorder outlives the proof that reports to it.
  std::unique_ptr<proofsat_prooft> proofsat_proof;
  std::unique_ptr<Proof> proof;
};

#endif

#ifndef MORVANE_SAT_INTERPOLANT_PROOF_H
#define MORVANE_SAT_INTERPOLANT_PROOF_H

// Keeps the engine's resolution proof in memory, each input clause tagged
// with the partition it came from, and computes interpolants from it: for
// partition p, with A the input clauses of partition p and B those of
// partition p + 1, a formula I over the variables A and B share such that
// A implies I and I and B are contradictory, whenever the proof refutes
// A and B. Writes diagnostic lines to standard output as it works.

#include "propositional/aig_prop.h"
#include "sat/proofsat/Proof.h"

#include <iosfwd>
#include <string>
#include <vector>

struct proof_clauset
{
  bool is_root;
  // An input clause: its literal codes (those of literalt).
  std::vector<int> literals;
  // An input clause: its partition.
  int pid;
  // A derived clause: its antecedents in resolution order; pivots[i - 1]
  // is the variable resolved on when antecedent i joins.
  std::vector<int> ids;
  std::vector<int> pivots;
};

class proofsat_prooft : public ProofTraverser
{
public:
  // The partition of the input clauses recorded from now on.
  int partition_id = 0;
  // Record n is the engine's clause id n.
  std::vector<proof_clauset> clauses;

  void root(const vec<Lit> &clause) override;
  // Stops the program when an antecedent is not an earlier record.
  void chain(const vec<ClauseId> &cs, const vec<Var> &xs) override;

  // The interpolant of partition p for the last record (after a refutation,
  // the empty clause), built in graph; literals[v] is the graph literal of
  // variable v and must exist for every variable of a recorded clause.
  // text receives the interpolant in infix form. Prints the marks of the
  // variables, then build_interpolant's trace, then the interpolant text.
  literalt interpolate(
    const bvt &literals,
    int partition,
    and_grapht &graph,
    std::string &text);

  // The interpolant of record c_id. Each record's partial interpolant is
  // made once, so the graph and the time grow linearly with the proof
  // also when derivations share sub-derivations, and the walk keeps its
  // own stack. In text a derived record met again is written "#<id>".
  // Writes nothing: trace receives the diagnostic lines of the walk, in the
  // order they arise, for the caller to print.
  // Requires: clauses is not empty and c_id names a record; in_a and
  // shared are indexed by variable like literals.
  literalt build_interpolant(
    std::string &text,
    std::string &trace,
    const bvt &literals,
    and_graph_propt &g,
    int c_id,
    int partition,
    const std::vector<bool> &in_a,
    const std::vector<bool> &shared);

private:
  class walkt;
  // The partial interpolant of input record c_id of the partition: its
  // shared literals joined by OR (FALSE without any); writes its
  // diagnostic lines to trace.
  literalt root_interpolant(
    std::string &text,
    const bvt &literals,
    and_graph_propt &g,
    int c_id,
    const std::vector<bool> &shared,
    std::ostream &trace);
};

#endif

#ifndef MORVANE_TESTS_SAT_ADAPTER_HARNESS_H
#define MORVANE_TESTS_SAT_ADAPTER_HARNESS_H

// Helpers for the adapter tests: random clauses as literalt clauses over
// variables 1 .. n, a brute-force model check, and the value of an
// and-inverter graph literal under an assignment.

#include "propositional/aig.h"
#include "tests/sat/proofsat/random_cnf.h"

#include <vector>

// The clause with every variable moved up by one, so variable 0 (which the
// gate encoder never hands out) stays unused.
inline bvt shifted_clause(const code_clauset &codes)
{
  bvt clause;
  for(int code : codes)
    clause.push_back(literalt::from_word(unsigned(code) + 2));
  return clause;
}

// Whether the assignment (indexed by variable) satisfies every clause.
inline bool satisfies(
  const std::vector<bool> &assignment,
  const std::vector<bvt> &clauses)
{
  for(const bvt &clause : clauses)
  {
    bool satisfied = false;
    for(literalt l : clause)
      satisfied = satisfied || assignment.at(l.var_no()) != l.sign();
    if(!satisfied)
      return false;
  }
  return true;
}

// The value of l when input node first_input + v has the value of variable
// v; the graph's other inputs are false.
inline bool graph_value(
  const and_grapht &graph,
  literalt l,
  unsigned first_input,
  const std::vector<bool> &assignment)
{
  if(l.is_constant())
    return l.is_true();
  std::vector<bool> node_value(graph.number_of_nodes());
  auto value = [&](literalt x) {
    return x.is_constant() ? x.is_true() : node_value[x.var_no()] != x.sign();
  };
  for(unsigned n = 0; n < graph.number_of_nodes(); ++n)
  {
    const and_grapht::nodet &node = graph.nodes[n];
    if(node.is_and)
      node_value[n] = value(node.a) && value(node.b);
    else
      node_value[n] = n >= first_input && assignment.at(n - first_input);
  }
  return value(l);
}

#endif

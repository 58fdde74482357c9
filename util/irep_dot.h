#ifndef MORVANE_UTIL_IREP_DOT_H
#define MORVANE_UTIL_IREP_DOT_H

// A debugging aid: a tree drawn as a directed graph in the text form of the
// "dot" program. Every tree handle is one node, named by its address, so the
// children of a block that several handles share are drawn once.

#include "util/irep.h"

#include <ostream>
#include <string>

// Writes "digraph "name" {", a node line per handle and an edge line per
// child (named children and comments labelled by name, then unnamed ones by
// position), breadth first from the root, and "}". Nothing is escaped.
// Cost: linear in the number of distinct handles reached.
void irep_to_dot(
  std::ostream &out,
  const std::string &graph_name,
  const irept &irep);

// Writes the graph "gr" of the tree to base_name.dot and runs
//   dot -Gsize="7.5,10.5" -Tps base_name.dot > base_name.ps
// through the shell; returns the status of `system`. A base name holding
// characters the shell would interpret is quoted in the command. Failures
// (an unwritable file, a missing "dot") show only in the status.
int show_irep_graph(const std::string &base_name, const irept &irep);

#endif

#ifndef MORVANE_TESTS_SAT_TOOLS_DIMACS_DRIVER_H
#define MORVANE_TESTS_SAT_TOOLS_DIMACS_DRIVER_H

// What the engines' DIMACS drivers share: reading the file with its clauses
// kept as the reader gives them, and checking a reported model against those
// clauses, apart from the engine that found it.

#include "propositional/read_dimacs_cnf.h"
#include "tests/propositional/recording_cnf.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <new>

// Reads the DIMACS CNF file into `formula`. When the file cannot be opened,
// or reading it fails (a folder, an I/O error), says "cannot read PATH" on
// standard error and returns false.
inline bool read_dimacs_file(const char *path, recording_cnft &formula)
{
  std::ifstream in(path);
  if(in)
  {
    read_dimacs_cnf(in, formula);
    if(!in.bad())
      return true;
  }
  std::cerr << "cannot read " << path << '\n';
  return false;
}

// Whether a clause holds a literal and its negation: true under every
// assignment. The adapters drop such clauses, so an engine may leave their
// variables without a value. Sorting a copy puts a literal's negation next
// to it, so a clause of any length is judged in O(n log n).
inline bool is_tautology(bvt clause)
{
  std::sort(clause.begin(), clause.end());
  return std::adjacent_find(
           clause.begin(), clause.end(), [](literalt a, literalt b) {
             return b == !a;
           }) != clause.end();
}

// Whether every clause of `formula` has a literal for which `is_true` holds
// or is a tautology.
template <class is_truet>
bool model_satisfies(const recording_cnft &formula, is_truet is_true)
{
  for(const bvt &clause : formula.clauses)
    if(
      std::none_of(clause.begin(), clause.end(), is_true) &&
      !is_tautology(clause))
      return false;
  return true;
}

// The driver's answer from `decide`: a large variable number makes an
// engine's tables larger than memory, which is an error answer (99, "out
// of memory" on standard error), not an abort.
template <class decidet>
int answer_within_memory(decidet decide)
{
  try
  {
    return decide();
  }
  catch(const std::bad_alloc &)
  {
    std::cerr << "out of memory\n";
    return 99;
  }
}

#endif

#ifndef MORVANE_TESTS_SAT_CORESAT_CORESAT_FIXTURE_H
#define MORVANE_TESTS_SAT_CORESAT_CORESAT_FIXTURE_H

// Test helpers for the Coresat engine: a fixture that starts and ends every
// test with a fresh engine, and readers of its records.

#include "sat/coresat/coresat.h"
#include "sat/coresat/coresat_state.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

class CoresatTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    coresat_reset();
  }
  void TearDown() override
  {
    coresat_reset();
  }
};

inline void add_clause(const std::vector<int> &lits)
{
  for(int lit : lits)
    coresat_add(lit);
  coresat_add(0);
}

inline coresat_clause *clause_at(int idx)
{
  return coresat.clause_table[idx];
}

inline std::vector<int> literals_of(coresat_clause *c)
{
  const int *lits = coresat_literals(c);
  return std::vector<int>(lits, lits + c->size);
}

inline std::vector<int> antecedents_of(coresat_clause *c)
{
  std::vector<int> list;
  if(c->trace_flags & coresat_trace_antecedents)
    for(const int *a = coresat_antecedents(c); *a; ++a)
      list.push_back(*a);
  return list;
}

inline std::vector<int> watches_of(int lit)
{
  const coresat_stack<int> &list = coresat.lits[lit].watch_list;
  return std::vector<int>(list.begin, list.end);
}

// The indices of the clauses in lit's watch list, each once per entry;
// a binary clause's entry is read with the other literal stored after it.
inline std::multiset<int> clauses_watched_by(int lit)
{
  std::multiset<int> clauses;
  const std::vector<int> list = watches_of(lit);
  for(std::size_t i = 0; i < list.size(); ++i)
    if(list[i] < 0)
      clauses.insert(-list[i++]);
    else
      clauses.insert(list[i]);
  return clauses;
}

inline std::vector<int> stack_items(const coresat_stack<int> &stack)
{
  return std::vector<int>(stack.begin, stack.end);
}

// Everything written to a temporary C stream by `write`.
template <typename F>
std::string captured(F write)
{
  std::FILE *f = std::tmpfile();
  write(f);
  std::rewind(f);
  std::string text;
  for(int c; (c = std::fgetc(f)) != EOF;)
    text += char(c);
  std::fclose(f);
  return text;
}

// Everything the engine prints while `run` runs; its output stream is put
// back afterwards.
template <typename F>
std::string engine_output(F run)
{
  return captured([&run](std::FILE *f) {
    std::FILE *previous = coresat.output;
    coresat.output = f;
    run();
    coresat.output = previous;
  });
}

#endif

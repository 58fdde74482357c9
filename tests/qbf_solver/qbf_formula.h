#ifndef MORVANE_TESTS_QBF_SOLVER_QBF_FORMULA_H
#define MORVANE_TESTS_QBF_SOLVER_QBF_FORMULA_H

// A plain reading of QDIMACS text for the test oracles. It is written apart
// from the solver on purpose: the tests judge the solver against it.

#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

struct qbf_formulat
{
  struct variablet
  {
    bool existential = true; // free variables are existential
    unsigned block = 0;      // 0 is outermost; equal blocks share a kind
  };

  // The variables quantified or used in a clause, by number. Numbers go up
  // to 2147483646, so a table indexed by number could not hold them.
  std::unordered_map<int, variablet> variables;
  // Variables of each quantifier block, outermost first. A variable quantified
  // twice belongs where its last quantifier puts it; free variables form (or
  // join) the outermost existential block.
  std::vector<std::vector<int>> blocks;
  std::vector<bool> block_existential;
  // Clause lines in file order, tautologies left out; clause k of a
  // certificate is clauses[k - 1].
  std::vector<std::vector<int>> clauses;

  bool is_variable(long v) const
  {
    return v > 0 && v <= std::numeric_limits<int>::max() &&
           variables.count(static_cast<int>(v)) != 0;
  }

  // 0 when there are no variables.
  int largest_variable() const;
};

// Reads QDIMACS text. Returns false with a reason on malformed text.
bool parse_qdimacs(
  const std::string &text,
  qbf_formulat &formula,
  std::string &error);

#endif

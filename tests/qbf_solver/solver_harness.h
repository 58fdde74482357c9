#ifndef MORVANE_TESTS_QBF_SOLVER_SOLVER_HARNESS_H
#define MORVANE_TESTS_QBF_SOLVER_SOLVER_HARNESS_H

// A solver whose diagnostics and messages are recorded, reading formulas
// from files in a scratch folder of its own.

#include "morvane_run.h"

#include "qbf_solver/morvane.h"
#include "util/message.h"

#include <sstream>
#include <string>
#include <vector>

class recording_handlert : public message_handlert
{
public:
  void print(unsigned, const std::string &text) override
  {
    messages.push_back(text);
  }
  std::vector<std::string> messages;
};

struct solver_harnesst
{
  morvanet solver;
  std::ostringstream out;
  recording_handlert handler;
  scratch_foldert folder;

  solver_harnesst()
  {
    solver.diagnostics = &out;
    solver.set_message_handler(&handler);
  }

  // Reads the text as the file "f.qdimacs" of the scratch folder.
  morvanet::resultt read(const std::string &text)
  {
    folder.write("f.qdimacs", text);
    solver.reset_formula();
    return solver.read_qdimacs_file(folder.path("f.qdimacs"));
  }

  morvanet::resultt decide(const std::string &text)
  {
    const morvanet::resultt result = read(text);
    return result == morvanet::R_UNKNOWN ? solver.solve() : result;
  }

  std::string certificate() const
  {
    return folder.read("f.qdimacs.qbc");
  }

  // The stored clauses in the order of the variable's occurrence list, in
  // DIMACS numbers.
  std::vector<std::vector<int>> clauses_of(unsigned var_no) const
  {
    std::vector<std::vector<int>> result;
    for(const unsigned ref : solver.occurrences(var_no))
    {
      result.emplace_back();
      for(const literalt l : solver.stored_clause(ref).literals)
        result.back().push_back(l.dimacs());
    }
    return result;
  }
};

// A clause from DIMACS numbers.
inline clauset make_clause(std::initializer_list<int> numbers)
{
  clauset clause;
  for(const int n : numbers)
    clause.literals.push_back(literalt(n < 0 ? -n : n, n < 0));
  return clause;
}

#endif

// The trace checker itself: it must accept a real refutation and reject
// each kind of broken record, or the replays of the engine's traces would
// prove nothing.

#include "trace_checker.h"

#include <gtest/gtest.h>

namespace
{
// (x1 | x2), (x1 | !x2), (!x1 | x2), (!x1 | !x2) as signed variables.
const std::vector<std::vector<int>> four_clauses = {
  {2, 4}, {2, 5}, {3, 4}, {3, 5}};

const std::string refutation = "CL: 4 <= 3 2\n"
                               "VAR: 1 L: 0 V: 0 A: 4 Lits: 3\n"
                               "VAR: 2 L: 1 V: 1 A: 0 Lits: 2 4\n"
                               "CONF: 1 == 2 5";
} // namespace

TEST(ResolutionTraceChecker, AcceptsARefutationWithOrWithoutFinalNewline)
{
  EXPECT_EQ(check_resolution_trace(four_clauses, refutation, true), "");
  EXPECT_EQ(
    check_resolution_trace(four_clauses, refutation + "\n", true), "");
  EXPECT_EQ(
    check_resolution_trace(four_clauses, "CL: 4 <= 3 2\n", false), "");
}

TEST(ResolutionTraceChecker, RejectsBrokenTraces)
{
  struct caset
  {
    const char *fault;
    std::string trace;
    bool refutation;
  };
  const std::vector<caset> cases = {
    {"a step without pivot", "CL: 4 <= 3 3\n", false},
    {"a step with two pivots", "CL: 4 <= 0 3\n", false},
    {"an id out of sequence", "CL: 5 <= 3 2\n", false},
    {"a clause used before it exists", "CL: 4 <= 3 4\n", false},
    {"a refutation after a satisfiable answer", refutation, false},
    {"no final conflict", "CL: 4 <= 3 2\n", true},
    {"antecedent literals that are not the clause's",
     "CL: 4 <= 3 2\nVAR: 1 L: 0 V: 0 A: 4 Lits: 3\n"
     "VAR: 2 L: 1 V: 1 A: 0 Lits: 2 5\nCONF: 1 == 2 5",
     true},
    {"an antecedent that implies before its premises",
     "CL: 4 <= 3 2\nVAR: 1 L: 1 V: 0 A: 4 Lits: 3\n"
     "VAR: 2 L: 0 V: 1 A: 0 Lits: 2 4\nCONF: 1 == 2 5",
     true},
    {"a learned clause missing a literal level 0 leaves open",
     "CL: 4 <= 3 2\nVAR: 1 L: 0 V: 0 A: 4 Lits:\n"
     "VAR: 2 L: 1 V: 1 A: 0 Lits: 2 4\nCONF: 1 == 2 5",
     true},
    {"a conflict clause with a true literal",
     "CL: 4 <= 3 2\nVAR: 1 L: 0 V: 0 A: 4 Lits: 3\n"
     "VAR: 2 L: 1 V: 1 A: 0 Lits: 2 4\nCONF: 0 == 2 4",
     true},
    {"a record after the conflict", refutation + "\nCL: 5 <= 3 2\n", true},
    {"an unknown record", "CLAUSE: 4\n", false},
  };
  for(const caset &c : cases)
    EXPECT_NE(check_resolution_trace(four_clauses, c.trace, c.refutation), "")
      << c.fault;
}

#include "exposed_solver.h"
#include "scratch_directory.h"
#include "trace_checker.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
// Level 1: v1 decided, v2 and v7 implied by it. Level 2: v3 decided, v4
// implied with v2, v5 with v4, v2 and v7, v6 with v4; !v5 | !v6 is false.
// Clause i is in group i + 1.
const std::vector<std::vector<int>> implication_graph = {
  {3, 4},          // 0: !v1 | v2
  {7, 5, 8},       // 1: !v3 | !v2 | v4
  {9, 5, 15, 10},  // 2: !v4 | !v2 | !v7 | v5
  {9, 12},         // 3: !v4 | v6
  {11, 13},        // 4: !v5 | !v6
  {3, 14},         // 5: !v1 | v7
};

void set_up(exposed_solvert &solver)
{
  solver.set_variable_number(7);
  solver.init_solve();
  solver._dlevel = 1;
  solver.set_var_value(1, 1, -1, 1);
  solver.set_var_value(2, 1, 0, 1);
  solver.set_var_value(7, 1, 5, 1);
  solver._dlevel = 2;
  solver.set_var_value(3, 1, -1, 2);
  solver.set_var_value(4, 1, 1, 2);
  solver.set_var_value(5, 1, 2, 2);
  solver.set_var_value(6, 1, 3, 2);
  for(std::size_t i = 0; i < implication_graph.size(); ++i)
    solver.add(implication_graph[i], int(i) + 1);
  solver._conflicts = {4};
}
} // namespace

TEST(CSolverLearningSchemes, EachSchemeLearnsItsClause)
{
  struct caset
  {
    const char *scheme;
    std::function<int(exposed_solvert &)> analyse;
    std::vector<int> learned;
    unsigned gflag;
    // The trace record, "" for none.
    std::string record;
  };
  const std::vector<caset> cases = {
    {"first UIP",
     [](exposed_solvert &s) { return s.analyze_conflicts(); },
     {5, 15, 9},
     0x1C,
     "CL: 6 <= 4 3 2\n"},
    {"last UIP",
     [](exposed_solvert &s) { return s.conflict_analysis_lastUIP(); },
     {5, 15, 7},
     0x1E,
     "CL: 6 <= 4 3 2 1\n"},
    {"all UIPs",
     [](exposed_solvert &s) { return s.conflict_analysis_allUIP(); },
     {9, 3},
     0x3D,
     "CL: 6 <= 4 3 2 5 0\n"},
    {"decisions only",
     [](exposed_solvert &s) { return s.conflict_analysis_decisions_only(); },
     {7, 3},
     0x3F,
     "CL: 6 <=\n"},
    {"first UIP by resolution",
     [](exposed_solvert &s) {
       return s.conflict_analysis_firstUIP_resolve_based();
     },
     {9, 15, 5},
     0x1C,
     ""},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.scheme);
    std::streamoff start = trace_end();
    exposed_solvert solver;
    set_up(solver);
    // Every scheme asserts its clause at level 1, the second highest.
    EXPECT_EQ(c.analyse(solver), 1);
    EXPECT_EQ(solver.dlevel(), 1);
    ASSERT_EQ(solver.clauses().size(), 7u);
    EXPECT_EQ(solver.literals_of(6), c.learned);
    EXPECT_EQ(solver.clause(6).gflag(), c.gflag);
    EXPECT_EQ(solver.clause(6).status(), unsigned(CONFLICT_CL));
    std::string trace = trace_text(start);
    EXPECT_EQ(trace, c.record);
    if(!c.record.empty() && c.record != "CL: 6 <=\n")
    {
      EXPECT_EQ(
        check_resolution_trace(implication_graph, trace, false), "");
    }
    EXPECT_TRUE(solver._conflicts.empty());
    EXPECT_TRUE(solver._conflict_lits.empty());
    EXPECT_EQ(solver._num_in_new_cl, 0);
    for(int v = 1; v <= 7; ++v)
    {
      EXPECT_FALSE(solver.variable(v).is_marked()) << v;
      EXPECT_EQ(solver.variable(v).new_cl_phase(), 2u) << v;
    }
    ASSERT_EQ(solver._implication_queue.size(), 1u);
    EXPECT_EQ(solver._implication_queue.front().antecedent, 6);
  }
}

#include "solver_harness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <sstream>

namespace
{
// Pigeons 0 .. holes each in some hole, no two in the same: unsatisfiable,
// and hard enough for several restarts. Variable p * holes + h.
void add_pigeonhole(solver_harnesst &h, int holes)
{
  int pigeons = holes + 1;
  h.add_variables(pigeons * holes);
  for(int p = 0; p < pigeons; p++)
  {
    code_clauset somewhere;
    for(int hole = 0; hole < holes; hole++)
      somewhere.push_back(2 * (p * holes + hole));
    h.add(somewhere);
  }
  for(int hole = 0; hole < holes; hole++)
    for(int p = 0; p < pigeons; p++)
      for(int q = p + 1; q < pigeons; q++)
        h.add({2 * (p * holes + hole) + 1, 2 * (q * holes + hole) + 1});
}

std::vector<std::string> lines(const std::string &text)
{
  std::vector<std::string> result;
  std::istringstream in(text);
  for(std::string line; std::getline(in, line);)
    result.push_back(line);
  return result;
}
} // namespace

TEST(SolverSearch, ProgressTableAtVerbosityOne)
{
  solver_harnesst h(proof_modet::NONE);
  add_pigeonhole(h, 6); // 7 + 6 * 21 = 133 clauses: learnt limit 44
  h.solver.verbosity = 1;
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(h.solve());
  std::vector<std::string> out =
    lines(::testing::internal::GetCapturedStdout());

  ASSERT_GE(out.size(), 8u);
  EXPECT_EQ(
    out[0],
    "==================================[PROOFSAT]=============================="
    "=====");
  EXPECT_EQ(
    out[1],
    "| Conflicts |     ORIGINAL     |              LEARNT              | "
    "Progress |");
  EXPECT_EQ(
    out[2],
    "|           | Clauses Literals |   Limit Clauses Literals  Lit/Cl |       "
    "   |");
  EXPECT_EQ(
    out[3],
    "=========================================================================="
    "====");
  EXPECT_EQ(
    out.back(),
    "=========================================================================="
    "====");
  // No learnt clause yet: their mean length is 0/0.
  EXPECT_TRUE(std::regex_match(
    out[4],
    std::regex(
      R"(\|         0 \|     133      294 \|      44       0        0 +-?nan \|  0\.000 % \|)")))
    << out[4];

  // Each run stops at its conflict limit (100, 150, 225, ...; a run may
  // overshoot, since the limit is tested only between conflicts) with a
  // learnt limit 1.1 times the last, truncated when printed.
  const int conflicts[] = {0, 100, 250, 475};
  const int limits[] = {44, 48, 53, 58};
  for(int row = 0; row < 4 && 4 + row < int(out.size()) - 1; row++)
  {
    int seen_conflicts, clauses, literals, limit;
    ASSERT_EQ(
      std::sscanf(
        out[4 + row].c_str(),
        "| %d | %d %d | %d",
        &seen_conflicts,
        &clauses,
        &literals,
        &limit),
      4)
      << out[4 + row];
    EXPECT_GE(seen_conflicts, conflicts[row]) << row;
    EXPECT_LE(seen_conflicts, conflicts[row] + 5) << row;
    EXPECT_EQ(limit, limits[row]) << row;
  }
  EXPECT_EQ(int(out.size()) - 5, h.solver.stats.starts);
  EXPECT_GE(h.solver.stats.starts, 4);
}

TEST(SolverSearch, QuietAndTrivialCases)
{
  // Verbosity 0 prints nothing; neither does a solve on a contradiction.
  solver_harnesst quiet(proof_modet::NONE);
  add_pigeonhole(quiet, 3);
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(quiet.solve());
  quiet.solver.verbosity = 1;
  EXPECT_FALSE(quiet.solver.ok);
  EXPECT_FALSE(quiet.solve());
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");

  solver_harnesst nothing(proof_modet::NONE);
  EXPECT_TRUE(nothing.solve());
  EXPECT_EQ(nothing.solver.model.size(), 0);
}

namespace
{
// The deleted clauses that the level-0 assignment does not satisfy: only
// reduceDB deletes such clauses.
int reduced_clauses(solver_harnesst &h)
{
  int count = 0;
  for(size_t id = 0; id < h.checker.clauses.size(); id++)
  {
    if(!h.checker.deleted_ids[id])
      continue;
    bool satisfied = false;
    for(int code : h.checker.clauses[id])
    {
      Lit p = Lit::fromIndex(code);
      satisfied |= h.solver.value(p) == l_True && h.solver.level[var(p)] == 0;
    }
    count += !satisfied;
  }
  return count;
}
} // namespace

TEST(SolverSearch, NegativeLimitsNeverRestartOrReduce)
{
  solver_harnesst h(proof_modet::TRAVERSER);
  add_pigeonhole(h, 6);
  h.solver.root_level = 0;
  EXPECT_EQ(h.solver.search(-1, -1, h.solver.search_defaults), l_False);
  EXPECT_EQ(h.solver.stats.starts, 1);
  EXPECT_GT(h.solver.stats.conflicts, 225);
  EXPECT_EQ(h.checker.error, "");
  EXPECT_EQ(to_text(h.checker.clauses.back()), "{ }");

  // Learnt limits -1 and 0 (reduce before every decision).
  for(int learnt_limit : {-1, 0})
  {
    solver_harnesst partial(proof_modet::TRAVERSER);
    add_pigeonhole(partial, 6);
    partial.solver.root_level = 0;
    EXPECT_EQ(
      partial.solver.search(300, learnt_limit, partial.solver.search_defaults),
      l_Undef);
    EXPECT_EQ(reduced_clauses(partial) > 0, learnt_limit == 0);
  }
}

TEST(SolverSearch, ReduceDbKeepsBinaryAndActiveClauses)
{
  solver_harnesst h(proof_modet::TRAVERSER);
  add_pigeonhole(h, 6);
  h.solver.root_level = 0;
  ASSERT_EQ(h.solver.search(150, -1, h.solver.search_defaults), l_Undef);
  EXPECT_EQ(h.solver.decisionLevel(), 0);
  int before = h.solver.nLearnts();
  int binary = 0;
  for(Clause *c : h.solver.learnt_clauses)
    binary += c->size() == 2;
  ASSERT_GT(before, 20);
  h.solver.reduceDB();
  int after = h.solver.nLearnts();
  // At least the first half goes, except binary clauses.
  EXPECT_LE(after, before - before / 2 + binary);
  EXPECT_LT(after, before);
  // The survivors: binary clauses last, the rest by rising activity.
  for(int i = 0; i + 1 < after; i++)
  {
    Clause *c = h.solver.learnt_clauses[i];
    Clause *d = h.solver.learnt_clauses[i + 1];
    if(c->size() == 2)
    {
      EXPECT_EQ(d->size(), 2) << i;
    }
    else if(d->size() > 2)
    {
      EXPECT_LE(c->activity(), d->activity()) << i;
    }
  }
  int binary_after = 0;
  for(Clause *c : h.solver.learnt_clauses)
    binary_after += c->size() == 2;
  EXPECT_EQ(binary_after, binary);
  EXPECT_EQ(reduced_clauses(h), before - after);
  EXPECT_FALSE(h.solve());
  EXPECT_EQ(h.checker.error, "");
}

#include "solver_harness.h"
#include "tests/util/condition_regex.h"

#include <gtest/gtest.h>

namespace
{
std::vector<int> codes(const Clause &c)
{
  std::vector<int> result;
  for(int i = 0; i < c.size(); i++)
    result.push_back(index(c[i]));
  return result;
}

vec<Lit> lits(std::initializer_list<int> list)
{
  vec<Lit> result;
  for(int code : list)
    result.push(Lit::fromIndex(code));
  return result;
}

// Literal codes of variables a = 0, b = 1, ...
int pos(int var)
{
  return 2 * var;
}
int neg(int var)
{
  return 2 * var + 1;
}
} // namespace

TEST(Solver, ProblemClausesAreNormalisedBeforeStoring)
{
  struct caset
  {
    code_clauset clause;
    std::vector<int> stored; // empty: nothing stored
  };
  const std::vector<caset> cases = {
    {{2, 3}, {}},
    {{3, 2, 3}, {}},
    {{6, 4, 6}, {4, 6}},
    {{9, 0, 5}, {0, 5, 9}},
  };
  for(const caset &c : cases)
  {
    solver_harnesst h(proof_modet::TRAVERSER, 5);
    h.add(c.clause);
    EXPECT_TRUE(h.solver.ok);
    EXPECT_EQ(h.checker.clauses.size(), c.stored.size() > 0 ? 1u : 0u);
    if(c.stored.empty())
      EXPECT_EQ(h.solver.nClauses(), 0);
    else
    {
      ASSERT_EQ(h.solver.nClauses(), 1);
      EXPECT_EQ(codes(*h.solver.clauses[0]), c.stored);
      EXPECT_EQ(h.solver.clauses[0]->id(), 0);
    }
  }
}

TEST(Solver, FixedLiteralsAreResolvedAwayOrEndTheSearch)
{
  solver_harnesst h(proof_modet::TRAVERSER, 4);
  h.add({pos(0)});
  EXPECT_EQ(h.solver.unit_id[0], 0);
  EXPECT_EQ(h.solver.value(Lit(0)), l_True);
  // A true unit is dropped before any record is made.
  h.add({pos(0)});
  EXPECT_EQ(h.checker.clauses.size(), 1u);
  // One false literal: a root (id 1), then the stored clause (id 2).
  h.add({neg(0), pos(1), pos(2)});
  ASSERT_EQ(h.solver.nClauses(), 1);
  EXPECT_EQ(codes(*h.solver.clauses[0]), (std::vector<int>{pos(1), pos(2)}));
  EXPECT_EQ(h.solver.clauses[0]->id(), 2);
  EXPECT_EQ(to_text(h.checker.clauses[2]), "{ 1 2 }");

  // A unit whose literal is already false derives the empty clause.
  h.add({neg(0)});
  EXPECT_FALSE(h.solver.ok);
  EXPECT_EQ(to_text(h.checker.clauses.back()), "{ }");
  size_t recorded = h.checker.clauses.size();
  h.add({pos(3), pos(1)});
  EXPECT_EQ(h.solver.nClauses(), 1);
  EXPECT_EQ(h.checker.clauses.size(), recorded);
  EXPECT_FALSE(h.solve());
  EXPECT_EQ(h.checker.error, "");

  solver_harnesst empty(proof_modet::NONE, 1);
  empty.add({});
  EXPECT_FALSE(empty.solver.ok);
}

TEST(Solver, PropagationAtLevelZeroLogsEachFixedVariable)
{
  solver_harnesst h(proof_modet::TRAVERSER, 3);
  h.add({neg(0), pos(1)});
  h.add({neg(1), pos(2)});
  h.add({neg(0), neg(1), neg(2)});
  h.add({pos(0)});
  EXPECT_NE(h.solver.propagate(), nullptr);
  // The last implication has no true literal left: the empty clause.
  EXPECT_FALSE(h.solver.ok);
  EXPECT_EQ(h.checker.error, "");
  EXPECT_EQ(to_text(h.checker.clauses.back()), "{ }");
  EXPECT_EQ(to_text(h.checker.clauses[h.solver.unit_id[1]]), "{ 1 }");
  EXPECT_EQ(to_text(h.checker.clauses[h.solver.unit_id[2]]), "{ 2 }");
}

TEST(Solver, ConflictAboveLevelZeroKeepsOk)
{
  solver_harnesst h(proof_modet::NONE, 3);
  h.add({neg(0), pos(1)});
  h.add({neg(0), neg(1)});
  ASSERT_TRUE(h.solver.assume(Lit(0)));
  EXPECT_NE(h.solver.propagate(), nullptr);
  EXPECT_TRUE(h.solver.ok);

  int head = h.solver.propagation_head;
  h.solver.cancelUntil(1);
  h.solver.cancelUntil(5);
  EXPECT_EQ(h.solver.propagation_head, head);
  EXPECT_EQ(h.solver.decisionLevel(), 1);
  h.solver.cancelUntil(0);
  EXPECT_EQ(h.solver.value(Lit(0)), l_Undef);
  EXPECT_EQ(h.solver.value(Lit(1)), l_Undef);
  EXPECT_TRUE(h.solver.order_heap.inHeap(1));
}

TEST(Solver, SimplifyDbDropsSatisfiedClausesOncePerBatch)
{
  solver_harnesst h(proof_modet::TRAVERSER, 4);
  h.add({pos(0), pos(1)});
  h.add({neg(0), pos(2), pos(3)});
  h.add({pos(1), pos(2)});
  h.add({pos(0)});
  h.solver.simplifyDB();
  EXPECT_EQ(h.solver.nClauses(), 2);
  EXPECT_EQ(
    std::count(
      h.checker.deleted_ids.begin(), h.checker.deleted_ids.end(), true),
    1);
  int64_t budget = h.solver.simplify_budget;
  EXPECT_EQ(budget, 5);

  h.add({pos(2)});
  h.solver.simplifyDB(); // budget left: nothing removed yet
  EXPECT_EQ(h.solver.nClauses(), 2);
  h.solver.simplify_budget = 0;
  h.solver.simplifyDB();
  EXPECT_EQ(h.solver.nClauses(), 0);
  h.solver.simplifyDB();
  EXPECT_EQ(
    std::count(
      h.checker.deleted_ids.begin(), h.checker.deleted_ids.end(), true),
    3);
  EXPECT_EQ(h.checker.error, "");
}

TEST(Solver, LearntClauseWatchesItsLatestLiteralSecond)
{
  solver_harnesst h(proof_modet::NONE, 4);
  for(int v = 1; v < 4; v++)
  {
    ASSERT_TRUE(h.solver.assume(~Lit(v)));
  }
  // Levels: var 1 at 1, var 2 at 2, var 3 at 3.
  h.solver.cancelUntil(3);
  h.solver.newClause(
    lits({pos(0), pos(2), pos(3), pos(1)}), true, ClauseId_NULL);
  ASSERT_EQ(h.solver.nLearnts(), 1);
  EXPECT_EQ(
    codes(*h.solver.learnt_clauses[0]),
    (std::vector<int>{pos(0), pos(3), pos(2), pos(1)}));
  EXPECT_EQ(h.solver.value(Lit(0)), l_True);
  EXPECT_EQ(h.solver.reason[0], h.solver.learnt_clauses[0]);
  EXPECT_EQ(h.solver.stats.learnts_literals, 4);
}

namespace
{
// Level 1 decides a (0), which implies c (2), e (4) and d (3) through
// (~a c), (~c e), (~e d); level 2 decides b (1), which implies x (5) and
// y (6), and (~x ~y ~d ~c) conflicts. The first-UIP clause is
// (~b ~d ~c); d is implied by c only through e, which is not in the clause.
struct minimisation_fixturet
{
  explicit minimisation_fixturet(bool deep) : h(proof_modet::TRAVERSER, 7)
  {
    h.solver.deep_minimise = deep;
    h.add({neg(0), pos(2)});
    h.add({neg(2), pos(4)});
    h.add({neg(4), pos(3)});
    h.add({neg(1), pos(5)});
    h.add({neg(1), pos(6)});
    h.add({neg(5), neg(6), neg(3), neg(2)});
    EXPECT_TRUE(h.solver.assume(Lit(0)));
    EXPECT_EQ(h.solver.propagate(), nullptr);
    EXPECT_TRUE(h.solver.assume(Lit(1)));
    conflict = h.solver.propagate();
    EXPECT_NE(conflict, nullptr);
  }

  std::string analyze()
  {
    vec<Lit> learnt;
    h.solver.analyze(conflict, learnt, backtrack_level);
    resolution_checkert::clauset as_set;
    for(Lit p : learnt)
      as_set.insert(index(p));
    EXPECT_EQ(index(learnt[0]), neg(1)); // the asserting literal first
    EXPECT_EQ(h.checker.error, "");
    EXPECT_EQ(to_text(h.checker.clauses.back()), to_text(as_set));
    for(int v = 0; v < h.solver.nVars(); v++)
      EXPECT_EQ(h.solver.seen[v], 0);
    return to_text(as_set);
  }

  solver_harnesst h;
  Clause *conflict = nullptr;
  int backtrack_level = -1;
};
} // namespace

TEST(SolverAnalyze, DeepMinimisationFollowsImplicationChains)
{
  minimisation_fixturet shallow(false);
  EXPECT_EQ(shallow.analyze(), "{ -1 -2 -3 }");
  EXPECT_EQ(shallow.backtrack_level, 1);
  EXPECT_EQ(shallow.h.solver.stats.max_literals, 3);
  EXPECT_EQ(shallow.h.solver.stats.tot_literals, 3);

  minimisation_fixturet deep(true);
  EXPECT_EQ(deep.analyze(), "{ -1 -2 }");
  EXPECT_EQ(deep.backtrack_level, 1);
  EXPECT_EQ(deep.h.solver.stats.max_literals, 3);
  EXPECT_EQ(deep.h.solver.stats.tot_literals, 2);
}

TEST(SolverAnalyze, AssertingLiteralAloneBacktracksToLevelZero)
{
  solver_harnesst h(proof_modet::TRAVERSER, 3);
  h.add({neg(0), pos(1)});
  h.add({neg(0), pos(2)});
  h.add({neg(1), neg(2)});
  ASSERT_TRUE(h.solver.assume(Lit(0)));
  Clause *conflict = h.solver.propagate();
  ASSERT_NE(conflict, nullptr);
  vec<Lit> learnt;
  int backtrack_level = -1;
  h.solver.analyze(conflict, learnt, backtrack_level);
  ASSERT_EQ(learnt.size(), 1);
  EXPECT_EQ(index(learnt[0]), neg(0));
  EXPECT_EQ(backtrack_level, 0);
  EXPECT_EQ(to_text(h.checker.clauses.back()), "{ -0 }");
}

TEST(SolverAnalyze, ActivitiesRescaleBeforeOverflowing)
{
  minimisation_fixturet bumped(true);
  bumped.h.solver.activity[3] = 1e100;
  bumped.h.solver.var_increment = 1e90;
  bumped.analyze();
  EXPECT_DOUBLE_EQ(bumped.h.solver.var_increment, 1e-10);
  EXPECT_NEAR(bumped.h.solver.activity[3], 1.0, 1e-6);
  for(int v = 0; v < 7; v++)
    EXPECT_LT(bumped.h.solver.activity[v], 2.0);
  EXPECT_EQ(bumped.h.solver.activity[0], 0.0); // not in the conflict's cone

  minimisation_fixturet frozen(true);
  frozen.h.solver.var_decay = -1;
  frozen.analyze();
  EXPECT_EQ(frozen.h.solver.var_increment, 1.0);
  for(int v = 0; v < 7; v++)
    EXPECT_EQ(frozen.h.solver.activity[v], 0.0);

  solver_harnesst h(proof_modet::NONE, 3);
  h.solver.newClause(lits({pos(0), pos(1)}), true, ClauseId_NULL);
  h.solver.clause_increment = 1e21;
  h.solver.newClause(lits({pos(2), pos(1)}), true, ClauseId_NULL);
  EXPECT_FLOAT_EQ(h.solver.learnt_clauses[0]->activity(), 1e-20f);
  EXPECT_FLOAT_EQ(h.solver.learnt_clauses[1]->activity(), 10.0f);
  EXPECT_DOUBLE_EQ(h.solver.clause_increment, 10.0);
}

TEST(SolverAnalyze, FinalConflictOfAnAssumptionFalseAtLevelZero)
{
  solver_harnesst h(proof_modet::TRAVERSER, 3);
  h.add({neg(2)});
  bool answer = h.solve({pos(1), pos(2)});
  EXPECT_FALSE(answer);
  ASSERT_EQ(h.solver.conflict.size(), 1);
  EXPECT_EQ(index(h.solver.conflict[0]), neg(2));
  EXPECT_EQ(h.solver.conflict_id, h.solver.unit_id[2]);
  h.check({pos(1), pos(2)}, answer, 0);
}

TEST(SolverAnalyze, FinalConflictSkipsTheImpliedAssumption)
{
  // Under d, a implies c through b; assuming ~c then blames all three,
  // ~c itself included.
  solver_harnesst h(proof_modet::TRAVERSER, 4);
  h.add({neg(0), pos(1)});
  h.add({neg(1), pos(2), pos(3)});
  h.add({neg(1), pos(2), neg(3)});
  code_clauset assumptions = {pos(3), pos(0), neg(2)};
  bool answer = h.solve(assumptions);
  EXPECT_FALSE(answer);
  h.check(assumptions, answer, 0);
  ASSERT_EQ(h.solver.conflict.size(), 3);
  EXPECT_EQ(index(h.solver.conflict[2]), pos(2));
}

TEST(SolverAnalyze, ContradictingAssumptionsBlameEachOther)
{
  solver_harnesst h(proof_modet::TRAVERSER, 3);
  h.add({pos(0), pos(1)});
  code_clauset assumptions = {pos(2), neg(0), pos(0)};
  bool answer = h.solve(assumptions);
  EXPECT_FALSE(answer);
  ASSERT_EQ(h.solver.conflict.size(), 2);
  EXPECT_EQ(index(h.solver.conflict[0]), neg(0));
  EXPECT_EQ(index(h.solver.conflict[1]), pos(0));
  EXPECT_EQ(h.solver.conflict_id, ClauseId_NULL);
  h.check(assumptions, answer, 0);
}

TEST(Solver, UnitLearntUnderAssumptionsIsDerivedAgainLater)
{
  // Deciding ~a first conflicts, so a is learnt as a unit while the
  // assumption z holds; solve undoes it, and later propagation at level 0
  // derives a again with a new id.
  solver_harnesst h(proof_modet::TRAVERSER, 4);
  h.add({pos(0), pos(1)});
  h.add({pos(0), neg(1)});
  h.add({pos(2), pos(0)});
  EXPECT_TRUE(h.solve({pos(3)}));
  ASSERT_NE(h.solver.unit_id[0], ClauseId_NULL);
  EXPECT_EQ(h.solver.value(Lit(0)), l_Undef);
  h.add({neg(2)});
  bool answer = h.solve();
  h.check({}, answer, 1);
  EXPECT_EQ(h.solver.value(Lit(0)), l_True);
  EXPECT_EQ(to_text(h.checker.clauses[h.solver.unit_id[0]]), "{ 0 }");
}

TEST(SolverDeathTest, MisuseStops)
{
  solver_harnesst h(proof_modet::NONE, 2);
  EXPECT_DEATH(
    h.solver.newClause(lits({0, 2}), false, 3),
    condition_regex("learnt || id == ClauseId_NULL"));
  EXPECT_DEATH(h.solve({pos(2)}), condition_regex("var(p) < nVars()"));
  ASSERT_TRUE(h.solver.assume(Lit(0)));
  EXPECT_DEATH(h.add({pos(1)}), condition_regex("decisionLevel() == 0"));
}

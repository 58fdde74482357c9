#include "sat/coresat/coresat_analyze.h"
#include "sat/coresat/coresat_entry.h"
#include "sat/coresat/coresat_propagate.h"

#include "coresat_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace
{
// Conflict analysis on implication graphs built by hand: clauses are added
// first, then assignments are made level by level with the reasons the
// test names, then a clause is declared the conflict.
class CoresatAnalyze : public CoresatTest
{
protected:
  void SetUp() override
  {
    CoresatTest::SetUp();
    coresat_init();
    coresat.trace = 1;
  }
  void TearDown() override
  {
    coresat_leave();
    CoresatTest::TearDown();
  }

  // lit becomes true at `level`, implied by the clause at reason_idx (0 for
  // a decision).
  static void imply(int level, int lit, int reason_idx = 0)
  {
    coresat.decision_level = level;
    coresat_assign(lit, reason_idx ? clause_at(reason_idx) : nullptr);
  }

  static coresat_clause *analyze_conflict(int idx)
  {
    coresat.conflict_clause = clause_at(idx);
    coresat_analyze();
    return coresat.clause_table.top();
  }

  static std::vector<int> queued_literals()
  {
    std::vector<int> lits;
    const coresat_stack<coresat_implication> &q = coresat.propagation_queue;
    for(int i = 0; i < q.size(); ++i)
      lits.push_back(q[i].lit);
    return lits;
  }

  // The literals whose watch lists hold clause c.
  static std::set<int> watchers_of(const coresat_clause *c)
  {
    std::set<int> watchers;
    for(int v = 1; v <= coresat.max_var; ++v)
      for(int lit : {v, -v})
        if(clauses_watched_by(lit).count(c->idx))
          watchers.insert(lit);
    return watchers;
  }

  // The learned clause c asserts `asserting` after the jump: it is
  // watched by that literal and by one false at the level jumped to, whose
  // unassignment is the next that could make c unit again.
  static void expect_asserting_watches(const coresat_clause *c, int asserting)
  {
    std::set<int> watchers = watchers_of(c);
    ASSERT_EQ(watchers.size(), 2u);
    ASSERT_EQ(watchers.count(asserting), 1u);
    watchers.erase(asserting);
    const int other = *watchers.begin();
    EXPECT_LT(coresat.vals[other], 0) << other;
    EXPECT_EQ(coresat.vars[std::abs(other)].level, coresat.decision_level)
      << other;
  }

  // The literals the assignment makes true.
  static std::set<int> true_literals()
  {
    std::set<int> lits;
    for(int v = 1; v <= coresat.max_var; ++v)
      for(int lit : {v, -v})
        if(coresat.vals[lit] > 0)
          lits.insert(lit);
    return lits;
  }

  static std::set<int> literal_set(const coresat_clause *c)
  {
    const std::vector<int> lits = literals_of(const_cast<coresat_clause *>(c));
    return std::set<int>(lits.begin(), lits.end());
  }

  // Every scratch mark and buffer is clean again.
  static void expect_clean_scratch()
  {
    for(int v = 1; v <= coresat.max_var; ++v)
      EXPECT_EQ(coresat.vars[v].mark, 0) << "variable " << v;
    EXPECT_TRUE(coresat.work_stack.empty());
    EXPECT_TRUE(coresat.seen_vars.empty());
    EXPECT_TRUE(coresat.antecedent_buffer.empty());
    EXPECT_TRUE(coresat.literal_buffer.empty());
    for(int i = 1; i < coresat.clause_table.size(); ++i)
      EXPECT_FALSE(clause_at(i)->flags & coresat_clause_antecedent) << i;
  }
};
} // namespace

TEST_F(CoresatAnalyze, ConflictOfOneDecisionLearnsItsNegationAsUnit)
{
  add_clause({-1, 2});  // 1
  add_clause({-1, 3});  // 2
  add_clause({-2, -3}); // 3
  add_clause({4, 5});   // 4: not in the cone
  imply(1, 1);
  imply(1, 2, 1);
  imply(1, 3, 2);
  coresat_clause *c = analyze_conflict(3);
  EXPECT_EQ(literals_of(c), (std::vector<int>{-1}));
  EXPECT_EQ(c->flags & coresat_clause_learned, coresat_clause_learned);
  // The conflict clause, then every reason of the cone.
  EXPECT_EQ(antecedents_of(c), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(coresat.decision_level, 0);
  EXPECT_TRUE(coresat.assignment_trail.empty());
  EXPECT_EQ(coresat.conflict_clause, nullptr);
  EXPECT_EQ(queued_literals(), (std::vector<int>{-1}));
  EXPECT_EQ(coresat.propagation_queue[0].reason, c);
  EXPECT_EQ(coresat.unit_clauses.top(), c);
  EXPECT_EQ(coresat.lits[-1].occurrences, 3);
  // Scores: every variable of the clause and every antecedent once more,
  // after the increments grew.
  EXPECT_EQ(coresat.var_score_inc, coresat_score_make(17, -4));
  EXPECT_EQ(coresat.vars[1].score, coresat_score_make(2 * 16 + 17, -4));
  EXPECT_EQ(c->score, coresat.clause_score_inc);
  expect_clean_scratch();
}

TEST_F(CoresatAnalyze, ConflictAtLevelZeroDerivesTheEmptyClause)
{
  add_clause({1});
  add_clause({-1});
  imply(0, 1, 1);
  coresat_clause *c = analyze_conflict(2);
  EXPECT_EQ(c->size, 0);
  EXPECT_EQ(coresat.empty_clause, c);
  EXPECT_EQ(antecedents_of(c), (std::vector<int>{2, 1}));
  EXPECT_EQ(clause_at(1)->references, 1);
  EXPECT_EQ(coresat.decision_level, 0);
  EXPECT_TRUE(coresat.propagation_queue.empty());
  expect_clean_scratch();
}

TEST_F(CoresatAnalyze, TwoDecisionsGiveTheDecisionClauseAndJumpBetweenThem)
{
  add_clause({-1, -3, 4}); // 1
  add_clause({-4, -3});    // 2
  imply(1, 1);
  imply(2, 2);
  imply(3, 3);
  imply(3, 4, 1);
  coresat_clause *c = analyze_conflict(2);
  EXPECT_EQ(literal_set(c), (std::set<int>{-3, -1}));
  EXPECT_EQ(antecedents_of(c), (std::vector<int>{2, 1}));
  EXPECT_EQ(coresat.decision_level, 1);
  EXPECT_EQ(true_literals(), (std::set<int>{1}));
  EXPECT_EQ(queued_literals(), (std::vector<int>{-3}));
  expect_asserting_watches(c, -3);
  expect_clean_scratch();
}

TEST_F(CoresatAnalyze, FirstUipClauseWithLocalMinimisation)
{
  add_clause({-9});                    // 1: fixes 9 false at level 0
  add_clause({7, -1, -2});             // 2: 7 at level 2
  add_clause({-3, 8});                 // 3
  add_clause({-8, 4});                 // 4
  add_clause({-8, 5});                 // 5
  add_clause({-4, -5, -7, 9, -1, -2}); // 6: the conflict
  imply(0, -9, 1);
  imply(1, 1);
  imply(2, 2);
  imply(2, 7, 2);
  imply(3, 3);
  imply(3, 8, 3);
  imply(3, 4, 4);
  imply(3, 5, 5);
  coresat_clause *c = analyze_conflict(6);
  // Three decisions in the cone: first UIP 8. Then -7 goes (its reason's
  // other literals -1, -2 are in the clause) and so does the level-0
  // literal 9 (its reason is the unit (-9)).
  EXPECT_EQ(literal_set(c), (std::set<int>{-8, -2, -1}));
  EXPECT_EQ(antecedents_of(c), (std::vector<int>{6, 5, 4, 2, 1}));
  EXPECT_EQ(coresat.decision_level, 2);
  EXPECT_EQ(true_literals(), (std::set<int>{-9, 1, 2, 7}));
  EXPECT_EQ(queued_literals(), (std::vector<int>{-8}));
  expect_asserting_watches(c, -8);
  expect_clean_scratch();
}

TEST_F(CoresatAnalyze, MinimisationKeepsALiteralWhoseReasonLeavesTheClause)
{
  add_clause({7, -1, -6});          // 1: 7 needs 6, not in the clause
  add_clause({-3, 4});              // 2
  add_clause({-3, 5});              // 3
  add_clause({-4, -5, -7, -1, -2}); // 4: the conflict
  imply(1, 1);
  imply(1, 6);
  imply(2, 2);
  imply(2, 7, 1);
  imply(3, 3);
  imply(3, 4, 2);
  imply(3, 5, 3);
  coresat_clause *c = analyze_conflict(4);
  EXPECT_EQ(literal_set(c), (std::set<int>{-3, -7, -2, -1}));
  EXPECT_EQ(antecedents_of(c), (std::vector<int>{4, 3, 2}));
  EXPECT_EQ(coresat.decision_level, 2);
  expect_asserting_watches(c, -3);
  expect_clean_scratch();
}

TEST_F(CoresatAnalyze, MinimisationKeepsTheAssertingLiteral)
{
  // A clause added late can leave x implied at level 4 by literals of
  // lower levels only. x is the first UIP; its reason's other literals are
  // all in the clause, but dropping it would leave two literals of level 3
  // unassigned after the jump, and the clause could not assert anything.
  add_clause({5, -1, -2});              // 1: x = 5 from a = 1, b = 2
  add_clause({6, -5});                  // 2: y = 6
  add_clause({4, -3, -7});              // 3: d = 4 at level 3
  add_clause({7, -3, -8});              // 4: z = 7 at level 3
  add_clause({8, -1});                  // 5: q = 8 at level 1
  add_clause({-6, -5, -3, -4, -1, -2}); // 6: the conflict
  add_clause({9, 10});                  // 7
  imply(1, 1);
  imply(1, 8, 5);
  imply(2, 2);
  imply(3, 3);
  imply(3, 7, 4);
  imply(3, 4, 3);
  imply(4, 9);
  imply(4, 5, 1);
  imply(4, 6, 2);
  coresat_clause *c = analyze_conflict(6);
  std::vector<int> lits = literals_of(c);
  EXPECT_EQ(std::count(lits.begin(), lits.end(), -5), 1);
  EXPECT_EQ(coresat.decision_level, 3);
  expect_asserting_watches(c, -5);
  int unassigned = 0;
  for(int lit : lits)
  {
    EXPECT_LE(coresat.vals[lit], 0) << lit;
    unassigned += coresat.vals[lit] == 0;
  }
  EXPECT_EQ(unassigned, 1);
  EXPECT_EQ(queued_literals(), (std::vector<int>{-5}));
  expect_clean_scratch();
}

TEST_F(CoresatAnalyze, ProbingAnalysisLeavesScoresAlone)
{
  add_clause({-1, 2});
  add_clause({-1, -2});
  imply(1, 1);
  imply(1, 2, 1);
  score_number before = coresat.vars[1].score;
  coresat.no_bump = 1;
  coresat_clause *c = analyze_conflict(2);
  coresat.no_bump = 0;
  EXPECT_EQ(literals_of(c), (std::vector<int>{-1}));
  EXPECT_EQ(coresat.vars[1].score, before);
  EXPECT_EQ(coresat.var_score_inc, coresat_score_make(1, 0));
  EXPECT_TRUE(coresat_score_is_zero(c->score));
}

TEST_F(CoresatAnalyze, ProgressLineEveryThousandConflicts)
{
  struct caset
  {
    int verbose;
    int reports_before;
    const char *text;
  };
  const caset cases[] = {
    {2, 0, "c   seconds   MB\nc     0.00    0.0\n"},
    {2, 1, "c     0.00    0.0\n"},
    {1, 0, ""},
  };
  for(const caset &k : cases)
  {
    coresat_leave();
    coresat_reset();
    coresat_init();
    add_clause({-1, 2});
    add_clause({-1, -2});
    imply(1, 1);
    imply(1, 2, 1);
    coresat.verbose = k.verbose;
    coresat.reports = k.reports_before;
    coresat.conflicts_since_report = 998;
    std::string text = engine_output([]() { analyze_conflict(2); });
    EXPECT_EQ(text, "") << "at the 999th conflict";
    coresat.conflict_clause = clause_at(2);
    imply(1, 1);
    imply(1, 2, 1);
    text = engine_output([]() { analyze_conflict(2); });
    EXPECT_EQ(text, k.text) << "verbose " << k.verbose;
    EXPECT_EQ(coresat.reports, k.reports_before + 1);
    EXPECT_EQ(coresat.conflicts_since_report, 0);
  }
}

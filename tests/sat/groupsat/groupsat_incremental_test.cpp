#include "captured_output.h"
#include "exposed_solver.h"
#include "random_cnf.h"
#include "tests/util/condition_regex.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <random>
#include <sstream>

namespace
{
// Assignments staged at chosen levels, and clauses in DIMACS numbering.
class staged_solvert : public exposed_solvert
{
public:
  explicit staged_solvert(int variables)
  {
    set_variable_number(variables);
  }

  // As assign, but leaves the watches where they are: the state a broken
  // propagation would leave.
  void force(int d, int level)
  {
    CVariable &var = variable(d < 0 ? -d : d);
    var.set_value(d > 0);
    var.dlevel() = level;
    var.assgn_stack_pos() = int(_assignment_stack[level]->size());
    _assignment_stack[level]->push_back(d < 0 ? -2 * d + 1 : 2 * d);
  }

  // DIMACS literal d made true at `level`, as a decision (no antecedent).
  void assign(int d, int level)
  {
    _dlevel = level;
    set_var_value(d < 0 ? -d : d, d > 0, -1, level);
  }

  ClauseIdx add_incr(const std::vector<int> &dimacs, int gid = 0)
  {
    std::vector<int> lits = svars(dimacs);
    return add_clause_incr(lits.data(), int(lits.size()), gid);
  }

  std::string queue_text()
  {
    std::ostringstream out;
    dump_implication_queue(out);
    return out.str();
  }

  std::string clause_table()
  {
    std::ostringstream out;
    print_cls(out);
    return out.str();
  }

  // 0 false, 1 true, 2 unassigned, for a DIMACS literal.
  unsigned value_of(int d)
  {
    unsigned value = variable(d < 0 ? -d : d).value();
    return value >= 2 ? 2 : value ^ unsigned(d < 0);
  }
};

bool satisfied_by_solver(CSolver &solver, const cnf_formulat &formula)
{
  return satisfies(formula, model_of(solver, formula.variables));
}

cnf_formulat joined(const cnf_formulat &a, const cnf_formulat &b)
{
  cnf_formulat result = a;
  result.clauses.insert(
    result.clauses.end(), b.clauses.begin(), b.clauses.end());
  return result;
}
} // namespace

TEST(CSolverIncremental, AddingAndDeletingGroupsKeepsAnswersRight)
{
  std::mt19937 rng(5);
  int answers[2] = {0, 0};
  for(int round = 0; round < 120; ++round)
  {
    SCOPED_TRACE(round);
    int variables = 4 + round % 7;
    cnf_formulat base = random_3sat(rng, variables, 2 * variables);
    cnf_formulat group = random_3sat(rng, variables, variables);
    cnf_formulat later = random_cnf(rng, {variables, 3, 3});

    CSolver solver;
    load(solver, base);
    int gid = solver.alloc_gid();
    for(const auto &clause : group.clauses)
      solver.add_original_clause(clause.data(), int(clause.size()), gid);
    testing::internal::CaptureStdout();

    cnf_formulat all = joined(base, group);
    int outcome = solver.solve();
    ASSERT_EQ(
      outcome, brute_force_satisfiable(all) ? SATISFIABLE : UNSATISFIABLE);

    // Clauses joining the group while the solver holds its last assignment.
    for(const auto &clause : later.clauses)
    {
      ASSERT_GE(
        solver.add_clause_incr(clause.data(), int(clause.size()), gid), 0);
      solver.verify_integrity();
    }
    all = joined(all, later);
    solver.reset();
    outcome = solver.solve();
    bool satisfiable = brute_force_satisfiable(all);
    ASSERT_EQ(outcome, satisfiable ? SATISFIABLE : UNSATISFIABLE);
    ++answers[satisfiable];
    if(satisfiable)
    {
      EXPECT_TRUE(satisfied_by_solver(solver, all));
    }

    solver.delete_clause_group(gid);
    EXPECT_FALSE(solver.is_gid_allocated(gid));
    solver.verify_integrity();
    outcome = solver.solve();
    testing::internal::GetCapturedStdout();
    satisfiable = brute_force_satisfiable(base);
    ASSERT_EQ(outcome, satisfiable ? SATISFIABLE : UNSATISFIABLE);
    if(satisfiable)
    {
      EXPECT_TRUE(satisfied_by_solver(solver, base));
    }
  }
  EXPECT_GT(answers[0], 20);
  EXPECT_GT(answers[1], 20);
}

TEST(CSolverIncremental, GroupChangesAfterLearningKeepAnswersRight)
{
  // Sequences of group additions and deletions on formulas that need
  // learning, with groups rich in units and binaries: level-0 facts rest on
  // groups, and clauses learned from them must leave with those groups.
  // Every second sequence restarts and cleans up after nearly every
  // conflict, which also drops clauses satisfied at level 0.
  std::mt19937 rng(17);
  int answers[2] = {0, 0};
  int learned = 0;
  for(int round = 0; round < 300; ++round)
  {
    SCOPED_TRACE(round);
    int variables = 11 + round % 5;
    cnf_formulat permanent = random_3sat(rng, variables, 35 * variables / 10);
    CSolver solver;
    if(round % 2 == 1)
    {
      CSolverParameters &p = solver.params();
      p.first_restart = 0;
      p.backtrack_incr = 1;
      p.head_activity = 1;
      p.tail_activity = 0;
      p.tail_vs_head = 2;
    }
    load(solver, permanent);
    // The clauses of each live group id.
    std::map<int, cnf_formulat> groups;
    auto add_group = [&](bool incremental) {
      int gid = solver.alloc_gid();
      cnf_formulat &group = groups[gid];
      // A unit and a few wider clauses.
      group = random_3sat(rng, variables, 1 + int(rng() % 4));
      group.clauses[0].resize(1);
      for(const auto &clause : group.clauses)
      {
        const int *lits = clause.data();
        int n = int(clause.size());
        if(incremental)
          ASSERT_GE(solver.add_clause_incr(lits, n, gid), 0);
        else
          solver.add_original_clause(lits, n, gid);
      }
    };
    for(int g = 0; g < 3; ++g)
      add_group(false);
    for(int step = 0; step < 6; ++step)
    {
      SCOPED_TRACE(step);
      cnf_formulat all = permanent;
      for(const auto &group : groups)
        all = joined(all, group.second);
      int outcome = UNDETERMINED;
      stdout_of([&] { outcome = solver.solve(); });
      bool satisfiable = brute_force_satisfiable(all);
      ASSERT_EQ(outcome, satisfiable ? SATISFIABLE : UNSATISFIABLE);
      ++answers[satisfiable];
      if(satisfiable)
      {
        ASSERT_TRUE(satisfied_by_solver(solver, all));
      }

      if(groups.size() > 1 && (step % 2 == 0 || groups.size() == 4))
      {
        auto victim = std::next(groups.begin(), rng() % groups.size());
        for(CClause &cl : solver.clauses())
          learned += cl.status() == CONFLICT_CL;
        solver.delete_clause_group(victim->first);
        groups.erase(victim);
      }
      else
      {
        // Added to the solver as it stands, or after a reset.
        bool before_reset = rng() % 2 == 0;
        if(!before_reset)
          solver.reset();
        stdout_of([&] { add_group(true); });
        solver.reset();
      }
      solver.verify_integrity();
    }
  }
  EXPECT_GT(answers[0], 500);
  EXPECT_GT(answers[1], 500);
  EXPECT_GT(learned, 500);
}

TEST(CSolverIncremental, ClauseLearnedFromAGroupsUnitLeavesWithTheGroup)
{
  // x3 is a unit of group 1. Deciding x1 (the best scored variable, true
  // by its phase) conflicts through the first two clauses, whose level-0
  // literal -x3 drops out: the learned clause -x1 rests on group 1. With
  // it x1 is refuted, and so is the formula.
  staged_solvert solver(4);
  int gid = solver.alloc_gid();
  solver.add_incr({3}, gid);
  solver.add_incr({-3, -1, 2});
  solver.add_incr({-3, -1, -2});
  solver.add_incr({1, 4});
  solver.add_incr({1, -4});
  solver.add_incr({1, 2, 4});
  int outcome = UNDETERMINED;
  stdout_of([&] { outcome = solver.solve(); });
  ASSERT_EQ(outcome, UNSATISFIABLE);
  ASSERT_GT(solver.solver_stats().num_learned, 0);
  // Without x3, x1 true and x3 false satisfy everything.
  solver.delete_clause_group(gid);
  stdout_of([&] { outcome = solver.solve(); });
  ASSERT_EQ(outcome, SATISFIABLE);
  EXPECT_EQ(solver.value_of(1), 1u);
  EXPECT_EQ(solver.value_of(3), 0u);
}

TEST(CSolverIncremental, MergedGroupTakesItsLevelZeroFactsAlong)
{
  // Group 2's unit x3 holds at level 0 when group 2 merges into group 1 in
  // the middle of a search; a clause then learned from x3 rests on group 1.
  staged_solvert solver(3);
  int kept = solver.alloc_gid();
  int merged = solver.alloc_gid();
  solver.add_incr({3}, merged);
  solver.add_incr({-3, -1, 2});
  solver.add_incr({-3, -1, -2});
  solver.add_incr({1, 2, 3});
  solver.init_solve();
  bool consistent = false;
  stdout_of([&] { consistent = solver.preprocess(); });
  ASSERT_TRUE(consistent);
  ASSERT_EQ(solver.value_of(3), 1u);
  solver.merge_clause_group(kept, merged);
  ASSERT_EQ(solver.decide_and_deduce(2), 0);
  ASSERT_EQ(solver.analyze_conflicts(), 0);
  ClauseIdx learned = ClauseIdx(solver.clauses().size()) - 1;
  ASSERT_EQ(solver.literals_of(learned), std::vector<int>{3});
  solver.delete_clause_group(kept);
  EXPECT_EQ(solver.clause(learned).status(), unsigned(DELETED_CL));
}

TEST(CSolverIncremental, AddedUnitAgainstAnOppositeUnitIsRefuted)
{
  // The added unit waits in the queue; an unused variable (x4) makes
  // preprocessing propagate it before it looks at the unit clauses.
  struct caset
  {
    const char *name;
    int variables;
    // Added with add_clause_incr after the first solve and a reset.
    std::vector<std::vector<int>> added;
  };
  const caset cases[] = {
    {"against an original unit, a variable unused", 4, {{2}}},
    {"against an original unit, every variable used", 3, {{2}}},
    {"two opposite added units", 4, {{3}, {-3}}},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.name);
    staged_solvert solver(c.variables);
    solver.add_incr({-2}, solver.alloc_gid());
    solver.add_incr({1, 3}, solver.alloc_gid());
    int outcome = UNDETERMINED;
    stdout_of([&] { outcome = solver.solve(); });
    ASSERT_EQ(outcome, SATISFIABLE);
    solver.reset();
    for(const std::vector<int> &clause : c.added)
      solver.add_incr(clause);
    stdout_of([&] { outcome = solver.solve(); });
    EXPECT_EQ(outcome, UNSATISFIABLE);
  }
}

TEST(
  CSolverIncremental, LevelZeroCleanupKeepsClausesSatisfiedByRetractableFacts)
{
  // Cleanup at a restart drops clauses satisfied at level 0. A level-0
  // fact that rests on a group, or a value chosen for a one-phase
  // variable, may be taken back later; a clause it satisfies must stay.
  struct caset
  {
    const char *name;
    // Group 1, then permanent clauses, in DIMACS numbering.
    std::vector<std::vector<int>> group, permanent;
    // Whether group 1 is deleted after the cleanup; then the units added.
    bool delete_group;
    std::vector<int> units;
  };
  const caset cases[] = {
    {"satisfied by a unit of a group deleted later",
     {{3}},
     {{3, 1}, {-1, 2, 4}, {1, -2}, {-3, -4, 2}},
     true,
     {-1, -3}},
    {"satisfied by a one-phase variable, then added against it",
     {},
     {{3, 1}, {-1, 2, 4}, {1, -2}},
     false,
     {-1, -3}},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.name);
    staged_solvert solver(4);
    int gid = solver.alloc_gid();
    for(const std::vector<int> &clause : c.group)
      solver.add_incr(clause, gid);
    for(const std::vector<int> &clause : c.permanent)
      solver.add_incr(clause);
    solver.init_solve();
    bool consistent = false;
    stdout_of([&] { consistent = solver.preprocess(); });
    ASSERT_TRUE(consistent);
    ASSERT_EQ(solver.value_of(3), 1u);
    solver.delete_unrelevant_clauses();
    // As the search would next: propagate what the cleanup queued.
    ASSERT_EQ(solver.deduce(), NO_CONFLICT);
    if(c.delete_group)
      solver.delete_clause_group(gid);
    int outcome = UNDETERMINED;
    stdout_of([&] {
      for(int unit : c.units)
        solver.add_incr({unit});
      // x1 and x3 false leave x3 | x1 false.
      outcome = solver.solve();
    });
    EXPECT_EQ(outcome, UNSATISFIABLE);
  }
}

TEST(CSolverIncremental, ResetUndoesLevelZeroToo)
{
  staged_solvert solver(3);
  solver.reset();
  EXPECT_EQ(solver.outcome(), UNDETERMINED);

  // x1 by a unit clause, x3 unused: both fixed at level 0.
  solver.add_incr({1});
  solver.add_incr({-1, 2});
  testing::internal::CaptureStdout();
  ASSERT_EQ(solver.solve(), SATISFIABLE);
  solver.reset();
  EXPECT_EQ(solver.dlevel(), 0);
  EXPECT_EQ(solver.outcome(), UNDETERMINED);
  EXPECT_TRUE(solver.solver_stats().been_reset);
  for(int v = 1; v <= 3; ++v)
    EXPECT_EQ(solver.value_of(v), 2u) << v;
  EXPECT_EQ(solver.queue_text(), "Implication Queue Previous: ");

  EXPECT_EQ(solver.solve(), SATISFIABLE);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(solver.value_of(2), 1u);
}

TEST(CSolverIncremental, AddedClauseUnderAPartialAssignment)
{
  struct caset
  {
    const char *name;
    // DIMACS literals made true, with their levels, in level order.
    std::vector<std::pair<int, int>> assignments;
    std::vector<int> clause;
    int level_after;
    // The queue text after "Implication Queue Previous: "; "#" stands for
    // the new clause's index.
    std::string queue;
  };
  const caset cases[] = {
    {"false, the two highest at the same level",
     {{-1, 3}, {-2, 7}, {-3, 7}},
     {1, 2, 3},
     6,
     ""},
    {"false, one highest literal", {{-1, 3}, {-2, 5}}, {1, 2}, 3, "(+2@3:#)  "},
    {"one true literal above the rest",
     {{-1, 2}, {2, 5}},
     {1, 2},
     2,
     "(+2@2:#)  "},
    {"one true literal beside a false one of its level",
     {{-1, 5}, {2, 5}},
     {1, 2},
     5,
     ""},
    {"unit", {{-1, 2}, {4, 5}}, {1, 2}, 2, "(+2@2:#)  "},
    {"two unassigned", {{-1, 2}, {4, 5}}, {1, 2, 3}, 5, ""},
    {"one unassigned and a true literal", {{1, 2}, {4, 5}}, {1, 2}, 5, ""},
    {"unit clause true at level 3", {{4, 3}}, {4}, 0, "(+4@0:#)  "},
    {"unit clause at level 0", {}, {-4}, 0, "(-4@0:#)  "},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.name);
    // A level needs a variable decided at each level below it.
    staged_solvert solver(8);
    for(const auto &assignment : c.assignments)
      solver.assign(assignment.first, assignment.second);
    ClauseIdx cl = solver.add_incr(c.clause);
    ASSERT_GE(cl, 0);
    EXPECT_EQ(solver.dlevel(), c.level_after);
    std::string queue = c.queue;
    if(queue.find('#') != std::string::npos)
      queue.replace(queue.find('#'), 1, std::to_string(cl));
    EXPECT_EQ(solver.queue_text(), "Implication Queue Previous: " + queue);
    EXPECT_EQ(solver.max_dlevel_of_clause(-1), solver.dlevel());
    solver.verify_integrity();
    if(c.clause == std::vector<int>{1, 2, 3} && c.level_after == 6)
    {
      // Both watches sit on the literals the backtrack freed.
      for(unsigned i = 0; i < 3; ++i)
      {
        const CLitPoolElement &lit = solver.clause(cl).literal(i);
        EXPECT_EQ(lit.is_watched(), solver.value_of(c.clause[i]) == 2) << i;
      }
    }
  }
}

TEST(CSolverIncremental, FalseAtLevelZeroRedoesPreprocessing)
{
  // A clause false through level-0 consequences refutes the formula.
  staged_solvert refuted(2);
  refuted.add_incr({1});
  refuted.add_incr({-1, 2});
  testing::internal::CaptureStdout();
  ASSERT_EQ(refuted.solve(), SATISFIABLE);
  refuted.reset();
  ASSERT_TRUE(refuted.preprocess());
  ASSERT_EQ(refuted.value_of(2), 1u);
  refuted.add_incr({-2});
  EXPECT_EQ(refuted.outcome(), UNSATISFIABLE);

  // Preprocessing made x1 and x2 true for appearing in one phase only; the
  // new clause takes that choice back.
  staged_solvert chosen(2);
  chosen.add_incr({1, 2});
  ASSERT_TRUE(chosen.preprocess());
  ASSERT_EQ(chosen.value_of(1), 1u);
  chosen.add_incr({-1, -2});
  EXPECT_EQ(chosen.outcome(), UNDETERMINED);
  EXPECT_EQ(chosen.value_of(1), 2u);
  EXPECT_EQ(chosen.value_of(2), 2u);
  EXPECT_EQ(chosen.solve(), SATISFIABLE);
  testing::internal::GetCapturedStdout();
  EXPECT_NE(chosen.value_of(1), chosen.value_of(2));
}

TEST(CSolverIncremental, DeletingAGroupTakesItsVolatileClausesToo)
{
  staged_solvert solver(3);
  int gid = solver.alloc_gid();
  ASSERT_EQ(gid, 1);
  ASSERT_EQ(solver.alloc_gid(), 2);
  solver.add_incr({1, -3});
  std::vector<int> lits = svars({2, 3});
  solver.add_clause_with_gid(lits.data(), 2, -1);
  solver.add_incr({-1, -2}, gid);
  solver.add_incr({-1, 2}, 2);

  solver.delete_clause_group(gid);
  EXPECT_EQ(
    solver.clause_table(),
    "0 00000000000000000000000000000000\t1 -3 0\n"
    "0 01000000000000000000000000000000\t-1 2 0\n");
  // No watch is left on an erased literal.
  for(int v = 1; v <= 3; ++v)
    for(int sign = 0; sign < 2; ++sign)
      for(CLitPoolElement *watch : solver.variable(v).watched(sign))
        EXPECT_TRUE(watch->is_literal());
  solver.verify_integrity();
}

TEST(CSolverIncremental, TextDumps)
{
  staged_solvert solver(3);
  solver.assign(1, 0);
  solver.assign(-2, 1);
  solver.assign(3, 1);
  std::ostringstream stack;
  solver.dump_assignment_stack(stack);
  EXPECT_EQ(stack.str(), "Assignment Stack:  (0:+1 ) \n(1:-2 +3 ) \n\n");

  solver.queue_implication(5, 4, 1);
  solver.queue_implication(2, -1, 0);
  EXPECT_EQ(
    solver.queue_text(),
    "Implication Queue Previous: (-2@1:4)  (+1@0:-1)  ");
  EXPECT_EQ(
    solver.queue_text(),
    "Implication Queue Previous: (-2@1:4)  (+1@0:-1)  ");

  std::vector<int> learned = svars({-2, 3});
  solver.add_conflict_clause(learned.data(), 2, 0x80000001u);
  std::vector<int> original = svars({1, -3});
  solver.add_original_clause(original.data(), 2, 2);
  EXPECT_EQ(
    solver.clause_table(),
    "A 10000000000000000000000000000001\t-2 3 0\n"
    "0 01000000000000000000000000000000\t1 -3 0\n");
}

TEST(CSolverIncremental, CleaningDropsLearnedClausesButTheLastRecord)
{
  staged_solvert solver(3);
  solver.add_incr({1, 2, 3});
  std::vector<int> first = svars({1, 2});
  std::vector<int> second = svars({2, 3});
  solver.add_conflict_clause(first.data(), 2, 0);
  solver.add_incr({-1, 3});
  solver.add_conflict_clause(second.data(), 2, 0);
  solver.params().verbosity = 1;

  int before = solver.estimate_mem_usage();
  testing::internal::CaptureStdout();
  solver.clean_up_dbase();
  std::string output = testing::internal::GetCapturedStdout();
  int after = solver.estimate_mem_usage();

  EXPECT_LT(after, before);
  EXPECT_EQ(
    output,
    "Database Cleaned, releasing (approximately) " +
      std::to_string(before - after) + " Bytes\n");
  EXPECT_EQ(
    solver.clause_table(),
    "0 00000000000000000000000000000000\t1 2 3 0\n"
    "0 00000000000000000000000000000000\t-1 3 0\n"
    "A 00000000000000000000000000000000\t2 3 0\n");
  for(int v = 1; v <= 3; ++v)
    for(int sign = 0; sign < 2; ++sign)
    {
      auto &watched = solver.variable(v).watched(sign);
      EXPECT_EQ(watched.capacity(), watched.size());
      for(CLitPoolElement *watch : watched)
        EXPECT_TRUE(watch->is_literal());
    }
  solver.verify_integrity();
}

TEST(CSolverIncremental, ClauseWithoutLiteralsIsALegalRecord)
{
  staged_solvert solver(2);
  solver.add_incr({1, 2});
  solver.add_original_clause(nullptr, 0, 0);
  solver.verify_integrity();
  EXPECT_EQ(
    solver.clause_table(),
    "0 00000000000000000000000000000000\t1 2 0\n"
    "0 00000000000000000000000000000000\t0\n");
  EXPECT_EQ(solver.max_dlevel_of_clause(1), 0);
}

TEST(CSolverIncremental, MemoryFigureAddsTheAssignmentStack)
{
  staged_solvert solver(4);
  EXPECT_EQ(
    solver.estimate_mem_usage(),
    solver.CDatabase::estimate_mem_usage() + 12 * 5);
}

TEST(CSolverIncrementalDeathTest, IntegrityRulesAndContracts)
{
  staged_solvert misplaced(2);
  misplaced.assign(1, 0);
  misplaced.variable(1).assgn_stack_pos() = 0;
  misplaced.assign(-2, 0);
  misplaced.variable(1).assgn_stack_pos() = 1;
  EXPECT_DEATH(
    misplaced.verify_integrity(),
    condition_regex(
      "(*_assignment_stack[dlevel])[pos] == (int) (i+i+1-value)"));

  // A false watch beside a literal without a value.
  staged_solvert unwatched(3);
  unwatched.add_incr({1, 2, 3});
  unwatched.force(-1, 0);
  EXPECT_DEATH(
    unwatched.verify_integrity(), condition_regex("literal_value(lit) == 0"));

  staged_solvert fresh(2);
  fresh.new_clause_record();
  EXPECT_DEATH(
    fresh.clause_table(), condition_regex("cl.status() == CONFLICT_CL"));
  EXPECT_DEATH(fresh.delete_clause_group(3), "is_gid_allocated\\(gid\\)");
}

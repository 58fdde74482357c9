#include "solver_harness.h"

#include <algorithm>

namespace
{
vec<Lit> to_lits(const code_clauset &codes)
{
  vec<Lit> result;
  for(int code : codes)
    result.push(Lit::fromIndex(code));
  return result;
}

bool is_tautology(const resolution_checkert::clauset &clause)
{
  for(int code : clause)
    if(clause.count(code ^ 1))
      return true;
  return false;
}
} // namespace

solver_harnesst::solver_harnesst(proof_modet mode_, int vars) : mode(mode_)
{
  if(mode == proof_modet::TRAVERSER)
    proof.reset(new Proof(checker));
  else if(mode == proof_modet::ON_FILE)
    proof.reset(new Proof());
  solver.proof = proof.get();
  add_variables(vars);
}

void solver_harnesst::add_variables(int vars)
{
  while(solver.nVars() < vars)
    solver.newVar();
}

void solver_harnesst::add(const code_clauset &clause)
{
  clauses.push_back(clause);
  resolution_checkert::clauset as_set(clause.begin(), clause.end());
  checker.inputs.insert(as_set);
  replayed.inputs.insert(as_set);
  solver.newClause(to_lits(clause));
}

bool solver_harnesst::solve(const code_clauset &assumptions)
{
  return solver.solve(to_lits(assumptions));
}

const resolution_checkert &solver_harnesst::proof_checker()
{
  if(mode != proof_modet::ON_FILE)
    return checker;
  std::set<resolution_checkert::clauset> inputs = replayed.inputs;
  replayed = resolution_checkert();
  replayed.inputs = inputs;
  if(proof->last() >= 0)
    proof->traverse(replayed);
  return replayed;
}

void solver_harnesst::check(
  const code_clauset &assumptions,
  bool answer,
  int expected)
{
  EXPECT_EQ(solver.decisionLevel(), 0);
  if(expected != -1)
  {
    ASSERT_EQ(answer, expected == 1);
  }
  if(answer)
  {
    ASSERT_EQ(solver.model.size(), solver.nVars());
    auto is_true = [this](int code)
    { return solver.model[code >> 1] == ((code & 1) ? l_False : l_True); };
    for(const code_clauset &clause : clauses)
      EXPECT_TRUE(std::any_of(clause.begin(), clause.end(), is_true));
    for(int code : assumptions)
      EXPECT_TRUE(is_true(code)) << code;
    return;
  }

  // The conflict names negated assumptions only, and those assumptions
  // are already contradictory with the clauses.
  code_clauset blamed;
  resolution_checkert::clauset conflict;
  for(Lit p : solver.conflict)
  {
    EXPECT_NE(
      std::find(assumptions.begin(), assumptions.end(), index(~p)),
      assumptions.end())
      << index(p);
    blamed.push_back(index(~p));
    conflict.insert(index(p));
  }
  if(solver.nVars() <= 20)
  {
    EXPECT_FALSE(brute_force_satisfiable(solver.nVars(), clauses, blamed));
  }

  if(mode == proof_modet::NONE)
    return;
  const resolution_checkert &proof_check = proof_checker();
  ASSERT_EQ(proof_check.error, "");
  if(is_tautology(conflict))
  {
    EXPECT_EQ(solver.conflict_id, ClauseId_NULL);
    return;
  }
  ASSERT_TRUE(proof_check.has_clause(solver.conflict_id)) << solver.conflict_id;
  EXPECT_EQ(
    to_text(proof_check.clauses[solver.conflict_id]), to_text(conflict));
}

// Adversarial campaign against the SAT engines' propositional adapters; the
// test suite runs a few seconds of it, bench/fuzz_sat.py runs it at length:
//   sat_fuzz [ROUNDS [SEED]]
// Random clause sets of many shapes (empty clauses, units, repeated and
// complementary literals, constants, unused and far-apart variables) go to
// every adapter, in one go or, where the adapter is incremental, in
// several parts with a solve after each. Each answer is checked against
// brute force (small formulas) or the other engines (larger ones), every
// model against the clauses, every core against brute force. Prints the
// counts; exit code 1 and the first failing formula on a disagreement.

#include "../coresat/cnf_oracle.h"
#include "../proofsat/resolution_checker.h"

#include "sat/satcheck_coresat.h"
#include "sat/satcheck_groupsat.h"
#include "sat/satcheck_proofsat.h"
#include "sat/satcheck_proofsat_core.h"
#include "sat/proofsat/Solver.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <string>

namespace
{
struct shapet
{
  int variables;    // used variables are 1 ... variables
  int offset;       // added to every variable number above 1
  int_cnft clauses; // DIMACS literals; 0 in a clause is a constant
  std::vector<bool> constant_value;
};

std::map<std::string, long> counts;
std::string failure;

literalt to_literal(const shapet &s, int l, std::size_t constant_index)
{
  if(l == 0)
    return const_literal(s.constant_value[constant_index]);
  unsigned v = unsigned(std::abs(l));
  if(v > 1)
    v += unsigned(s.offset);
  return literalt(v, l < 0);
}

unsigned highest_variable(const shapet &s)
{
  return s.variables > 1 ? unsigned(s.variables + s.offset)
                         : unsigned(s.variables);
}

// The clauses as literalt vectors; constants fixed per literal position.
std::vector<bvt> to_bvts(const shapet &s)
{
  std::vector<bvt> result;
  std::size_t k = 0;
  for(const auto &clause : s.clauses)
  {
    bvt b;
    for(int l : clause)
      b.push_back(to_literal(s, l, k++));
    result.push_back(b);
  }
  return result;
}

// The clauses the oracle sees: constants resolved.
int_cnft oracle_clauses(const shapet &s, std::size_t count)
{
  int_cnft result;
  std::size_t k = 0;
  for(std::size_t i = 0; i < s.clauses.size(); ++i)
  {
    bool satisfied = false;
    int_clauset c;
    for(int l : s.clauses[i])
    {
      if(l == 0)
        satisfied = satisfied || s.constant_value[k];
      else
        c.push_back(l);
      ++k;
    }
    if(i < count && !satisfied)
      result.push_back(c);
  }
  return result;
}

shapet random_shape(std::mt19937 &random)
{
  shapet s;
  auto below = [&random](int n) { return int(random() % unsigned(n)); };
  int kind = below(10);
  s.offset = below(8) == 0 ? below(100000) : 0;
  if(kind < 7)
  {
    s.variables = 1 + below(14);
    int m = below(5 * s.variables + 3);
    for(int i = 0; i < m; ++i)
    {
      int width = below(12) == 0 ? 0 : 1 + below(below(3) == 0 ? 6 : 3);
      int_clauset c;
      for(int j = 0; j < width; ++j)
      {
        int r = below(100);
        if(r < 6 && !c.empty())
          c.push_back(c[below(int(c.size()))]);
        else if(r < 10 && !c.empty())
          c.push_back(-c[below(int(c.size()))]);
        else if(r < 13)
          c.push_back(0);
        else
        {
          int v = 1 + below(s.variables);
          c.push_back(below(2) ? v : -v);
        }
      }
      s.clauses.push_back(c);
    }
  }
  else
  {
    // Near the threshold of random 3-SAT: too large for brute force, so
    // the engines are judged by each other.
    s.variables = 20 + below(61);
    int m = int(s.variables * (3.9 + 0.1 * below(8)));
    for(int i = 0; i < m; ++i)
    {
      int_clauset c;
      while(c.size() < 3)
      {
        int v = 1 + below(s.variables);
        bool fresh = true;
        for(int l : c)
          fresh = fresh && std::abs(l) != v;
        if(fresh)
          c.push_back(below(2) ? v : -v);
      }
      s.clauses.push_back(c);
    }
  }
  std::size_t literals = 0;
  for(const auto &c : s.clauses)
    literals += c.size();
  for(std::size_t i = 0; i < literals; ++i)
    s.constant_value.push_back(below(2) == 0);
  return s;
}

std::string text_of(const shapet &s)
{
  std::string text = "c offset " + std::to_string(s.offset) + "\n";
  std::size_t k = 0;
  for(const auto &c : s.clauses)
  {
    for(int l : c)
    {
      if(l == 0)
        text += s.constant_value[k] ? "T " : "F ";
      else
        text += std::to_string(l) + ' ';
      ++k;
    }
    text += "0\n";
  }
  return text;
}

void fail(const std::string &what, const shapet &s)
{
  if(failure.empty())
    failure = what + "\n" + text_of(s);
  counts["failures"]++;
}

// The satisfiability of the first `count` clauses: 1, 0, or -1 when too
// large for brute force.
int expected(const shapet &s, std::size_t count)
{
  if(s.variables > 16)
    return -1;
  return brute_force_sat(oracle_clauses(s, count), s.variables) ? 1 : 0;
}

// Whether the clause holds whatever its variables' values: an adapter may
// drop such a clause, and its variables may then have no value.
bool always_true(const bvt &clause)
{
  for(literalt l : clause)
    for(literalt k : clause)
      if(l.is_true() || (!l.is_constant() && k == literalt(l.var_no(), !l.sign())))
        return true;
  return false;
}

bool model_holds(const propt &solver, const std::vector<bvt> &clauses,
                 std::size_t count)
{
  for(std::size_t i = 0; i < count; ++i)
  {
    bool satisfied = always_true(clauses[i]);
    for(literalt l : clauses[i])
      satisfied = satisfied || solver.l_get(l).is_true();
    if(!satisfied)
      return false;
  }
  return true;
}

// Clauses all of whose variables are in the core must be unsatisfiable.
bool core_holds(const propt &solver, const shapet &s, std::size_t count)
{
  int_cnft all = oracle_clauses(s, count), kept;
  for(const auto &c : all)
  {
    bool inside = true;
    for(int l : c)
    {
      unsigned v = unsigned(std::abs(l));
      if(v > 1)
        v += unsigned(s.offset);
      inside = inside && solver.is_in_core(literalt(v, false));
    }
    if(inside)
      kept.push_back(c);
  }
  return !brute_force_sat(kept, s.variables);
}

// Solves the clauses with the adapter, after each of the `cuts` when the
// adapter is incremental. Returns the last answer (1 sat, 0 unsat, -1 error).
int drive(
  const std::string &name,
  propt &solver,
  cnft &cnf,
  const shapet &s,
  std::vector<std::size_t> cuts,
  bool core)
{
  std::vector<bvt> clauses = to_bvts(s);
  cnf.set_no_variables(highest_variable(s) + 1);
  std::size_t added = 0;
  int answer = -1;
  cuts.push_back(clauses.size());
  for(std::size_t cut : cuts)
  {
    for(; added < cut; ++added)
      solver.lcnf(clauses[added]);
    propt::resultt r = solver.prop_solve();
    counts[name + " solves"]++;
    if(r == propt::P_ERROR)
    {
      fail(name + ": error answer", s);
      return -1;
    }
    answer = r == propt::P_SATISFIABLE ? 1 : 0;
    int truth = expected(s, added);
    if(truth >= 0 && truth != answer)
    {
      fail(name + ": wrong answer after " + std::to_string(added) +
             " clauses", s);
      return -1;
    }
    if(answer == 1 && !model_holds(solver, clauses, added))
    {
      fail(name + ": model leaves a clause false", s);
      return -1;
    }
    if(answer == 0 && core && s.variables <= 16 && !core_holds(solver, s, added))
    {
      fail(name + ": core clauses are satisfiable", s);
      return -1;
    }
    if(answer == 0)
      break;
  }
  return answer;
}

// The proof-logging engine itself with its proof checked step by step:
// a refutation must end in the empty clause.
int proof_checked(const shapet &s)
{
  resolution_checkert checker;
  Proof proof(checker);
  Solver solver;
  solver.proof = &proof;
  while(unsigned(solver.nVars()) <= highest_variable(s))
    solver.newVar();
  for(const auto &c : oracle_clauses(s, s.clauses.size()))
  {
    // The engine takes no empty clause; the driver answers for it.
    if(c.empty())
      return 0;
    vec<Lit> literals;
    for(int l : c)
    {
      unsigned v = unsigned(std::abs(l));
      if(v > 1)
        v += unsigned(s.offset);
      literals.push(Lit::fromIndex(int(2 * v + (l < 0))));
    }
    solver.newClause(literals);
  }
  counts["proof-checked solves"]++;
  bool answer = solver.solve();
  if(!checker.error.empty())
  {
    fail("proof: " + checker.error, s);
    return -1;
  }
  if(!answer)
  {
    if(!checker.has_clause(solver.conflict_id) ||
       !checker.clauses[solver.conflict_id].empty())
    {
      fail("proof does not end in the empty clause", s);
      return -1;
    }
    counts["proofs checked"]++;
  }
  return answer ? 1 : 0;
}

void round(std::mt19937 &random)
{
  shapet s = random_shape(random);
  std::vector<std::size_t> cuts;
  if(random() % 2 && !s.clauses.empty())
  {
    for(int i = 0; i < 3; ++i)
      cuts.push_back(random() % s.clauses.size());
    std::sort(cuts.begin(), cuts.end());
  }
  std::map<std::string, int> answers;
  {
    satcheck_groupsatt solver;
    answers["groupsat"] = drive("groupsat", solver, solver, s, {}, false);
  }
  {
    satcheck_proofsatt solver;
    answers["proofsat"] = drive("proofsat", solver, solver, s, cuts, false);
  }
  {
    satcheck_proofsat_coret solver;
    answers["proofsat core"] =
      drive("proofsat core", solver, solver, s, cuts, true);
  }
  {
    satcheck_coresatt solver;
    answers["coresat"] = drive("coresat", solver, solver, s, cuts, false);
  }
  {
    satcheck_coresat_coret solver;
    answers["coresat core"] = drive("coresat core", solver, solver, s, {}, true);
  }
  answers["proof checked"] = proof_checked(s);
  int first = answers.begin()->second;
  for(const auto &a : answers)
    if(a.second != first)
    {
      fail("engines disagree", s);
      break;
    }
  counts[s.variables > 16 ? "large rounds" : "small rounds"]++;
  counts[first == 1 ? "satisfiable" : "unsatisfiable"]++;
}
} // namespace

int main(int argc, char **argv)
{
  long rounds = argc > 1 ? std::atol(argv[1]) : 1000;
  std::mt19937 random(argc > 2 ? unsigned(std::atol(argv[2])) : 1u);
  for(long i = 0; i < rounds && failure.empty(); ++i)
    round(random);
  for(const auto &c : counts)
    std::cout << c.first << ": " << c.second << '\n';
  if(!failure.empty())
  {
    std::cout << "FAILURE: " << failure;
    return 1;
  }
  return 0;
}

#ifndef MORVANE_SAT_PROOFSAT_SOLVER_H
#define MORVANE_SAT_PROOFSAT_SOLVER_H

// A conflict-driven clause-learning SAT engine with two watched literals
// per clause, first-UIP learning with clause minimisation, restarts with
// growing limits, and solving under assumptions. With a Proof attached
// (set `proof` right after construction, before the first newVar) every
// derivation is reported to it: fixed literals removed from input clauses,
// variables fixed at level 0, learnt clauses, deletions.
//
// Contradictions are not errors: they clear `ok`, after which nothing is
// added or searched and solve answers false. Misuse and broken invariants
// stop the program.

#include "sat/proofsat/Heap.h"
#include "sat/proofsat/Proof.h"
#include "sat/proofsat/SolverTypes.h"

#include <cstdint>

// Parameters of one search run: the decays are the factors the activity
// increments are divided by after each conflict; random_var_freq is the
// share of decisions made on a random variable.
struct SearchParams
{
  double var_decay;
  double clause_decay;
  double random_var_freq;
  SearchParams(double v = 1, double c = 1, double r = 0)
      : var_decay(v), clause_decay(c), random_var_freq(r)
  {
  }
};

struct SolverStats
{
  int64_t starts = 0;
  int64_t decisions = 0;
  int64_t propagations = 0;
  int64_t conflicts = 0;
  int64_t clauses_literals = 0; // in stored problem clauses
  int64_t learnts_literals = 0; // in stored learnt clauses
  int64_t max_literals = 0; // of learnt clauses before minimisation
  int64_t tot_literals = 0; // of learnt clauses after minimisation
};

// Variables come first in the decision order by higher activity.
struct VarOrder_lt
{
  const vec<double> &activity;
  bool operator()(Var x, Var y) const
  {
    return activity[x] > activity[y];
  }
};

// The state is open to the adapters and tests; vectors indexed by variable
// have one entry per variable, `watches` one per literal code.
class Solver
{
public:
  bool ok; // false once the clauses are contradictory at level 0
  vec<Clause *> clauses; // problem clauses of two literals or more
  vec<Clause *> learnt_clauses; // learnt clauses of two literals or more
  vec<ClauseId> unit_id; // with a proof: the unit that fixed a variable
  double clause_increment;
  double clause_decay; // 1 / clause decay of the running search
  vec<double> activity;
  double var_increment;
  double var_decay; // 1 / variable decay; negative: no bumping
  Heap<VarOrder_lt> order_heap;
  double random_seed;
  vec<vec<Clause *>> watches; // watches[p]: clauses watching ~p
  vec<signed char> assigns; // lbool values, one signed byte each
  vec<Lit> trail; // true literals in assignment order
  vec<int> trail_limits; // trail size at the start of each level
  vec<Clause *> reason; // null for decisions, assumptions and units
  vec<int> level;
  vec<int> trail_position;
  int root_level; // the level reached by the assumptions
  int propagation_head;
  int simplify_assigns; // trail size at the last simplifyDB
  int64_t simplify_budget; // propagations before simplifyDB may run again
  vec<char> seen; // analysis marks, all clear between analyses
  vec<Lit> analyze_stack;
  vec<Lit> minimise_clear;
  SolverStats stats;
  SearchParams search_defaults;
  bool deep_minimise; // follow implication chains when minimising
  Proof *proof; // not owned; null for no proof
  int verbosity; // 1 or more: solve prints the progress table
  double progress_estimate;
  vec<lbool> model; // after a true answer
  vec<Lit> conflict; // after a false answer
  ClauseId conflict_id; // with a proof: the clause `conflict`

  Solver();
  ~Solver();
  Solver(const Solver &) = delete;
  Solver &operator=(const Solver &) = delete;

  Var newVar();
  int nVars() const
  {
    return assigns.size();
  }
  int nClauses() const
  {
    return clauses.size();
  }
  int nLearnts() const
  {
    return learnt_clauses.size();
  }
  int decisionLevel() const
  {
    return trail_limits.size();
  }
  lbool value(Var x) const
  {
    return lbool(int(assigns[x]));
  }
  lbool value(Lit p) const
  {
    return sign(p) ? ~value(var(p)) : value(var(p));
  }

  // Adds a problem clause at decision level 0 (learnt false, id
  // ClauseId_NULL), or a learnt clause with its proof id. Tautologies,
  // satisfied clauses and repeats are dropped; fixed false literals are
  // removed (and the removal logged).
  void newClause(
    const vec<Lit> &ps,
    bool learnt = false,
    ClauseId id = ClauseId_NULL);

  // True when the clauses and the assumptions are satisfiable: `model` then
  // holds a satisfying assignment. False otherwise: `conflict` holds the
  // negations of the assumptions responsible (empty when the clauses alone
  // are contradictory), and with a proof `conflict_id` is the id of the
  // derived clause `conflict`; two contradicting assumptions p and ~p give
  // the conflict {~p, p}, which no clause derives (conflict_id is then
  // ClauseId_NULL). Returns at decision level 0.
  bool solve(const vec<Lit> &assumptions);
  bool solve()
  {
    vec<Lit> none;
    return solve(none);
  }

  // Makes p true with reason from; false when p is already false.
  bool enqueue(Lit p, Clause *from = nullptr);
  // Unit propagation over two watched literals; answers a conflicting
  // clause or null. Visits a clause only when one of its watches turns
  // false.
  Clause *propagate();
  void cancelUntil(int level);
  void remove(Clause *c, bool just_free = false);
  void removeWatch(vec<Clause *> &ws, Clause *c);
  bool simplify(Clause *c) const;
  // Drops clauses satisfied at level 0; runs at most once per batch of
  // new level-0 assignments and after as many propagations as there are
  // stored literals.
  void simplifyDB();

  // Conflict analysis (first UIP), with the learnt clause's proof chain.
  void analyze(Clause *confl, vec<Lit> &out_learnt, int &out_btlevel);
  bool analyze_removable(Lit p, unsigned levels);
  void analyzeFinal(Clause *confl, bool skip_first = false);
  void varRescaleActivity();
  void claRescaleActivity();

  lbool search(int nof_conflicts, int nof_learnts, const SearchParams &params);
  bool assume(Lit p);
  // Deletes the less active half of the learnt clauses of more than two
  // literals (never one that is a reason); O(n log n).
  void reduceDB();
  double progressEstimate() const;

private:
  bool locked(Clause *c)
  {
    return reason[var((*c)[0])] == c;
  }
  void varBumpActivity(Lit p);
  void varDecayActivity();
  void claBumpActivity(Clause *c);
  void claDecayActivity();
  // The unassigned variable to decide next, or var_Undef.
  Var select(double random_var_freq);
  // Resolves away the level-0 literals of c from position `from` on.
  void resolveFixed(const Clause &c, int from);
  // The steps of analyze, inline so that they cost no calls per conflict
  // (defined and used in SolverAnalyze.cpp only). analyzeFirstUip resolves
  // the conflict back to the first unique implication point and answers
  // its literal; it marks the literals met in `seen` and appends those of
  // lower levels to out_learnt, raising out_btlevel to the highest of their
  // levels.
  inline Lit
  analyzeFirstUip(Clause *confl, vec<Lit> &out_learnt, int &out_btlevel);
  // Move the literals of out_learnt (from position 1) worth keeping to its
  // front and answer their count plus one; the literals dropped, and with
  // deep minimisation the ones that imply them, go to minimise_clear.
  // minimiseLocal drops a literal whose reason's other literals are all
  // marked or fixed; minimiseDeep follows the implication chains.
  inline int minimiseLocal(vec<Lit> &out_learnt);
  inline int minimiseDeep(vec<Lit> &out_learnt);
  // Resolves the literals of minimise_clear out of the learnt clause's
  // proof chain and ends the chain.
  inline void resolveDropped();
  void printTableRow(int learnt_limit);
};

#endif

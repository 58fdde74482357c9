#ifndef MORVANE_SAT_GROUPSAT_GROUPSAT_SOLVER_H
#define MORVANE_SAT_GROUPSAT_GROUPSAT_SOLVER_H

// The clause-learning search engine over the clause database: level-0
// preprocessing, decisions from three sources (literals left by a clause
// shrinking, the newest unsatisfied learned clause, the score order with a
// random pick among the best), two-watched-literal propagation, first-UIP
// learning with clause shrinking, restarts, clause deletion, score decay and
// periodic hooks. Learned clauses and level-0 refutations go to the
// resolution trace. Runs are reproducible: restarts, deletion and decay are
// driven by the backtrack count, randomness by the C library's rand, seeded
// with 0 at every solve.
//
// For a changing formula the solver returns to its unsolved state, deletes
// clause groups, takes clauses while it holds a partial assignment and drops
// its learned clauses; diagnostics check its consistency and dump its state
// as text. None of these rebuilds the decision order (solve does that), and
// the outcome is sticky: clauses added after a finished solve take part in a
// new search only after reset, which delete_clause_group performs itself.

#include "sat/groupsat/groupsat_dbase.h"

#include <cstdint>
#include <iosfwd>
#include <map>
#include <queue>
#include <set>
#include <utility>
#include <vector>

enum SAT_StatusT
{
  UNDETERMINED = 0,
  UNSATISFIABLE = 1,
  SATISFIABLE = 2,
  TIME_OUT = 3,
  MEM_OUT = 4,
  ABORTED = 5
};

// The result of deduce when no clause is conflicting.
const int NO_CONFLICT = 1;

struct CImplication
{
  int lit;
  ClauseIdx antecedent;
  int dlevel;
};

struct CSolverParameters
{
  float time_limit = 172800.0f;
  int verbosity = 0;
  int shrinking_size = 95;
  bool shrinking_enable = true;
  int base_randomness = 0;
  int bubble_init_step = 1024;
  int decay_period = 40;
  int head_activity = 500;
  int tail_activity = 10;
  int head_num_lits = 6;
  int tail_num_lits = 45;
  int tail_vs_head = 16;
  bool restart_enable = true;
  int first_restart = 7000;
  int backtrack_incr = 700;
};

struct CSolverStats
{
  double start_cpu_time = 0;
  double finish_cpu_time = 0;
  int current_randomness = 0;
  int next_restart = 0;
  int restart_incr = 0;
  int next_decay = 0;
  int num_free_variables = 0;
  std::int64_t total_bubble_move = 0;
  int num_decisions = 0;
  int num_decisions_cls = 0;
  int num_decisions_vsids = 0;
  int num_decisions_shrinking = 0;
  int num_shrinkings = 0;
  int num_backtracks = 0;
  int max_dlevel = 0;
  int random_seed = 0;
  std::int64_t num_implications = 0;
  int num_restarts = 0;
  double sum_learned_lits = 0;
  double sum_learned_lits_sq = 0;
  int num_learned = 0;
  int outcome = UNDETERMINED;
  bool is_mem_out = false;
  bool been_reset = true;
};

class CSolver;

// Orders variables by decision level, higher first, and within a level by
// position in the level's assignment stack, later first.
struct cmp_var_assgn_pos
{
  bool operator()(CVariable *v1, CVariable *v2) const
  {
    if(v1->dlevel() != v2->dlevel())
      return v1->dlevel() > v2->dlevel();
    return v1->assgn_stack_pos() > v2->assgn_stack_pos();
  }
};

typedef std::set<CVariable *, cmp_var_assgn_pos> CResolveSet;

typedef void (*CSolverHook)(CSolver *);
typedef bool (*CSolverSatHook)(CSolver *);

struct CHookRecord
{
  int next_trigger;
  CSolverHook function;
  int interval;
};

class CSolver : public CDatabase
{
public:
  CSolver();
  ~CSolver() override;

  CSolverParameters &params()
  {
    return _params;
  }
  CSolverStats &solver_stats()
  {
    return _stats;
  }
  int dlevel() const
  {
    return _dlevel;
  }
  int outcome() const
  {
    return _stats.outcome;
  }

  // Makes variables 1..n; only once, on a solver without variables.
  void set_variable_number(int n);
  int add_variable();

  // Clause in group gid: 0 permanent, -1 volatile, 1..32 that group. On a
  // full pool the result is -1 and the outcome MEM_OUT.
  ClauseIdx add_clause_with_gid(const int *lits, int n, int gid);
  ClauseIdx add_original_clause(const int *lits, int n, int gid);
  ClauseIdx add_conflict_clause(const int *lits, int n, unsigned gflag);

  // The outcome; a non-zero outcome is returned again without work.
  int solve();

  void set_time_limit(float seconds)
  {
    _params.time_limit = seconds;
  }
  void set_base_randomness(int randomness)
  {
    _params.base_randomness = randomness;
  }
  void set_random_seed(int seed);
  void add_periodic_hook(CSolverHook function, int interval);

  float elapsed_cpu_time();
  float total_run_time();
  bool time_out();

  void restart();
  // Undoes every level from blevel up (level 0 too for 0) and drops the
  // queued implications of those levels, which rest on what was undone;
  // the search continues at blevel - 1, at least 0.
  void back_track(int blevel);
  // Before each decision: restart (with clause deletion and, at every
  // fifth restart, compaction), score decay, hooks (the rest skipped once
  // one has refuted the formula).
  void run_periodic_tasks();
  // Deletes clauses satisfied for good at level 0 (by a fact that no group
  // deletion or added clause can take back) and learned clauses of low
  // activity with many free literals; O(pool + variables log variables).
  void delete_unrelevant_clauses();
  void decay_variable_score();
  // Rebuilds the decision order by score; O(variables log variables).
  void update_var_score();
  void init_solve();
  // Assigns unused and one-phase variables and the units at level 0, from
  // the clauses alone (pending implications and conflicts are dropped);
  // false when that propagation finds a conflict (an empty clause is one).
  bool preprocess();
  void run_search();
  [[noreturn]] void not_implemented();

  // Decisions and propagation.
  // Queues the next decision; false when no free variable is left. A
  // pending implication counts as a decision without a new level.
  bool decide_next_branch();
  // Raises the score of each literal's sign and moves its variable up the
  // order; the variables must be assigned.
  void adjust_variable_order(const int *lits, int n);
  void set_var_value(int v, int value, ClauseIdx antecedent, int dl);
  void set_var_value_current_dl(int v, int value);
  void set_var_value_not_current_dl(int v, int value);
  void unset_var_value(int v);
  void mark_var_branchable(int v);
  void mark_var_unbranchable(int v);
  // Unit propagation over the implication queue: NO_CONFLICT, or 0 with the
  // conflicting clauses in _conflicts (the rest of the queue dropped).
  int deduce();
  void queue_implication(int lit, ClauseIdx antecedent, int dl)
  {
    _implication_queue.push(CImplication{lit, antecedent, dl});
  }

  // Conflict analysis and learning: the level the search continues at, or
  // -1 when the formula is unsatisfiable.
  int analyze_conflicts();
  int conflict_analysis_firstUIP();
  // Resolves cl into the clause being learned: marks its variables of level
  // dl other than var_idx and adds its literals of lower levels, except
  // those false at level 0. The groups the step rests on: cl's, and those
  // of the level-0 facts behind the literals it leaves out.
  unsigned mark_vars_at_level(ClauseIdx cl, int var_idx, int dl);
  int finish_add_conf_clause(unsigned gflag);

  // Further learning schemes on the first conflicting clause, which the
  // search does not use: the decision of the current level as the
  // asserting literal; the first unique implication point of every level;
  // the decisions the conflict depends on; and first-UIP learning by
  // explicit resolution over a set of variables (no trace record, no
  // activities, no shrinking). Same result as analyze_conflicts.
  int conflict_analysis_lastUIP();
  int conflict_analysis_allUIP();
  int conflict_analysis_decisions_only();
  int conflict_analysis_firstUIP_resolve_based();
  // Marks the variables of lits at level dl (taking them out of the clause
  // being learned); literals of lower levels go to _conflict_lits.
  void mark_vars_of_dl(const std::vector<int> &lits, int dl);
  void set_up_resolve(ClauseIdx cl, CResolveSet &conf_lits);
  // Resolves the first variable of the set away with its antecedent; the
  // antecedent's group mask.
  unsigned resolve_one_lit(CResolveSet &conf_lits);
  bool is_uip_reached(CResolveSet &conf_lits);

  // Incremental use.
  // Undoes every assignment, level 0 included, empties the conflicts and
  // the implication queue and clears the outcome. Nothing when already
  // reset or without variables.
  void reset();
  // Deletes every live clause in group gid (1..32, allocated), volatile
  // clauses included, purges the watch lists and frees the id. Resets the
  // solver first. Cost: one pass over the clause records and one over
  // every watch list.
  void delete_clause_group(int gid);
  // Adds an original clause in group gid (0 permanent, -1 volatile, 1..32)
  // to a solver that may hold a partial assignment, backtracking as far as
  // needed for the clause to be watched correctly and queueing its implied
  // literal; a clause false at level 0 makes the outcome UNSATISFIABLE.
  // The clause index, or -1 (nothing changed) when the pool is full.
  ClauseIdx add_clause_incr(const int *lits, int n, int gid);
  // At level 0: deletes every learned clause (but the last record, which
  // stays whatever it is) and shrinks the watch lists to their live
  // entries; at verbosity 1 or more reports the bytes released.
  void clean_up_dbase();

  // Diagnostics.
  // Stops at an invariant violation naming the first broken rule: the
  // assignment stack agrees with the variables, every clause of two or
  // more literals has two watches, and a false watch has only false
  // literals of no higher level beside it.
  void verify_integrity();
  void dump_assignment_stack(std::ostream &os);
  // Leaves the queue unchanged.
  void dump_implication_queue(std::ostream &os);
  // Every live clause: "0 " (original) or "A " (learned), the 32 group
  // bits from bit 0, a tab, the literals and "0".
  void print_cls(std::ostream &os);
  // The database figure plus the assignment stack's levels in use.
  int estimate_mem_usage();
  // The highest level among the clause's assigned literals (0 when none);
  // the current level for -1.
  int max_dlevel_of_clause(ClauseIdx cl);

  // Whether the search stops with ABORTED; checked after each propagation
  // without conflict.
  bool _force_terminate = false;
  CSolverHook _outside_constraint_hook = nullptr;
  CSolverSatHook _sat_hook = nullptr;

protected:
  CSolverParameters _params;
  // Hides the database's statistics, which stats() reaches.
  CSolverStats _stats;
  int _dlevel = 0;
  std::vector<std::vector<int> *> _assignment_stack;
  std::queue<int> _recent_shrinkings;
  int _shrinking_benefit = 0;
  int _shrinking_cls_size = 0;
  bool _mark_increase_score = false;
  std::queue<CImplication> _implication_queue;
  std::vector<CHookRecord> _hooks;
  int _max_score_pos = 0;
  std::vector<std::pair<CVariable *, int>> _ordered_vars;
  int _num_marked = 0;
  int _num_in_new_cl = 0;
  std::vector<ClauseIdx> _conflicts;
  std::vector<int> _conflict_lits;
  std::vector<int> _resolvents;
  std::multimap<int, int> _shrinking_cls;

private:
  // Records on v, assigned at level 0 by antecedent (-1 for a choice), the
  // groups its value rests on (the antecedent's and those of the other
  // literals' level-0 values) and whether a learned clause is among its
  // reasons.
  void record_level0_support(ClauseIdx antecedent, int v);
  // The decision literal on v by the phase rule.
  int decision_phase(int v);
  void decide(int svar);
  // The steps of decide_next_branch: the next free literal of the shrinking
  // map decided false; a free variable of the newest learned clause not
  // satisfied (false when that clause has none); the score order.
  bool decide_shrinking_literal();
  bool decide_from_learned_clause();
  void decide_by_score();
  // Whether a true literal satisfies cl, which then remembers it.
  bool is_satisfied_learned(CClause &cl);
  // The free variable of cl of highest score, the first among equals; 0
  // when none is free.
  int best_free_variable(CClause &cl);
  // Moves the watch from w to p, found scanning in `direction`, and takes w
  // off the watch list `list` at position i.
  void move_watch(
    std::vector<CLitPoolElement *> &list,
    std::size_t i,
    CLitPoolElement *p,
    int direction);
  struct CWatchScan;
  // Scans the clause of the false watch at position i of `watched` both
  // ways from it, and moves the watch to the first literal not false: true
  // then (the list's last entry now at i). Otherwise `scan` holds what the
  // scan found; track_levels records the highest false literal too.
  template <bool track_levels>
  bool move_false_watch(
    std::vector<CLitPoolElement *> &watched,
    std::size_t i,
    CWatchScan &scan);
  // Walks level dl from its last assignment back to the first unique
  // implication point, resolving each marked variable with its antecedent:
  // the antecedent's activity rises by `bump` and the groups the step rests
  // on join `gflag`.
  // Returns the false literal of the point.
  int walk_to_uip(int dl, int bump, unsigned &gflag);
  void add_to_new_clause(int svar);
  // Literals of the shrinking map above a gap below the highest level; the
  // level of the gap, or -1 when the clause is not shrunk.
  int find_shrinking_gap();
  // The steps of finish_add_conf_clause. The learned clause's statistics
  // and trace record.
  void record_learned_clause(ClauseIdx added_cl, int n);
  // Credits the last shrinking with the size it saved (n literals learned
  // after it) over a sliding window, and empties the shrinking map.
  void record_shrinking_benefit(int n);
  // Backtracks below the gap to re-decide the literals above it, drops the
  // clause being learned (of n literals) and tunes the shrinking size.
  void start_shrinking(int gap, int n);
  // The highest level below the current one among the learned clause's
  // literals (0 when none); unit_lit gets its literal of the current level.
  int assertion_level(ClauseIdx added_cl, int &unit_lit);
  // Empties the clause being learned and its variables' marks.
  void clear_new_clause();
  void write_level0_conflict(ClauseIdx conflict);
  // back_track(0) and level-0 preprocessing anew, for a clause made false
  // by a level-0 assignment.
  void redo_level0();
  // Drops the queued choices for one-phase variables that the clause of n
  // literals shows to have both phases now; they were choices, not facts.
  void drop_queued_choices_against(const int *lits, int n);
  // Drops the queued implications of level blevel and above.
  void drop_implications_from(int blevel);
  // Keeps, in their order, the queued implications that `keep` accepts.
  template <class Keep>
  void keep_implications(Keep keep)
  {
    std::queue<CImplication> kept;
    for(; !_implication_queue.empty(); _implication_queue.pop())
      if(keep(_implication_queue.front()))
        kept.push(_implication_queue.front());
    _implication_queue.swap(kept);
  }
};

#endif

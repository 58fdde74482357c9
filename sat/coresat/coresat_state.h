#ifndef MORVANE_SAT_CORESAT_CORESAT_STATE_H
#define MORVANE_SAT_CORESAT_CORESAT_STATE_H

#include "sat/coresat/coresat_memory.h"
#include "sat/coresat/score_number.h"

#include <cstdint>
#include <cstdio>

// The records and the one global state of the Coresat engine. A literal is
// a nonzero int: v and -v for variable v >= 1. Arrays indexed by a signed
// literal hold 2 * size_vars + 1 entries and are addressed from their middle
// entry, so l and -l are both direct indices.

struct coresat_clause;

const int coresat_var_used = 1;
const int coresat_var_core = 2;

// A mark kept by conflict-clause minimisation for the literals of the clause.
const int coresat_mark_kept = 2147483647;

struct coresat_var
{
  int level;    // of the last assignment; stale after unassignment
  int mark;     // scratch, 0 between operations
  int heap_pos; // -1 outside the decision heap
  score_number score;
  unsigned char flags;    // coresat_var_used, coresat_var_core
  coresat_clause *reason; // null for decisions; stale after unassignment
};

// Watch list entries: a clause of three or more literals as its idx; a
// binary clause as the two ints -idx and the clause's other literal.
struct coresat_lit
{
  coresat_stack<int> watch_list;
  int binary_occurrences;
  int occurrences;
};

const int coresat_clause_original = 1;
const int coresat_clause_learned = 2;
const int coresat_clause_derived = 4;
const int coresat_clause_collected = 8;
const int coresat_clause_garbage = 16;
const int coresat_clause_antecedent = 32;
const int coresat_clause_locked = 64;
const int coresat_clause_core_mark = 128;

const int coresat_trace_antecedents = 1;

// One block per clause: this header, then `size` literals (positions 0 and
// 1 hold the watched ones), then, when trace_flags has
// coresat_trace_antecedents, the idx of every antecedent ended by 0.
struct coresat_clause
{
  int idx; // position in clause_table, identity in the trace
  int size;
  score_number score; // changes only for learned clauses
  unsigned char flags;
  unsigned char trace_flags;
  int references; // derived clauses naming this one as antecedent
};

inline int *coresat_literals(coresat_clause *c)
{
  return reinterpret_cast<int *>(c + 1);
}

inline int *coresat_antecedents(coresat_clause *c)
{
  return coresat_literals(c) + c->size;
}

// The size the block was allocated with.
std::size_t coresat_clause_bytes(coresat_clause *c);

struct coresat_clause_stats
{
  int added_clauses;
  std::uint64_t added_literals;
  int removed_clauses;
  std::uint64_t removed_literals;
  int current_clauses;
  std::int64_t current_literals;
  int max_clauses;
  std::int64_t max_literals;
};

// A pending implication (or, with a null reason, a decision).
struct coresat_implication
{
  coresat_clause *reason;
  int lit;
};

struct coresat_state
{
  int nesting;
  double entered_at;
  int conflict_limit;
  int decision_limit;
  double time_limit;
  int used_vars;
  coresat_clause_stats stats_original;
  coresat_clause_stats stats_derived;
  coresat_clause_stats stats_learned;
  coresat_clause_stats stats_all;
  int reports;
  double seconds;
  std::uint64_t conflicts;
  std::uint64_t decisions;
  int level0_visits;
  int collections;
  std::uint64_t collected_literals;
  std::uint64_t collected_clauses;
  int final_report_done;
  int conflicts_since_report;
  std::uint64_t reduce_limit;
  int reduce_base;
  std::uint64_t next_restart;
  std::uint64_t restart_base;
  std::uint32_t rng_state;
  score_number clause_score_inc;
  score_number var_score_inc;
  int no_bump;
  coresat_stack<int> decision_heap;
  int simplified_at;
  int fixed_count;
  int unassigned_vars;
  coresat_stack<int> assignment_trail;
  coresat_clause *conflict_clause;
  coresat_stack<coresat_implication> propagation_queue;
  int queue_head;
  int decision_level;
  coresat_stack<int> work_stack;
  coresat_stack<coresat_var *> seen_vars;
  coresat_stack<int> antecedent_buffer;
  coresat_clause *empty_clause;
  coresat_stack<coresat_clause *> unit_clauses;
  coresat_stack<int> reduce_buffer;
  coresat_stack<coresat_clause *> clause_table;
  coresat_stack<int> sort_stack;
  coresat_stack<int> literal_buffer;
  signed char *vals; // middle entry
  coresat_var *vars; // size_vars + 1 records
  coresat_lit *lits; // middle entry
  int size_vars;
  int max_var;
  int core_computed;
  int trace;
  int verbose;
  std::FILE *output;
  int initialized;
  unsigned max_bytes;
  unsigned current_bytes;
};

// The engine: one per process, all zero before first use and after reset.
extern coresat_state coresat;

inline int coresat_abs(int lit)
{
  return lit < 0 ? -lit : lit;
}

inline coresat_var *coresat_var_of(int lit)
{
  return coresat.vars + coresat_abs(lit);
}

inline coresat_lit *coresat_lit_of(int lit)
{
  return coresat.lits + lit;
}

#endif

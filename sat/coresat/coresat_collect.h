#ifndef MORVANE_SAT_CORESAT_CORESAT_COLLECT_H
#define MORVANE_SAT_CORESAT_CORESAT_COLLECT_H

// Clause removal. Clauses go only through coresat_collect_garbage, which
// rebuilds every watch list around a callback marking clauses garbage. With
// the trace on no clause record is freed, so the trace can name them all;
// records of fewer than two literals are never freed either, since they may
// be reasons of level-0 assignments.

// callback(n) receives the number of clause_table entries before it runs;
// clauses it creates (at positions n and beyond) are placed by their making.
void coresat_collect_garbage(void (*callback)(int n));

// Callback, at level 0 after complete propagation without conflict: drops
// satisfied clauses and replaces those with false literals by derived
// shortened copies.
void coresat_simplify_clauses(int n);

// Callback: marks the less active half of the learned clauses before n,
// except reasons of current assignments and binary clauses.
void coresat_mark_reducible_clauses(int n);

#endif

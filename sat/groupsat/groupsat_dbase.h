#ifndef MORVANE_SAT_GROUPSAT_GROUPSAT_DBASE_H
#define MORVANE_SAT_GROUPSAT_GROUPSAT_DBASE_H

// The clause database of the clause-learning engine: every clause is a run
// of literal entries followed by its end marker in one flat literal pool,
// with one CClause record per clause and one CVariable record (with its two
// watch lists) per variable, 32 clause groups and the database statistics.
// The pool is compacted when little of it is live and grown geometrically
// while memory is plentiful; watch lists and clause records hold raw entry
// pointers, rebased whenever the storage moves.

#include "sat/groupsat/groupsat_base.h"

#include <cstdint>
#include <iosfwd>
#include <set>
#include <vector>

struct CDatabaseStats
{
  unsigned init_num_clauses = 0;
  unsigned init_num_literals = 0;
  unsigned num_added_clauses = 0;
  std::uint64_t num_added_literals = 0;
  unsigned num_deleted_clauses = 0;
  unsigned num_del_orig_cls = 0;
  std::uint64_t num_deleted_literals = 0;
  unsigned num_compact = 0;
  unsigned num_enlarge = 0;
};

class CDatabase
{
public:
  CDatabase();
  virtual ~CDatabase();
  CDatabase(const CDatabase &) = delete;
  CDatabase &operator=(const CDatabase &) = delete;

  CDatabaseStats &stats()
  {
    return _stats;
  }

  std::vector<CVariable> &variables()
  {
    return _variables;
  }
  CVariable &variable(int i)
  {
    return _variables[i];
  }
  std::vector<CClause> &clauses()
  {
    return _clauses;
  }
  CClause &clause(ClauseIdx i)
  {
    return _clauses[i];
  }

  // Live clauses, and live literals (low 32 bits of the added minus the
  // deleted count).
  unsigned num_clauses() const
  {
    return _clauses.size() - _unused_clause_idx.size();
  }
  unsigned num_literals() const
  {
    return unsigned(_stats.num_added_literals - _stats.num_deleted_literals);
  }
  unsigned num_variables() const
  {
    return _variables.size() - 1;
  }

  // 0 false, 1 true, 2 or 3 unassigned.
  unsigned literal_value(const CLitPoolElement &l)
  {
    return variable(l.var_index()).value() ^ l.var_sign();
  }

  // Stores the clause of n svars (repeats kept as given) in the groups of
  // gflag and watches two of its literals: the first and the last that are
  // not false, or else the false ones of highest level. Sets neither status
  // nor activity. Returns the new index, or -1 when the pool cannot be made
  // large enough (nothing is stored). Costs O(n), plus a compaction or a
  // move of the pool (O(pool + clause records + watches)) when it is full.
  ClauseIdx add_clause(const int *lits, int n, unsigned gflag);
  // The gflag of a clause added in group gid: no bit for the permanent
  // group 0, every bit for the volatile group -1, else bit gid - 1 (gid
  // 1..32).
  static unsigned gflag_of_gid(int gid);
  ClauseIdx new_clause_record();
  // Erases the clause's literals from the pool (entries become 0) and marks
  // it DELETED_CL; watch lists keep pointing at the erased entries until the
  // caller purges them or the pool is compacted.
  void mark_clause_deleted(CClause &clause);
  // Purges from both watch lists of every variable the entries erased by
  // mark_clause_deleted: each is replaced by the list's last entry and the
  // list shortened, so the order of the kept entries may change.
  // O(variables + watches).
  void purge_erased_watches();

  bool is_conflicting(ClauseIdx cl);
  bool is_satisfied(ClauseIdx cl);
  bool is_unit(ClauseIdx cl);
  // The svar of the only unassigned literal of a clause without a true
  // literal; 0 otherwise.
  int find_unit_literal(ClauseIdx cl);

  // Group ids 1..32; 0 is permanent and -1 volatile.
  int alloc_gid();
  void free_gid(int gid);
  bool is_gid_allocated(int gid);
  // Moves every live clause, and every level-0 fact, of group g2 into g1
  // and frees g2; the result is g1.
  int merge_clause_group(int g1, int g2);

  // Drops erased literals and the end markers of deleted clauses, and
  // rebuilds the watch lists and the live records' first-literal pointers.
  // O(pool + variables).
  void compact_lit_pool();
  // Makes more room in a full pool, by compaction when it frees at least
  // `room` entries and little of the pool is live, otherwise by growing the
  // storage. False when neither works (the pool is unchanged).
  bool enlarge_lit_pool(std::size_t room);
  double lit_pool_utilization();
  int mem_usage();
  int estimate_mem_usage();
  void set_mem_limit(int bytes)
  {
    _mem_limit = bytes;
  }

  void lit_pool_push_back(int value)
  {
    INVARIANT(_lit_pool_finish < _lit_pool_end_storage);
    _lit_pool_finish->val() = value;
    ++_lit_pool_finish;
  }
  void lit_pool_incr_size(int count)
  {
    _lit_pool_finish += count;
    INVARIANT(_lit_pool_finish <= _lit_pool_end_storage);
  }
  int lit_pool_size() const
  {
    return _lit_pool_finish - _lit_pool_start;
  }
  int lit_pool_free_space() const
  {
    return _lit_pool_end_storage - _lit_pool_finish;
  }
  CLitPoolElement *lit_pool_begin()
  {
    return _lit_pool_start;
  }
  CLitPoolElement *lit_pool_end()
  {
    return _lit_pool_finish;
  }
  CLitPoolElement &lit_pool_element(int i)
  {
    return _lit_pool_start[i];
  }

  void print_lit_pool_stats();
  void dump(std::ostream &os);
  void dump_clause(std::ostream &os, ClauseIdx cl);

protected:
  CDatabaseStats _stats;
  int _mem_limit = 0x40000000;
  unsigned _allocated_gid = 0;
  CLitPoolElement *_lit_pool_start;
  CLitPoolElement *_lit_pool_finish;
  CLitPoolElement *_lit_pool_end_storage;
  std::vector<CVariable> _variables;
  std::vector<CClause> _clauses;
  std::set<ClauseIdx> _unused_clause_idx;
  // Cursor of the decision step over the learned clauses, as a record
  // index (-1 none): an index stays valid while records are appended.
  ClauseIdx _top_unsat_cls = -1;

private:
  // Whether compaction keeps the entry at `position`, given the entry
  // before it in the old order.
  bool kept_by_compaction(int position, int previous_value);
  // The used size the pool would have after compaction.
  std::size_t compacted_size();
  bool grow_lit_pool(std::size_t capacity);
};

#endif

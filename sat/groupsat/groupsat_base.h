#ifndef MORVANE_SAT_GROUPSAT_GROUPSAT_BASE_H
#define MORVANE_SAT_GROUPSAT_GROUPSAT_BASE_H

// The records of the clause-learning engine: pool entries, clauses and
// variables, with their small inline operations, and the engine's fatal and
// warning printers and CPU clock.
//
// Literal numbering, shared by the whole engine: variables are 1..n (record
// 0 exists and stays empty); a signed variable `svar` is 2 * variable +
// sign, sign 1 for the negative literal, as literalt words are. A literal's
// value is the variable's value XOR its sign: 0 false, 1 true, 2 or 3
// unassigned.

#include "util/invariant.h"

#include <iosfwd>
#include <vector>

typedef int ClauseIdx;

const unsigned WORD_WIDTH = 32;

enum CLAUSE_STATUS
{
  ORIGINAL_CL = 0,
  CONFLICT_CL = 1,
  DELETED_CL = 2,
  NEW_CL = 4
};

// One entry of the literal pool. Positive: a literal, svar << 2, with the
// watch field in the two lowest bits (0 not watched, 1 watched and searching
// towards the clause start, 3 watched and searching towards the end).
// Non-positive: a clause-end marker holding minus the clause index; 0 also
// stands for an erased literal and for the pool's first, dummy entry.
class CLitPoolElement
{
public:
  int &val()
  {
    return _val;
  }
  int val() const
  {
    return _val;
  }

  int s_var() const
  {
    return _val >> 2;
  }
  unsigned var_index() const
  {
    return unsigned(_val) >> 3;
  }
  unsigned var_sign() const
  {
    return (unsigned(_val) >> 2) & 1;
  }

  // Stores svar as an unwatched literal.
  void set(int svar)
  {
    _val = svar << 2;
  }

  bool is_literal() const
  {
    return _val > 0;
  }
  bool is_watched() const
  {
    return (_val & 3) != 0;
  }
  // +1 when the watch searches towards the clause end, -1 towards the start.
  int direction() const
  {
    return (_val & 3) == 3 ? 1 : -1;
  }
  void set_watch(int direction)
  {
    _val = (_val & ~3) | (direction > 0 ? 3 : 1);
  }
  void unwatch()
  {
    _val &= ~3;
  }

  void set_clause_index(ClauseIdx index)
  {
    _val = -index;
  }
  ClauseIdx get_clause_index() const
  {
    INVARIANT(_val <= 0);
    return -_val;
  }

  // " -" or " +", the variable, and "*" when watched.
  void dump(std::ostream &os) const;

private:
  int _val;
};

class CClause
{
public:
  CLitPoolElement *&first_lit()
  {
    return _first_lit;
  }
  CLitPoolElement *literals()
  {
    return _first_lit;
  }
  CLitPoolElement &literal(int i)
  {
    return _first_lit[i];
  }
  unsigned &num_lits()
  {
    return _num_lits;
  }
  unsigned num_lits() const
  {
    return _num_lits;
  }

  unsigned status() const
  {
    return _status;
  }
  void set_status(unsigned status)
  {
    _status = status;
  }
  unsigned id() const
  {
    return _id;
  }
  void set_id(unsigned id)
  {
    _id = id;
  }

  unsigned &gflag()
  {
    return _gflag;
  }
  unsigned gflag() const
  {
    return _gflag;
  }
  bool gid(int i) const
  {
    INVARIANT(i >= 1 && i <= 32);
    return (_gflag >> (i - 1)) & 1;
  }
  void set_gid(int i)
  {
    INVARIANT(i >= 1 && i <= 32);
    _gflag |= 1u << (i - 1);
  }
  void clear_gid(int i)
  {
    INVARIANT(i >= 1 && i <= 32);
    _gflag &= ~(1u << (i - 1));
  }

  int &activity()
  {
    return _activity;
  }
  int &sat_lit_idx()
  {
    return _sat_lit_idx;
  }

  // A fresh record: status NEW_CL, no literals, in no group.
  void init(unsigned id)
  {
    _first_lit = nullptr;
    _num_lits = 0;
    _status = NEW_CL;
    _id = id;
    _gflag = 0;
    _activity = 0;
    _sat_lit_idx = 0;
  }

  // True, or stops at an assertion naming the broken rule; for live records.
  bool self_check();
  void dump(std::ostream &os);

private:
  CLitPoolElement *_first_lit;
  unsigned _num_lits;
  unsigned _status : 3;
  unsigned _id : 29;
  unsigned _gflag;
  int _activity;
  int _sat_lit_idx;
};

class CVariable
{
public:
  CVariable()
    : _value(2),
      _marked(0),
      _new_cl_phase(2),
      _enable_branch(1),
      _level0_learned(0),
      _antecedent(-1),
      _dlevel(-1),
      _assgn_stack_pos(-1),
      _lits_count{0, 0},
      _two_lits_count{0, 0},
      _scores{0, 0},
      _var_score_pos(-1),
      _level0_gflag(0)
  {
  }

  unsigned value() const
  {
    return _value;
  }
  void set_value(unsigned value)
  {
    _value = value;
  }
  bool is_marked() const
  {
    return _marked;
  }
  void set_marked()
  {
    _marked = 1;
  }
  void clear_marked()
  {
    _marked = 0;
  }
  unsigned new_cl_phase() const
  {
    return _new_cl_phase;
  }
  void set_new_cl_phase(unsigned phase)
  {
    _new_cl_phase = phase;
  }
  bool is_branchable() const
  {
    return _enable_branch;
  }
  void enable_branch()
  {
    _enable_branch = 1;
  }
  void disable_branch()
  {
    _enable_branch = 0;
  }

  int &antecedent()
  {
    return _antecedent;
  }
  int antecedent() const
  {
    return _antecedent;
  }
  int &dlevel()
  {
    return _dlevel;
  }
  int dlevel() const
  {
    return _dlevel;
  }
  int &assgn_stack_pos()
  {
    return _assgn_stack_pos;
  }
  int &lits_count(int sign)
  {
    return _lits_count[sign];
  }
  int &two_lits_count(int sign)
  {
    return _two_lits_count[sign];
  }
  std::vector<CLitPoolElement *> &watched(int sign)
  {
    return _watched[sign];
  }
  int &scores(int sign)
  {
    return _scores[sign];
  }
  int &var_score_pos()
  {
    return _var_score_pos;
  }
  // While the variable is assigned at level 0: the groups its value rests
  // on (those of its antecedent and of the level-0 values that antecedent
  // needs), 0 for a value chosen without antecedent. A level-0 fact lasts
  // only as long as these groups; clauses learned from it carry them.
  unsigned &level0_gflag()
  {
    return _level0_gflag;
  }
  unsigned level0_gflag() const
  {
    return _level0_gflag;
  }
  // While the variable is assigned at level 0: whether its value rests on
  // a learned clause, which a clean-up of the database may drop, so that
  // the value need not hold in a later solve.
  bool level0_learned() const
  {
    return _level0_learned;
  }
  void set_level0_learned(bool learned)
  {
    _level0_learned = learned;
  }

  // -1 at level 0, otherwise the larger of the two scores.
  int score() const
  {
    return _dlevel == 0 ? -1
                        : (_scores[0] > _scores[1] ? _scores[0] : _scores[1]);
  }

  bool self_check();
  void dump(std::ostream &os);

private:
  unsigned _value : 2;
  unsigned _marked : 1;
  unsigned _new_cl_phase : 2;
  unsigned _enable_branch : 1;
  unsigned _level0_learned : 1;
  int _antecedent;
  int _dlevel;
  int _assgn_stack_pos;
  int _lits_count[2];
  int _two_lits_count[2];
  std::vector<CLitPoolElement *> _watched[2];
  int _scores[2];
  int _var_score_pos;
  unsigned _level0_gflag;
};

// "***", " in FUNCTION", " at FILE", ":LINE" (each only when given), a blank
// and the printf-formatted message on standard error, no newline added,
// flushed. The fatal printer then ends the process with exit status 1.
[[noreturn]] void groupsat_fatal(
  const char *function,
  const char *file,
  int line,
  const char *format,
  ...) __attribute__((format(printf, 4, 5)));
void groupsat_warning(
  const char *function,
  const char *file,
  int line,
  const char *format,
  ...) __attribute__((format(printf, 4, 5)));

// Process CPU time (user and system) in seconds.
double get_cpu_time();

#endif

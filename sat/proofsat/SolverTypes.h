#ifndef MORVANE_SAT_PROOFSAT_SOLVERTYPES_H
#define MORVANE_SAT_PROOFSAT_SOLVERTYPES_H

// The engine's basic types: variables, literals, three-valued truth, clause
// ids and the clause block.

#include "sat/proofsat/Global.h"

#include <cstdint>
#include <climits>

// A variable number from 0; -1 stands for no variable.
typedef int Var;
const Var var_Undef = -1;

// A literal: 2 * var + sign, sign 1 when negated. The code is the same word
// as a literalt's, and indexes the literal's watcher list.
class Lit
{
  int x;

public:
  Lit() : x(-2)
  {
  }
  explicit Lit(Var var, bool sign = false) : x(var + var + int(sign))
  {
  }

  static Lit fromIndex(int code)
  {
    Lit p;
    p.x = code;
    return p;
  }

  friend int index(Lit p)
  {
    return p.x;
  }
  friend Var var(Lit p)
  {
    return p.x >> 1;
  }
  friend bool sign(Lit p)
  {
    return p.x & 1;
  }
  friend Lit operator~(Lit p)
  {
    return fromIndex(p.x ^ 1);
  }
  friend bool operator==(Lit p, Lit q)
  {
    return p.x == q.x;
  }
  friend bool operator!=(Lit p, Lit q)
  {
    return p.x != q.x;
  }
  friend bool operator<(Lit p, Lit q)
  {
    return p.x < q.x;
  }
};

const Lit lit_Undef;

// Three-valued truth: true 1, false -1, undefined 0.
class lbool
{
  int value;

public:
  explicit lbool(int v) : value(v)
  {
  }
  lbool() : value(0)
  {
  }
  lbool(bool b) : value(b ? 1 : -1)
  {
  }

  int toInt() const
  {
    return value;
  }
  // The form kept per variable in the engine's assignment.
  signed char toByte() const
  {
    return static_cast<signed char>(value);
  }
  bool operator==(lbool other) const
  {
    return value == other.value;
  }
  bool operator!=(lbool other) const
  {
    return value != other.value;
  }
  lbool operator~() const
  {
    return lbool(-value);
  }
};

const lbool l_True = lbool(1);
const lbool l_False = lbool(-1);
const lbool l_Undef = lbool(0);

// The number the proof log gives a recorded clause.
typedef int ClauseId;
const ClauseId ClauseId_NULL = INT_MIN;

// One allocation of 32-bit words: the header (size << 1 | learnt), the
// literals (the first two are watched), then the activity of a learnt
// clause, then the id when the clause has one.
class Clause
{
  uint32_t size_learnt;

  Clause(bool learnt, const vec<Lit> &ps)
      : size_learnt((uint32_t(ps.size()) << 1) | uint32_t(learnt))
  {
    for(int i = 0; i < ps.size(); i++)
      lits()[i] = ps[i];
    if(learnt)
      activity() = 0.0f;
  }

  Lit *lits()
  {
    return reinterpret_cast<Lit *>(this + 1);
  }
  const Lit *lits() const
  {
    return reinterpret_cast<const Lit *>(this + 1);
  }

public:
  // A clause made before a proof was attached has no id; with a proof
  // every clause has one.
  static Clause *create(bool learnt, const vec<Lit> &ps, ClauseId id)
  {
    bool has_id = id != ClauseId_NULL;
    std::size_t words = 1 + ps.size() + int(learnt) + int(has_id);
    void *block = xmalloc<uint32_t>(words);
    Clause *c = new(block) Clause(learnt, ps);
    if(has_id)
      *reinterpret_cast<ClauseId *>(c->lits() + ps.size() + int(learnt)) = id;
    return c;
  }

  // Frees the block made by create.
  static void destroy(Clause *c)
  {
    std::free(static_cast<void *>(c));
  }

  int size() const
  {
    return int(size_learnt >> 1);
  }
  bool learnt() const
  {
    return size_learnt & 1;
  }
  Lit &operator[](int i)
  {
    return lits()[i];
  }
  Lit operator[](int i) const
  {
    return lits()[i];
  }

  // Only for learnt clauses.
  float &activity()
  {
    return *reinterpret_cast<float *>(lits() + size());
  }

  // Only for clauses created with an id.
  ClauseId id() const
  {
    return *reinterpret_cast<const ClauseId *>(lits() + size() + int(learnt()));
  }
};

#endif

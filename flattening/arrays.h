#ifndef MORVANE_FLATTENING_ARRAYS_H
#define MORVANE_FLATTENING_ARRAYS_H

// The theory of arrays over uninterpreted reads. An array too large to
// flatten never gets bits as a whole: each read of it is a fresh value,
// recorded as an application of the array to the index. Array expressions
// that meet in equalities, updates ("with") and choices ("if") fall into
// classes; post_process collects, per class, the indices at which its
// arrays are read and adds element-wise constraints at exactly those
// indices. The function constraints that follow then make all reads of one
// array agree. There is no extensionality: a false array equality forces
// no difference between the arrays.
//
// Arrays whose elements are arrays: the constraints of the outer arrays
// read and equate elements that are arrays themselves, and reads of one
// array at equal indices make equal arrays; those elements then need
// constraints of their own. The passes therefore run in rounds, each
// adding only what no earlier round of this post_process added, until a
// round adds nothing.
//
// Cost per class with k read indices: k clauses per equality, k (or fewer)
// clauses per "with", 2k per "if", k per "array_of".
//
// Malformed expressions are reported by thrown texts; whatever was
// recorded before the throw stays recorded.

#include "flattening/functions.h"
#include "util/union_find.h"

#include <list>
#include <map>
#include <set>

class arrayst : public functionst
{
public:
  explicit arrayst(propt &_prop) : functionst(_prop)
  {
  }

  struct array_equalityt
  {
    literalt l;
    exprt f1, f2;
  };

  // Array constraints, function constraints, equality constraints, then
  // the base: the array constraints create reads the function constraints
  // must cover, and both create equalities that must exist before those
  // are encoded.
  void post_process() override;

  // The literal of an "=" between two arrays of one type; its operands
  // join one class.
  virtual literalt record_array_equality(const exprt &equality);
  // All array constraints, with the function constraints of reads that
  // yield arrays; runs again, in full, at every post_process.
  virtual void add_array_constraints_all();
  virtual void add_array_constraints(const array_equalityt &equality);

protected:
  typedef std::set<exprt, irep_less> index_sett;

  // Puts the expression and the arrays it is built from into classes.
  void collect_arrays(const exprt &array);
  // Index sets from the reads recorded for the arrays of each class.
  void build_index_map();
  void constrain_array_expr(const exprt &array);
  void add_array_constraints_with(const exprt &expr);
  void add_array_constraints_if(const exprt &expr);
  void add_array_constraints_array_of(const exprt &expr);
  // Skips reads that yield arrays: add_array_constraints_all took them.
  void add_function_constraints(const applicationst &applications) override;

  std::list<array_equalityt> array_equalities;
  union_find<exprt> array_classes;
  // Keyed by the representative of each class.
  std::map<exprt, index_sett, irep_less> index_map;

private:
  // The index set of the array's class, made empty when it has none.
  index_sett &index_set(const exprt &array);
  // An update, choice or constant array that is read takes part in the
  // theory even when no array equality mentions it.
  void collect_read_arrays();
  literalt convert_equal(const exprt &lhs, const exprt &rhs);
  // One round: the classes, index sets and constraints as far as known.
  void add_array_constraints_round();
  // Equal indices make equal arrays, for every two reads of one array
  // whose elements are arrays.
  void add_array_read_constraints();
  // Whether the constraint of a subject (an array, an equality, a pair of
  // reads) at an index is new to this post_process; it counts as added.
  bool first_time(const exprt &subject, const exprt &index);
  // Grows with every array, equality, read and constraint a round adds.
  std::size_t theory_size() const;

  // Keys of the constraints added in this post_process (see first_time).
  std::set<exprt, irep_less> constrained;
};

#endif

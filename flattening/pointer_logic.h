#ifndef MORVANE_FLATTENING_POINTER_LOGIC_H
#define MORVANE_FLATTENING_POINTER_LOGIC_H

// The objects that pointers may point to, numbered densely in the order in
// which they are first added, and the way back from an object number and
// an offset to a pointer expression. Number 0 is the NULL object and 1 the
// INVALID object, both there from construction on; an object keeps its
// number for the life of the numbering.
//
// Offsets are in the units of pointer_offset_size: a scalar is 1, an array
// its element size times its element count, and a structure or union 1 for
// itself plus its components, the first of which starts at offset 1.

#include "util/expr.h"
#include "util/hash_containers.h"
#include "util/mp_integer.h"
#include "util/type.h"

#include <vector>

class pointer_logict
{
public:
  // A decoded pointer: an object number and an offset into the object,
  // which may be negative.
  struct pointert
  {
    pointert() = default;
    pointert(unsigned _object, const mp_integer &_offset)
      : object(_object), offset(_offset)
    {
    }
    unsigned object = 0;
    mp_integer offset;
  };

  pointer_logict();
  virtual ~pointer_logict() = default;

  // The number of the object, numbering it when new. Objects that differ
  // only in comments are one object. Costs one hash lookup.
  unsigned add_object(const exprt &expr);

  // A pointer of `type` to the start of object `object`: the constant
  // "NULL" or "INVALID" for the two fixed objects, "INVALID-<n>" for a
  // number never given out, else the address of the object ("reference_to"
  // for a "reference" type, "implicit_address_of" for an array object,
  // "address_of" otherwise).
  virtual void
  pointer_expr(unsigned object, const typet &type, exprt &dest) const;

  // A pointer of `type` to the element or component of the object that
  // holds the offset, plus ("+", an "integer" constant) what remains of the
  // offset inside it; a "reference_to" never carries a remainder. An
  // offset that cannot be placed (negative, or into an element or
  // component of size 0) leaves a nil object inside the address.
  virtual void
  pointer_expr(const pointert &pointer, const typet &type, exprt &dest) const;

  // Descends from `expr` into the element or component that holds
  // `offset`; `rest` becomes what remains of the offset inside it.
  // `type` is handed down unchanged.
  void pointer_expr_rec(
    const mp_integer &offset,
    const typet &type,
    exprt &expr,
    mp_integer &rest) const;

  // The count of objects numbered so far, NULL and INVALID included, and
  // the object of a number below it.
  unsigned number_of_objects() const
  {
    return static_cast<unsigned>(numbered.size());
  }
  const exprt &object_of(unsigned number) const
  {
    return numbered[number];
  }

  unsigned null_object;
  unsigned invalid_object;

private:
  typedef hash_mapt<exprt, unsigned, irep_hash> objectst;
  objectst objects;
  // The objects by number, so that reading a pointer back does not walk
  // the map.
  std::vector<exprt> numbered;
};

#endif

#ifndef MORVANE_FLATTENING_EQUALITY_H
#define MORVANE_FLATTENING_EQUALITY_H

// Equalities between values of one non-Boolean type, decided without
// looking inside the values. Each equality is a free literal while
// constraints are built; post_process gives every value met a code of
// fresh variables and makes each equality literal equivalent to the
// equality of the two codes, so equality stays reflexive, symmetric and
// transitive in every model.
//
// Cost per type with n values: k = bit length of n variables per value,
// and k equivalences plus one conjunction per recorded pair.

#include "flattening/prop_conv.h"

#include <map>
#include <utility>

class equalityt : public prop_convt
{
public:
  explicit equalityt(propt &_prop) : prop_convt(_prop), type_values(100)
  {
  }

  // The literal of a = b; a = b and b = a share one literal. Equal
  // expressions (comments ignored) give the constant true. Throws for
  // operands of different types and for Boolean operands.
  virtual literalt equal_exprs(const exprt &a, const exprt &b);
  // As equal_exprs, but (a, b) and (b, a) are different pairs.
  virtual literalt equal_exprs_ordered(const exprt &a, const exprt &b);

  void post_process() override;

protected:
  struct type_valuest
  {
    type_valuest() : value_numbers(100)
    {
    }

    // Numbers 0, 1, 2, ... in the order the values were first met.
    hash_mapt<exprt, unsigned, irep_hash> value_numbers;
    std::map<std::pair<unsigned, unsigned>, literalt> pair_literals;
  };

  virtual void add_equality_constraints_all();
  // Fresh codes for the values of one type, tied to its equality literals.
  // Runs at every solve, with new codes each time.
  virtual void encode_type_equalities(type_valuest &values);

  hash_mapt<typet, type_valuest, irep_hash> type_values;

private:
  static unsigned value_number(type_valuest &values, const exprt &value);
};

#endif

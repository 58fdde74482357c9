#ifndef MORVANE_FLATTENING_INDEX_EQUALITY_H
#define MORVANE_FLATTENING_INDEX_EQUALITY_H

// The "=" of two indices (or function arguments) that holds exactly when
// they are one number. Of different "signedbv"/"unsignedbv" types, both are
// widened to a type that holds every value of each: casting one to the
// other's type would wrap (19 in 8 bits onto 3 in 4 bits) or reinterpret
// (the signed 4-bit -1 as the unsigned 15). Of one type, the operands are
// taken as they are; of other differing types, the second is cast to the
// type of the first.

#include "util/expr.h"

exprt index_equality(const exprt &lhs, const exprt &rhs);

#endif

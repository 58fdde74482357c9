#ifndef MORVANE_FLATTENING_FIXEDBV_FRACTION_H
#define MORVANE_FLATTENING_FIXEDBV_FRACTION_H

#include "util/type.h"

// The fraction bits of a "fixedbv" type: its "width" less its
// "integer_bits" (both decimal), or half the width when "integer_bits" is
// empty or absent. Integer bits outside 0 .. width are taken as the
// nearer bound, so the fraction never exceeds the width.
unsigned fixedbv_fraction_bits(const typet &type);

// The same fraction bits in `fraction`; false when the integer bits are
// absent or lie within 0 .. width, true when they had to be bounded.
bool fixedbv_fraction_bits(const typet &type, unsigned &fraction);

#endif

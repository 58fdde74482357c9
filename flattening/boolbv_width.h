#ifndef MORVANE_FLATTENING_BOOLBV_WIDTH_H
#define MORVANE_FLATTENING_BOOLBV_WIDTH_H

// The number of bits a value of a type occupies when flattened, decided
// by the type alone. Element and component types are asked through the
// virtual get_width, so a derived class that gives further types a width
// (pointers) is asked inside arrays, structures and unions too.

#include "util/type.h"

class boolbv_widtht
{
public:
  virtual ~boolbv_widtht() = default;

  // False with `width` set on success; true when the type has no width,
  // `width` then being meaningless. A width that does not fit in 32 bits
  // counts as no width, as does a "width" attribute that read_width
  // rejects (negative, or above 2^31 - 1).
  //
  // "bool" 1; "signedbv", "unsignedbv", "floatbv", "fixedbv", "bv",
  // "c_enum", "incomplete_c_enum" their "width"; "verilogbv" twice its
  // "width"; "range" the bits that number its to - from + 1 values (at
  // least two); "array" the element width times a constant "size" (0 for
  // any other size); "struct" the sum of its components' widths; "union"
  // its widest component plus the bits that number its components; "enum"
  // the bits that number its "elements"; "code" 0. Any other type
  // ("pointer", "integer", "symbol", ...) has none.
  virtual bool get_width(const typet &type, unsigned &width);
};

// get_width of a temporary boolbv_widtht.
bool width_of_type(const typet &type, unsigned &width);

#endif

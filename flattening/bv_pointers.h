#ifndef MORVANE_FLATTENING_BV_POINTERS_H
#define MORVANE_FLATTENING_BV_POINTERS_H

// The complete decision procedure over bit-vectors, arrays and pointers:
// the bit-vector flattening with pointer-typed expressions added. A
// pointer is `bits` literals: the offset into its object (two's
// complement) in the low `offset_bits`, the object number (unsigned) in
// the 8 bits above. Objects are numbered by pointer_logic: 0 is NULL and 1
// INVALID, so the null pointer is all constant false. Offsets count in the
// units of pointer_offset_size.
//
// Pointer arithmetic moves the offset only: adding or subtracting an
// integer (scaled by the element size) wraps within the offset bits and
// never reaches the object number. Relations compare the whole vectors
// unsigned, object number first.
//
// "is_dynamic_object" tests get a fresh literal each; every solve ties
// them to every object numbered by then (dynamic objects: a type flagged
// "#dynamic", or a symbol whose identifier begins with "symex_dynamic::").
//
// Malformed pointer expressions are thrown as text (std::string where the
// text embeds an id); an expression that cannot be converted gets free
// bits after a warning, as in the flattening core.

#include "flattening/boolbv.h"
#include "flattening/pointer_logic.h"

#include <list>

class bv_pointerst : public boolbvt
{
public:
  // Reads the pointer width of the configuration once. The back end is
  // not owned and must outlive the procedure.
  explicit bv_pointerst(propt &_prop);

  // The dynamic-object tests after the theory passes.
  void post_process() override;

  bool convert_vector_expr(const exprt &expr, bvt &bv) override;

  // "pointer" and "reference" are `bits` wide, also inside arrays,
  // structures and unions; everything else as in the flattening core.
  bool get_width(const typet &type, unsigned &width) override;

protected:
  pointer_logict pointer_logic;
  const unsigned object_bits;
  const unsigned offset_bits;
  const unsigned bits;

  struct postponedt
  {
    // The object bits of the tested pointer.
    bvt bv;
    // The literal that stands for the test.
    literalt result;
    // The objects tied to the test so far, in numbering order.
    unsigned objects_done = 0;
  };
  std::list<postponedt> postponed_list;

  literalt convert_rest(const exprt &expr) override;
  void bv_get_rec(
    const bvt &bv,
    const std::vector<bool> &unknown,
    unsigned offset,
    const typet &type,
    exprt &dest) const override;

  // The bits of a "pointer" or "reference" typed expression; throws for
  // any other type.
  virtual bool convert_pointer_type(const exprt &expr, bvt &bv);
  // Numbers the object and gives its code; throws "too many variables"
  // once the numbers outgrow the object bits.
  virtual void register_object(const exprt &expr, bvt &bv);

  // The code of object n: offset all false, object bits from n.
  void encode_object_bits(unsigned n, bvt &bv) const;
  // The pointer to an object, element or component expression.
  bool convert_address_expr(const exprt &expr, bvt &bv);
  // Adds factor times the index (extended or cut to the offset) to the
  // pointer's offset.
  bool add_scaled_index(bvt &bv, const mp_integer &factor, const exprt &index);
  // Adds factor times the index bits, `offset_bits` of them, to the
  // pointer's offset, wrapping within the offset.
  void
  add_scaled_index_bits(bvt &bv, const mp_integer &factor, const bvt &index);
  // Adds a constant to the pointer's offset, wrapping within the offset.
  void add_offset_constant(bvt &bv, const mp_integer &constant);
  // Ties the test to the objects numbered since it was last processed.
  void process_dynamic_objects(postponedt &postponed);

private:
  // "+" and "-" of a pointer and integers.
  bool convert_pointer_sum(const exprt &expr, bvt &bv);
  bool convert_pointer_difference(const exprt &expr, bvt &bv);
  // The integer operand's bits extended to the offset width; true when
  // the operand is not an integer or cannot be converted, and throws for
  // a width of 0 or beyond the offset.
  bool convert_offset_operand(const exprt &operand, bvt &offset);
  // pointer - pointer, "pointer_offset", "pointer_object" and casts to
  // integers.
  bool convert_pointer_integer(const exprt &expr, bvt &bv);
  // The object bits of object n's code.
  bvt object_code(unsigned n) const;
  // The object bits of a pointer.
  bvt object_part(const bvt &pointer) const;
};

#endif

#ifndef MORVANE_FLATTENING_BV_UTILS_H
#define MORVANE_FLATTENING_BV_UTILS_H

// The arithmetic, shift, comparison, selection and equality circuits of
// the flattening, built from the gates of a propositional back end. A bit
// vector has bit 0 (least significant) first; for two's-complement values
// the last bit is the sign. Two-operand circuits need operands of equal
// width (not checked except where an invariant says so), and circuits that
// read a top bit need a width of at least 1. A bvt& argument is read and
// overwritten in place.
//
// Cost: adders, comparators, selection and equality are linear in the
// width, the shifter is width times the number of distance bits, the
// multipliers and dividers quadratic. Constant literals are looked at only
// to avoid gates: constant-false shift-distance bits and multiplier bits
// create nothing, and a multiplier lets an entirely constant operand decide
// which partial products exist.

#include "propositional/prop.h"

class bv_utilst
{
public:
  // Not owned; every gate and constraint is made in it.
  explicit bv_utilst(propt &_prop) : prop(_prop)
  {
  }

  enum shiftt
  {
    SHIFT_LEFT = 0,
    SHIFT_LOGICAL_RIGHT = 1,
    SHIFT_ARITHMETIC_RIGHT = 2
  };

  // Every literal constant (true for the empty vector); makes nothing.
  static bool is_constant(const bvt &bv);

  void inverter(bvt &bv);
  // bv + carry_in in place.
  void incrementer(bvt &bv, literalt carry_in, literalt &carry_out);
  // Two's-complement negation; the most negative value stays itself.
  void negate(bvt &bv);
  // The majority of the three.
  literalt carry(literalt a, literalt b, literalt c);

  // Ripple-carry sum + (op, or NOT op when invert_op) + carry_in; with
  // carry_only just the carry chain is built and sum stays unchanged.
  void adder(
    bvt &sum,
    const bvt &op,
    bool invert_op,
    literalt carry_in,
    literalt &carry_out,
    bool carry_only);
  // sum + op or sum - op, modulo 2^width.
  void add_sub(bvt &sum, const bvt &op, bool subtract);
  // As add_sub, constrained not to overflow as signed or unsigned numbers.
  void adder_no_overflow(
    bvt &sum,
    const bvt &op,
    bool subtract,
    bool is_signed);
  void unsigned_adder_no_overflow(bvt &sum, const bvt &op);

  // True exactly for 1 followed by zeros.
  literalt is_most_negative(const bvt &bv);
  // Constrains bv not to be the most negative value, then negates.
  void negate_no_overflow(bvt &bv);
  // -bv where cond holds, bv elsewhere.
  void cond_negate(bvt &bv, literalt cond);
  void cond_negate_no_overflow(bvt &bv, literalt cond);

  // Barrel shifter by the unsigned number in distance. A distance of the
  // width or more shifts every bit out: all false, or all copies of the
  // sign for an arithmetic right shift.
  void shifter(shiftt kind, bvt &bv, const bvt &distance);

  // op0 < op1, or op0 <= op1 when allow_equal.
  literalt comparator(
    bool allow_equal,
    const bvt &op0,
    const bvt &op1,
    bool is_signed);

  // Bitwise if cond then op1 else op2; equal widths required.
  bvt bv_if(literalt cond, const bvt &op1, const bvt &op2);
  // All bits pairwise equal; equal widths required.
  literalt equal(const bvt &op0, const bvt &op1);

  // Products modulo 2^width into op0.
  void unsigned_multiplier(bvt &op0, const bvt &op1);
  void signed_multiplier(bvt &op0, const bvt &op1);
  void multiplier(bvt &op0, const bvt &op1, bool is_signed);

  // Products constrained to fit the width exactly: for the signed one, the
  // true product must lie in -2^(width-1) .. 2^(width-1)-1.
  void unsigned_multiplier_no_overflow(
    const bvt &op0,
    const bvt &op1,
    bvt &result);
  void unsigned_multiplier_no_overflow(bvt &op0, const bvt &op1);
  void signed_multiplier_no_overflow(bvt &op0, const bvt &op1);
  void multiplier_no_overflow(bvt &op0, const bvt &op1, bool is_signed);

  // Fresh quotient and remainder tied to op0 and op1 by the division
  // identity when op1 is not zero; a zero divisor leaves both free. The
  // signed form truncates towards zero, the remainder taking the
  // dividend's sign. The back end must accept constraints.
  void unsigned_divider(
    const bvt &op0,
    const bvt &op1,
    bvt &quotient,
    bvt &remainder);
  void signed_divider(
    const bvt &op0,
    const bvt &op1,
    bvt &quotient,
    bvt &remainder);
  void divider(
    const bvt &op0,
    const bvt &op1,
    bvt &quotient,
    bvt &remainder,
    bool is_signed);

private:
  propt &prop;

  // i FALSE literals followed by op[j - i] AND bit for j = i .. width - 1.
  bvt partial_product(const bvt &op, literalt bit, std::size_t i);
};

#endif

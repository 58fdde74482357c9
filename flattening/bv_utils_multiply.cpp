#include "flattening/bv_utils.h"

#include "util/invariant.h"

#include <utility>

bvt bv_utilst::partial_product(const bvt &op, literalt bit, std::size_t i)
{
  bvt partial(i, const_literal(false));
  partial.reserve(op.size());
  for(std::size_t j = i; j < op.size(); ++j)
    partial.push_back(prop.land(op[j - i], bit));
  return partial;
}

void bv_utilst::unsigned_multiplier(bvt &op0, const bvt &op1)
{
  // Shift and add; a constant operand decides which partial products
  // exist, so a constant factor costs one adder per set bit.
  bvt a = op0;
  bvt b = op1;
  if(is_constant(b))
    std::swap(a, b);

  for(literalt &l : op0)
    l = const_literal(false);
  for(std::size_t i = 0; i < a.size(); ++i)
    if(!a[i].is_false())
      add_sub(op0, partial_product(b, a[i], i), false);
}

void bv_utilst::signed_multiplier(bvt &op0, const bvt &op1)
{
  if(op0.empty() || op1.empty())
    return;
  bvt b = op1;
  const literalt sign0 = op0.back();
  const literalt sign1 = b.back();
  cond_negate(op0, sign0);
  cond_negate(b, sign1);
  unsigned_multiplier(op0, b);
  cond_negate(op0, prop.lxor(sign0, sign1));
}

void bv_utilst::multiplier(bvt &op0, const bvt &op1, bool is_signed)
{
  if(is_signed)
    signed_multiplier(op0, op1);
  else
    unsigned_multiplier(op0, op1);
}

void bv_utilst::unsigned_multiplier_no_overflow(
  const bvt &_op0,
  const bvt &_op1,
  bvt &result)
{
  INVARIANT(_op0.size()==_op1.size());
  bvt a = _op0;
  bvt b = _op1;
  if(is_constant(b))
    std::swap(a, b);

  const std::size_t width = a.size();
  result.assign(width, const_literal(false));
  for(std::size_t i = 0; i < width; ++i)
  {
    if(a[i].is_false())
      continue;
    unsigned_adder_no_overflow(result, partial_product(b, a[i], i));
    // No bit of the partial product may be shifted out of the width.
    for(std::size_t k = width - i; k < width; ++k)
      prop.l_set_to(prop.land(b[k], a[i]), false);
  }
}

void bv_utilst::unsigned_multiplier_no_overflow(bvt &op0, const bvt &op1)
{
  const bvt factor = op0;
  unsigned_multiplier_no_overflow(factor, op1, op0);
}

void bv_utilst::signed_multiplier_no_overflow(bvt &op0, const bvt &op1)
{
  if(op0.empty() || op1.empty())
    return;
  bvt b = op1;
  const literalt sign0 = op0.back();
  const literalt sign1 = b.back();
  // Magnitudes as unsigned numbers: the most negative value becomes
  // 2^(width-1), which the unsigned product handles exactly.
  cond_negate(op0, sign0);
  cond_negate(b, sign1);
  unsigned_multiplier_no_overflow(op0, b);

  // The magnitude of the product must stay below 2^(width-1), or equal it
  // when the product is negative: -2^(width-1) is representable.
  const literalt negative = prop.lxor(sign0, sign1);
  prop.l_set_to(
    prop.limplies(op0.back(), prop.land(negative, is_most_negative(op0))),
    true);
  cond_negate(op0, negative);
}

void bv_utilst::multiplier_no_overflow(bvt &op0, const bvt &op1, bool is_signed)
{
  if(is_signed)
    signed_multiplier_no_overflow(op0, op1);
  else
    unsigned_multiplier_no_overflow(op0, op1);
}

void bv_utilst::unsigned_divider(
  const bvt &op0,
  const bvt &op1,
  bvt &quotient,
  bvt &remainder)
{
  const std::size_t n = op0.size();
  const literalt divisor_not_zero = prop.lor(op1);

  quotient.resize(n);
  remainder.resize(n);
  for(std::size_t i = 0; i < n; ++i)
  {
    quotient[i] = prop.new_variable();
    remainder[i] = prop.new_variable();
  }

  // quotient * divisor + remainder without overflow: with a zero divisor
  // this holds for every quotient and remainder, which stay free.
  bvt product;
  unsigned_multiplier_no_overflow(quotient, op1, product);
  bvt sum = product;
  unsigned_adder_no_overflow(sum, remainder);

  prop.l_set_to(prop.limplies(divisor_not_zero, equal(sum, op0)), true);
  prop.l_set_to(
    prop.limplies(divisor_not_zero, comparator(false, remainder, op1, false)),
    true);
  prop.l_set_to(
    prop.limplies(divisor_not_zero, comparator(true, quotient, op0, false)),
    true);
}

void bv_utilst::signed_divider(
  const bvt &op0,
  const bvt &op1,
  bvt &quotient,
  bvt &remainder)
{
  if(op0.empty() || op1.empty())
    return;

  // Divide the magnitudes; the most negative value stands for 2^(n-1).
  bvt a = op0;
  bvt b = op1;
  const literalt sign0 = a.back();
  const literalt sign1 = b.back();
  bvt negated_a = a;
  negate(negated_a);
  bvt negated_b = b;
  negate(negated_b);
  for(std::size_t i = 0; i < a.size(); ++i)
    a[i] = prop.lselect(sign0, negated_a[i], a[i]);
  for(std::size_t i = 0; i < b.size(); ++i)
    b[i] = prop.lselect(sign1, negated_b[i], b[i]);

  unsigned_divider(a, b, quotient, remainder);

  // Truncation towards zero: the quotient is negative when the signs
  // differ, the remainder takes the dividend's sign.
  cond_negate(quotient, prop.lxor(sign0, sign1));
  cond_negate(remainder, sign0);
}

void bv_utilst::divider(
  const bvt &op0,
  const bvt &op1,
  bvt &quotient,
  bvt &remainder,
  bool is_signed)
{
  INVARIANT(prop.has_set_to());
  if(is_signed)
    signed_divider(op0, op1, quotient, remainder);
  else
    unsigned_divider(op0, op1, quotient, remainder);
}

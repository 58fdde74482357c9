#include "flattening/bv_utils.h"

#include "util/invariant.h"

bool bv_utilst::is_constant(const bvt &bv)
{
  for(literalt l : bv)
    if(!l.is_constant())
      return false;
  return true;
}

void bv_utilst::inverter(bvt &bv)
{
  for(literalt &l : bv)
    l = prop.lnot(l);
}

void bv_utilst::incrementer(bvt &bv, literalt carry_in, literalt &carry_out)
{
  carry_out = carry_in;
  for(literalt &l : bv)
  {
    literalt next_carry = prop.land(carry_out, l);
    l = prop.lxor(l, carry_out);
    carry_out = next_carry;
  }
}

void bv_utilst::negate(bvt &bv)
{
  inverter(bv);
  literalt carry_out;
  incrementer(bv, const_literal(true), carry_out);
}

literalt bv_utilst::carry(literalt a, literalt b, literalt c)
{
  bvt pairs(3);
  pairs[0] = prop.land(a, b);
  pairs[1] = prop.land(a, c);
  pairs[2] = prop.land(b, c);
  return prop.lor(pairs);
}

void bv_utilst::adder(
  bvt &sum,
  const bvt &op,
  bool invert_op,
  literalt carry_in,
  literalt &carry_out,
  bool carry_only)
{
  carry_out = carry_in;
  for(std::size_t i = 0; i < sum.size(); ++i)
  {
    literalt x = sum[i];
    literalt a = invert_op ? prop.lnot(op[i]) : op[i];
    if(!carry_only)
      sum[i] = prop.lxor(prop.lxor(x, a), carry_out);
    carry_out = carry(x, a, carry_out);
  }
}

void bv_utilst::add_sub(bvt &sum, const bvt &op, bool subtract)
{
  literalt carry_out;
  adder(sum, op, subtract, const_literal(subtract), carry_out, false);
}

void bv_utilst::unsigned_adder_no_overflow(bvt &sum, const bvt &op)
{
  literalt carry_out = const_literal(false);
  for(std::size_t i = 0; i < sum.size(); ++i)
  {
    literalt x = sum[i];
    sum[i] = prop.lxor(prop.lxor(x, op[i]), carry_out);
    carry_out = carry(x, op[i], carry_out);
  }
  prop.l_set_to(carry_out, false);
}

void bv_utilst::adder_no_overflow(
  bvt &sum,
  const bvt &op,
  bool subtract,
  bool is_signed)
{
  literalt carry_out;
  if(!is_signed)
  {
    // An addition may not carry out of the top bit; a subtraction must,
    // as a missing carry is a borrow.
    adder(sum, op, subtract, const_literal(subtract), carry_out, false);
    prop.l_set_to(carry_out, subtract);
    return;
  }

  // Overflow: the two addends (op's sign inverted for a subtraction) have
  // one sign and the result's sign differs from the first operand's.
  literalt old_sign = sum.back();
  literalt same_sign = prop.lequal(sum.back(), op.back());
  if(subtract)
    same_sign = prop.lnot(same_sign);
  adder(sum, op, subtract, const_literal(subtract), carry_out, false);
  prop.l_set_to(
    prop.land(same_sign, prop.lxor(sum.back(), old_sign)), false);
}

literalt bv_utilst::is_most_negative(const bvt &bv)
{
  bvt rest(bv.begin(), bv.end() - 1);
  return prop.land(bv.back(), prop.lnot(prop.lor(rest)));
}

void bv_utilst::negate_no_overflow(bvt &bv)
{
  prop.l_set_to(is_most_negative(bv), false);
  negate(bv);
}

void bv_utilst::cond_negate(bvt &bv, literalt cond)
{
  bvt negated = bv;
  negate(negated);
  for(std::size_t i = 0; i < bv.size(); ++i)
    bv[i] = prop.lselect(cond, negated[i], bv[i]);
}

void bv_utilst::cond_negate_no_overflow(bvt &bv, literalt cond)
{
  literalt most_negative = is_most_negative(bv);
  prop.l_set_to(prop.limplies(cond, prop.lnot(most_negative)), true);
  cond_negate(bv, cond);
}

// The bit that lands at position p when `before` is shifted by d.
static literalt shifted_in(
  bv_utilst::shiftt kind,
  const bvt &before,
  std::size_t p,
  std::size_t d)
{
  const std::size_t n = before.size();
  switch(kind)
  {
  case bv_utilst::SHIFT_LEFT:
    return p < d ? const_literal(false) : before[p - d];
  case bv_utilst::SHIFT_LOGICAL_RIGHT:
    return p + d < n ? before[p + d] : const_literal(false);
  case bv_utilst::SHIFT_ARITHMETIC_RIGHT:
    return p + d < n ? before[p + d] : before[n - 1];
  }
  INVARIANT(false);
}

void bv_utilst::shifter(shiftt kind, bvt &bv, const bvt &distance)
{
  const std::size_t n = bv.size();

  // One stage per distance bit of weight below the width.
  std::size_t stage = 0;
  for(std::size_t d = 1; stage < distance.size() && d < n; ++stage, d *= 2)
  {
    if(distance[stage].is_false())
      continue;
    const bvt before = bv;
    for(std::size_t p = 0; p < n; ++p)
      bv[p] = prop.lselect(
        distance[stage], shifted_in(kind, before, p, d), before[p]);
  }

  // Any remaining distance bit weighs the width or more: set, it shifts
  // every bit out, whatever the lower bits say.
  bvt out_bits;
  for(; stage < distance.size(); ++stage)
    if(!distance[stage].is_false())
      out_bits.push_back(distance[stage]);
  if(out_bits.empty() || n == 0)
    return;
  const literalt all_out = prop.lor(out_bits);
  const bvt before = bv;
  for(std::size_t p = 0; p < n; ++p)
    bv[p] = prop.lselect(all_out, shifted_in(kind, before, p, n), before[p]);
}

literalt bv_utilst::comparator(
  bool allow_equal,
  const bvt &op0,
  const bvt &op1,
  bool is_signed)
{
  // op0 - op1 = op0 + NOT op1 + 1; no carry out means a borrow.
  literalt carry_out;
  bvt difference = op0;
  adder(difference, op1, true, const_literal(true), carry_out, !allow_equal);

  literalt result = is_signed
    ? prop.lxor(prop.lequal(op0.back(), op1.back()), carry_out)
    : prop.lnot(carry_out);
  if(allow_equal)
    result = prop.lor(result, prop.lnot(prop.lor(difference)));
  return result;
}

bvt bv_utilst::bv_if(literalt cond, const bvt &op1, const bvt &op2)
{
  INVARIANT(op1.size()==op2.size());
  bvt result(op1.size());
  for(std::size_t i = 0; i < result.size(); ++i)
    result[i] = prop.lselect(cond, op1[i], op2[i]);
  return result;
}

literalt bv_utilst::equal(const bvt &op0, const bvt &op1)
{
  INVARIANT(op0.size()==op1.size());
  bvt equal_bits(op0.size());
  for(std::size_t i = 0; i < op0.size(); ++i)
    equal_bits[i] = prop.lequal(op0[i], op1[i]);
  return prop.land(equal_bits);
}

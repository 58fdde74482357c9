#include "flattening/boolbv.h"

namespace
{
bool is_integer_kind(bv_kindt kind)
{
  return kind == BV_KIND_SIGNED || kind == BV_KIND_UNSIGNED;
}
} // namespace

bool boolbvt::convert_unary_minus(const exprt &expr, bvt &bv)
{
  unsigned width;
  if(get_width(expr.type(), width))
    return true;
  if(expr.operands().size() != 1)
    throw "unary minus takes one operand";

  bvt op;
  if(convert_cached(expr.op0(), op))
    return true;
  if(op.empty())
    return true;

  // The result takes the operand's width; the two kinds need only agree
  // on being integers or both fixed-point.
  const bv_kindt kind = classify_bv_type(expr.type());
  const bv_kindt operand_kind = classify_bv_type(expr.op0().type());
  const bool fixed = kind == BV_KIND_FIXED && operand_kind == BV_KIND_FIXED;
  if(!fixed && !(is_integer_kind(kind) && is_integer_kind(operand_kind)))
    return true;

  if(expr.id() == ID_no_overflow_unary_minus)
    bv_utils.negate_no_overflow(op);
  else
    bv_utils.negate(op);
  bv = op;
  return false;
}

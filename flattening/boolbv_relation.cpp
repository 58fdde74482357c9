#include "flattening/boolbv.h"

literalt boolbvt::convert_relation(const exprt &expr)
{
  if(expr.operands().size() != 2)
    return prop_convt::convert_rest(expr);
  const exprt &op0 = expr.op0();
  const exprt &op1 = expr.op1();
  bvt b0, b1;
  if(convert_cached(op0, b0) || convert_cached(op1, b1))
    return prop_convt::convert_rest(expr);

  const bv_kindt kind = classify_bv_type(op0.type());
  if(
    b0.size() != b1.size() || b0.empty() ||
    kind != classify_bv_type(op1.type()))
    return prop_convt::convert_rest(expr);
  // Ranges compare only within one type, as unsigned offsets.
  const bool equal_ranges = op0.type().id() == ID_range &&
                            op0.type() == op1.type();
  if(
    !equal_ranges && kind != BV_KIND_SIGNED && kind != BV_KIND_UNSIGNED &&
    kind != BV_KIND_FIXED)
    return prop_convt::convert_rest(expr);

  const dstring &id = expr.id();
  const bool allow_equal = id == ID_le || id == ID_ge;
  const bool is_signed = kind == BV_KIND_SIGNED || kind == BV_KIND_FIXED;
  literalt result;
  if(id == ID_le || id == ID_lt)
    result = bv_utils.comparator(allow_equal, b0, b1, is_signed);
  else if(id == ID_ge || id == ID_gt)
    result = bv_utils.comparator(allow_equal, b1, b0, is_signed);
  else
    return prop_convt::convert_rest(expr);

  // Wide operands are also compared in the equality theory; tying the two
  // lets equal operands decide the relation without the comparator.
  if(prop.has_set_to() && b0.size() > 8)
  {
    const literalt equal = equal_exprs(op0, op1);
    prop.l_set_to(
      prop.limplies(equal, allow_equal ? result : prop.lnot(result)), true);
  }
  return result;
}

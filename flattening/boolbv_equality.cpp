#include "flattening/boolbv.h"

#include <iostream>

literalt boolbvt::convert_equality(const exprt &expr)
{
  if(expr.operands().size() != 2)
    return prop_convt::convert_rest(expr);
  const exprt &op0 = expr.op0();
  const exprt &op1 = expr.op1();
  if(op0.type() != op1.type())
  {
    std::cout << expr.pretty() << '\n';
    throw "equality without matching types";
  }
  if(treat_as_unbounded_array(op0.type()))
    return record_array_equality(expr);

  bvt b0, b1;
  if(convert_cached(op0, b0) || convert_cached(op1, b1))
    return prop_convt::convert_rest(expr);
  if(b0.size() != b1.size())
    throw "unexpected size mismatch";
  if(b0.empty())
    throw "got zero-size BV";
  if(op0.type().id() == ID_verilogbv)
    return prop_convt::convert_rest(expr);

  const literalt equal = bv_utils.equal(b0, b1);
  return expr.id() == ID_equal ? equal : prop.lnot(equal);
}

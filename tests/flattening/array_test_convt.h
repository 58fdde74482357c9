#ifndef MORVANE_TESTS_FLATTENING_ARRAY_TEST_CONVT_H
#define MORVANE_TESTS_FLATTENING_ARRAY_TEST_CONVT_H

// The bit-vector flattening with plain stand-ins for the operator
// converters the array tests need (reads, updates, choices and equalities)
// until the real ones exist: bounded arrays as multiplexers over their
// bits, unbounded ones as the array theory expects them (a read is fresh
// bits recorded as an application, an equality is recorded). Written for
// clarity, not economy.

#include "flattening/boolbv.h"
#include "expr_algorithms/arith_tools.h"
#include "flattening_types.h"

class array_test_convt : public boolbvt
{
public:
  using boolbvt::boolbvt;

protected:
  literalt convert_equality(const exprt &expr) override
  {
    const exprt &lhs = expr.op0(), &rhs = expr.op1();
    if(treat_as_unbounded_array(lhs.type()))
      return record_array_equality(expr);
    bvt l, r;
    if(convert_cached(lhs, l) || convert_cached(rhs, r))
      return boolbvt::convert_equality(expr);
    const literalt equal = bv_utils.equal(l, r);
    return expr.id() == "=" ? equal : prop.lnot(equal);
  }

  bool convert_index(const exprt &expr, bvt &bv) override
  {
    const exprt &array = expr.op0(), &index = expr.op1();
    if(treat_as_unbounded_array(array.type()))
    {
      free_bits_for(expr, bv);
      record_function_application(expr);
      if(array.id() == "symbol")
        symbol_map_entry(array.get("identifier"), array.type());
      bvt index_bits;
      convert_cached(index, index_bits);
      return false;
    }
    bvt bits;
    if(convert_cached(array, bits))
      return true;
    unsigned width;
    get_width(expr.type(), width);
    bv.assign(bits.begin(), bits.begin() + width);
    for(std::size_t i = 1; i * width < bits.size(); ++i)
    {
      const bvt element(
        bits.begin() + i * width, bits.begin() + (i + 1) * width);
      bv = bv_utils.bv_if(is_index(index, i), element, bv);
    }
    return false;
  }

  bool convert_with(const exprt &expr, bvt &bv) override
  {
    if(treat_as_unbounded_array(expr.type()))
      return free_bits_for(expr, bv);
    bvt value;
    if(convert_cached(expr.op0(), bv) || convert_cached(expr.op2(), value))
      return true;
    for(std::size_t i = 0; i * value.size() < bv.size(); ++i)
    {
      const literalt here = is_index(expr.op1(), i);
      for(std::size_t j = 0; j < value.size(); ++j)
      {
        literalt &bit = bv[i * value.size() + j];
        bit = prop.lselect(here, value[j], bit);
      }
    }
    return false;
  }

  bool convert_if(const exprt &expr, bvt &bv) override
  {
    if(treat_as_unbounded_array(expr.type()))
      return free_bits_for(expr, bv);
    bvt then_bits, else_bits;
    if(
      convert_cached(expr.op1(), then_bits) ||
      convert_cached(expr.op2(), else_bits))
      return true;
    bv = bv_utils.bv_if(convert(expr.op0()), then_bits, else_bits);
    return false;
  }

private:
  literalt is_index(const exprt &index, std::size_t i)
  {
    return convert(equal_expr(
      index,
      integer_to_expr(static_cast<unsigned long long>(i), index.type())));
  }
};

#endif

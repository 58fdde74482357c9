// The operator converters whose circuits are not built yet. Each reports
// its expression as not converted: a bit-vector expression then gets free
// bits after a warning, a Boolean one a free literal after a warning, so
// the decision stays sound for what it does constrain. Each converter
// leaves this file when it is built.

#include "flattening/boolbv.h"

literalt boolbvt::convert_relation(const exprt &expr)
{
  return prop_convt::convert_rest(expr);
}

literalt boolbvt::convert_reduction(const exprt &expr)
{
  return prop_convt::convert_rest(expr);
}

literalt boolbvt::convert_extractbit(const exprt &expr)
{
  return prop_convt::convert_rest(expr);
}

literalt boolbvt::convert_overflow(const exprt &expr)
{
  return prop_convt::convert_rest(expr);
}

literalt boolbvt::convert_equality(const exprt &expr)
{
  return prop_convt::convert_rest(expr);
}

literalt boolbvt::convert_quantifier(const exprt &expr)
{
  return prop_convt::convert_rest(expr);
}

void boolbvt::post_process_quantifiers()
{
  // convert_quantifier records nothing yet, so there is nothing to
  // instantiate.
}

bool boolbvt::convert_index_constant(const exprt &, const mp_integer &, bvt &)
{
  return true;
}

bool boolbvt::convert_index(const exprt &, bvt &)
{
  return true;
}

bool boolbvt::convert_byte_extract_constant(
  const exprt &,
  const mp_integer &,
  bvt &,
  bool)
{
  return true;
}

bool boolbvt::convert_byte_extract(const exprt &, bvt &)
{
  return true;
}

bool boolbvt::convert_if(const exprt &, bvt &)
{
  return true;
}

bool boolbvt::convert_add_sub(const exprt &, bvt &)
{
  return true;
}

bool boolbvt::convert_mult(const exprt &, bvt &)
{
  return true;
}

bool boolbvt::convert_div(const exprt &, bvt &)
{
  return true;
}

bool boolbvt::convert_mod(const exprt &, bvt &)
{
  return true;
}

bool boolbvt::convert_member(const exprt &, bvt &)
{
  return true;
}

bool boolbvt::convert_with(const exprt &, bvt &)
{
  return true;
}

bool boolbvt::convert_case(const exprt &, bvt &)
{
  return true;
}

bool boolbvt::convert_cond(const exprt &, bvt &)
{
  return true;
}

bool boolbvt::convert_shift(const exprt &, bvt &)
{
  return true;
}

bool boolbvt::convert_bitwise(const exprt &, bvt &)
{
  return true;
}

bool boolbvt::convert_unary_minus(const exprt &, bvt &)
{
  return true;
}

bool boolbvt::convert_concatenation(const exprt &, bvt &)
{
  return true;
}

bool boolbvt::convert_replication(const exprt &, bvt &)
{
  return true;
}

bool boolbvt::convert_extractbits(const exprt &, bvt &)
{
  return true;
}

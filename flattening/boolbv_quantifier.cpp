// Quantifiers by finite instantiation: each stands for a free literal
// until post-processing makes it the conjunction ("forall") or
// disjunction ("exists") of its instances. Every quantifier is
// instantiated with the candidates of all of them; the result is exact
// only when those cover every value that matters.

#include "flattening/boolbv.h"

#include "expr_algorithms/lambda.h"

#include <set>

literalt boolbvt::convert_quantifier(const exprt &expr)
{
  if(expr.operands().size() != 3)
    return prop_convt::convert_rest(expr);
  const literalt l = prop.new_variable();
  quantifier_list.push_back({expr, l});
  return l;
}

void boolbvt::post_process_quantifiers()
{
  if(quantifier_list.empty())
    return;

  // Ordered by the tree order, so a candidate listed twice counts once.
  std::set<exprt> candidates;
  for(const quantifiert &quantifier : quantifier_list)
    for(const exprt &candidate : quantifier.expr.op1().operands())
      candidates.insert(candidate);
  if(candidates.empty())
    throw "post_process_quantifiers: no instances";

  for(const quantifiert &quantifier : quantifier_list)
  {
    const exprt &variable = quantifier.expr.op0();
    bvt instances;
    for(const exprt &candidate : candidates)
    {
      exprt value = candidate;
      if(value.type() != variable.type())
        value.make_typecast(variable.type());
      exprt instance = quantifier.expr.op2();
      replace_bound_variables({{variable, value}}, instance);
      instances.push_back(convert(instance));
    }
    const literalt all = quantifier.expr.id() == ID_forall
                           ? prop.land(instances)
                           : prop.lor(instances);
    prop.set_equal(all, quantifier.l);
  }
}

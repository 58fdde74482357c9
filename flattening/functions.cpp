#include "flattening/functions.h"

#include "flattening/index_equality.h"

void functionst::record_function_application(const exprt &application)
{
  if(application.operands().size() != 2)
    throw "function application expected to have two operands";
  function_applications[application.op0()].insert(application);
}

void functionst::add_function_constraints_all()
{
  for(const auto &entry : function_applications)
    add_function_constraints(entry.second);
}

void functionst::add_function_constraints(const applicationst &applications)
{
  for(applicationst::const_iterator x = applications.begin();
      x != applications.end();
      ++x)
  {
    for(applicationst::const_iterator y = applications.begin(); y != x; ++y)
      add_function_constraint(*x, *y);
  }
}

void functionst::add_function_constraint(const exprt &x, const exprt &y)
{
  literalt la = convert(index_equality(x.op1(), y.op1()));
  if(la.is_false())
    return;

  exprt results_equal("=", typet("bool"));
  results_equal.copy_to_operands(x, y);
  prop.lcnf({prop.lnot(la), convert(results_equal)});
}

void functionst::post_process()
{
  add_function_constraints_all();
  add_equality_constraints_all();
  prop_convt::post_process();
}

#include "flattening/functions.h"

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
    {
      exprt arguments_equal("=", typet("bool"));
      arguments_equal.copy_to_operands(x->op1(), y->op1());
      if(arguments_equal.op1().type() != arguments_equal.op0().type())
        arguments_equal.op1().make_typecast(arguments_equal.op0().type());

      literalt la = convert(arguments_equal);
      if(la.is_false())
        continue;

      exprt results_equal("=", typet("bool"));
      results_equal.copy_to_operands(*x, *y);
      prop.lcnf({prop.lnot(la), convert(results_equal)});
    }
  }
}

void functionst::post_process()
{
  add_function_constraints_all();
  add_equality_constraints_all();
  prop_convt::post_process();
}

#include "expr_algorithms/lambda.h"

#include "util/text_utils.h"

namespace
{
const exprt *bound_value(const bindingst &bindings, const exprt &expr)
{
  for(const auto &binding : bindings)
    if(binding.first == expr)
      return &binding.second;
  return nullptr;
}

bool is_binder(const exprt &expr)
{
  const dstring &id = expr.id();
  return (id == ID_lambda || id == ID_forall || id == ID_exists) &&
         expr.operands().size() >= 2;
}

// Whether a binder whose operand 0 is `bound` binds `variable`.
bool binds(const exprt &bound, const exprt &variable)
{
  if(bound == variable)
    return true;
  if(bound.id() != ID_tuple)
    return false;
  for(const exprt &component : bound.operands())
    if(component == variable)
      return true;
  return false;
}
} // namespace

void replace_bound_variables(const bindingst &bindings, exprt &body)
{
  if(bindings.empty())
    return;
  if(const exprt *value = bound_value(bindings, body))
  {
    body = *value;
    return;
  }
  if(body.find("operands").is_nil())
    return;
  if(!is_binder(body))
  {
    for(exprt &op : body.operands())
      replace_bound_variables(bindings, op);
    return;
  }
  exprt::operandst &operands = body.operands();
  for(std::size_t i = 1; i + 1 < operands.size(); ++i)
    replace_bound_variables(bindings, operands[i]);
  bindingst unshadowed;
  for(const auto &binding : bindings)
    if(!binds(operands[0], binding.first))
      unshadowed.push_back(binding);
  replace_bound_variables(unshadowed, operands.back());
}

void make_lambda(const typet &type, exprt &dest)
{
  if(type.id() != ID_mapping)
    throw "expected mapping type";
  if(type.subtypes().size() != 2)
    throw "mapping type expected to have two subtypes";
  const typet &domain = type.subtypes()[0];
  const typet &range = type.subtypes()[1];

  exprt lambda("lambda", type);
  exprt::operandst &operands = lambda.operands();
  operands.resize(2);
  operands[1].type() = range;
  exprt &variable = operands[0];
  variable.type() = domain;
  if(domain.id() != ID_tuple)
    variable.id("quant_symbol");
  else
  {
    variable.id("tuple");
    for(const typet &component : domain.subtypes())
      variable.operands().push_back(exprt("quant_symbol", component));
  }
  dest.swap(lambda);
}

void tuple_member(const exprt &tuple, unsigned index, exprt &dest)
{
  if(tuple.id() == ID_tuple)
  {
    if(index >= tuple.operands().size())
      throw "tuple has not enough components";
    const exprt component = tuple.operands()[index];
    dest = component;
    return;
  }
  exprt member("member");
  member.set("component", dstring(unsigned_to_string(index)));
  member.copy_to_operands(tuple);
  dest.swap(member);
}

void apply_lambda_map(exprt &expr)
{
  // Read through a constant view: a writing accessor would add an empty
  // operand list to an expression that is to be left unchanged on error.
  const exprt &map = expr;
  if(map.id() != ID_map)
    throw "expected mapping";
  if(map.operands().size() != 2)
    throw "mapping takes two operands";
  const exprt &lambda = map.op0();
  const exprt &argument = map.op1();
  if(lambda.id() != ID_lambda)
    throw "expected lambda expression as first operand";
  if(lambda.operands().size() != 2)
    throw "lambda takes two operands";
  const exprt &variable = lambda.op0();

  bindingst bindings;
  if(variable.id() != ID_tuple)
    bindings.emplace_back(variable, argument);
  else
  {
    const exprt::operandst &components = variable.operands();
    for(unsigned i = 0; i < components.size(); ++i)
    {
      exprt component;
      tuple_member(argument, i, component);
      bindings.emplace_back(components[i], component);
    }
  }

  exprt result = lambda.op1();
  replace_bound_variables(bindings, result);
  expr.swap(result);
}

#include "expr_algorithms/pointer_offset_size.h"

#include "expr_algorithms/arith_tools.h"

#include <iostream>

mp_integer pointer_offset_size(const typet &type)
{
  if(type.id() == ID_array)
  {
    mp_integer size;
    if(expr_to_integer(static_cast<const exprt &>(type.find("size")), size))
      return 1;
    mp_integer result = pointer_offset_size(type.subtype());
    result *= size;
    return result;
  }
  if(type.id() == ID_struct || type.id() == ID_union)
  {
    mp_integer result = 1;
    for(const irept &component : type.find("components").get_sub())
      result +=
        pointer_offset_size(static_cast<const typet &>(component.find("type")));
    return result;
  }
  return 1;
}

static mp_integer outside_domain(const exprt &expr)
{
  std::cout << expr.pretty() << '\n';
  return 0;
}

mp_integer compute_pointer_offset(const namespacet &ns, const exprt &expr)
{
  if(expr.id() == ID_symbol || expr.id() == ID_string_constant)
    return 0;
  if(expr.id() == ID_index)
  {
    if(expr.operands().size() != 2 || expr.op0().type().id() != ID_array)
      return outside_domain(expr);
    mp_integer index;
    if(expr_to_integer(expr.op1(), index))
      return 0;
    index *= pointer_offset_size(expr.op0().type().subtype());
    index += 1;
    return index;
  }
  if(expr.id() == ID_member)
  {
    if(expr.operands().size() != 1)
      return outside_domain(expr);
    const typet &type = ns.follow(expr.op0().type());
    if(type.id() != ID_struct && type.id() != ID_union)
      return outside_domain(expr);
    const dstring &name = expr.get("component_name");
    mp_integer offset = 1;
    for(const irept &component : type.find("components").get_sub())
    {
      if(component.get("name") == name)
        return offset;
      offset +=
        pointer_offset_size(static_cast<const typet &>(component.find("type")));
    }
    return outside_domain(expr);
  }
  return outside_domain(expr);
}

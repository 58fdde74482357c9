#include "flattening/pointer_logic.h"

#include "expr_algorithms/arith_tools.h"
#include "expr_algorithms/pointer_offset_size.h"
#include "util/invariant.h"

namespace
{
// A "constant" pointer of the given "value" to nothing ("empty").
exprt fixed_object(const char *value)
{
  typet pointer_type("pointer");
  pointer_type.add("subtype") = typet("empty");
  exprt object("constant", pointer_type);
  object.set("value", value);
  return object;
}

exprt pointer_constant(const typet &type, const std::string &value)
{
  exprt constant("constant", type);
  constant.set("value", dstring(value));
  return constant;
}
} // namespace

pointer_logict::pointer_logict() : objects(100)
{
  null_object = add_object(fixed_object("NULL"));
  invalid_object = add_object(fixed_object("INVALID"));
}

unsigned pointer_logict::add_object(const exprt &expr)
{
  const unsigned next = static_cast<unsigned>(numbered.size());
  std::pair<objectst::iterator, bool> inserted = objects.insert({expr, next});
  if(inserted.second)
    numbered.push_back(expr);
  return inserted.first->second;
}

void pointer_logict::pointer_expr(
  unsigned object, const typet &type, exprt &dest) const
{
  dest.make_nil();
  if(object == null_object)
  {
    dest = pointer_constant(type, "NULL");
    return;
  }
  if(object == invalid_object)
  {
    dest = pointer_constant(type, "INVALID");
    return;
  }
  if(object >= numbered.size())
  {
    dest = pointer_constant(type, "INVALID-" + std::to_string(object));
    return;
  }

  const exprt &found = numbered[object];
  dstring id = "address_of";
  if(type.id() == ID_reference)
    id = "reference_to";
  else if(found.type().id() == ID_array)
    id = "implicit_address_of";
  dest = exprt(id, type);
  dest.copy_to_operands(found);
}

void pointer_logict::pointer_expr(
  const pointert &pointer, const typet &type, exprt &dest) const
{
  exprt object_ptr;
  pointer_expr(pointer.object, type, object_ptr);
  if(object_ptr.id() == ID_constant)
  {
    dest = object_ptr;
    return;
  }

  INVARIANT(object_ptr.operands().size() == 1);
  exprt object = object_ptr.op0();
  mp_integer rest = 0;
  pointer_expr_rec(pointer.offset, type, object, rest);

  dstring id = "address_of";
  dstring type_id = "pointer";
  if(type.id() == ID_reference)
  {
    id = "reference_to";
    type_id = "reference";
  }
  else if(type.id() == ID_array)
    id = "implicit_address_of";

  typet pointer_type(type_id);
  pointer_type.add("subtype") = object.type();
  dest = exprt(id, pointer_type);
  dest.move_to_operands(object);

  if(dest.type().id() == ID_pointer && !rest.is_zero())
  {
    exprt sum("+", dest.type());
    exprt addend = integer_to_expr(rest, typet("integer"));
    sum.move_to_operands(dest, addend);
    dest.swap(sum);
  }
}

void pointer_logict::pointer_expr_rec(
  const mp_integer &offset,
  const typet &type,
  exprt &expr,
  mp_integer &rest) const
{
  if(offset.is_negative())
  {
    expr.make_nil();
    return;
  }
  rest = offset;

  const typet &object_type = expr.type();
  if(object_type.id() == ID_array)
  {
    const typet &subtype = object_type.subtype();
    mp_integer size = pointer_offset_size(subtype);
    if(size.is_zero())
    {
      expr.make_nil();
      return;
    }
    mp_integer index = offset;
    index /= size;
    mp_integer inside = offset;
    inside %= size;

    exprt element("index", subtype);
    exprt index_constant = integer_to_expr(index, typet("integer"));
    element.copy_to_operands(expr, index_constant);
    expr.swap(element);
    pointer_expr_rec(inside, type, expr, rest);
    return;
  }

  if(object_type.id() != ID_struct && object_type.id() != ID_union)
    return;
  // Offset 0 is the aggregate as a whole.
  if(offset.is_zero())
    return;

  const irept::subt &components = object_type.find("components").get_sub();
  mp_integer start = 1;
  for(const irept &component : components)
  {
    INVARIANT(offset.compare(start) >= 0);
    const typet &component_type =
      static_cast<const typet &>(component.find("type"));
    mp_integer size = pointer_offset_size(component_type);
    if(size.is_zero())
    {
      expr.make_nil();
      return;
    }
    mp_integer end = start;
    end += size;
    if(end.compare(offset) > 0)
    {
      exprt member("member", component_type);
      member.set("component_name", component.get("name"));
      member.copy_to_operands(expr);
      expr.swap(member);
      mp_integer inside = offset;
      inside -= start;
      pointer_expr_rec(inside, type, expr, rest);
      return;
    }
    start = end;
  }
}

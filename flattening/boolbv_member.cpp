#include "flattening/boolbv.h"

bool boolbvt::convert_member(const exprt &expr, bvt &bv)
{
  if(expr.operands().size() != 1)
    throw "member takes one operand";
  const exprt &compound = expr.op0();
  bvt bits;
  if(convert_cached(compound, bits))
    return true;
  const typet &compound_type = compound.type();

  if(compound_type.id() == ID_union)
  {
    // Every member starts at bit 0.
    unsigned width;
    if(get_width(expr.type(), width))
      return true;
    if(bits.size() < width)
      throw "member: unexpected widths";
    bv.assign(bits.begin(), bits.begin() + width);
    return false;
  }
  if(compound_type.id() != ID_struct)
    return true;

  const dstring &name = expr.get("component_name");
  const typet *component_type;
  std::size_t offset;
  unsigned component_width;
  if(locate_component(
       compound_type, name, component_type, offset, component_width))
    return true;
  if(component_type == nullptr)
    throw "component " + name.as_string() + " not found in structure";
  if(*component_type != expr.type())
    throw "member: component type does not match: " +
      component_type->to_string() + " vs. " + expr.type().to_string();
  bv.assign(
    bits.begin() + static_cast<std::ptrdiff_t>(offset),
    bits.begin() + static_cast<std::ptrdiff_t>(offset + component_width));
  return false;
}

bool boolbvt::locate_component(
  const typet &struct_type,
  const dstring &name,
  const typet *&component_type,
  std::size_t &offset,
  unsigned &width)
{
  component_type = nullptr;
  offset = 0;
  for(const irept &component : struct_type.find("components").get_sub())
  {
    const typet &type = static_cast<const typet &>(component.find("type"));
    if(get_width(type, width))
      return true;
    if(component.get("name") == name)
    {
      component_type = &type;
      return false;
    }
    offset += width;
  }
  return false;
}

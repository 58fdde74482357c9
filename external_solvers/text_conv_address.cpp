// Pointer values in the text: addresses of objects, elements and
// components, the parts of a pointer, and pointer arithmetic. An offset
// moves in the units of pointer_offset_size, as in the bit-vector pointer
// encoding: an index or an integer added to a pointer counts elements, so
// it is scaled by the element size, after being sign-extended (signed) or
// zero-extended (otherwise) to the pointer width.

#include "external_solvers/text_conv.h"

#include "expr_algorithms/arith_tools.h"
#include "expr_algorithms/pointer_offset_size.h"
#include "util/config.h"
#include "util/invariant.h"

namespace
{
typet offset_type(bool is_signed)
{
  typet type(is_signed ? "signedbv" : "unsignedbv");
  type.set("width", static_cast<int>(config.ansi_c.pointer_width));
  return type;
}
} // namespace

exprt text_convt::scaled_offset(
  const exprt &index, const mp_integer &factor) const
{
  mp_integer value;
  if(index.is_constant() && !expr_to_integer(index, value))
  {
    value *= factor;
    return integer_to_expr(value, offset_type(false));
  }

  const typet type = offset_type(index.type().id() == ID_signedbv);
  exprt offset = index;
  if(offset.type() != type)
    offset.make_typecast(type);
  if(factor.compare(1) == 0)
    return offset;
  exprt product("*", type);
  exprt scale = integer_to_expr(factor, type);
  product.move_to_operands(offset, scale);
  return product;
}

void text_convt::begin_offset_let()
{
  *out << "(LET P: " << pointer_type_text() << " = ";
}

void text_convt::end_offset_let(const exprt &addend)
{
  *out << " IN P WITH .offset:=BVPLUS(" << config.ansi_c.pointer_width
       << ", P.offset, ";
  convert_expr(addend);
  *out << "))";
}

void text_convt::convert_plus(const exprt &expr)
{
  const exprt::operandst &operands = expr.operands();
  INVARIANT(!operands.empty());
  if(operands.size() == 1)
  {
    convert_expr(operands[0]);
    return;
  }

  const typet &type = expr.type();
  if(is_bitvector(type))
  {
    *out << "BVPLUS(" << type.get("width");
    for(const exprt &operand : operands)
    {
      *out << ", ";
      convert_expr(operand);
    }
    *out << ")";
  }
  else if(type.id() == ID_pointer)
  {
    if(operands.size() != 2)
      throw "pointer arithmetic with more than two operands";
    std::size_t p;
    if(operands[0].type().id() == ID_pointer)
      p = 0;
    else if(operands[1].type().id() == ID_pointer)
      p = 1;
    else
      throw "unexpected mixture in pointer arithmetic";
    const exprt &pointer = operands[p];
    begin_offset_let();
    convert_expr(pointer);
    end_offset_let(scaled_offset(
      operands[1 - p], pointer_offset_size(pointer.type().subtype())));
  }
  else
    throw "unsupported type for +: " + type.id().as_string();
}

void text_convt::convert_address_of(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(n == 1);
  INVARIANT(expr.type().id() == ID_pointer);
  convert_address_of_rec(expr.op0());
}

void text_convt::convert_pointer_offset(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(n == 1);
  *out << "(";
  convert_expr(expr.op0());
  *out << ").offset";
}

void text_convt::convert_same_object(const exprt &expr)
{
  const std::size_t n = expr.operands().size();
  INVARIANT(n == 2);
  *out << "(";
  convert_expr(expr.op0());
  *out << ").object=(";
  convert_expr(expr.op1());
  *out << ").object";
}

void text_convt::convert_address_of_rec(const exprt &expr)
{
  const dstring &id = expr.id();
  if(id == ID_symbol || id == ID_constant || id == ID_string_constant)
  {
    *out << "(# object:=" << pointer_logic.add_object(expr)
         << ", offset:=" << bin_zero(config.ansi_c.pointer_width) << " #)";
  }
  else if(id == ID_index)
  {
    if(expr.operands().size() != 2)
      throw "index takes two operands";
    const exprt &base = expr.op0();
    const exprt &index = expr.op1();
    const bool is_pointer = base.type().id() == ID_pointer;
    INVARIANT(is_pointer || base.type().id() == ID_array);
    if(index.is_zero())
    {
      if(is_pointer)
        convert_expr(base);
      else
        convert_address_of_rec(base);
      return;
    }
    begin_offset_let();
    if(is_pointer)
      convert_expr(base);
    else
      convert_address_of_rec(base);
    end_offset_let(
      scaled_offset(index, pointer_offset_size(base.type().subtype())));
  }
  else if(id == ID_member)
    convert_address_of_member(expr);
  else
    throw "don't know how to take address of: " + id.as_string();
}

void text_convt::convert_address_of_member(const exprt &expr)
{
  if(expr.operands().size() != 1)
    throw "member takes one operand";
  const exprt &aggregate = expr.op0();
  begin_offset_let();
  convert_address_of_rec(aggregate);

  // The first component lies at offset 1: offset 0 is the whole.
  const dstring &name = expr.get("component_name");
  mp_integer offset = 1;
  bool found = false;
  for(const irept &component : aggregate.type().find("components").get_sub())
  {
    if(component.get("name") == name)
    {
      found = true;
      break;
    }
    mp_integer size =
      pointer_offset_size(static_cast<const typet &>(component.find("type")));
    INVARIANT(!size.is_zero());
    offset += size;
  }
  INVARIANT(found);
  end_offset_let(integer_to_expr(offset, offset_type(false)));
}

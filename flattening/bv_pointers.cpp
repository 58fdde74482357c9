#include "flattening/bv_pointers.h"

#include "expr_algorithms/pointer_offset_size.h"
#include "util/config.h"
#include "util/invariant.h"
#include "util/mp_arith.h"

#include <algorithm>

namespace
{
bool is_pointer_type(const typet &type)
{
  return type.id() == ID_pointer || type.id() == ID_reference;
}

bool is_integer_type(const typet &type)
{
  return type.id() == ID_unsignedbv || type.id() == ID_signedbv;
}

// The value's low `width` bits as constant literals, bit 0 first.
bvt constant_bits(const mp_integer &value, unsigned width)
{
  const std::string digits = integer_to_binary(value, width);
  bvt bv(width);
  for(unsigned i = 0; i < width; ++i)
    bv[i] = const_literal(digits[width - 1 - i] == '1');
  return bv;
}

// A difference of two "pointer"s, the offset or the object of a pointer,
// or a cast of a "pointer" to a type other than "bool" (Booleans are one
// literal of the Boolean conversion).
bool is_pointer_integer_operation(const exprt &expr)
{
  const dstring &id = expr.id();
  const exprt::operandst &operands = expr.operands();
  if(id == ID_minus)
    return operands.size() == 2 && operands[0].type().id() == ID_pointer &&
           operands[1].type().id() == ID_pointer;
  if(operands.size() != 1)
    return false;
  if(id == ID_typecast)
    return operands[0].type().id() == ID_pointer && expr.type().id() != ID_bool;
  return (id == ID_pointer_offset || id == ID_pointer_object) &&
         is_pointer_type(operands[0].type());
}

// Cut to the width, or extended with the sign or with false.
bvt extended(const bvt &bv, unsigned width, bool is_signed)
{
  bvt result = bv;
  const literalt fill =
    is_signed && !bv.empty() ? bv.back() : const_literal(false);
  result.resize(width, fill);
  return result;
}
} // namespace

bv_pointerst::bv_pointerst(propt &_prop)
  : boolbvt(_prop), object_bits(8), offset_bits(config.ansi_c.pointer_width),
    bits(offset_bits + object_bits)
{
}

bool bv_pointerst::get_width(const typet &type, unsigned &width)
{
  if(is_pointer_type(type))
  {
    width = bits;
    return false;
  }
  return boolbvt::get_width(type, width);
}

void bv_pointerst::encode_object_bits(unsigned n, bvt &bv) const
{
  bv.assign(offset_bits, const_literal(false));
  for(unsigned i = 0; i < object_bits; ++i)
    bv.push_back(const_literal((n >> i) & 1));
}

bvt bv_pointerst::object_code(unsigned n) const
{
  bvt code;
  encode_object_bits(n, code);
  return object_part(code);
}

bvt bv_pointerst::object_part(const bvt &pointer) const
{
  return bvt(pointer.begin() + offset_bits, pointer.end());
}

void bv_pointerst::register_object(const exprt &expr, bvt &bv)
{
  const unsigned n = pointer_logic.add_object(expr);
  if(n >= (1u << object_bits))
    throw "too many variables";
  encode_object_bits(n, bv);
}

bool bv_pointerst::convert_vector_expr(const exprt &expr, bvt &bv)
{
  if(is_pointer_type(expr.type()))
    return convert_pointer_type(expr, bv);
  if(is_pointer_integer_operation(expr))
    return convert_pointer_integer(expr, bv);
  return boolbvt::convert_vector_expr(expr, bv);
}

bool bv_pointerst::convert_pointer_integer(const exprt &expr, bvt &bv)
{
  const dstring &id = expr.id();
  const exprt::operandst &operands = expr.operands();
  bvt pointer;
  if(
    id == ID_typecast ? convert_pointer_type(operands[0], pointer)
                      : convert_cached(operands[0], pointer))
    return true;
  unsigned width;
  if(get_width(expr.type(), width))
    return true;

  if(id == ID_pointer_object)
  {
    bv = object_part(pointer);
    bv.resize(width, const_literal(false));
    return false;
  }
  if(id == ID_typecast)
  {
    // The object number lands in the top object bits, the offset below
    // it, cut or zero-extended.
    if(width < object_bits)
      return true;
    const unsigned low = width - object_bits;
    bv.assign(width, const_literal(false));
    for(unsigned i = 0; i < low && i < offset_bits; ++i)
      bv[i] = pointer[i];
    for(unsigned i = 0; i < object_bits; ++i)
      bv[low + i] = pointer[offset_bits + i];
    return false;
  }

  // A difference, or the offset: the low part of the offsets.
  if(width > offset_bits)
    throw "no sign extension on pointer differences";
  bv = pointer;
  bv.resize(width);
  if(id == ID_minus)
  {
    bvt subtrahend;
    if(convert_cached(operands[1], subtrahend))
      return true;
    subtrahend.resize(width);
    bv_utils.add_sub(bv, subtrahend, true);
  }
  return false;
}

bool bv_pointerst::convert_pointer_type(const exprt &expr, bvt &bv)
{
  if(!is_pointer_type(expr.type()))
    throw "convert_pointer_type got non-pointer type";

  bv.resize(bits);
  const dstring &id = expr.id();
  const exprt::operandst &operands = expr.operands();

  if(id == ID_symbol)
  {
    const dstring &identifier = expr.get("identifier");
    for(unsigned i = 0; i < bits; ++i)
      bv[i] = symbol_bit_literal(identifier, i, expr.type());
    return false;
  }
  // The flattening writes bits it already has in this form (fresh bits of
  // a type, elements of arrays); they must stay those bits.
  if(id == ID_bv_literals)
    return convert_literal_list(expr, bv);
  if(id == ID_nondet_symbol)
  {
    for(literalt &bit : bv)
      bit = prop.new_variable();
    return false;
  }
  if(id == ID_typecast)
  {
    if(operands.size() != 1)
      throw "typecast takes one operand";
    if(is_pointer_type(operands[0].type()))
      return convert_pointer_type(operands[0], bv);
    // An integer made a pointer points into the INVALID object, at an
    // offset nobody knows.
    encode_object_bits(pointer_logic.invalid_object, bv);
    for(unsigned i = 0; i < offset_bits; ++i)
      bv[i] = prop.new_variable();
    return false;
  }
  if(id == ID_if)
    return convert_if(expr, bv);
  if(id == ID_index)
    return convert_index(expr, bv);
  if(id == ID_member)
    return convert_member(expr, bv);
  if(
    id == ID_address_of || id == ID_implicit_address_of ||
    id == ID_reference_to)
  {
    if(operands.size() != 1)
      throw id.as_string() + " takes one operand";
    return convert_address_expr(operands[0], bv);
  }
  if(id == ID_constant)
  {
    if(expr.get("value") != ID_NULL)
      throw "found non-NULL pointer constant";
    encode_object_bits(pointer_logic.null_object, bv);
    return false;
  }
  if(id == ID_plus)
    return convert_pointer_sum(expr, bv);
  if(id == ID_minus)
    return convert_pointer_difference(expr, bv);
  return true;
}

bool bv_pointerst::convert_offset_operand(const exprt &operand, bvt &offset)
{
  if(!is_integer_type(operand.type()))
    return true;
  bvt bv;
  if(convert_cached(operand, bv))
    return true;
  if(bv.empty() || bv.size() > offset_bits)
    throw "unexpected pointer arithmetic operand width";
  offset = extended(bv, offset_bits, operand.type().id() == ID_signedbv);
  return false;
}

bool bv_pointerst::convert_pointer_sum(const exprt &expr, bvt &bv)
{
  const exprt::operandst &operands = expr.operands();
  if(operands.empty())
    throw "operator " + expr.id().as_string() + " takes at least one operand";

  const exprt *pointer = nullptr;
  for(const exprt &operand : operands)
    if(operand.type().id() == ID_pointer)
    {
      if(pointer != nullptr)
        throw "found two pointers in sum";
      pointer = &operand;
    }
  if(pointer == nullptr)
    throw "found no pointer in pointer type sum";

  if(convert_cached(*pointer, bv))
    return true;
  const mp_integer size = pointer_offset_size(pointer->type().subtype());

  bvt sum(offset_bits, const_literal(false));
  for(const exprt &operand : operands)
  {
    if(&operand == pointer)
      continue;
    bvt offset;
    if(convert_offset_operand(operand, offset))
      return true;
    bv_utils.add_sub(sum, offset, false);
  }
  add_scaled_index_bits(bv, size, sum);
  return false;
}

bool bv_pointerst::convert_pointer_difference(const exprt &expr, bvt &bv)
{
  const exprt::operandst &operands = expr.operands();
  if(operands.size() != 2)
    throw "operator " + expr.id().as_string() + " takes two operands";
  if(operands[0].type().id() != ID_pointer)
    throw "found no pointer in pointer type in difference";

  if(convert_cached(operands[0], bv))
    return true;
  bvt offset;
  if(convert_offset_operand(operands[1], offset))
    return true;
  // Scaled as a sum is, so that (p + k) - k is p again.
  bv_utils.negate(offset);
  add_scaled_index_bits(
    bv, pointer_offset_size(operands[0].type().subtype()), offset);
  return false;
}

bool bv_pointerst::convert_address_expr(const exprt &expr, bvt &bv)
{
  const dstring &id = expr.id();
  const exprt::operandst &operands = expr.operands();

  if(id == ID_symbol || id == ID_constant || id == ID_string_constant)
  {
    register_object(expr, bv);
    return false;
  }
  if(id == ID_index)
  {
    if(operands.size() != 2)
      throw "index takes two operands";
    const exprt &array = operands[0];
    if(
      array.type().id() == ID_pointer ? convert_pointer_type(array, bv)
                                      : convert_address_expr(array, bv))
      return true;
    const mp_integer size = array.type().id() == ID_string_constant
                              ? mp_integer(1)
                              : pointer_offset_size(array.type().subtype());
    if(size.is_zero())
      return true;
    return add_scaled_index(bv, size, operands[1]);
  }
  if(id == ID_member)
  {
    if(operands.size() != 1)
      throw "member takes one operand";
    if(convert_address_expr(operands[0], bv))
      return true;
    // The first component starts at 1: offset 0 is the whole.
    const dstring &name = expr.get("component_name");
    mp_integer offset = 1;
    for(const irept &component :
        operands[0].type().find("components").get_sub())
    {
      if(component.get("name") == name)
      {
        add_offset_constant(bv, offset);
        return false;
      }
      const mp_integer size =
        pointer_offset_size(static_cast<const typet &>(component.find("type")));
      if(size.is_zero())
        return true;
      offset += size;
    }
    return true;
  }
  return true;
}

bool bv_pointerst::add_scaled_index(
  bvt &bv, const mp_integer &factor, const exprt &index)
{
  bvt index_bits;
  if(convert_cached(index, index_bits))
    return true;
  add_scaled_index_bits(
    bv,
    factor,
    extended(index_bits, offset_bits, index.type().id() == ID_signedbv));
  return false;
}

void bv_pointerst::add_scaled_index_bits(
  bvt &bv, const mp_integer &factor, const bvt &index)
{
  INVARIANT(index.size() == offset_bits);
  bvt scaled = index;
  if(factor.compare(1) != 0)
    bv_utils.multiplier(scaled, constant_bits(factor, offset_bits), false);
  bvt offset(bv.begin(), bv.begin() + offset_bits);
  bv_utils.add_sub(offset, scaled, false);
  std::copy(offset.begin(), offset.end(), bv.begin());
}

void bv_pointerst::add_offset_constant(bvt &bv, const mp_integer &constant)
{
  add_scaled_index_bits(bv, 1, constant_bits(constant, offset_bits));
}

literalt bv_pointerst::convert_rest(const exprt &expr)
{
  if(expr.type().id() != ID_bool)
    throw "bv_pointerst::convert_rest got non-boolean operand";

  const dstring &id = expr.id();
  const exprt::operandst &operands = expr.operands();
  bool pointer_operands = !operands.empty();
  for(const exprt &operand : operands)
    pointer_operands = pointer_operands && is_pointer_type(operand.type());

  if(pointer_operands && operands.size() == 1)
  {
    bvt pointer;
    if(
      id == ID_invalid_pointer && !convert_cached(operands[0], pointer) &&
      !pointer.empty())
    {
      const bvt object = object_part(pointer);
      return prop.lor(
        bv_utils.equal(object, object_code(pointer_logic.invalid_object)),
        bv_utils.equal(object, object_code(pointer_logic.null_object)));
    }
    if(id == ID_is_dynamic_object && !convert_cached(operands[0], pointer))
    {
      postponedt postponed;
      postponed.bv = object_part(pointer);
      postponed.result = prop.new_variable();
      postponed_list.push_back(postponed);
      return postponed.result;
    }
  }
  else if(pointer_operands && operands.size() == 2)
  {
    bvt op0, op1;
    const bool is_relation = id == ID_lt || id == ID_le || id == ID_gt ||
                             id == ID_ge;
    if(
      (id == ID_same_object || is_relation) &&
      !convert_cached(operands[0], op0) && !convert_cached(operands[1], op1))
    {
      if(id == ID_same_object)
        return bv_utils.equal(object_part(op0), object_part(op1));
      if(id == ID_lt)
        return bv_utils.comparator(false, op0, op1, false);
      if(id == ID_le)
        return bv_utils.comparator(true, op0, op1, false);
      if(id == ID_gt)
        return bv_utils.comparator(false, op1, op0, false);
      return bv_utils.comparator(true, op1, op0, false);
    }
  }
  return boolbvt::convert_rest(expr);
}

void bv_pointerst::post_process()
{
  // The theory passes may number further objects; the tests cover them
  // all, and stay for the objects that later solves add.
  boolbvt::post_process();
  for(postponedt &postponed : postponed_list)
    process_dynamic_objects(postponed);
}

void bv_pointerst::process_dynamic_objects(postponedt &postponed)
{
  // Numbers beyond the object bits were refused: no pointer holds them.
  const unsigned objects =
    std::min(pointer_logic.number_of_objects(), 1u << object_bits);
  for(unsigned n = postponed.objects_done; n < objects; ++n)
  {
    const exprt &object = pointer_logic.object_of(n);
    const bool dynamic =
      object.type().get_bool("#dynamic") ||
      (object.id() == ID_symbol &&
       object.get("identifier").as_string().compare(0, 15, "symex_dynamic::") ==
         0);
    const literalt points_here = bv_utils.equal(object_code(n), postponed.bv);
    prop.l_set_to(
      prop.limplies(
        points_here, dynamic ? postponed.result : prop.lnot(postponed.result)),
      true);
  }
  postponed.objects_done = std::max(postponed.objects_done, objects);
}

void bv_pointerst::bv_get_rec(
  const bvt &bv,
  const std::vector<bool> &unknown,
  unsigned offset,
  const typet &type,
  exprt &dest) const
{
  if(!is_pointer_type(type))
  {
    boolbvt::bv_get_rec(bv, unknown, offset, type, dest);
    return;
  }

  // Digits most significant first; unknown bits read as 0.
  std::string offset_digits, object_digits;
  for(unsigned i = 0; i < bits; ++i)
  {
    char digit = '0';
    if(!unknown[offset + i])
    {
      const literalt l = bv[offset + i];
      // Constant literals, which back ends need not know, read as
      // themselves.
      const tvt value = l.is_constant() ? tvt(l.is_true()) : prop.l_get(l);
      digit = value.is_true() ? '1' : '0';
    }
    if(i < offset_bits)
      offset_digits.insert(offset_digits.begin(), digit);
    else
      object_digits.insert(object_digits.begin(), digit);
  }

  const pointer_logict::pointert pointer(
    static_cast<unsigned>(
      integer_to_unsigned(binary_to_integer(object_digits, false))),
    binary_to_integer(offset_digits, true));
  pointer_logic.pointer_expr(pointer, type, dest);
}

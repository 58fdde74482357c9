#include "flattening/index_equality.h"

#include "util/std_types.h"

#include <algorithm>

namespace
{
bool is_integer_bitvector(const typet &type)
{
  const dstring &id = type.id();
  return (id == ID_signedbv || id == ID_unsignedbv) && type_width(type) != 0;
}

// The narrowest type of the two kinds that holds every value of both.
typet common_integer_type(const typet &a, const typet &b)
{
  const bool a_signed = a.id() == ID_signedbv;
  const bool b_signed = b.id() == ID_signedbv;
  unsigned a_width = type_width(a), b_width = type_width(b);
  // Beside a signed type, an unsigned one needs a bit for the sign.
  if(a_signed && !b_signed)
    ++b_width;
  else if(b_signed && !a_signed)
    ++a_width;
  typet common{dstring(a_signed || b_signed ? "signedbv" : "unsignedbv")};
  common.set("width", static_cast<int>(std::max(a_width, b_width)));
  return common;
}
} // namespace

exprt index_equality(const exprt &lhs, const exprt &rhs)
{
  exprt equality("=", typet("bool"));
  equality.copy_to_operands(lhs, rhs);
  if(lhs.type() == rhs.type())
    return equality;
  if(is_integer_bitvector(lhs.type()) && is_integer_bitvector(rhs.type()))
  {
    const typet common = common_integer_type(lhs.type(), rhs.type());
    for(exprt &operand : equality.operands())
      if(operand.type() != common)
        operand.make_typecast(common);
  }
  else
    equality.op1().make_typecast(lhs.type());
  return equality;
}

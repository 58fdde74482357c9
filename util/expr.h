#ifndef MORVANE_UTIL_EXPR_H
#define MORVANE_UTIL_EXPR_H

// An expression is a tree whose identifier names the operator or leaf kind,
// with its type in the named child "type", its operands in the unnamed
// children of the named child "operands" and its source location in the
// comment "#location". A constant keeps its value as the identifier of the
// named child "value": "true"/"false" for "bool", decimal text for
// "integer" and "natural", exactly "width" characters '0'/'1' (most
// significant first, two's complement for "signedbv") for bit-vectors.
//
// Every writing accessor unshares the tree first; the const accessors never
// change or unshare anything.

#include "util/irep.h"
#include "util/location.h"
#include "util/type.h"

#include <vector>

class exprt : public irept
{
public:
  // The unnamed children of "operands" read as expressions; an expression
  // adds no data to a tree, so the two vectors have one layout.
  typedef std::vector<exprt> operandst;

  exprt()
  {
  }
  explicit exprt(const dstring &id) : irept(id)
  {
  }
  exprt(const dstring &id, const typet &type) : irept(id)
  {
    add("type") = type;
  }

  const typet &type() const
  {
    return static_cast<const typet &>(find("type"));
  }
  // Creates an empty "type" child when there is none.
  typet &type()
  {
    return static_cast<typet &>(add("type"));
  }

  // Empty when there is no "operands" child.
  const operandst &operands() const
  {
    return reinterpret_cast<const operandst &>(find("operands").get_sub());
  }
  // Creates an empty "operands" child when there is none: the expression
  // then no longer equals a copy taken before, though neither has operands.
  operandst &operands()
  {
    return reinterpret_cast<operandst &>(add("operands").get_sub());
  }

  // The first, second and third operand; the operand must exist.
  const exprt &op0() const
  {
    return operands()[0];
  }
  const exprt &op1() const
  {
    return operands()[1];
  }
  const exprt &op2() const
  {
    return operands()[2];
  }
  exprt &op0()
  {
    return operands()[0];
  }
  exprt &op1()
  {
    return operands()[1];
  }
  exprt &op2()
  {
    return operands()[2];
  }

  const locationt &location() const
  {
    return static_cast<const locationt &>(find("#location"));
  }
  locationt &location()
  {
    return static_cast<locationt &>(add("#location"));
  }
  // The expression's own location, else the first one found in its
  // operands, depth first; the nil tree when there is none.
  const locationt &find_location() const;

  // Appending operands: the copying forms share the arguments' blocks, the
  // moving forms swap the arguments in and leave them nil.
  void copy_to_operands(const exprt &a);
  void copy_to_operands(const exprt &a, const exprt &b);
  void copy_to_operands(const exprt &a, const exprt &b, const exprt &c);
  void move_to_operands(exprt &a);
  void move_to_operands(exprt &a, exprt &b);
  void move_to_operands(exprt &a, exprt &b, exprt &c);

  bool is_constant() const
  {
    return id() == ID_constant;
  }
  bool is_boolean() const
  {
    return type().id() == ID_bool;
  }
  // A "bool" constant is true unless its value is "false" (an absent value
  // reads as true).
  bool is_true() const;
  bool is_false() const;

  // Whether the expression is a constant whose value, read by its type's
  // kind, is 0 (1): decimal text for "integer" and "natural", the bits read
  // as an unsigned number for "unsignedbv" and "signedbv". False for every
  // other type ("bool", "fixedbv", "floatbv", "pointer", ...).
  bool is_zero() const;
  bool is_one() const;

  // this := this + other (- other, * other) for two constants of one type,
  // "integer" or "natural" (decimal text; a natural difference may become
  // negative) or "unsignedbv" or "signedbv" (bits read as unsigned numbers,
  // the result cut to the width, so both wrap modulo 2^width). True, with
  // the value unchanged, when the operation does not apply, as for a width
  // that read_width refuses.
  bool sum(const exprt &other);
  bool subtract(const exprt &other);
  bool mul(const exprt &other);

  // Replace the whole expression (operands, location and all) by a fresh
  // Boolean constant.
  void make_true();
  void make_false();
  void make_bool(bool value);

  // Logical negation in place: exchanges true and false, strips a "not" of
  // one operand, and wraps anything else into a "not" of the same type.
  void make_not();

  // Negation in place by type: logical for "bool", arithmetic for
  // "integer" (a constant is negated, a "unary-" stripped, anything else
  // wrapped); every other type makes the expression nil.
  void negate();

  // Wraps the expression into a "typecast" to the type; the old expression
  // keeps its type and location inside the new node.
  void make_typecast(const typet &type);
};

#endif

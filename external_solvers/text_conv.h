#ifndef MORVANE_EXTERNAL_SOLVERS_TEXT_CONV_H
#define MORVANE_EXTERNAL_SOLVERS_TEXT_CONV_H

// What the two converters that write constraints as CVC Lite text share
// (cvc_conv.h, smt_conv.h). Nothing is flattened: every constraint given to
// set_to is written as an assertion, each symbol declared before the first
// line that uses it, for an external program to decide. Boolean structure
// that the generic conversion of prop_convt meets on the way to a literal
// becomes propositional lines of the text back end, which writes to the
// same stream; the two kinds of lines interleave in the order they are
// made.
//
// Malformed input is thrown as text (std::string when it embeds an id, a
// type or a value, const char* otherwise) and nothing is caught here; what
// was written before a throw stays in the stream. Broken invariants stop
// the program.
//
// Pointer values are records "(# object:=<n>, offset:=<bits>#)" of an
// object number (pointer_logic) and an offset of the configured pointer
// width, in the units of pointer_offset_size. Array indices are 32-bit
// signed vectors.

#include "external_solvers/cvc_prop.h"
#include "flattening/pointer_logic.h"
#include "flattening/prop_conv.h"
#include "util/dstring.h"
#include "util/hash_containers.h"
#include "util/mp_integer.h"

#include <ostream>
#include <string>

class text_convt : public prop_convt
{
public:
  // The two dialects: how "set_to" treats a true conjunction, whether
  // "integer" constants are written, whether array update designators are
  // cast to the index type, and the name in the unsupported-id failure.
  enum class dialectt
  {
    CVC,
    SMT
  };

  ~text_convt() override = default;

  // Writes "%% set_to <value>" and the constraint as an assertion, or as the
  // definition of a new symbol when it is "symbol = expression" (set true)
  // and the expression does not mention the symbol. In the CVC dialect a
  // true conjunction is split into its operands, and the true constant and
  // the empty conjunction write nothing.
  void set_to(const exprt &expr, bool value) override;

  // The text of an expression (no line end, no ";").
  virtual void convert_expr(const exprt &expr);
  // The text of a type; throws "unsupported type: <id>" for a type without
  // a width and "zero-width vector type: <id>" for one of width 0.
  virtual void convert_type(const typet &type);
  // The pointer value of the object that the expression designates.
  virtual void convert_address_of_rec(const exprt &expr);

  // An identifier with every byte other than a letter, a digit, "$" and
  // "?" written "_<byte as signed 8-bit decimal>_", and "::" written "__".
  void convert_identifier(const dstring &identifier);
  // A Boolean as a one-bit vector; anything else as its text.
  void convert_as_bv(const exprt &expr);
  // An index, cast to array_index_type when of another type.
  void convert_array_index(const exprt &expr);
  // The declarations of the symbols the expression (the type) needs that
  // are not declared yet, operands first.
  void find_symbols(const exprt &expr);
  void find_symbols_in_type(const typet &type);

  // "0bin" and the value's digits at the configured int width.
  static std::string bin_constant(unsigned value);
  // "0bin" and `bits` zeros; `bits` must not be 0.
  static std::string bin_zero(unsigned bits);
  // The record type of pointer values.
  static std::string pointer_type_text();
  static std::string array_index_type_text();
  static typet array_index_type();

  // The numbering of the objects whose addresses are written.
  pointer_logict pointer_logic;

protected:
  // The back end and its stream are the derived class's and must be built
  // before this part.
  text_convt(cvc_propt &_text_prop, std::ostream &_out, dialectt _dialect);

  // A fresh variable, tied to the atom by an assertion when the atom can be
  // written; an atom that cannot be written is reported with the "ignoring"
  // warning and left unconstrained. A failure to write an equality is
  // thrown as it is.
  literalt convert_rest(const exprt &expr) override;

  cvc_propt &text_prop;

  // Declared symbols with their types; a nil type is "not declared".
  typedef hash_mapt<dstring, typet, dstring_hash> identifier_mapt;
  identifier_mapt identifier_map;
  bool is_declared(const dstring &identifier) const;

private:
  // Where text goes: the back end's stream, except while convert_rest
  // tries an atom's text.
  std::ostream *out;
  dialectt dialect;

  // A component name as it stands. Names are not escaped like identifiers,
  // so one that is not letters, digits and underscores led by a non-digit
  // could change the formula around it: it is thrown as
  // "unsupported component name: <name>" and nothing of it is written.
  void convert_component_name(const dstring &name);
  // "<first>, <second>)" -- the caller writes the operator and its "(".
  void convert_arguments(const exprt &first, const exprt &second);

  // The writers that convert_expr picks by the id, one per family of
  // operators; each checks its operands and throws what it cannot write.
  void convert_symbol(const exprt &expr);
  void convert_nondet_symbol(const exprt &expr);
  // text_conv_typecast.cpp
  void convert_typecast(const exprt &expr);
  // A cast to a bit-vector type.
  void convert_typecast_to_bv(const exprt &expr);
  // text_conv_constant.cpp
  void convert_constant(const exprt &expr);
  void convert_array_literal(const exprt &expr);
  void convert_string_constant(const exprt &expr);
  // text_conv_arith.cpp
  void convert_unary_minus(const exprt &expr);
  void convert_minus_mult(const exprt &expr);
  void convert_div_mod(const exprt &expr);
  void convert_relation(const exprt &expr);
  // text_conv_bitvector.cpp; concatenation, and and or share one writer.
  void convert_bitwise(const exprt &expr);
  void convert_bitxor(const exprt &expr);
  void convert_bitnand(const exprt &expr);
  void convert_bitnot(const exprt &expr);
  void convert_shift(const exprt &expr);
  void convert_extractbit(const exprt &expr);
  void convert_replication(const exprt &expr);
  // text_conv_boolean.cpp; and, or and xor share one writer.
  void convert_if(const exprt &expr);
  void convert_junction(const exprt &expr);
  void convert_not(const exprt &expr);
  void convert_equality(const exprt &expr);
  // text_conv_aggregate.cpp
  void convert_struct(const exprt &expr);
  void convert_array_of(const exprt &expr);
  void convert_index(const exprt &expr);
  void convert_with(const exprt &expr);
  void convert_member(const exprt &expr);
  // text_conv_address.cpp
  void convert_plus(const exprt &expr);
  void convert_address_of(const exprt &expr);
  void convert_pointer_offset(const exprt &expr);
  void convert_same_object(const exprt &expr);
  void convert_address_of_member(const exprt &expr);
  // "(LET P: <pointer type> = " -- the caller writes the pointer.
  void begin_offset_let();
  // " IN P WITH .offset:=BVPLUS(<pw>, P.offset, <addend>))".
  void end_offset_let(const exprt &addend);
  // An integer times `factor` as an offset: sign-extended when signed,
  // zero-extended otherwise, cut to the pointer width when wider.
  exprt scaled_offset(const exprt &index, const mp_integer &factor) const;
  [[noreturn]] void unsupported(const exprt &expr) const;

  static bool is_bitvector(const typet &type);
  // The "width" of a vector type as a number.
  static unsigned width_of(const typet &type);
  // The failure text of an operator that does not take operands of this
  // type.
  static std::string unsupported_type(const dstring &id, const typet &type);
};

// Holds a dialect's text back end, so that it exists before the converter
// that works on it.
template <class text_propt>
class text_prop_holdert
{
public:
  explicit text_prop_holdert(std::ostream &_out) : held_prop(_out)
  {
  }

protected:
  text_propt held_prop;
};

// A converter with its own back end of type text_propt, writing to a
// stream that is not owned and must outlive it.
template <class text_propt, text_convt::dialectt text_dialect>
class text_dialect_convt : private text_prop_holdert<text_propt>,
                           public text_convt
{
public:
  explicit text_dialect_convt(std::ostream &_out)
      : text_prop_holdert<text_propt>(_out),
        text_convt(this->held_prop, _out, text_dialect)
  {
  }

protected:
  // The back end, for the procedure that reads the external answer into it.
  cvc_propt &text_back_end()
  {
    return this->held_prop;
  }
};

#endif

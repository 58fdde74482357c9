#ifndef MORVANE_FLATTENING_BOOLBV_H
#define MORVANE_FLATTENING_BOOLBV_H

// The bit-vector decision procedure: every expression whose type has a
// width becomes a bvt, one literal per bit (bit 0, the least significant,
// first), and every Boolean expression one literal. Two dispatchers send
// each expression id to its converter; what no converter handles gets
// free bits (or a free literal) after a warning. Symbols get their bits
// one at a time through the symbol map, so that "symbol = expression" set
// to true can hand a new symbol the expression's bits instead of building
// a comparator. post_process adds the postponed theory constraints, and
// get reads values back as constants after a satisfiable answer.
//
// The converter contract: a bit-vector converter returns false with
// exactly the width of the expression's type in its output, or true when
// it does not convert the expression (then the output is of no use); a
// Boolean converter returns a literal. Malformed expressions are thrown
// as text (std::string where the text embeds an expression or a type,
// const char* otherwise); constraints and cache entries made before a
// throw stay.
//
// Costs: bv_cache makes every distinct subexpression (whole-tree key)
// cost its circuit once; the symbol map is keyed by the interned
// identifier, so a lookup hashes no text.

#include "flattening/arrays.h"
#include "flattening/boolbv_width.h"
#include "flattening/bv_utils.h"
#include "util/mp_integer.h"

#include <list>
#include <map>
#include <vector>

// The representation kind of a bit-vector type.
enum bv_kindt
{
  BV_KIND_BV = 0,
  BV_KIND_SIGNED = 1,
  BV_KIND_UNSIGNED = 2,
  BV_KIND_FLOAT = 3,
  BV_KIND_FIXED = 4,
  BV_KIND_VERILOG = 5,
  BV_KIND_RANGE = 6,
  BV_KIND_OTHER = 7,
  BV_KIND_C_ENUM = 8
};

// By the type's id; "c_enum" and "incomplete_c_enum" are one kind.
bv_kindt classify_bv_type(const typet &type);

class boolbvt : public arrayst, private boolbv_widtht
{
public:
  // The back end is not owned and must outlive the converter.
  explicit boolbvt(propt &_prop);

  // Bit-vector symbols read from their bits, constants as themselves,
  // everything else as prop_convt reads it; unbounded array symbols are
  // rebuilt from their recorded reads.
  exprt get(const exprt &expr) const override;

  // Setting "symbol = expression" to true binds the symbol's bits to the
  // expression's; throws for a non-Boolean expression.
  void set_to(const exprt &expr, bool value) override;

  // Quantifier instances, array constraints, function constraints,
  // equality constraints, then the base.
  void post_process() override;

  // Which arrays are decided by their reads rather than laid out as bits:
  // 0 (the default) those whose size is not a constant, 1 all, 2 also
  // those of constant size above 1000. Set before converting.
  int unbounded_array_mode = 0;

  struct symbol_entryt
  {
    unsigned width = 0;
    bv_kindt kind = BV_KIND_OTHER;
    typet type;
    std::map<unsigned, literalt> bit_literals;
  };

  struct quantifiert
  {
    exprt expr;
    literalt l;
  };

  // The bits of any expression, through bv_cache; true only when no
  // converter handles it and its type has no width.
  virtual bool convert_cached(const exprt &expr, bvt &bv);
  // The bit-vector dispatcher; true for an id it does not know.
  virtual bool convert_vector_expr(const exprt &expr, bvt &bv);

  using prop_convt::literal;
  // The literal of one bit of an expression already converted: symbols,
  // and reads and members of them at constant positions. True when it
  // has none; throws for other expressions.
  virtual bool literal(const exprt &expr, unsigned bit, literalt &dest) const;

  // Whether an array type is decided by its reads (see
  // unbounded_array_mode); false for a type that is not "array".
  bool treat_as_unbounded_array(const typet &type) const;

  // The value of a bit vector of the type, every bit known.
  void bv_get(const bvt &bv, const typet &type, exprt &dest) const;
  // The value of the expression's bits in bv_cache; nil when it was never
  // converted. Booleans go through get.
  void bv_get_cached(const exprt &expr, exprt &dest) const;

protected:
  // False when it handled the equality (see set_to).
  virtual bool equality_to_true_shortcut(const exprt &expr);
  // The literal of a bit of a symbol: the stored one, or a fresh variable
  // stored from now on.
  virtual literalt symbol_bit_literal(
    const dstring &identifier,
    unsigned bit,
    const typet &type);
  // Gives a bit of a symbol the literal, or constrains the literal it has
  // to be equal.
  virtual void bind_symbol_bit(
    const dstring &identifier,
    unsigned bit,
    const typet &type,
    literalt l);

  // Boolean converters.
  virtual literalt convert_relation(const exprt &expr);
  virtual literalt convert_typecast_to_bool(const exprt &expr);
  virtual literalt convert_reduction(const exprt &expr);
  virtual literalt convert_extractbit(const exprt &expr);
  virtual literalt convert_overflow(const exprt &expr);
  virtual literalt convert_equality(const exprt &expr);
  virtual literalt convert_quantifier(const exprt &expr);

  // Bit-vector converters.
  virtual bool
  convert_index_constant(const exprt &array, const mp_integer &index, bvt &bv);
  virtual bool convert_index(const exprt &expr, bvt &bv);
  virtual bool convert_byte_extract_constant(
    const exprt &operand,
    const mp_integer &offset,
    bvt &bv,
    bool little_endian);
  virtual bool convert_byte_extract(const exprt &expr, bvt &bv);
  virtual bool convert_constraint_select_one(const exprt &expr, bvt &bv);
  virtual bool convert_if(const exprt &expr, bvt &bv);
  virtual bool convert_struct(const exprt &expr, bvt &bv);
  virtual bool convert_array(const exprt &expr, bvt &bv);
  virtual bool convert_lambda(const exprt &expr, bvt &bv);
  virtual bool convert_array_of(const exprt &expr, bvt &bv);
  virtual bool convert_union_value(const exprt &expr, bvt &bv);
  virtual bool convert_typecast(const exprt &expr, bvt &bv);
  virtual bool convert_add_sub(const exprt &expr, bvt &bv);
  virtual bool convert_mult(const exprt &expr, bvt &bv);
  virtual bool convert_div(const exprt &expr, bvt &bv);
  virtual bool convert_mod(const exprt &expr, bvt &bv);
  virtual bool convert_member(const exprt &expr, bvt &bv);
  virtual bool convert_with(const exprt &expr, bvt &bv);
  virtual bool convert_case(const exprt &expr, bvt &bv);
  virtual bool convert_cond(const exprt &expr, bvt &bv);
  virtual bool convert_shift(const exprt &expr, bvt &bv);
  virtual bool convert_bitwise(const exprt &expr, bvt &bv);
  virtual bool convert_unary_minus(const exprt &expr, bvt &bv);
  virtual bool convert_concatenation(const exprt &expr, bvt &bv);
  virtual bool convert_replication(const exprt &expr, bvt &bv);
  virtual bool convert_literal_list(const exprt &expr, bvt &bv);
  virtual bool convert_constant(const exprt &expr, bvt &bv);
  virtual bool convert_extractbits(const exprt &expr, bvt &bv);
  virtual bool convert_symbol_bits(const exprt &expr, bvt &bv);

  // The "bv_literals" form of the bits: id "bv_literals", the type, and
  // under "bv" one child per bit (bit 0 first) whose id is the decimal
  // word of the literal.
  virtual void bits_to_expr(const typet &type, const bvt &bv, exprt &dest);
  // A "bv_literals" expression of fresh variables; throws a std::string
  // for a type without width.
  virtual void fresh_bits_expr(const typet &type, exprt &dest);

  // The value of an unbounded array symbol from its recorded reads: an
  // "array" (elements never read are "unknown") up to 100 elements, an
  // "array-list" of (index, value) pairs beyond; nil without a readable
  // size or without reads.
  virtual void
  bv_get_array_list(const dstring &identifier, const typet &type, exprt &dest)
    const;
  // The value of the type's bits from the offset; bits flagged unknown
  // read as 0, and nil where no value can be read.
  virtual void bv_get_rec(
    const bvt &bv,
    const std::vector<bool> &unknown,
    unsigned offset,
    const typet &type,
    exprt &dest) const;

  // One update step of "with" by the type of the updated value, and the
  // step for arrays, for bit-vectors, and for structures and unions: from
  // the current bits to the output bits; true when the step cannot be
  // built.
  virtual bool convert_with_type(
    const typet &type,
    const exprt &designator,
    const exprt &value,
    const bvt &current,
    bvt &next);
  virtual bool convert_with_array(
    const typet &type,
    const exprt &designator,
    const exprt &value,
    const bvt &current,
    bvt &next);
  virtual bool convert_with_bv(
    const typet &type,
    const exprt &designator,
    const exprt &value,
    const bvt &current,
    bvt &next);
  virtual bool convert_with_member(
    const typet &type,
    const exprt &designator,
    const exprt &value,
    const bvt &current,
    bvt &next);

  // The two operands of a division or remainder, of the expression's type
  // and `width` bits each: true when an operand's type is of another kind
  // or cannot be converted. Throws `arity_error` without exactly two
  // operands and `width_error` for an operand of another width.
  bool convert_divider_operands(
    const exprt &expr,
    unsigned width,
    const char *arity_error,
    const char *width_error,
    bvt &a,
    bvt &b);

  // The bits of an array value from its elements, each taking an equal
  // share of bv, which holds the array's width: true when an element cannot
  // be converted, or when there are none but bits to fill. Throws
  // `width_error` for an element whose width is not its share.
  bool convert_array_elements(
    const exprt::operandst &operands,
    const char *width_error,
    bvt &bv);

  // Where the component `name` of the structure type lies in its bits:
  // its type (null when there is no such component), its first bit and
  // its width. True when it, or a component before it, has no width.
  bool locate_component(
    const typet &struct_type,
    const dstring &name,
    const typet *&component_type,
    std::size_t &offset,
    unsigned &width);

  // The literal of "index = position", the position written as a constant
  // of the index's type. True, with nothing made, when that type cannot
  // express the position (no constant, or one that reads back as another
  // number): a narrow index never makes two positions share a constant.
  bool position_literal(
    const exprt &index,
    const mp_integer &position,
    literalt &l);

  literalt convert_rest(const exprt &expr) override;

  // Widths come from the virtual get_width, which pointer encodings
  // extend; this is its form for const members (the width logic keeps no
  // state).
  using boolbv_widtht::get_width;
  bool width_of(const typet &type, unsigned &width) const
  {
    return const_cast<boolbvt *>(this)->get_width(type, width);
  }

  // The entry of a symbol, made (type, width, kind) on first request.
  symbol_entryt &symbol_map_entry(const dstring &identifier, const typet &type);
  // Fresh variables for the width of the expression's type; true, with
  // nothing made, when it has none.
  bool free_bits_for(const exprt &expr, bvt &bv);

  bv_utilst bv_utils;

  typedef hash_mapt<dstring, symbol_entryt, dstring_hash> symbol_mapt;
  symbol_mapt symbol_map;

  typedef hash_mapt<exprt, bvt, irep_hash> bv_cachet;
  bv_cachet bv_cache;

  std::list<quantifiert> quantifier_list;

  // The instances of the quantifiers in quantifier_list.
  void post_process_quantifiers();

private:
  literalt convert_sign(const exprt &expr);
  // The converter's one bit for a Boolean-typed read, member or choice.
  literalt convert_single_bit(
    bool (boolbvt::*converter)(const exprt &, bvt &),
    const char *wrong_width,
    const exprt &expr);
  // The truth value of a literal in the last model; constants are plain.
  tvt literal_value(literalt l) const;
  // Where bv_get_rec reads a value: the bits, which of them are unknown,
  // and the value's first bit and width.
  struct bit_slicet
  {
    const bvt &bv;
    const std::vector<bool> &unknown;
    unsigned offset;
    unsigned width;
  };
  // The steps of bv_get_rec for arrays, structures and unions (dest is
  // left nil where no value can be read), and the digits of a number,
  // most significant first.
  void
  bv_get_array(const bit_slicet &slice, const typet &type, exprt &dest) const;
  void
  bv_get_struct(const bit_slicet &slice, const typet &type, exprt &dest) const;
  void
  bv_get_union(const bit_slicet &slice, const typet &type, exprt &dest) const;
  std::string bv_get_digits(const bit_slicet &slice) const;
  // The step of a structure update once the value is converted: its bits
  // over those of the component `name` (see convert_with_member).
  bool write_component(
    const typet &type,
    const dstring &name,
    const typet &value_type,
    const bvt &bits,
    bvt &next);
};

#endif

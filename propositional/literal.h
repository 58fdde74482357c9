#ifndef MORVANE_PROPOSITIONAL_LITERAL_H
#define MORVANE_PROPOSITIONAL_LITERAL_H

#include <vector>

// A propositional literal in one word: the variable number times two, plus
// one when the literal is negated. The variable number 0x7FFFFFFF is kept
// for the two constants, so negating a constant gives the other one.
class literalt
{
public:
  static constexpr unsigned const_var_no = 0x7FFFFFFFu;

  literalt() = default;

  literalt(unsigned var_no, bool sign) : l((var_no << 1) | unsigned(sign))
  {
  }

  // The literal whose word is `word`.
  static literalt from_word(unsigned word)
  {
    literalt result;
    result.l = word;
    return result;
  }

  unsigned get() const
  {
    return l;
  }

  unsigned var_no() const
  {
    return l >> 1;
  }

  bool sign() const
  {
    return l & 1;
  }

  bool is_constant() const
  {
    return var_no() == const_var_no;
  }

  bool is_true() const
  {
    return l == true_word;
  }

  bool is_false() const
  {
    return l == false_word;
  }

  // The number of the literal in DIMACS text: the variable number, negative
  // when negated. Meaningless for the constants.
  int dimacs() const
  {
    return sign() ? -int(var_no()) : int(var_no());
  }

  literalt operator!() const
  {
    return from_word(l ^ 1);
  }

  // The literal itself, or its negation when `negate` holds.
  literalt cond_negation(bool negate) const
  {
    return from_word(l ^ unsigned(negate));
  }

  bool operator==(literalt other) const
  {
    return l == other.l;
  }

  bool operator!=(literalt other) const
  {
    return l != other.l;
  }

  bool operator<(literalt other) const
  {
    return l < other.l;
  }

private:
  static constexpr unsigned true_word = 0xFFFFFFFFu;
  static constexpr unsigned false_word = 0xFFFFFFFEu;

  unsigned l = 0;

  friend literalt const_literal(bool value);
};

inline literalt const_literal(bool value)
{
  return literalt::from_word(
    value ? literalt::true_word : literalt::false_word);
}

// A clause (disjunction of its literals), a bit vector (least significant
// bit first) or a plain list of literals.
typedef std::vector<literalt> bvt;

#endif

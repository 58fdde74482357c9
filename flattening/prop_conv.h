#ifndef MORVANE_FLATTENING_PROP_CONV_H
#define MORVANE_FLATTENING_PROP_CONV_H

// The root of the flattening decision procedures: turns Boolean
// expressions (constants, symbols, connectives, "if" and equality between
// Booleans) into literals of a propositional back end. Every other Boolean
// expression goes to convert_rest, which derived classes override with
// their theories; post_process, run at the start of every solve, is where
// they add the constraints those theories postpone.
//
// Input errors are thrown as text: std::string when the text embeds an
// expression or an id, const char* otherwise. Constraints already added
// stay in the back end.

#include "propositional/prop.h"
#include "util/decision_procedure.h"
#include "util/expr.h"
#include "util/hash_containers.h"

#include <map>

class prop_convt : public virtual decision_proceduret
{
public:
  // The back end is not owned and must outlive the converter.
  explicit prop_convt(propt &_prop);

  // A Boolean expression's value as the constant true or false (unknown
  // reads as false); nil for other types and for what cannot be read.
  exprt get(const exprt &expr) const override;

  // "<identifier> = <FALSE|UNKNOWN|TRUE>" per Boolean symbol, ordered by
  // identifier text.
  void print_values(std::ostream &out) const override;

  void set_to(const exprt &expr, bool value) override;

  // post_process, then the back end; its result mapped to ours.
  resultt solve() override;

  std::string solver_description() const override;

  ~prop_convt() override = default;

  // Through the literal cache when use_cache is set.
  virtual literalt convert(const exprt &expr);
  // Encodes the expression anew, bypassing the cache.
  virtual literalt convert_uncached(const exprt &expr);

  // The three-valued value in the back end's last model. False with `value`
  // set; true when the expression was never converted in a form that can
  // be read.
  virtual bool get_bool(const exprt &expr, tvt &value) const;

  // The literal of an already converted Boolean symbol, without making
  // one: false with `dest` set, true when the symbol has none. Throws for
  // an expression that is not a symbol.
  virtual bool literal(const exprt &expr, literalt &dest) const;

  // The constraints of postponed theories; nothing here.
  virtual void post_process();

  // Whether convert goes through the cache.
  bool use_cache = true;
  // Whether setting "symbol = expression" true may just bind a new symbol
  // to the expression's literal.
  bool equality_propagation = true;

protected:
  // A replayed record converts its atom and constrains the literal in the
  // destination's back end.
  friend struct prop_conv_store_constraintt;

  virtual literalt convert_with_cache_flag(const exprt &expr, bool with_cache);
  // What convert_bool does not know: a free variable, after a warning.
  virtual literalt convert_rest(const exprt &expr);
  virtual literalt convert_bool(const exprt &expr);
  // False when the equality, set to true, was handled by binding its
  // first operand, a symbol without a literal, to the second's literal.
  virtual bool set_equality_to_true(const exprt &expr);
  // The literal of a Boolean symbol, made on first request.
  virtual literalt get_literal(const dstring &identifier);
  virtual void warn_ignoring(const exprt &expr);

  propt &prop;

  // Ordered by identifier text, which print_values relies on.
  typedef std::map<dstring, literalt> symbolst;
  symbolst symbols;

  // Keyed by whole expressions, comments ignored. Symbols and constants
  // are not stored: they cost nothing to convert again.
  typedef hash_mapt<exprt, literalt, irep_hash> cachet;
  cachet cache;

private:
  literalt convert_constraint_select_one(const exprt &expr);
  // The value of a literal in the back end's last model.
  tvt literal_value(literalt l) const;
};

#endif

#ifndef MORVANE_UTIL_STD_CODE_H
#define MORVANE_UTIL_STD_CODE_H

// A statement is an expression with the identifier "code" whose named
// child "statement" names its kind ("block", "label", ...). The statements
// of a block, and the statement a label marks, are its operands.

#include "util/expr.h"
#include "util/invariant.h"

class codet : public exprt
{
};

// The casts test the id by its text: the condition is the message of the
// stop, and its text is what callers match.
inline codet &to_code(exprt &expr)
{
  INVARIANT(expr.id()=="code");
  return static_cast<codet &>(expr);
}

inline const codet &to_code(const exprt &expr)
{
  INVARIANT(expr.id()=="code");
  return static_cast<const codet &>(expr);
}

// Makes the statement a block: a block stays as it is, any other statement
// becomes the single statement of a new block. Returns the same statement.
codet &make_block(codet &code);

// The first (last) statement reached by descending into the first (last)
// statement of blocks and labels; the statement itself when it is neither,
// or when it has no statement inside. The writing forms unshare the
// operand lists on the way down.
const codet &first_statement(const codet &code);
codet &first_statement(codet &code);
const codet &last_statement(const codet &code);
codet &last_statement(codet &code);

#endif

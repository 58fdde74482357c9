#ifndef MORVANE_EXPR_ALGORITHMS_LAMBDA_H
#define MORVANE_EXPR_ALGORITHMS_LAMBDA_H

// Function values: a "lambda" of a "mapping" type (subtypes: domain,
// range) has two operands, the bound variable and the body. The bound
// variable is a "quant_symbol" of the domain, or for a "tuple" domain a
// "tuple" of one "quant_symbol" per component; bound variables are told
// apart by id and type, not by name, so all lambdas over one domain bind
// the same variable. A "map" applies a function value to an argument.
//
// Malformed input is thrown as a text (const char*).

#include "util/expr.h"
#include "util/type.h"

#include <utility>
#include <vector>

// Overwrites `dest` with the lambda skeleton of the mapping type; the body
// is an empty expression of the range type for the caller to fill in.
// Throws "expected mapping type" or "mapping type expected to have two
// subtypes".
void make_lambda(const typet &type, exprt &dest);

// Overwrites `dest` with component `index` of the tuple value: the operand
// of a literal "tuple" (throws "tuple has not enough components" when there
// is none), else an untyped "member" selection with "component" set to the
// index.
void tuple_member(const exprt &tuple, unsigned index, exprt &dest);

// Bound variables, each with the value it is instantiated with. When a
// variable is listed twice, the first entry counts.
typedef std::vector<std::pair<exprt, exprt>> bindingst;

// Instantiates the body of a binder: replaces every free occurrence of a
// bound variable in `body` by its value, top-down as replace_expr_map does
// (structural match, comments ignored; a replaced subexpression is not
// searched again). A nested "lambda", "forall" or "exists" binds its
// operand 0 (or each operand of a "tuple" operand 0) afresh: operand 0 is
// never replaced, and its body, the last operand, is searched without the
// variables it binds, since there they stand for its own. Operands in
// between (the candidates of a quantifier) are searched with all of them.
void replace_bound_variables(const bindingst &bindings, exprt &body);

// Replaces a "map" of a "lambda" by the lambda's body with the bound
// variable (or each tuple component) replaced by the argument (or its
// components) by replace_bound_variables; the result is not simplified.
// The expression is unchanged when a text is thrown: "expected mapping",
// "mapping takes two operands", "expected lambda expression as first
// operand", "lambda takes two operands", "tuple has not enough
// components".
void apply_lambda_map(exprt &expr);

#endif

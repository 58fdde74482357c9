#ifndef MORVANE_TESTS_HARNESS_REFERENCE_EVALUATOR_H
#define MORVANE_TESTS_HARNESS_REFERENCE_EVALUATOR_H

// A plain evaluator of expressions over Booleans and small
// bit-vectors, written from what the operators mean (integers modulo
// 2^width) and not from how the system computes them: the oracle against
// which rewrites and circuits are checked on every assignment.
//
// Types: "bool" (values 0 and 1), "unsignedbv" and "signedbv" of width 1 to
// 16 (values in 0 ... 2^w - 1 and -2^(w-1) ... 2^(w-1) - 1; tests use up to
// 8 bits, the headroom keeps products of two values exact).
//
// Ids: "constant", "symbol", "and", "or", "xor", "nand", "nor" (n-ary),
// "not", "=>", "=" and "<=>", "notequal", "if", "+", "*" (n-ary), "-",
// "unary-", "/" and "mod" (truncating toward zero, the remainder with the
// dividend's sign), "bitand", "bitor", "bitxor" (n-ary), "bitnot", "shl",
// "lshr", "ashr" (on the bit pattern, "ashr" filling with the top bit
// whatever the signedness; a distance at or beyond the width shifts
// everything out), "<", "<=", ">", ">=", "typecast", "extractbit" (vector,
// position), "extractbits" (vector, two bounds in either order),
// "concatenation" (most significant operand first), "replication" (count,
// vector), the reductions "reduction_and", "_or", "_xor", "_nand", "_nor",
// "_xnor", and "comma" (the value of its last operand).
//
// Aggregates, one level deep: literals of arrays ("array", or "constant" of
// an "array" type) and structures ("struct", or "constant" of a "struct"
// type) over scalar elements, "array_of" (its "size" a constant), "with"
// (updates from left to right; an array index outside the array changes
// nothing), "if" and "comma" over them; "index" and "member" read them.
//
// Anything else, an unassigned symbol, a division by zero, a position or
// index out of range, or operands whose types do not fit the operator give
// no value: the expression's value is not defined there.

#include "util/expr.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Symbol identifiers to values; a value is taken modulo 2^width of the
// symbol's type (for "bool": 0 is false, anything else true).
typedef std::map<std::string, long long> assignmentt;

// An expression prepared once for evaluation under many assignments; the
// tree is read at construction only.
class reference_evaluatort
{
public:
  explicit reference_evaluatort(const exprt &expr);
  ~reference_evaluatort();
  reference_evaluatort(const reference_evaluatort &) = delete;
  reference_evaluatort &operator=(const reference_evaluatort &) = delete;

  // The value of a scalar expression; none where it is not defined.
  std::optional<long long> operator()(const assignmentt &assignment) const;

private:
  struct programt;
  programt *program;
};

// reference_evaluatort(expr)(assignment).
std::optional<long long>
reference_eval(const exprt &expr, const assignmentt &assignment);

// The value v modulo 2^width, in the range of the type; false for types
// outside the evaluator's domain.
bool reference_normalize(const typet &type, long long &v);

// Calls `check` once with every assignment of the variables, each ranging
// over all values of its type ("bool" or a bit-vector of the evaluator's
// widths). Keep the total number of bits small.
void for_each_assignment(
  const std::vector<std::pair<std::string, typet>> &variables,
  const std::function<void(const assignmentt &)> &check);

#endif

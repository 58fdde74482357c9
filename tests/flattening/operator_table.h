#ifndef MORVANE_TESTS_FLATTENING_OPERATOR_TABLE_H
#define MORVANE_TESTS_FLATTENING_OPERATOR_TABLE_H

// The exhaustive check of an operator on small values, through the whole
// decision procedure: set_to, solve, get, compared with an oracle written
// apart from the circuits.
//
// In the symbolic mode the expression is converted once over free
// variables and solved under each assignment as assumptions (test DPLL,
// incremental), so the circuit is built over free bits and not folded
// from constants. In the constant mode the values replace the variables
// as constants, which takes the converters' constant paths; each
// assignment gets its own Proofsat engine.

#include "harness/reference_evaluator.h"
#include "test_dpll.h"
#include "util/expr.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

typedef std::vector<std::pair<std::string, typet>> table_variablest;
typedef std::function<std::optional<long long>(const assignmentt &)>
  table_oraclet;

enum class table_modet
{
  SYMBOLIC,
  CONSTANT
};

// Variables range over "bool" and bit-vectors of up to 16 bits; a
// "fixedbv" variable over its raw two's-complement bits. With value_bits
// not 0, wider bit-vectors take only the values of that many bits (of
// their signedness).
//
// Adds a failure for every assignment where the value read back differs
// from the oracle's; assignments where the oracle gives none are skipped
// (the expression's value is free there).
void check_table(
  const exprt &expr,
  const table_variablest &variables,
  const table_oraclet &oracle,
  table_modet mode,
  unsigned value_bits = 0);

// Both modes against the reference evaluator.
void check_table(
  const exprt &expr,
  const table_variablest &variables,
  unsigned value_bits = 0);

// For operators that constrain their operands ("no-overflow-" forms): one
// copy of the expression over free variables, solved under each
// assignment as assumptions (test DPLL, incremental). Where the oracle
// gives none the assignment must be unsatisfiable; elsewhere satisfiable
// with the oracle's value.
void check_constrained_table(
  const exprt &expr,
  const table_variablest &variables,
  const table_oraclet &oracle,
  unsigned value_bits = 0);
// The same on a given, unused test DPLL (for one that reports no
// constraints, which makes converters select instead of constrain).
void check_constrained_table(
  test_dpll_propt &prop,
  const exprt &expr,
  const table_variablest &variables,
  const table_oraclet &oracle,
  unsigned value_bits = 0);

// Whether the Boolean expression can be true with every variable pinned
// to the assignment (after the expression is converted), on a real
// engine.
bool satisfiable_at(
  const exprt &expr,
  const table_variablest &variables,
  const assignmentt &assignment);

// The value of a constant read back: "bool" as 0 or 1, bit-vectors (also
// "fixedbv", as its raw two's-complement bits) as numbers in the range of
// the type; none for anything else.
std::optional<long long> read_value(const exprt &constant);

#endif

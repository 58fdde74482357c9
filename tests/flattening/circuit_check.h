#ifndef MORVANE_TESTS_FLATTENING_CIRCUIT_CHECK_H
#define MORVANE_TESTS_FLATTENING_CIRCUIT_CHECK_H

// Exhaustive checks of a circuit against a reference function: the circuit
// is built once over free input vectors, then for every tuple of input
// values the SAT back end must find a model whose output is the reference
// value, and must find none once the output is constrained to differ.

#include "flattening/bv_utils.h"
#include "test_dpll.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

typedef std::vector<std::int64_t> valuest;

// The circuit over the input vectors; the result is its output vector.
typedef std::function<bvt(bv_utilst &, std::vector<bvt> &)> circuit_buildert;

// The expected output for the input values (read as unsigned numbers),
// cut to the output's width; nothing when the inputs must have no model
// (the constraints of a no-overflow circuit rule them out).
typedef std::function<std::optional<std::int64_t>(const valuest &)>
  circuit_referencet;

struct circuit_caset
{
  const char *name;
  std::vector<unsigned> widths;
  circuit_buildert build;
  circuit_referencet reference;
};

// The input bits as constraints on the given vectors.
bvt value_assumptions(const std::vector<bvt> &inputs, const valuest &values);

// The value of a vector in the back end's model (constants read as such).
std::int64_t model_value(const propt &prop, const bvt &bv);

// The two's-complement reading of the low `width` bits.
std::int64_t to_signed(std::int64_t value, unsigned width);

// Every tuple of values for the widths, first input varying fastest.
std::vector<valuest> all_values(const std::vector<unsigned> &widths);

void expect_circuit(const circuit_caset &circuit);

#endif

#ifndef MORVANE_TESTS_EXPR_ALGORITHMS_RANDOM_EXPRESSION_H
#define MORVANE_TESTS_EXPR_ALGORITHMS_RANDOM_EXPRESSION_H

// Seeded random expression trees for differential tests of rewrites: over
// the 4-bit symbols x (signed) and y (unsigned), the Boolean symbol b and
// constants, with arithmetic, shifts, bitwise operators, casts between 4
// and 8 bits and to and from Booleans, relations, Boolean connectives,
// "if", "comma", bit extraction, and reads, updates and members of array
// and structure literals. Every tree is well typed; its value may be
// undefined for some assignments (a division by zero, an index out of
// range), which the reference evaluator reports.

#include "util/expr.h"

#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

class random_expressiont
{
public:
  explicit random_expressiont(unsigned seed) : random(seed)
  {
  }

  // A tree of the type ("bool" or a bit-vector of 4 or 8 bits) of at most
  // `depth` levels of operators.
  exprt make(const typet &type, unsigned depth);

  // A "bool" or 4-bit tree, chosen at random.
  exprt make_any(unsigned depth);

  // The symbols the trees use, with their types.
  static std::vector<std::pair<std::string, typet>> variables();

private:
  std::mt19937 random;

  unsigned pick(unsigned n)
  {
    return static_cast<unsigned>(random() % n);
  }
  exprt leaf(const typet &type);
  exprt make_bool(unsigned depth);
  exprt make_vector(const typet &type, unsigned depth);
  exprt make_read(const typet &type, unsigned depth);
  exprt other_vector(unsigned depth);
};

// Replaces subtrees of the tree by their operands of the same type, or by
// zero of their type, as long as `fails` keeps holding: a smallest form of
// a failing tree to print.
exprt shrink_expression(
  const exprt &expr, const std::function<bool(const exprt &)> &fails);

#endif

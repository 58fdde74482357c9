#include "flattening/boolbv.h"
#include "flattening_types.h"
#include "propositional/cnf_clause_list.h"
#include "sat/satcheck_coresat.h"
#include "test_dpll.h"
#include "thrown_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace
{
const typet element = unsignedbv_type(4);
const typet index_type = unsignedbv_type(3);
const typet array4 = array_type(element, 4);

typedef decision_proceduret::resultt resultt;

// What the random formulas share: their generator, their constraints and
// deciding them.
class random_constraintst
{
public:
  std::vector<exprt> constraints;

  // The constraints decided with the arrays laid out as bits (mode 0) or
  // decided by their reads (mode 1); the 3-bit indices i and j are held
  // inside the arrays.
  resultt decide(int mode) const
  {
    // A clause-learning engine: the multiplexers of the bounded layout are
    // beyond plain DPLL.
    satcheck_coresatt prop;
    boolbvt conv(prop);
    conv.unbounded_array_mode = mode;
    for(const char *name : {"i", "j"})
    {
      bvt bits;
      EXPECT_FALSE(conv.convert_cached(symbol_expr(name, index_type), bits));
      prop.l_set_to(bits[2], false);
    }
    for(const exprt &constraint : constraints)
      conv.set_to(constraint, true);
    return conv.solve();
  }

protected:
  explicit random_constraintst(unsigned seed) : random(seed)
  {
  }

  unsigned pick(unsigned n)
  {
    return std::uniform_int_distribution<unsigned>(0, n - 1)(random);
  }

private:
  std::mt19937 random;
};

// Random constraints over the arrays a, b and c (4 elements of 4 bits),
// read at the 3-bit indices i and j (held inside the array) and at
// constants, with element symbols x and y and conditions p and q.
class array_formulat : public random_constraintst
{
public:
  explicit array_formulat(unsigned seed) : random_constraintst(seed)
  {
    const unsigned count = 2 + pick(4);
    for(unsigned k = 0; k < count; ++k)
      add_constraint();
  }

private:
  exprt index()
  {
    switch(pick(3))
    {
    case 0:
      return symbol_expr("i", index_type);
    case 1:
      return symbol_expr("j", index_type);
    default:
      return bv_constant(pick(4), index_type);
    }
  }

  exprt value()
  {
    switch(pick(3))
    {
    case 0:
      return symbol_expr("x", element);
    case 1:
      return symbol_expr("y", element);
    default:
      return bv_constant(pick(16), element);
    }
  }

  exprt array(unsigned depth)
  {
    const unsigned kind = depth == 0 ? 0 : pick(5);
    switch(kind)
    {
    case 1:
      return make_expr("with", array4, {array(depth - 1), index(), value()});
    case 2:
      return make_expr(
        "if",
        array4,
        {bool_symbol(pick(2) == 0 ? "p" : "q"),
         array(depth - 1),
         array(depth - 1)});
    case 3:
      return make_expr("array_of", array4, {value()});
    default:
      const char name = static_cast<char>('a' + pick(3));
      return symbol_expr(std::string(1, name), array4);
    }
  }

  exprt read_constraint(const exprt &array)
  {
    const exprt read = index_expr(array, index());
    return pick(3) == 0 ? make_expr("notequal", bool_type(), {read, value()})
                        : equal_expr(read, value());
  }

  void add_constraint()
  {
    if(pick(4) != 0)
    {
      constraints.push_back(read_constraint(array(2)));
      return;
    }
    // The theory constrains arrays only where they are read: an equality
    // that no read observes may hold where the bounded layout shows it
    // cannot (see NoConstraintsWhereNothingIsRead), so each equality comes
    // with a read of its class.
    const exprt lhs = array(2);
    constraints.push_back(equal_expr(lhs, array(2)));
    constraints.push_back(read_constraint(lhs));
  }
};
} // namespace

namespace
{
// 150 random formulas decided with the arrays laid out as bits and by their
// reads: the verdicts agree, and both verdicts are exercised.
template <class formulat>
void expect_layouts_agree()
{
  unsigned satisfiable = 0, unsatisfiable = 0;
  for(unsigned seed = 0; seed < 150; ++seed)
  {
    const formulat formula(seed);
    const resultt bounded = formula.decide(0);
    const resultt unbounded = formula.decide(1);
    std::string text;
    for(const exprt &constraint : formula.constraints)
      text += constraint.to_string() + "\n";
    EXPECT_EQ(bounded, unbounded) << "seed " << seed << ":\n" << text;
    satisfiable += bounded == decision_proceduret::D_SATISFIABLE;
    unsatisfiable += bounded == decision_proceduret::D_UNSATISFIABLE;
  }
  EXPECT_GT(satisfiable, 20u);
  EXPECT_GT(unsatisfiable, 20u);
}
} // namespace

TEST(Arrays, BoundedAndUnboundedVerdictsAgree)
{
  expect_layouts_agree<array_formulat>();
}

namespace
{
resultt decide_unbounded(
  const std::vector<exprt> &constraints,
  int mode,
  bool set_value = true)
{
  satcheck_coresatt prop;
  boolbvt conv(prop);
  conv.unbounded_array_mode = mode;
  for(const exprt &constraint : constraints)
    conv.set_to(constraint, set_value);
  return conv.solve();
}
} // namespace

// An update, choice or constant array that is read but takes part in no
// array equality is still constrained, in every mode that leaves the
// array unbounded.
TEST(Arrays, ReadUpdatesChoicesAndConstantArraysAreConstrained)
{
  const exprt zero = bv_constant(0, index_type);
  const exprt five = bv_constant(5, element), seven = bv_constant(7, element);
  const exprt i = symbol_expr("i", index_type);
  struct
  {
    int mode;
    typet type;
  } settings[] = {
    {0, array_type(element, symbol_expr("n", unsignedbv_type(32)))},
    {1, array4},
    {2, array_type(element, 2000)},
  };
  for(const auto &setting : settings)
  {
    SCOPED_TRACE(setting.mode);
    const exprt a = symbol_expr("a", setting.type);
    const exprt b = symbol_expr("b", setting.type);
    const exprt with = make_expr("with", setting.type, {a, zero, five});
    const exprt choice =
      make_expr("if", setting.type, {bool_symbol("p"), a, b});
    const exprt constant = make_expr("array_of", setting.type, {five});
    const std::vector<exprt> unsatisfiable[] = {
      {equal_expr(index_expr(with, zero), seven)},
      {equal_expr(index_expr(a, i), five),
       equal_expr(index_expr(b, i), five),
       equal_expr(index_expr(choice, i), seven)},
      {equal_expr(index_expr(constant, i), seven)},
    };
    for(const auto &constraints : unsatisfiable)
      EXPECT_EQ(
        decide_unbounded(constraints, setting.mode),
        decision_proceduret::D_UNSATISFIABLE)
        << constraints.back().to_string();
    // The same reads with values that fit.
    EXPECT_EQ(
      decide_unbounded(
        {equal_expr(index_expr(with, zero), five)}, setting.mode),
      decision_proceduret::D_SATISFIABLE);
  }
}

// Indices of different types are numbers: a read at j = 19 (8 bits) is no
// read at i = 3 (4 bits), though 19 wraps onto 3 in 4 bits, and the
// signed 4-bit -1 is not the unsigned 255 or 15 that shares its bits.
TEST(Arrays, IndicesOfDifferentTypesCompareAsNumbers)
{
  const typet u4 = unsignedbv_type(4), u8 = unsignedbv_type(8);
  const typet s4 = signedbv_type(4), s8 = signedbv_type(8);
  const struct
  {
    typet written_type;
    long long written;
    typet read_type;
    long long read;
  } cases[] = {
    {u4, 3, u8, 19},   {u8, 19, u4, 3},    {u4, 3, u8, 3},
    {s4, -1, u8, 255}, {s4, -1, u8, 15},   {u4, 15, s4, -1},
    {s4, -1, s8, -1},  {s8, -8, s4, -8},   {u8, 200, s4, -8},
    {s8, 5, u4, 5},    {u8, 128, s8, -128}, {s8, -128, u8, 128},
  };
  const exprt a = symbol_expr("a", array4);
  const exprt seven = bv_constant(7, element);
  for(const auto &test : cases)
  {
    const bool same = test.written == test.read;
    SCOPED_TRACE(
      test.written_type.id().as_string() + " " +
      std::to_string(test.written) + " vs " + test.read_type.id().as_string() +
      " " + std::to_string(test.read));
    const exprt i = symbol_expr("i", test.written_type);
    const exprt j = symbol_expr("j", test.read_type);
    const exprt with = make_expr("with", array4, {a, i, seven});
    const auto differ = [&](const exprt &lhs, const exprt &rhs) {
      return decide_unbounded(
        {equal_expr(i, bv_constant(test.written, test.written_type)),
         equal_expr(j, bv_constant(test.read, test.read_type)),
         make_expr("notequal", bool_type(), {lhs, rhs})},
        1);
    };
    const resultt when_same = same ? decision_proceduret::D_SATISFIABLE
                                   : decision_proceduret::D_UNSATISFIABLE;
    const resultt when_apart = same ? decision_proceduret::D_UNSATISFIABLE
                                    : decision_proceduret::D_SATISFIABLE;
    // Read-over-write: the update shows at j exactly where j is i.
    EXPECT_EQ(differ(index_expr(with, j), index_expr(a, j)), when_same);
    EXPECT_EQ(differ(index_expr(with, j), seven), when_apart);
    // Two reads of one array agree where their indices are one number.
    EXPECT_EQ(differ(index_expr(a, i), index_expr(a, j)), when_apart);
  }
}

// Arrays whose elements are arrays: an equality of the outer arrays
// reaches the elements of their elements, however deep, and through reads
// at different but equal indices.
TEST(Arrays, EqualityOfArraysOfArraysReachesElementReads)
{
  const typet outer = array_type(array4, 4);
  const typet outermost = array_type(outer, 4);
  const exprt d = symbol_expr("d", outer), e = symbol_expr("e", outer);
  const exprt f = symbol_expr("f", outermost);
  const exprt g = symbol_expr("g", outermost);
  const exprt i = symbol_expr("i", index_type), j = symbol_expr("j", index_type);
  const exprt k = symbol_expr("k", index_type), m = symbol_expr("m", index_type);
  const auto differ = [](const exprt &lhs, const exprt &rhs) {
    return make_expr("notequal", bool_type(), {lhs, rhs});
  };
  const exprt x = symbol_expr("x", array4);
  const exprt with = make_expr("with", outer, {e, i, x});
  const struct
  {
    const char *name;
    std::vector<exprt> constraints;
    resultt expected;
  } cases[] = {
    {"one index",
     {equal_expr(d, e),
      differ(index_expr(index_expr(d, i), j), index_expr(index_expr(e, i), j))},
     decision_proceduret::D_UNSATISFIABLE},
    {"equal indices",
     {equal_expr(d, e), equal_expr(i, k),
      differ(index_expr(index_expr(d, i), j), index_expr(index_expr(e, k), j))},
     decision_proceduret::D_UNSATISFIABLE},
    {"indices that may differ",
     {equal_expr(d, e),
      differ(index_expr(index_expr(d, i), j), index_expr(index_expr(e, k), j))},
     decision_proceduret::D_SATISFIABLE},
    {"three levels",
     {equal_expr(f, g),
      differ(
        index_expr(index_expr(index_expr(f, i), j), m),
        index_expr(index_expr(index_expr(g, i), j), m))},
     decision_proceduret::D_UNSATISFIABLE},
    {"written element",
     {equal_expr(d, with),
      differ(index_expr(index_expr(d, i), j), index_expr(x, j))},
     decision_proceduret::D_UNSATISFIABLE},
  };
  for(const auto &test : cases)
  {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(decide_unbounded(test.constraints, 1), test.expected);
  }
}

namespace
{
const typet nested4 = array_type(array4, 4);

// Random constraints over the arrays of arrays d and e (4 rows of array4),
// their updates by the rows x and y, and reads of rows and of their
// elements at the 3-bit indices i and j (held inside the arrays).
class nested_array_formulat : public random_constraintst
{
public:
  explicit nested_array_formulat(unsigned seed) : random_constraintst(seed)
  {
    const unsigned count = 3 + pick(4);
    for(unsigned k = 0; k < count; ++k)
      add_constraint();
  }

private:
  exprt index()
  {
    const unsigned kind = pick(3);
    if(kind == 2)
      return bv_constant(pick(4), index_type);
    return symbol_expr(kind == 0 ? "i" : "j", index_type);
  }

  exprt outer()
  {
    const exprt symbol = symbol_expr(pick(2) == 0 ? "d" : "e", nested4);
    if(pick(3) != 0)
      return symbol;
    return make_expr("with", nested4, {symbol, index(), row()});
  }

  exprt row()
  {
    if(pick(3) == 0)
      return index_expr(outer(), index());
    return symbol_expr(pick(2) == 0 ? "x" : "y", array4);
  }

  exprt read_constraint(const exprt &array)
  {
    const exprt read = index_expr(array, index());
    const exprt other =
      pick(2) == 0 ? bv_constant(pick(16), element) : index_expr(row(), index());
    return pick(3) == 0 ? make_expr("notequal", bool_type(), {read, other})
                        : equal_expr(read, other);
  }

  void add_constraint()
  {
    switch(pick(3))
    {
    case 0:
      constraints.push_back(read_constraint(row()));
      return;
    case 1:
    {
      // Each equality comes with a read of its class (see
      // BoundedAndUnboundedVerdictsAgree).
      const exprt lhs = outer();
      constraints.push_back(equal_expr(lhs, outer()));
      constraints.push_back(read_constraint(index_expr(lhs, index())));
      return;
    }
    default:
      const exprt lhs = row();
      constraints.push_back(equal_expr(lhs, row()));
      constraints.push_back(read_constraint(lhs));
    }
  }
};
} // namespace

TEST(Arrays, ArraysOfArraysAgreeWithTheBoundedLayout)
{
  expect_layouts_agree<nested_array_formulat>();
}

// Documented limits of the theory: a false array equality forces no
// difference (no extensionality), and an equality that nothing reads is
// left free.
TEST(Arrays, NoConstraintsWhereNothingIsRead)
{
  const exprt a = symbol_expr("a", array4), b = symbol_expr("b", array4);
  std::vector<exprt> same_elements;
  for(unsigned k = 0; k < 4; ++k)
  {
    const exprt index = bv_constant(k, index_type);
    same_elements.push_back(
      equal_expr(index_expr(a, index), index_expr(b, index)));
  }
  {
    // One engine at a time: this one ends with the block.
    satcheck_coresatt prop;
    boolbvt conv(prop);
    conv.unbounded_array_mode = 1;
    for(const exprt &constraint : same_elements)
      conv.set_to(constraint, true);
    conv.set_to(equal_expr(a, b), false);
    EXPECT_EQ(conv.solve(), decision_proceduret::D_SATISFIABLE);
  }

  const exprt zeros = make_expr("array_of", array4, {bv_constant(0, element)});
  const exprt ones = make_expr("array_of", array4, {bv_constant(1, element)});
  EXPECT_EQ(
    decide_unbounded({equal_expr(zeros, ones)}, 1),
    decision_proceduret::D_SATISFIABLE);
  EXPECT_EQ(
    decide_unbounded(
      {equal_expr(zeros, ones),
       equal_expr(index_expr(zeros, symbol_expr("i", index_type)),
                  symbol_expr("x", element))},
      1),
    decision_proceduret::D_UNSATISFIABLE);
}

namespace
{
// Element equalities as free literals, so that the clauses counted are
// the theory's own.
class counting_arrayst : public arrayst
{
public:
  using arrayst::arrayst;
  using arrayst::index_map;

  std::vector<exprt> equalities_seen;

protected:
  literalt convert_rest(const exprt &expr) override
  {
    if(expr.id() != "=")
      return arrayst::convert_rest(expr);
    equalities_seen.push_back(expr);
    return prop.new_variable();
  }
};

const exprt a = symbol_expr("a", array4);
const exprt b = symbol_expr("b", array4);

exprt read(const exprt &array, const std::string &index)
{
  return make_expr("index", element, {array, symbol_expr(index, index_type)});
}
} // namespace

TEST(Arrays, ClausesPerReadIndex)
{
  const exprt i = symbol_expr("i", index_type);
  const exprt choice = make_expr("if", array4, {bool_symbol("p"), a, b});
  const exprt with = make_expr("with", array4, {a, i, bv_constant(3, element)});
  struct
  {
    const char *name;
    exprt equality;
    std::vector<exprt> reads;
    std::size_t clauses;
  } cases[] = {
    {"equality never read", equal_expr(a, b), {}, 0},
    {"equality read at two indices",
     equal_expr(a, b),
     {read(a, "i"), read(b, "j")},
     2},
    {"if without reads", equal_expr(choice, b), {}, 0},
    // Two indices: two "then" and two "else" clauses, plus one for the
    // equality at each.
    {"if read at two indices",
     equal_expr(choice, b),
     {read(choice, "i"), read(choice, "j")},
     6},
    // Only the written element, as one unit clause.
    {"with read at the written index only",
     equal_expr(with, b),
     {read(with, "i")},
     1 + 1},
    {"with read at another index too",
     equal_expr(with, b),
     {read(with, "i"), read(b, "j")},
     1 + 1 + 2},
  };
  for(const auto &test : cases)
  {
    SCOPED_TRACE(test.name);
    cnf_clause_listt prop;
    counting_arrayst conv(prop);
    conv.record_array_equality(test.equality);
    for(const exprt &r : test.reads)
      conv.record_function_application(r);
    const std::size_t before = prop.no_clauses();
    conv.add_array_constraints_all();
    EXPECT_EQ(prop.no_clauses() - before, test.clauses);
  }
}

// The written 3-bit index is widened to the read's 8 bits; the reads stay
// at the index as it was read.
TEST(Arrays, ReadsOfAnotherIndexTypeAreComparedInACommonType)
{
  cnf_clause_listt prop;
  counting_arrayst conv(prop);
  const exprt i = symbol_expr("i", index_type);
  const exprt j = symbol_expr("j", unsignedbv_type(8));
  const exprt with = make_expr("with", array4, {a, i, bv_constant(3, element)});
  conv.record_array_equality(equal_expr(with, b));
  conv.record_function_application(index_expr(b, j));
  conv.add_array_constraints_all();

  const exprt widened = make_expr("typecast", unsignedbv_type(8), {i});
  const auto seen = [&](const exprt &equality) {
    for(const exprt &e : conv.equalities_seen)
      if(e == equality)
        return true;
    return false;
  };
  EXPECT_TRUE(seen(equal_expr(widened, j)));
  EXPECT_TRUE(seen(equal_expr(index_expr(with, j), index_expr(a, j))));
}

TEST(Arrays, TwoUpdatesOfOneArrayShareOneIndexSet)
{
  cnf_clause_listt prop;
  counting_arrayst conv(prop);
  const exprt zero = bv_constant(0, index_type);
  const exprt one = bv_constant(1, index_type);
  const exprt first =
    make_expr("with", array4, {a, zero, bv_constant(1, element)});
  const exprt second =
    make_expr("with", array4, {a, one, bv_constant(2, element)});
  conv.record_array_equality(equal_expr(first, b));
  conv.record_array_equality(equal_expr(second, b));
  conv.add_array_constraints_all();
  ASSERT_EQ(conv.index_map.size(), 1u);
  EXPECT_EQ(conv.index_map.begin()->second.size(), 2u);
}

TEST(Arrays, MalformedExpressionsAreThrown)
{
  const exprt narrow = symbol_expr("n", array_type(unsignedbv_type(2), 4));
  exprt unknown_application = make_expr("apply", element, {a, a});
  struct
  {
    const char *name;
    std::function<void(counting_arrayst &)> call;
    std::string thrown;
  } cases[] = {
    {"equality of one operand",
     [](counting_arrayst &conv) {
       conv.record_array_equality(make_expr("=", bool_type(), {a}));
     },
     "char*: function equality expected to have two operands"},
    {"equality of different types",
     [&](counting_arrayst &conv) {
       conv.record_array_equality(equal_expr(a, narrow));
     },
     "char*: record_array_equality got equality without matching types"},
    {"equality with a conversion",
     [](counting_arrayst &conv) {
       conv.record_array_equality(
         equal_expr(a, make_expr("typecast", array4, {b})));
     },
     "string: unexpected array expression: typecast"},
    {"element read of three operands",
     [](counting_arrayst &conv) {
       const typet nested = array_type(array4, 2);
       const exprt zero = bv_constant(0, index_type);
       conv.record_array_equality(equal_expr(
         a, make_expr("index", array4, {symbol_expr("m", nested), zero, zero})));
     },
     "char*: index takes two operands"},
    {"with of two operands",
     [](counting_arrayst &conv) {
       conv.record_array_equality(
         equal_expr(make_expr("with", array4, {a, a}), b));
     },
     "char*: with expected to have three operands"},
    {"with of another type",
     [&](counting_arrayst &conv) {
       conv.record_array_equality(equal_expr(
         make_expr(
           "with",
           array4,
           {narrow, bv_constant(0, index_type), bv_constant(0, element)}),
         b));
     },
     "char*: collect_arrays got with without matching types"},
    {"if of another type",
     [&](counting_arrayst &conv) {
       conv.record_array_equality(equal_expr(
         make_expr("if", array4, {bool_symbol("p"), a, narrow}), b));
     },
     "char*: collect_arrays got if without matching types"},
    {"with value of another type",
     [](counting_arrayst &conv) {
       conv.record_array_equality(equal_expr(
         make_expr(
           "with",
           array4,
           {a, bv_constant(0, index_type), bv_constant(0, index_type)}),
         b));
       conv.add_array_constraints_all();
     },
     "char*: with value does not match the element type"},
    {"array_of value of another type",
     [](counting_arrayst &conv) {
       conv.record_array_equality(equal_expr(
         make_expr("array_of", array4, {bv_constant(0, index_type)}), b));
       conv.add_array_constraints_all();
     },
     "char*: array_of value does not match the element type"},
    {"application that is no read",
     [&](counting_arrayst &conv) {
       conv.record_array_equality(equal_expr(a, b));
       conv.record_function_application(unknown_application);
       conv.add_array_constraints_all();
     },
     "string: array logic expected index expression as function, but got "
     "apply"},
  };
  for(const auto &test : cases)
  {
    SCOPED_TRACE(test.name);
    cnf_clause_listt prop;
    counting_arrayst conv(prop);
    testing::internal::CaptureStdout();
    EXPECT_EQ(thrown_text([&] { test.call(conv); }), test.thrown);
    testing::internal::GetCapturedStdout();
  }
}

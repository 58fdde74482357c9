#include "expr_algorithms/cnf_simplify.h"
#include "harness/decision_test_harness.h"
#include "harness/reference_evaluator.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

namespace
{
const exprt a = bool_symbol("a"), b = bool_symbol("b"), c = bool_symbol("c"),
            d = bool_symbol("d"), e = bool_symbol("e");

exprt op(const std::string &id, std::initializer_list<exprt> operands)
{
  return make_expr(id, bool_type(), operands);
}
exprt neg(const exprt &x)
{
  return op("not", {x});
}

// Random formulas over three Boolean symbols and two 2-bit ones, with
// every connective the passes rewrite, nested and n-ary.
class random_formulat
{
public:
  explicit random_formulat(unsigned seed) : random(seed)
  {
  }

  exprt boolean(unsigned depth)
  {
    static const char *const ids[] = {
      "and", "or", "xor", "nand", "nor", "not", "=>", "=", "notequal"};
    if(depth == 0 || random() % 5 == 0)
    {
      if(random() % 4 == 0)
        return op(random() % 2 ? "=" : "notequal", {bits(2), bits(2)});
      return bool_symbol(std::string(1, char('a' + random() % 3)));
    }
    const std::string id = ids[random() % 9];
    exprt result(id, bool_type());
    const unsigned count = id == "not" ? 1
                           : id == "=>" || id == "=" || id == "notequal"
                             ? 2
                             : 1 + random() % 3;
    for(unsigned i = 0; i < count; ++i)
    {
      // Repeat the parent's id often, so that there is nesting to merge.
      exprt child = boolean(depth - 1);
      if(count > 1 && random() % 3 == 0 && child.id() != "not")
        child = op(id == "not" ? "and" : id, {child, boolean(depth - 1)});
      result.move_to_operands(child);
    }
    return result;
  }

  exprt bits(unsigned depth)
  {
    static const char *const ids[] = {"bitand", "bitor", "bitxor"};
    if(depth == 0 || random() % 3 == 0)
      return symbol_expr(random() % 2 ? "u" : "v", unsignedbv_type(2));
    exprt result(ids[random() % 3], unsignedbv_type(2));
    for(unsigned n = 1 + random() % 3; n != 0; --n)
      result.copy_to_operands(bits(depth - 1));
    return result;
  }

private:
  std::mt19937 random;
};

// Whether `transformed` evaluates to the value of `original` (negated when
// asked) under every assignment.
void expect_equivalent(
  const exprt &original, const exprt &transformed, bool negated)
{
  const reference_evaluatort eval_before(original), eval_after(transformed);
  for_each_assignment(
    {{"a", bool_type()},
     {"b", bool_type()},
     {"c", bool_type()},
     {"u", unsignedbv_type(2)},
     {"v", unsignedbv_type(2)}},
    [&](const assignmentt &assignment)
    {
      const auto before = eval_before(assignment);
      const auto after = eval_after(assignment);
      ASSERT_TRUE(before.has_value()) << original.pretty();
      ASSERT_TRUE(after.has_value()) << transformed.pretty();
      ASSERT_EQ(*after, negated ? !*before : *before)
        << original.pretty() << "\nbecame\n"
        << transformed.pretty();
    });
}

// Neither "nand", "nor" nor "=>" is left, and "not" stands on atoms only.
bool is_normal(const exprt &expr)
{
  const std::string &id = expr.id().as_string();
  if(id == "nand" || id == "nor" || id == "=>")
    return false;
  if(id == "not")
  {
    const std::string &inner = expr.op0().id().as_string();
    if(
      inner == "and" || inner == "or" || inner == "not" || inner == "nand" ||
      inner == "nor" || inner == "=>" || inner == "=" || inner == "notequal")
      return false;
  }
  for(const exprt &operand : expr.operands())
    if(!is_normal(operand))
      return false;
  return true;
}

// No operand of a flattenable operator has the operator's id and type.
bool is_flat(const exprt &expr)
{
  const std::string &id = expr.id().as_string();
  const bool merges = id == "and" || id == "or" || id == "xor" ||
                      id == "bitand" || id == "bitor" || id == "bitxor";
  for(const exprt &operand : expr.operands())
    if(
      (merges && operand.id() == expr.id() && operand.type() == expr.type()) ||
      !is_flat(operand))
      return false;
  return true;
}
} // namespace

TEST(CnfSimplify, PropagateNotCases)
{
  struct
  {
    exprt input, expected;
  } cases[] = {
    {op("and", {a, op("or", {b, c})}),
     op("or", {neg(a), op("and", {neg(b), neg(c)})})},
    {neg(a), a},
    {op("nand", {a, b}), op("and", {a, b})},
    {op("nor", {a, b}), op("or", {a, b})},
    {op("=", {a, b}), op("notequal", {a, b})},
    {op("notequal", {a, b}), op("=", {a, b})},
    {exprt("and", bool_type()), exprt("or", bool_type())},
    {op("xor", {a, b}), neg(op("xor", {a, b}))},
    {symbol_expr("s", signedbv_type(4)),
     make_expr("not", signedbv_type(4), {symbol_expr("s", signedbv_type(4))})},
  };
  for(const auto &test : cases)
  {
    exprt expr = test.input;
    propagate_not(expr);
    EXPECT_TRUE(expr.full_eq(test.expected)) << expr.pretty();
  }
}

TEST(CnfSimplify, NormalizeAndFlattenCases)
{
  struct
  {
    std::function<void(exprt &)> pass;
    exprt input, expected;
  } cases[] = {
    {cnf_normalize, op("=>", {a, b}), op("or", {neg(a), b})},
    {cnf_normalize, op("nor", {a, b}), op("and", {neg(a), neg(b)})},
    {cnf_normalize, op("nand", {a, b}), op("or", {neg(a), neg(b)})},
    {cnf_normalize, neg(neg(a)), a},
    {cnf_normalize, op("=>", {a, b, c}), op("=>", {a, b, c})},
    // What a negation brings up is normalised too.
    {cnf_normalize, neg(op("=>", {a, b})), op("and", {a, neg(b)})},
    {cnf_normalize, neg(neg(op("=>", {a, b}))), op("or", {neg(a), b})},
    {cnf_normalize,
     neg(neg(op("nand", {a, neg(neg(b))}))),
     op("or", {neg(a), neg(b)})},
    {cnf_flatten,
     op("and", {a, op("and", {b, op("and", {c, d})}), e}),
     op("and", {a, b, c, d, e})},
    {cnf_flatten, op("and", {op("and", {a})}), a},
    {cnf_flatten,
     op("or", {a, op("and", {b, op("and", {c})})}),
     op("or", {a, op("and", {b, c})})},
    // A node that collapses to its operand merges with its new parent.
    {cnf_flatten,
     op("and", {a, op("or", {op("and", {b, c})})}),
     op("and", {a, b, c})},
    {cnf_simplify,
     neg(op("or", {a, op("nand", {b, c})})),
     op("and", {neg(a), b, c})},
  };
  for(const auto &test : cases)
  {
    exprt expr = test.input;
    test.pass(expr);
    EXPECT_TRUE(expr.full_eq(test.expected)) << expr.pretty();
  }

  exprt empty("and", bool_type());
  cnf_flatten(empty);
  EXPECT_EQ(empty.id(), "and");
  EXPECT_TRUE(empty.operands().empty());

  // Only nodes of the same id and type merge.
  const exprt u4 = symbol_expr("u", unsignedbv_type(4));
  const exprt u8 = symbol_expr("w", unsignedbv_type(8));
  const exprt mixed = make_expr(
    "bitand",
    unsignedbv_type(8),
    {u8, make_expr("bitand", unsignedbv_type(4), {u4, u4}), u8});
  exprt expr = mixed;
  cnf_flatten(expr);
  EXPECT_EQ(expr, mixed);
}

// The passes keep the meaning of every formula (propagate_not negates it)
// and reach their normal forms.
TEST(CnfSimplify, RandomFormulasKeepTheirValue)
{
  for(unsigned seed = 0; seed < 120; ++seed)
  {
    random_formulat random(seed);
    const exprt original = random.boolean(3);

    exprt negated = original;
    propagate_not(negated);
    expect_equivalent(original, negated, true);

    exprt normalized = original;
    cnf_normalize(normalized);
    expect_equivalent(original, normalized, false);
    EXPECT_TRUE(is_normal(normalized)) << normalized.pretty();

    exprt flattened = original;
    cnf_flatten(flattened);
    expect_equivalent(original, flattened, false);
    EXPECT_TRUE(is_flat(flattened)) << flattened.pretty();

    exprt simplified = original;
    cnf_simplify(simplified);
    expect_equivalent(original, simplified, false);
    // Flattening may collapse a one-operand "xor" below a "not", so only
    // flatness is certain here.
    EXPECT_TRUE(is_flat(simplified)) << simplified.pretty();
    if(HasFatalFailure())
      return;
  }
}

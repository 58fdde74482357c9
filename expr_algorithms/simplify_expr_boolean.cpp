// The simplifier's rules for Boolean operators, relations and conditionals,
// and the condition propagation it offers.

#include "expr_algorithms/arith_tools.h"
#include "expr_algorithms/simplify_expr.h"
#include "expr_algorithms/simplify_expr_util.h"
#include "util/expr_util.h"
#include "util/invariant.h"
#include "util/mp_arith.h"

#include <set>

static bool is_bool_typed(const exprt &expr)
{
  return expr.type().id() == ID_bool;
}

// "<=>" with a constant side leaves the other side, or its negation.
static bool simplify_equivalence(exprt &expr)
{
  const exprt &node = expr;
  if(
    node.operands().size() != 2 || !is_bool_typed(node.op0()) ||
    !is_bool_typed(node.op1()))
    return true;
  for(std::size_t side : {0, 1})
  {
    const exprt &constant = node.operands()[side];
    if(!constant.is_false() && !constant.is_true())
      continue;
    const bool negate = constant.is_false();
    exprt::operandst &operands = expr.operands();
    operands.erase(operands.begin() + side);
    if(negate)
      expr.id("not");
    else
      replace_by_operand(expr, 0);
    return false;
  }
  return true;
}

namespace
{
// What a pass over the operands of "and", "or" or "xor" found.
enum class operand_passt
{
  // Every operand is Boolean; neutral and repeated ones are gone.
  DONE,
  // An operand decides the node, which is now that constant.
  DECIDED,
  // A non-Boolean operand stopped the pass where it stands.
  STOPPED
};
} // namespace

// Removes the neutral operands, and for "and" and "or" the repeated ones,
// unless an operand decides the node first; clears `unchanged` when it
// removes any.
static operand_passt drop_neutral_and_repeated(exprt &expr, bool &unchanged)
{
  const bool is_and = expr.id() == ID_and, is_or = expr.id() == ID_or;
  exprt::operandst &operands = expr.operands();
  for(std::size_t i = 0; i < operands.size();)
  {
    const exprt &op = operands[i];
    if(!is_bool_typed(op))
      return operand_passt::STOPPED;
    if((is_and && op.is_false()) || (is_or && op.is_true()))
    {
      expr.make_bool(is_or);
      return operand_passt::DECIDED;
    }
    // Duplicates are neighbours once the operands are sorted; "xor" keeps
    // them, as a pair of them cancels.
    const bool neutral = is_and ? op.is_true() : op.is_false();
    const bool duplicate = expr.id() != ID_xor && i != 0 &&
                           op == operands[i - 1];
    if(neutral || duplicate)
    {
      operands.erase(operands.begin() + i);
      unchanged = false;
      continue;
    }
    ++i;
  }
  return operand_passt::DONE;
}

// Whether a negation comes before its argument among the operands.
static bool has_negation_before_argument(const exprt::operandst &operands)
{
  std::set<exprt> negated;
  for(const exprt &op : operands)
  {
    if(op.id() == ID_not && is_bool_typed(op) && op.operands().size() == 1)
      negated.insert(op.op0());
    else if(negated.count(op) != 0)
      return true;
  }
  return false;
}

// "and", "or" and "xor" over their operands, sorted already.
static bool simplify_connective(exprt &expr)
{
  if(static_cast<const exprt &>(expr).operands().empty())
    return true;
  const bool is_and = expr.id() == ID_and, is_or = expr.id() == ID_or;
  bool unchanged = true;
  switch(drop_neutral_and_repeated(expr, unchanged))
  {
  case operand_passt::DECIDED:
    return false;
  case operand_passt::STOPPED:
    return unchanged;
  case operand_passt::DONE:
    break;
  }

  // A negation found before its argument decides the node too.
  if((is_and || is_or) && has_negation_before_argument(expr.operands()))
  {
    expr.make_bool(is_or);
    return false;
  }

  const exprt::operandst &operands = expr.operands();
  if(operands.empty())
  {
    expr.make_bool(is_and);
    return false;
  }
  if(operands.size() == 1)
  {
    replace_by_operand(expr, 0);
    return false;
  }
  return unchanged;
}

bool simplify_exprt::simplify_not(exprt &expr, modet mode)
{
  const exprt &node = expr;
  if(node.operands().size() != 1 || !is_bool_typed(node.op0()))
    return true;
  const exprt &op = node.op0();
  if(op.id() == ID_not && op.operands().size() == 1)
  {
    exprt inner;
    inner.swap(expr.op0().op0());
    expr.swap(inner);
    return false;
  }
  if(op.is_false() || op.is_true())
  {
    expr.make_bool(op.is_false());
    return false;
  }
  if(op.id() == ID_and || op.id() == ID_or)
  {
    replace_by_operand(expr, 0);
    if(has_operand_list(expr))
      for(exprt &operand : expr.operands())
      {
        operand.make_not();
        simplify_node(operand, mode);
      }
    expr.id(expr.id() == ID_and ? "or" : "and");
    return false;
  }
  return true;
}

bool simplify_exprt::simplify_implies(exprt &expr, modet mode)
{
  const exprt &node = expr;
  if(
    node.operands().size() != 2 || !is_bool_typed(node.op0()) ||
    !is_bool_typed(node.op1()))
    return true;
  expr.id("or");
  expr.op0().make_not();
  simplify_node(expr.op0(), mode);
  simplify_node(expr, mode);
  return false;
}

bool simplify_exprt::simplify_boolean(exprt &expr, modet mode)
{
  if(!is_bool_typed(expr))
    return true;
  const dstring id = expr.id();
  if(id == ID_not)
    return simplify_not(expr, mode);
  if(id == ID_implies)
    return simplify_implies(expr, mode);
  if(id == ID_equivalent)
    return simplify_equivalence(expr);
  if(id != ID_and && id != ID_or && id != ID_xor)
    return true;
  return simplify_connective(expr);
}

bool simplify_exprt::simplify_if(exprt &expr)
{
  const exprt &node = expr;
  if(node.operands().size() != 3)
    return true;
  if(node.op1() == node.op2())
  {
    replace_by_operand(expr, 1);
    return false;
  }

  bool unchanged = true;
  if(normalise_if)
  {
    const exprt &condition = node.op0();
    if(condition.id() == ID_not && condition.operands().size() == 1)
    {
      exprt inner;
      inner.swap(expr.op0().op0());
      expr.op0().swap(inner);
      expr.op1().swap(expr.op2());
      unchanged = false;
    }
    if(expr.type() == typet("bool"))
    {
      if(node.op1().is_true() && node.op2().is_false())
      {
        replace_by_operand(expr, 0);
        return false;
      }
      if(node.op1().is_false() && node.op2().is_true())
      {
        replace_by_operand(expr, 0);
        expr.make_not();
        return false;
      }
    }
  }

  if(node.op0().is_true())
  {
    replace_by_operand(expr, 1);
    return false;
  }
  if(node.op0().is_false())
  {
    replace_by_operand(expr, 2);
    return false;
  }
  return unchanged;
}

static bool is_null_constant(const exprt &expr)
{
  return expr.is_constant() && expr.get("value") == ID_NULL;
}

bool simplify_exprt::simplify_relation(exprt &expr, modet mode)
{
  const exprt &node = expr;
  if(
    (expr.id() == ID_equal || expr.id() == ID_notequal) &&
    node.operands().size() == 2 && node.op0().type().id() == ID_pointer)
  {
    const exprt *other = nullptr;
    if(is_null_constant(node.op0()))
      other = &node.op1();
    else if(is_null_constant(node.op1()))
      other = &node.op0();
    // The address of a named object is never NULL.
    if(
      other != nullptr && other->id() == ID_address_of &&
      other->operands().size() == 1 &&
      (other->op0().id() == ID_symbol || other->op0().id() == ID_member))
    {
      expr.make_bool(expr.id() != ID_equal);
      return false;
    }
  }
  return simplify_inequality(expr, mode);
}

// The relation between two values, named by the relation's id.
static bool
relation_holds(const dstring &id, const mp_integer &a, const mp_integer &b)
{
  if(id == ID_equal)
    return a == b;
  if(id == ID_notequal)
    return a != b;
  if(id == ID_ge)
    return a >= b;
  if(id == ID_le)
    return a <= b;
  if(id == ID_gt)
    return a > b;
  return a < b;
}

bool simplify_exprt::simplify_inequality(exprt &expr, modet mode)
{
  const exprt &node = expr;
  if(
    !is_bool_typed(expr) || node.operands().size() != 2 ||
    node.op0().type() != node.op1().type())
    return true;
  const bool constant0 = node.op0().is_constant();
  const bool constant1 = node.op1().is_constant();

  if(!constant0 && !constant1)
    return simplify_inequality_not_constant(expr, mode);
  if(constant1 && !constant0)
    return simplify_inequality_constant(expr, mode);
  if(constant0 && !constant1)
  {
    const dstring id = expr.id();
    if(id == ID_ge)
      expr.id("<=");
    else if(id == ID_le)
      expr.id(">=");
    else if(id == ID_gt)
      expr.id("<");
    else if(id == ID_lt)
      expr.id(">");
    expr.op0().swap(expr.op1());
    simplify_inequality_constant(expr, mode);
    return false;
  }

  mp_integer a, b;
  if(node.op0().type().id() == ID_fixedbv)
  {
    a = binary_to_integer(node.op0().get("value").as_string(), true);
    b = binary_to_integer(node.op1().get("value").as_string(), true);
  }
  else if(expr_to_integer(node.op0(), a) || expr_to_integer(node.op1(), b))
    return true;
  expr.make_bool(relation_holds(expr.id(), a, b));
  return false;
}

bool simplify_exprt::simplify_inequality_constant(exprt &expr, modet mode)
{
  INVARIANT(expr.op1().is_constant());
  const exprt &node = expr;
  const dstring id = expr.id();

  if(node.op0().id() == ID_plus && (id == ID_equal || id == ID_notequal))
  {
    mp_integer total;
    bool found = false;
    for(const exprt &addend : node.op0().operands())
    {
      mp_integer value;
      if(addend.is_constant() && !expr_to_integer(addend, value))
      {
        total += value;
        found = true;
      }
    }
    mp_integer constant;
    if(found && !expr_to_integer(node.op1(), constant))
    {
      constant -= total;
      exprt moved = integer_to_expr(constant, node.op1().type());
      // A value the constant's type cannot hold (a "natural" gone
      // negative, a pointer other than NULL) leaves the relation alone.
      if(moved.is_not_nil())
      {
        for(exprt &addend : expr.op0().operands())
        {
          mp_integer value;
          if(addend.is_constant() && !expr_to_integer(addend, value))
          {
            exprt zero = zero_constant(addend.type());
            addend.swap(zero);
          }
        }
        expr.op1().swap(moved);
        simplify_addition_subtraction(expr.op0(), mode);
        simplify_inequality(expr, mode);
        return false;
      }
    }
  }

  if(!node.op1().is_zero())
    return true;
  if(id == ID_ge && node.op0().type().id() == ID_unsignedbv)
  {
    expr.make_true();
    return false;
  }
  if(id != ID_equal)
    return true;
  const exprt &left = node.op0();
  if(left.id() == ID_unary_minus && left.operands().size() == 1)
  {
    // -x = 0 exactly when x = 0.
    exprt inner;
    inner.swap(expr.op0().op0());
    expr.op0().swap(inner);
    return false;
  }
  if(left.id() == ID_plus && left.operands().size() == 2)
  {
    bool unchanged = true;
    if(left.op0().id() == ID_unary_minus)
    {
      expr.op0().op0().swap(expr.op0().op1());
      unchanged = false;
    }
    const exprt &negation = node.op0().op1();
    if(negation.id() == ID_unary_minus && negation.operands().size() == 1)
    {
      // a + (-b) = 0 exactly when a = b.
      exprt equality("=", expr.type());
      equality.move_to_operands(expr.op0().op0(), expr.op0().op1().op0());
      expr.swap(equality);
      return false;
    }
    return unchanged;
  }
  return true;
}

bool simplify_exprt::simplify_inequality_not_constant(exprt &expr, modet mode)
{
  const dstring id = expr.id();
  if(id == ID_notequal || id == ID_gt || id == ID_lt || id == ID_le)
  {
    expr.id(id == ID_notequal ? "=" : ">=");
    if(id == ID_gt || id == ID_le)
      expr.op0().swap(expr.op1());
    simplify_inequality_not_constant(expr, mode);
    if(id != ID_le)
      expr.make_not();
    return false;
  }
  INVARIANT(expr.id() == ID_ge || expr.id() == ID_equal);

  const exprt &node = expr;
  if(node.op0() == node.op1())
  {
    expr.make_true();
    return false;
  }

  std::set<mp_integer> values0, values1;
  if(
    !collect_constant_values(node.op0(), values0) &&
    !collect_constant_values(node.op1(), values1))
  {
    bool first = true, answer = false, same = true;
    for(const mp_integer &a : values0)
      for(const mp_integer &b : values1)
      {
        const bool holds = relation_holds(id, a, b);
        if(first)
          answer = holds;
        else if(holds != answer)
          same = false;
        first = false;
      }
    if(same && !first)
    {
      expr.make_bool(answer);
      return false;
    }
  }

  if(id == ID_equal && !eliminate_common_addends(expr.op0(), expr.op1()))
  {
    simplify_node(expr.op0(), mode);
    simplify_node(expr.op1(), mode);
    simplify_inequality(expr, mode);
    return false;
  }
  return true;
}

bool simplify_exprt::replace_conjuncts_true(exprt &expr, const exprt &condition)
{
  for(const exprt &conjunct : condition.operands())
    if(expr == conjunct)
    {
      expr.make_true();
      return false;
    }
  bool unchanged = true;
  if(has_operand_list(expr))
    for(exprt &op : expr.operands())
      unchanged = replace_conjuncts_true(op, condition) && unchanged;
  return unchanged;
}

bool simplify_exprt::replace_disjuncts_false(
  exprt &expr, const exprt &condition)
{
  for(const exprt &disjunct : condition.operands())
    if(expr == disjunct)
    {
      expr.make_false();
      return false;
    }
  bool unchanged = true;
  if(has_operand_list(expr))
    for(exprt &op : expr.operands())
      unchanged = replace_disjuncts_false(op, condition) && unchanged;
  return unchanged;
}

// The value of a constant of type "integer", "natural", "unsignedbv" or
// "signedbv"; false when there is none.
static bool comparable_value(const exprt &expr, mp_integer &value)
{
  const dstring &type_id = expr.type().id();
  return expr.is_constant() &&
         (type_id == ID_integer || type_id == ID_natural ||
          type_id == ID_unsignedbv || type_id == ID_signedbv) &&
         !expr_to_integer(expr, value);
}

bool simplify_exprt::implied_truth(
  const exprt &expr, const exprt &condition, bool truth, bool &result)
{
  if(expr == condition)
  {
    result = truth;
    return false;
  }
  if(
    !truth || expr.id() != ID_lt || condition.id() != ID_lt ||
    expr.operands().size() != 2 || condition.operands().size() != 2)
    return true;

  // Only what follows from the condition is decided: x < c gives x < e
  // for every e >= c, and c < y gives e < y for every e <= c.
  mp_integer c, e;
  if(
    expr.op0() == condition.op0() &&
    condition.op1().type() == expr.op1().type() &&
    comparable_value(condition.op1(), c) && comparable_value(expr.op1(), e) &&
    c <= e)
  {
    result = true;
    return false;
  }
  if(
    expr.op1() == condition.op1() &&
    condition.op0().type() == expr.op0().type() &&
    comparable_value(condition.op0(), c) && comparable_value(expr.op0(), e) &&
    e <= c)
  {
    result = true;
    return false;
  }
  return true;
}

bool simplify_exprt::replace_implied_condition(
  exprt &expr, const exprt &condition, bool truth)
{
  bool result;
  if(is_bool_typed(expr) && !implied_truth(expr, condition, truth, result))
  {
    // A constant that is decided as itself is no change: reporting one
    // would make propagate_conjuncts go round for ever.
    if(result ? expr.is_true() : expr.is_false())
      return true;
    expr.make_bool(result);
    return false;
  }
  bool unchanged = true;
  if(has_operand_list(expr))
    for(exprt &op : expr.operands())
      unchanged = replace_implied_condition(op, condition, truth) && unchanged;
  return unchanged;
}

bool simplify_exprt::propagate_conjuncts(exprt &expr, modet mode)
{
  bool unchanged = true;
  while(expr.id() == ID_and &&
        !static_cast<const exprt &>(expr).operands().empty())
  {
    bool changed = false;
    exprt::operandst &operands = expr.operands();
    for(std::size_t i = 0; i < operands.size(); ++i)
      for(std::size_t j = 0; j < operands.size(); ++j)
        if(i != j)
        {
          // The condition is copied: operand j may itself be rewritten
          // later in the same round.
          const exprt condition = operands[j];
          if(!replace_implied_condition(operands[i], condition, true))
            changed = true;
        }
    if(!changed)
      break;
    unchanged = false;
    simplify_rec(expr, mode);
  }
  return unchanged;
}

bool simplify_exprt::propagate_if_condition(
  exprt &then_value, exprt &else_value, const exprt &condition, modet mode)
{
  bool then_unchanged, else_unchanged;
  if(condition.id() == ID_and)
  {
    then_unchanged = replace_conjuncts_true(then_value, condition);
    else_unchanged = replace_implied_condition(else_value, condition, false);
  }
  else if(condition.id() == ID_or)
  {
    then_unchanged = replace_implied_condition(then_value, condition, true);
    else_unchanged = replace_disjuncts_false(else_value, condition);
  }
  else
  {
    then_unchanged = replace_implied_condition(then_value, condition, true);
    else_unchanged = replace_implied_condition(else_value, condition, false);
  }
  if(!then_unchanged)
    simplify_rec(then_value, mode);
  if(!else_unchanged)
    simplify_rec(else_value, mode);
  return then_unchanged && else_unchanged;
}

#include "expr_algorithms/cnf_simplify.h"

#include "util/invariant.h"

static bool has_operands(const exprt &expr)
{
  return !expr.operands().empty();
}

void propagate_not(exprt &expr)
{
  const dstring id = expr.id();
  if(id == ID_and || id == ID_or)
  {
    expr.id(id == ID_and ? "or" : "and");
    if(has_operands(expr))
      for(exprt &op : expr.operands())
        propagate_not(op);
  }
  else if(id == ID_nor)
    expr.id("or");
  else if(id == ID_nand)
    expr.id("and");
  else if(id == ID_not)
  {
    INVARIANT(expr.operands().size() == 1);
    const exprt op = expr.op0();
    expr = op;
  }
  else if(id == ID_equal)
    expr.id("notequal");
  else if(id == ID_notequal)
    expr.id("=");
  else
  {
    exprt negation("not", expr.type());
    negation.move_to_operands(expr);
    expr.swap(negation);
  }
}

void cnf_normalize(exprt &expr)
{
  const dstring id = expr.id();
  if(id == ID_not && expr.operands().size() == 1)
  {
    // The operand is normalised before it is negated: negating first could
    // bring a "=>", "nand", "nor" or "not" up to this level (not(not(a =>
    // b)) gives a => b), where nothing would rewrite it any more. Negating
    // a normal form gives a normal form, so nothing is left to do below.
    exprt op;
    op.swap(expr.op0());
    cnf_normalize(op);
    propagate_not(op);
    expr.swap(op);
    return;
  }
  else if(id == ID_nor)
  {
    expr.id("or");
    propagate_not(expr);
  }
  else if(id == ID_nand)
  {
    expr.id("and");
    propagate_not(expr);
  }
  else if(id == ID_implies && expr.operands().size() == 2)
  {
    expr.id("or");
    propagate_not(expr.op0());
  }

  if(has_operands(expr))
    for(exprt &op : expr.operands())
      cnf_normalize(op);
}

void collect_same_operands(exprt &expr, exprt::operandst &dest)
{
  if(!has_operands(expr))
    return;
  for(exprt &op : expr.operands())
  {
    if(op.id() == expr.id() && op.type() == expr.type())
      collect_same_operands(op, dest);
    else
    {
      dest.emplace_back();
      dest.back().swap(op);
    }
  }
}

void cnf_flatten(exprt &expr)
{
  // Bottom-up: an operand that collapses to its only operand may bring a
  // node of this node's id up to this level, which is merged here.
  if(has_operands(expr))
    for(exprt &op : expr.operands())
      cnf_flatten(op);

  const dstring id = expr.id();
  if(
    id == ID_and || id == ID_or || id == ID_xor || id == ID_bitand ||
    id == ID_bitor || id == ID_bitxor)
  {
    exprt::operandst operands;
    collect_same_operands(expr, operands);
    if(operands.size() == 1)
    {
      exprt only;
      only.swap(operands.front());
      expr.swap(only);
    }
    else
      expr.operands().swap(operands);
  }
}

void cnf_simplify(exprt &expr)
{
  cnf_normalize(expr);
  cnf_flatten(expr);
}

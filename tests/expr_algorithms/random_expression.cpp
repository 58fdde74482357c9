#include "random_expression.h"

#include "harness/decision_test_harness.h"

namespace
{
const typet &s4()
{
  static const typet type = signedbv_type(4);
  return type;
}
const typet &u4()
{
  static const typet type = unsignedbv_type(4);
  return type;
}

typet array_type(const typet &element)
{
  typet type("array");
  type.subtype() = element;
  type.set("size", bv_constant(3, u4()));
  return type;
}

// {a: element, b: signed 4 bits}.
typet struct_type(const typet &element)
{
  typet type("struct");
  for(const char *name : {"a", "b"})
  {
    irept component;
    component.set("name", dstring(name));
    component.set("type", name[0] == 'a' ? element : s4());
    type.add("components").get_sub().push_back(component);
  }
  return type;
}

exprt member_of(const exprt &record, const char *name, const typet &type)
{
  exprt member = make_expr("member", type, {record});
  member.set("component_name", dstring(name));
  return member;
}

exprt designator(const char *name)
{
  exprt where("member_name");
  where.set("component_name", dstring(name));
  return where;
}
} // namespace

std::vector<std::pair<std::string, typet>> random_expressiont::variables()
{
  return {{"x", s4()}, {"y", u4()}, {"b", bool_type()}};
}

exprt random_expressiont::leaf(const typet &type)
{
  if(type.id() == "bool")
    return pick(3) == 0 ? bool_constant(pick(2) == 0) : bool_symbol("b");
  const bool is_four = type == s4() || type == u4();
  if(pick(3) != 0 && is_four)
    return symbol_expr(type == s4() ? "x" : "y", type);
  // Small values and the edges of the range, where folds go wrong.
  static const long long values[] = {0, 1, 2, 3, -1, -8, 7, 8, 127, -128};
  return bv_constant(values[pick(10)], type);
}

exprt random_expressiont::make_any(unsigned depth)
{
  const unsigned choice = pick(3);
  return make(choice == 0 ? bool_type() : choice == 1 ? s4() : u4(), depth);
}

exprt random_expressiont::make(const typet &type, unsigned depth)
{
  if(depth == 0 || pick(6) == 0)
    return leaf(type);
  return type.id() == "bool" ? make_bool(depth) : make_vector(type, depth);
}

exprt random_expressiont::other_vector(unsigned depth)
{
  static const typet types[] = {
    signedbv_type(4), unsignedbv_type(4), signedbv_type(8), unsignedbv_type(8)};
  return make(types[pick(4)], depth);
}

exprt random_expressiont::make_bool(unsigned depth)
{
  const typet b = bool_type();
  const unsigned d = depth - 1;
  switch(pick(12))
  {
  case 0:
  case 1:
  {
    static const char *const ids[] = {"and", "or", "xor"};
    exprt result(ids[pick(3)], b);
    for(unsigned n = 1 + pick(3); n != 0; --n)
      result.copy_to_operands(make(b, d));
    return result;
  }
  case 2:
    return make_expr("not", b, {make(b, d)});
  case 3:
    return make_expr(pick(2) ? "=>" : "<=>", b, {make(b, d), make(b, d)});
  case 4:
  case 5:
  case 6:
  {
    static const char *const ids[] = {"=", "notequal", "<", "<=", ">", ">="};
    const exprt left = other_vector(d);
    return make_expr(ids[pick(6)], b, {left, make(left.type(), d)});
  }
  case 7:
    return make_expr("=", b, {make(b, d), make(b, d)});
  case 8:
    return make_expr("typecast", b, {other_vector(d)});
  case 9:
    return make_expr(
      "extractbit", b, {other_vector(d), bv_constant(pick(6), u4())});
  case 10:
    return make_expr("if", b, {make(b, d), make(b, d), make(b, d)});
  default:
    return make_expr("comma", b, {make_any(d), make(b, d)});
  }
}

exprt random_expressiont::make_read(const typet &type, unsigned depth)
{
  const unsigned d = depth - 1;
  if(pick(2) == 0)
  {
    const typet array = array_type(type);
    exprt literal = make_expr(
      pick(2) ? "array" : "constant",
      array,
      {make(type, d), make(type, d), make(type, d)});
    if(pick(2) == 0)
      literal =
        make_expr("with", array, {literal, make(u4(), d), make(type, d)});
    const exprt index = pick(2) ? bv_constant(pick(4), u4()) : make(u4(), d);
    return make_expr("index", type, {literal, index});
  }
  const typet record = struct_type(type);
  exprt literal = make_expr(
    pick(2) ? "struct" : "constant", record, {make(type, d), make(s4(), d)});
  if(pick(2) == 0)
  {
    const bool update_a = pick(2) == 0;
    literal = make_expr(
      "with",
      record,
      {literal,
       designator(update_a ? "a" : "b"),
       make(update_a ? type : s4(), d)});
  }
  return member_of(literal, "a", type);
}

exprt random_expressiont::make_vector(const typet &type, unsigned depth)
{
  const unsigned d = depth - 1;
  switch(pick(16))
  {
  case 0:
  case 1:
  {
    static const char *const ids[] = {"+", "*", "bitand", "bitor", "bitxor"};
    exprt result(ids[pick(5)], type);
    for(unsigned n = 2 + pick(2); n != 0; --n)
      result.copy_to_operands(make(type, d));
    // Nest one operand of the same operator now and then, for flattening.
    if(pick(3) == 0)
      result.op0() =
        make_expr(result.id().c_str(), type, {make(type, d), make(type, d)});
    return result;
  }
  case 2:
  {
    static const char *const ids[] = {"-", "/", "mod"};
    return make_expr(ids[pick(3)], type, {make(type, d), make(type, d)});
  }
  case 3:
    return make_expr(pick(2) ? "unary-" : "bitnot", type, {make(type, d)});
  case 4:
  case 5:
  {
    static const char *const ids[] = {"shl", "lshr", "ashr"};
    const exprt distance =
      pick(2) ? bv_constant(pick(10), u4()) : make(u4(), d);
    return make_expr(ids[pick(3)], type, {make(type, d), distance});
  }
  case 6:
  case 7:
    return make_expr("typecast", type, {other_vector(d)});
  case 8:
    return make_expr("typecast", type, {make(bool_type(), d)});
  case 9:
    return make_expr(
      "if", type, {make(bool_type(), d), make(type, d), make(type, d)});
  case 10:
    return make_expr("comma", type, {make_any(d), make(type, d)});
  case 11:
  case 12:
    return make_read(type, depth);
  default:
    return leaf(type);
  }
}

namespace
{
// The number of nodes, in pre-order.
std::size_t count_nodes(const exprt &expr)
{
  std::size_t count = 1;
  for(const exprt &op : expr.operands())
    count += count_nodes(op);
  return count;
}

// The node at pre-order position `position`, for writing.
exprt *node_at(exprt &expr, std::size_t &position)
{
  if(position == 0)
    return &expr;
  --position;
  if(expr.find("operands").is_nil())
    return nullptr;
  for(exprt &op : expr.operands())
  {
    exprt *found = node_at(op, position);
    if(found != nullptr)
      return found;
  }
  return nullptr;
}
} // namespace

exprt shrink_expression(
  const exprt &expr, const std::function<bool(const exprt &)> &fails)
{
  exprt smallest = expr;
  for(bool progress = true; progress;)
  {
    progress = false;
    const std::size_t count = count_nodes(smallest);
    for(std::size_t i = 0; i < count && !progress; ++i)
    {
      std::size_t position = i;
      const exprt *node = node_at(smallest, position);
      std::vector<exprt> candidates;
      for(const exprt &op : node->operands())
        if(op.type() == node->type())
          candidates.push_back(op);
      if(node->id() != "constant" && node->type().id() == "bool")
        candidates.push_back(bool_constant(false));
      else if(node->id() != "constant" && !node->type().get("width").empty())
        candidates.push_back(bv_constant(0, node->type()));
      for(const exprt &candidate : candidates)
      {
        exprt smaller = smallest;
        position = i;
        *node_at(smaller, position) = candidate;
        if(fails(smaller))
        {
          smallest = smaller;
          progress = true;
          break;
        }
      }
    }
  }
  return smallest;
}

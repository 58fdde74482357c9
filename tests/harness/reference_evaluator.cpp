#include "harness/reference_evaluator.h"

#include <gtest/gtest.h>

#include "util/hash_containers.h"

#include <algorithm>
#include <cstdlib>

namespace
{

struct domaint
{
  bool is_bool = false;
  bool is_signed = false;
  unsigned width = 0;
};

// Named children are read through names interned once: reading them by
// literal names would intern the names on every visit, which costs more
// than the evaluation itself.
const typet &type_of(const exprt &expr)
{
  static const dstring name("type");
  return static_cast<const typet &>(expr.find(name));
}

const exprt::operandst &operands_of(const exprt &expr)
{
  static const dstring name("operands");
  // The same view of the unnamed children that exprt::operands gives.
  return reinterpret_cast<const exprt::operandst &>(expr.find(name).get_sub());
}

const std::string &width_text(const typet &type)
{
  static const dstring name("width");
  return type.get(name).as_string();
}

const std::string &value_text(const exprt &expr)
{
  static const dstring name("value");
  return expr.get(name).as_string();
}

const std::string &identifier_text(const exprt &expr)
{
  static const dstring name("identifier");
  return expr.get(name).as_string();
}

bool domain_of(const typet &type, domaint &domain)
{
  domain = domaint();
  if(type.id() == "bool")
  {
    domain.is_bool = true;
    domain.width = 1;
    return true;
  }
  if(type.id() != "unsignedbv" && type.id() != "signedbv")
    return false;
  domain.is_signed = type.id() == "signedbv";
  const std::string &text = width_text(type);
  if(
    text.empty() || text.size() > 2 ||
    text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  domain.width = static_cast<unsigned>(std::atoi(text.c_str()));
  return domain.width >= 1 && domain.width <= 16;
}

long long normalize(const domaint &domain, long long v)
{
  if(domain.is_bool)
    return v != 0 ? 1 : 0;
  const long long modulus = 1LL << domain.width;
  v %= modulus;
  if(v < 0)
    v += modulus;
  if(domain.is_signed && v >= modulus / 2)
    v -= modulus;
  return v;
}

// The w low bits of v as an unsigned number.
long long pattern(long long v, unsigned width)
{
  return normalize(domaint{false, false, width}, v);
}

enum class opt
{
  CONSTANT,
  SYMBOL,
  AND,
  OR,
  XOR,
  NAND,
  NOR,
  NOT,
  IMPLIES,
  EQUAL,
  NOTEQUAL,
  IF,
  PLUS,
  MULT,
  MINUS,
  UNARY_MINUS,
  DIV,
  MOD,
  BITAND,
  BITOR,
  BITXOR,
  BITNOT,
  SHL,
  LSHR,
  ASHR,
  LT,
  LE,
  GT,
  GE,
  TYPECAST,
  EXTRACTBIT,
  EXTRACTBITS,
  CONCATENATION,
  REPLICATION,
  REDUCTION_AND,
  REDUCTION_OR,
  REDUCTION_XOR,
  REDUCTION_NAND,
  REDUCTION_NOR,
  REDUCTION_XNOR,
  COMMA,
  LITERAL,
  ARRAY_OF,
  WITH,
  INDEX,
  MEMBER,
  UNKNOWN
};

// Ids are interned, so looking them up by identity is cheap.
opt opcode(const dstring &id)
{
  static const hash_mapt<dstring, opt, dstring_hash> table = []
  {
    hash_mapt<dstring, opt, dstring_hash> t;
    const std::pair<const char *, opt> entries[] = {
      {"constant", opt::CONSTANT},
      {"symbol", opt::SYMBOL},
      {"and", opt::AND},
      {"or", opt::OR},
      {"xor", opt::XOR},
      {"nand", opt::NAND},
      {"nor", opt::NOR},
      {"not", opt::NOT},
      {"=>", opt::IMPLIES},
      {"=", opt::EQUAL},
      {"<=>", opt::EQUAL},
      {"notequal", opt::NOTEQUAL},
      {"if", opt::IF},
      {"+", opt::PLUS},
      {"*", opt::MULT},
      {"-", opt::MINUS},
      {"unary-", opt::UNARY_MINUS},
      {"/", opt::DIV},
      {"mod", opt::MOD},
      {"bitand", opt::BITAND},
      {"bitor", opt::BITOR},
      {"bitxor", opt::BITXOR},
      {"bitnot", opt::BITNOT},
      {"shl", opt::SHL},
      {"lshr", opt::LSHR},
      {"ashr", opt::ASHR},
      {"<", opt::LT},
      {"<=", opt::LE},
      {">", opt::GT},
      {">=", opt::GE},
      {"typecast", opt::TYPECAST},
      {"extractbit", opt::EXTRACTBIT},
      {"extractbits", opt::EXTRACTBITS},
      {"concatenation", opt::CONCATENATION},
      {"replication", opt::REPLICATION},
      {"reduction_and", opt::REDUCTION_AND},
      {"reduction_or", opt::REDUCTION_OR},
      {"reduction_xor", opt::REDUCTION_XOR},
      {"reduction_nand", opt::REDUCTION_NAND},
      {"reduction_nor", opt::REDUCTION_NOR},
      {"reduction_xnor", opt::REDUCTION_XNOR},
      {"comma", opt::COMMA},
      {"array", opt::LITERAL},
      {"struct", opt::LITERAL},
      {"array_of", opt::ARRAY_OF},
      {"with", opt::WITH},
      {"index", opt::INDEX},
      {"member", opt::MEMBER}};
    for(const auto &entry : entries)
      t.insert({dstring(entry.first), entry.second});
    return t;
  }();
  auto found = table.find(id);
  return found == table.end() ? opt::UNKNOWN : found->second;
}

// A constant of a scalar domain; false when the text does not fit it.
bool constant_value(
  const std::string &text, const domaint &domain, long long &v)
{
  if(domain.is_bool)
  {
    if(text != "true" && text != "false")
      return false;
    v = text == "true";
    return true;
  }
  if(text.size() != domain.width)
    return false;
  v = 0;
  for(char c : text)
  {
    if(c != '0' && c != '1')
      return false;
    v = 2 * v + (c - '0');
  }
  v = normalize(domain, v);
  return true;
}

// The element domains of an array of scalars with a constant size, or of a
// structure of scalars, with the component names of the structure.
bool aggregate_of(
  const typet &type,
  std::vector<domaint> &elements,
  std::vector<dstring> &names)
{
  elements.clear();
  names.clear();
  if(type.id() == "array")
  {
    domaint element;
    const exprt &size = static_cast<const exprt &>(type.find("size"));
    domaint size_domain;
    long long count;
    if(
      !domain_of(type.subtype(), element) || !size.is_constant() ||
      !domain_of(type_of(size), size_domain) || size_domain.is_bool ||
      !constant_value(value_text(size), size_domain, count) || count < 0 ||
      count > 64)
      return false;
    elements.assign(static_cast<std::size_t>(count), element);
    return true;
  }
  if(type.id() == "struct")
  {
    for(const irept &component : type.find("components").get_sub())
    {
      domaint element;
      if(!domain_of(
           static_cast<const typet &>(component.find("type")), element))
        return false;
      elements.push_back(element);
      names.push_back(component.get("name"));
    }
    return true;
  }
  return false;
}
} // namespace

// The expression as a tree of nodes that refer to each other by position;
// everything that depends on types alone is decided here, once.
struct reference_evaluatort::programt
{
  struct nodet
  {
    opt op = opt::UNKNOWN;
    // Scalar nodes: the result's domain. Aggregates: one per element.
    domaint domain;
    bool is_aggregate = false;
    std::vector<domaint> elements;
    std::vector<int> children;
    // CONSTANT: its value; MEMBER: the component's position.
    long long value = 0;
    // WITH of a structure: the position each update writes, -1 for none.
    std::vector<int> positions;
    bool is_struct = false;
    // SYMBOL: its position in `symbols`.
    std::size_t slot = 0;
  };

  std::vector<nodet> nodes;
  std::vector<std::string> symbols;
  int root = -1;

  // The node of the expression; -1 when it has no value anywhere.
  int compile(const exprt &expr);

  bool scalar(
    int n, const std::vector<long long> &symbol_values, long long &out) const;
  bool aggregate(
    int n,
    const std::vector<long long> &symbol_values,
    std::vector<long long> &out) const;
};

int reference_evaluatort::programt::compile(const exprt &expr)
{
  nodet node;
  const typet &type = type_of(expr);
  std::vector<dstring> names;
  if(!domain_of(type, node.domain))
  {
    if(!aggregate_of(type, node.elements, names))
      return -1;
    node.is_aggregate = true;
    node.is_struct = type.id() == "struct";
  }
  node.op = opcode(expr.id());
  if(node.op == opt::UNKNOWN)
    return -1;

  const exprt::operandst &operands = operands_of(expr);
  const std::size_t n = operands.size();
  std::vector<domaint> d(n);
  std::vector<bool> scalar(n);
  if(node.op == opt::CONSTANT && node.is_aggregate)
    node.op = opt::LITERAL;
  if(node.op == opt::CONSTANT)
  {
    if(!constant_value(value_text(expr), node.domain, node.value))
      return -1;
  }
  else if(node.op == opt::SYMBOL)
  {
    const std::string &name = identifier_text(expr);
    auto found = std::find(symbols.begin(), symbols.end(), name);
    node.slot = static_cast<std::size_t>(found - symbols.begin());
    if(found == symbols.end())
      symbols.push_back(name);
  }
  else
  {
    for(std::size_t i = 0; i < n; ++i)
    {
      // The where-operands of a structure update only name a component.
      if(node.op == opt::WITH && node.is_struct && i % 2 == 1)
      {
        node.children.push_back(-1);
        scalar[i] = true;
        continue;
      }
      const int child = compile(operands[i]);
      if(child < 0)
        return -1;
      node.children.push_back(child);
      d[i] = nodes[child].domain;
      scalar[i] = !nodes[child].is_aggregate;
    }
  }

  const auto all_scalar = [&]()
  {
    for(std::size_t i = 0; i < n; ++i)
      if(!scalar[i])
        return false;
    return true;
  };
  const auto all_like_result = [&]()
  {
    for(const exprt &operand : operands)
      if(type_of(operand) != type)
        return false;
    return true;
  };
  const auto all_bool = [&]()
  {
    for(std::size_t i = 0; i < n; ++i)
      if(!scalar[i] || !d[i].is_bool)
        return false;
    return true;
  };
  const bool is_bool = !node.is_aggregate && node.domain.is_bool;
  const bool is_vector = !node.is_aggregate && !node.domain.is_bool;
  bool ok = true;

  switch(node.op)
  {
  case opt::CONSTANT:
  case opt::SYMBOL:
    ok = !node.is_aggregate;
    break;
  case opt::AND:
  case opt::OR:
  case opt::XOR:
  case opt::NAND:
  case opt::NOR:
    ok = is_bool && all_bool();
    break;
  case opt::NOT:
    ok = is_bool && n == 1 && all_bool();
    break;
  case opt::IMPLIES:
    ok = is_bool && n == 2 && all_bool();
    break;
  case opt::EQUAL:
  case opt::NOTEQUAL:
    ok = is_bool && n == 2 && all_scalar() &&
         type_of(operands[0]) == type_of(operands[1]);
    break;
  case opt::LT:
  case opt::LE:
  case opt::GT:
  case opt::GE:
    ok = is_bool && n == 2 && all_scalar() && !d[0].is_bool &&
         type_of(operands[0]) == type_of(operands[1]);
    break;
  case opt::IF:
    ok = n == 3 && scalar[0] && d[0].is_bool && type_of(operands[1]) == type &&
         type_of(operands[2]) == type;
    break;
  case opt::TYPECAST:
    ok = !node.is_aggregate && n == 1 && scalar[0];
    break;
  case opt::EXTRACTBIT:
    ok = is_bool && n == 2 && all_scalar() && !d[0].is_bool && !d[1].is_bool;
    break;
  case opt::REDUCTION_AND:
  case opt::REDUCTION_OR:
  case opt::REDUCTION_XOR:
  case opt::REDUCTION_NAND:
  case opt::REDUCTION_NOR:
  case opt::REDUCTION_XNOR:
    ok = is_bool && n == 1 && scalar[0] && !d[0].is_bool;
    break;
  case opt::PLUS:
  case opt::MULT:
  case opt::BITAND:
  case opt::BITOR:
  case opt::BITXOR:
    ok = is_vector && n != 0 && all_like_result();
    break;
  case opt::MINUS:
  case opt::DIV:
  case opt::MOD:
    ok = is_vector && n == 2 && all_like_result();
    break;
  case opt::UNARY_MINUS:
  case opt::BITNOT:
    ok = is_vector && n == 1 && all_like_result();
    break;
  case opt::SHL:
  case opt::LSHR:
  case opt::ASHR:
    ok = is_vector && n == 2 && all_scalar() && type_of(operands[0]) == type &&
         !d[1].is_bool;
    break;
  case opt::EXTRACTBITS:
    ok = is_vector && n == 3 && all_scalar() && !d[0].is_bool;
    break;
  case opt::CONCATENATION:
  {
    unsigned total = 0;
    for(std::size_t i = 0; i < n; ++i)
      total += d[i].width;
    ok = is_vector && n != 0 && all_scalar() && total == node.domain.width;
    break;
  }
  case opt::REPLICATION:
    ok = is_vector && n == 2 && all_scalar() && !d[0].is_bool;
    break;
  case opt::COMMA:
    ok = n != 0 && type_of(operands.back()) == type;
    break;
  case opt::LITERAL:
    ok = node.is_aggregate && n == node.elements.size() && all_scalar();
    for(std::size_t i = 0; ok && i < n; ++i)
      ok = d[i].is_bool == node.elements[i].is_bool &&
           d[i].width == node.elements[i].width &&
           d[i].is_signed == node.elements[i].is_signed;
    break;
  case opt::ARRAY_OF:
    ok = node.is_aggregate && !node.is_struct && n == 1 && scalar[0];
    break;
  case opt::WITH:
    ok = node.is_aggregate && n % 2 == 1 && type_of(operands[0]) == type;
    for(std::size_t i = 1; ok && i + 1 < n; i += 2)
    {
      ok = scalar[i + 1];
      if(node.is_struct)
      {
        const dstring &name = operands[i].get("component_name");
        auto found = std::find(names.begin(), names.end(), name);
        node.positions.push_back(
          found == names.end() ? -1 : static_cast<int>(found - names.begin()));
      }
      else
        ok = ok && scalar[i] && !d[i].is_bool;
    }
    break;
  case opt::INDEX:
    ok = !node.is_aggregate && n == 2 && !scalar[0] &&
         !nodes[node.children[0]].is_struct && scalar[1] && !d[1].is_bool;
    break;
  case opt::MEMBER:
  {
    ok = !node.is_aggregate && n == 1 && !scalar[0] &&
         nodes[node.children[0]].is_struct;
    if(!ok)
      break;
    std::vector<domaint> elements;
    aggregate_of(type_of(operands[0]), elements, names);
    auto found =
      std::find(names.begin(), names.end(), expr.get("component_name"));
    ok = found != names.end();
    node.value = found - names.begin();
    break;
  }
  case opt::UNKNOWN:
    ok = false;
    break;
  }
  if(!ok)
    return -1;
  nodes.push_back(std::move(node));
  return static_cast<int>(nodes.size() - 1);
}

bool reference_evaluatort::programt::aggregate(
  int n,
  const std::vector<long long> &symbol_values,
  std::vector<long long> &out) const
{
  const nodet &node = nodes[n];
  const std::vector<int> &c = node.children;
  long long v;
  switch(node.op)
  {
  case opt::LITERAL:
    out.resize(c.size());
    for(std::size_t i = 0; i < c.size(); ++i)
      if(!scalar(c[i], symbol_values, out[i]))
        return false;
    return true;
  case opt::ARRAY_OF:
    if(!scalar(c[0], symbol_values, v))
      return false;
    out.assign(node.elements.size(), normalize(node.elements.front(), v));
    return true;
  case opt::IF:
    if(!scalar(c[0], symbol_values, v))
      return false;
    return aggregate(v != 0 ? c[1] : c[2], symbol_values, out);
  case opt::COMMA:
    return aggregate(c.back(), symbol_values, out);
  case opt::WITH:
    if(!aggregate(c[0], symbol_values, out))
      return false;
    for(std::size_t i = 1; i + 1 < c.size(); i += 2)
    {
      long long where = 0, value;
      if(!scalar(c[i + 1], symbol_values, value))
        return false;
      if(node.is_struct)
        where = node.positions[(i - 1) / 2];
      else if(!scalar(c[i], symbol_values, where))
        return false;
      // An update outside the array, or of no component, changes nothing.
      if(where >= 0 && static_cast<std::size_t>(where) < out.size())
        out[where] = normalize(node.elements[where], value);
    }
    return true;
  default:
    return false;
  }
}

bool reference_evaluatort::programt::scalar(
  int n, const std::vector<long long> &symbol_values, long long &out) const
{
  const nodet &node = nodes[n];
  const domaint &domain = node.domain;
  const std::vector<int> &c = node.children;
  const std::size_t count = c.size();
  const unsigned w = domain.width;

  if(node.op == opt::CONSTANT)
  {
    out = node.value;
    return true;
  }
  if(node.op == opt::SYMBOL)
  {
    out = normalize(domain, symbol_values[node.slot]);
    return true;
  }
  if(node.op == opt::INDEX || node.op == opt::MEMBER)
  {
    std::vector<long long> elements;
    if(!aggregate(c[0], symbol_values, elements))
      return false;
    long long position = node.value;
    if(node.op == opt::INDEX && !scalar(c[1], symbol_values, position))
      return false;
    if(position < 0 || static_cast<std::size_t>(position) >= elements.size())
      return false;
    out = elements[position];
    return true;
  }
  if(node.op == opt::IF)
  {
    long long condition;
    if(!scalar(c[0], symbol_values, condition))
      return false;
    return scalar(condition != 0 ? c[1] : c[2], symbol_values, out);
  }
  if(node.op == opt::COMMA)
    return scalar(c.back(), symbol_values, out);

  // Every other operator reads all its operands.
  long long v[8];
  std::vector<long long> more;
  long long *values = v;
  if(count > 8)
  {
    more.resize(count);
    values = more.data();
  }
  for(std::size_t i = 0; i < count; ++i)
    if(!scalar(c[i], symbol_values, values[i]))
      return false;
  const auto d = [&](std::size_t i) -> const domaint &
  { return nodes[c[i]].domain; };

  long long r = 0;
  switch(node.op)
  {
  case opt::AND:
  case opt::OR:
  case opt::XOR:
  case opt::NAND:
  case opt::NOR:
  {
    long long ands = 1, ors = 0, xors = 0;
    for(std::size_t i = 0; i < count; ++i)
    {
      ands &= values[i];
      ors |= values[i];
      xors ^= values[i];
    }
    r = node.op == opt::AND    ? ands
        : node.op == opt::OR   ? ors
        : node.op == opt::XOR  ? xors
        : node.op == opt::NAND ? !ands
                               : !ors;
    break;
  }
  case opt::NOT:
    r = !values[0];
    break;
  case opt::IMPLIES:
    r = !values[0] || values[1];
    break;
  case opt::EQUAL:
    r = values[0] == values[1];
    break;
  case opt::NOTEQUAL:
    r = values[0] != values[1];
    break;
  case opt::LT:
    r = values[0] < values[1];
    break;
  case opt::LE:
    r = values[0] <= values[1];
    break;
  case opt::GT:
    r = values[0] > values[1];
    break;
  case opt::GE:
    r = values[0] >= values[1];
    break;
  case opt::TYPECAST:
    // The value is kept and then taken modulo the width of the target, or
    // read as a truth value.
    r = values[0];
    break;
  case opt::EXTRACTBIT:
    if(values[1] < 0 || values[1] >= d(0).width)
      return false;
    r = (pattern(values[0], d(0).width) >> values[1]) & 1;
    break;
  case opt::REDUCTION_AND:
  case opt::REDUCTION_OR:
  case opt::REDUCTION_XOR:
  case opt::REDUCTION_NAND:
  case opt::REDUCTION_NOR:
  case opt::REDUCTION_XNOR:
  {
    const long long p = pattern(values[0], d(0).width);
    const long long all = (1LL << d(0).width) - 1;
    long long parity = 0;
    for(unsigned i = 0; i < d(0).width; ++i)
      parity ^= (p >> i) & 1;
    r = node.op == opt::REDUCTION_AND    ? p == all
        : node.op == opt::REDUCTION_OR   ? p != 0
        : node.op == opt::REDUCTION_XOR  ? parity
        : node.op == opt::REDUCTION_NAND ? p != all
        : node.op == opt::REDUCTION_NOR  ? p == 0
                                         : !parity;
    break;
  }
  case opt::PLUS:
  case opt::MULT:
  case opt::BITAND:
  case opt::BITOR:
  case opt::BITXOR:
    r = values[0];
    for(std::size_t i = 1; i < count; ++i)
    {
      if(node.op == opt::PLUS)
        r = normalize(domain, r + values[i]);
      else if(node.op == opt::MULT)
        r = normalize(domain, r * values[i]);
      else if(node.op == opt::BITAND)
        r = pattern(r, w) & pattern(values[i], w);
      else if(node.op == opt::BITOR)
        r = pattern(r, w) | pattern(values[i], w);
      else
        r = pattern(r, w) ^ pattern(values[i], w);
    }
    break;
  case opt::MINUS:
    r = values[0] - values[1];
    break;
  case opt::DIV:
  case opt::MOD:
    if(values[1] == 0)
      return false;
    // C++ division truncates toward zero and the remainder takes the
    // dividend's sign: exactly the meaning wanted here.
    r = node.op == opt::DIV ? values[0] / values[1] : values[0] % values[1];
    break;
  case opt::UNARY_MINUS:
    r = -values[0];
    break;
  case opt::BITNOT:
    r = ~pattern(values[0], w);
    break;
  case opt::SHL:
  case opt::LSHR:
  case opt::ASHR:
  {
    if(values[1] < 0)
      return false;
    const long long distance = values[1] < w ? values[1] : w;
    long long p = pattern(values[0], w);
    if(node.op == opt::SHL)
      r = p << distance;
    else
    {
      const bool fill = node.op == opt::ASHR && ((p >> (w - 1)) & 1) != 0;
      for(long long i = 0; i < distance; ++i)
        p = (p >> 1) | (fill ? 1LL << (w - 1) : 0);
      r = p;
    }
    break;
  }
  case opt::EXTRACTBITS:
  {
    long long upper = values[1], lower = values[2];
    if(upper < lower)
      std::swap(upper, lower);
    if(lower < 0 || upper >= d(0).width || upper - lower + 1 != w)
      return false;
    r = pattern(values[0], d(0).width) >> lower;
    break;
  }
  case opt::CONCATENATION:
    for(std::size_t i = 0; i < count; ++i)
      r = (r << d(i).width) | pattern(values[i], d(i).width);
    break;
  case opt::REPLICATION:
    if(values[0] < 0 || values[0] * d(1).width != w)
      return false;
    for(long long i = 0; i < values[0]; ++i)
      r = (r << d(1).width) | pattern(values[1], d(1).width);
    break;
  default:
    return false;
  }
  out = normalize(domain, r);
  return true;
}

namespace
{
void enumerate(
  const std::vector<std::pair<std::string, typet>> &variables,
  std::size_t next,
  assignmentt &assignment,
  const std::function<void(const assignmentt &)> &check)
{
  if(next == variables.size())
  {
    check(assignment);
    return;
  }
  domaint domain;
  if(!domain_of(variables[next].second, domain))
  {
    ADD_FAILURE() << "for_each_assignment: no values for "
                  << variables[next].second.pretty();
    return;
  }
  for(long long p = 0; p < (1LL << domain.width); ++p)
  {
    assignment[variables[next].first] = normalize(domain, p);
    enumerate(variables, next + 1, assignment, check);
  }
}
} // namespace

reference_evaluatort::reference_evaluatort(const exprt &expr)
    : program(new programt)
{
  program->root = program->compile(expr);
}

reference_evaluatort::~reference_evaluatort()
{
  delete program;
}

std::optional<long long>
reference_evaluatort::operator()(const assignmentt &assignment) const
{
  const int root = program->root;
  if(root < 0 || program->nodes[root].is_aggregate)
    return {};
  std::vector<long long> symbol_values;
  symbol_values.reserve(program->symbols.size());
  for(const std::string &name : program->symbols)
  {
    auto found = assignment.find(name);
    if(found == assignment.end())
      return {};
    symbol_values.push_back(found->second);
  }
  long long value;
  if(!program->scalar(root, symbol_values, value))
    return {};
  return value;
}

std::optional<long long>
reference_eval(const exprt &expr, const assignmentt &assignment)
{
  return reference_evaluatort(expr)(assignment);
}

bool reference_normalize(const typet &type, long long &v)
{
  domaint domain;
  if(!domain_of(type, domain))
    return false;
  v = normalize(domain, v);
  return true;
}

void for_each_assignment(
  const std::vector<std::pair<std::string, typet>> &variables,
  const std::function<void(const assignmentt &)> &check)
{
  assignmentt assignment;
  enumerate(variables, 0, assignment, check);
}

#include "harness/reference_evaluator.h"

#include <gtest/gtest.h>

#include "util/hash_containers.h"

#include <cstdlib>

namespace
{
typedef std::optional<long long> valuet;

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
  if(text.empty() || text.size() > 2 ||
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
  CONSTANT, SYMBOL, AND, OR, XOR, NAND, NOR, NOT, IMPLIES, EQUAL, NOTEQUAL,
  IF, PLUS, MULT, MINUS, UNARY_MINUS, DIV, MOD, BITAND, BITOR, BITXOR,
  BITNOT, SHL, LSHR, ASHR, LT, LE, GT, GE, TYPECAST, EXTRACTBIT,
  EXTRACTBITS, CONCATENATION, REPLICATION, REDUCTION_AND, REDUCTION_OR,
  REDUCTION_XOR, REDUCTION_NAND, REDUCTION_NOR, REDUCTION_XNOR, UNKNOWN
};

// Ids are interned, so looking them up by identity keeps the oracle cheap
// enough to run on every assignment of many formulas.
opt opcode(const dstring &id)
{
  static const hash_mapt<dstring, opt, dstring_hash> table = [] {
    hash_mapt<dstring, opt, dstring_hash> t;
    const std::pair<const char *, opt> entries[] = {
      {"constant", opt::CONSTANT}, {"symbol", opt::SYMBOL},
      {"and", opt::AND}, {"or", opt::OR}, {"xor", opt::XOR},
      {"nand", opt::NAND}, {"nor", opt::NOR}, {"not", opt::NOT},
      {"=>", opt::IMPLIES}, {"=", opt::EQUAL}, {"notequal", opt::NOTEQUAL},
      {"if", opt::IF}, {"+", opt::PLUS}, {"*", opt::MULT},
      {"-", opt::MINUS}, {"unary-", opt::UNARY_MINUS}, {"/", opt::DIV},
      {"mod", opt::MOD}, {"bitand", opt::BITAND}, {"bitor", opt::BITOR},
      {"bitxor", opt::BITXOR}, {"bitnot", opt::BITNOT}, {"shl", opt::SHL},
      {"lshr", opt::LSHR}, {"ashr", opt::ASHR}, {"<", opt::LT},
      {"<=", opt::LE}, {">", opt::GT}, {">=", opt::GE},
      {"typecast", opt::TYPECAST}, {"extractbit", opt::EXTRACTBIT},
      {"extractbits", opt::EXTRACTBITS},
      {"concatenation", opt::CONCATENATION},
      {"replication", opt::REPLICATION},
      {"reduction_and", opt::REDUCTION_AND},
      {"reduction_or", opt::REDUCTION_OR},
      {"reduction_xor", opt::REDUCTION_XOR},
      {"reduction_nand", opt::REDUCTION_NAND},
      {"reduction_nor", opt::REDUCTION_NOR},
      {"reduction_xnor", opt::REDUCTION_XNOR}};
    for(const auto &entry : entries)
      t.insert({dstring(entry.first), entry.second});
    return t;
  }();
  auto found = table.find(id);
  return found == table.end() ? opt::UNKNOWN : found->second;
}

class evaluatort
{
public:
  explicit evaluatort(const assignmentt &assignment) : assignment(assignment)
  {
  }

  valuet eval(const exprt &expr)
  {
    domaint domain;
    if(!domain_of(type_of(expr), domain))
      return {};
    valuet result = eval_raw(expr, domain);
    if(!result)
      return {};
    return normalize(domain, *result);
  }

private:
  const assignmentt &assignment;

  static valuet constant(const exprt &expr, const domaint &domain)
  {
    const std::string &text = value_text(expr);
    if(domain.is_bool)
    {
      if(text == "true")
        return 1;
      if(text == "false")
        return 0;
      return {};
    }
    if(text.size() != domain.width)
      return {};
    long long v = 0;
    for(char c : text)
    {
      if(c != '0' && c != '1')
        return {};
      v = 2 * v + (c - '0');
    }
    return v;
  }

  valuet eval_raw(const exprt &expr, const domaint &domain)
  {
    const opt op = opcode(expr.id());
    if(op == opt::CONSTANT)
      return constant(expr, domain);
    if(op == opt::SYMBOL)
    {
      auto found = assignment.find(identifier_text(expr));
      if(found == assignment.end())
        return {};
      return found->second;
    }
    if(op == opt::UNKNOWN)
      return {};

    // The operands' values and domains.
    const exprt::operandst &operands = operands_of(expr);
    const std::size_t n = operands.size();
    std::vector<long long> v(n);
    std::vector<domaint> d(n);
    for(std::size_t i = 0; i < n; ++i)
    {
      valuet value = eval(operands[i]);
      if(!value)
        return {};
      v[i] = *value;
      domain_of(type_of(operands[i]), d[i]);
    }
    const typet &type = type_of(expr);
    const auto all_like_result = [&]() {
      for(const exprt &operand : operands)
        if(type_of(operand) != type)
          return false;
      return true;
    };
    const auto all_bool = [&]() {
      for(const domaint &operand : d)
        if(!operand.is_bool)
          return false;
      return true;
    };
    const unsigned w = domain.width;

    switch(op)
    {
    case opt::AND:
    case opt::OR:
    case opt::XOR:
    case opt::NAND:
    case opt::NOR:
    {
      if(!domain.is_bool || !all_bool())
        return {};
      long long ands = 1, ors = 0, xors = 0;
      for(long long x : v)
      {
        ands &= x;
        ors |= x;
        xors ^= x;
      }
      return op == opt::AND    ? ands
             : op == opt::OR   ? ors
             : op == opt::XOR  ? xors
             : op == opt::NAND ? !ands
                               : !ors;
    }
    case opt::NOT:
      return domain.is_bool && n == 1 && all_bool() ? valuet(!v[0]) : valuet();
    case opt::IMPLIES:
      return domain.is_bool && n == 2 && all_bool() ? valuet(!v[0] || v[1])
                                                    : valuet();
    case opt::EQUAL:
    case opt::NOTEQUAL:
    case opt::LT:
    case opt::LE:
    case opt::GT:
    case opt::GE:
      if(!domain.is_bool || n != 2 || type_of(operands[0]) != type_of(operands[1]))
        return {};
      if(op == opt::EQUAL)
        return v[0] == v[1];
      if(op == opt::NOTEQUAL)
        return v[0] != v[1];
      if(d[0].is_bool)
        return {};
      return op == opt::LT   ? v[0] < v[1]
             : op == opt::LE ? v[0] <= v[1]
             : op == opt::GT ? v[0] > v[1]
                             : v[0] >= v[1];
    case opt::IF:
      if(n != 3 || !d[0].is_bool || type_of(operands[1]) != type ||
         type_of(operands[2]) != type)
        return {};
      return v[0] != 0 ? v[1] : v[2];
    case opt::TYPECAST:
      // The value is kept and then taken modulo the width of the target,
      // or read as a truth value.
      return n == 1 ? valuet(v[0]) : valuet();
    case opt::EXTRACTBIT:
      if(!domain.is_bool || n != 2 || d[0].is_bool || d[1].is_bool ||
         v[1] < 0 || v[1] >= d[0].width)
        return {};
      return (pattern(v[0], d[0].width) >> v[1]) & 1;
    case opt::REDUCTION_AND:
    case opt::REDUCTION_OR:
    case opt::REDUCTION_XOR:
    case opt::REDUCTION_NAND:
    case opt::REDUCTION_NOR:
    case opt::REDUCTION_XNOR:
    {
      if(!domain.is_bool || n != 1 || d[0].is_bool)
        return {};
      const long long p = pattern(v[0], d[0].width);
      const long long all = (1LL << d[0].width) - 1;
      long long parity = 0;
      for(unsigned i = 0; i < d[0].width; ++i)
        parity ^= (p >> i) & 1;
      switch(op)
      {
      case opt::REDUCTION_AND:
        return p == all;
      case opt::REDUCTION_OR:
        return p != 0;
      case opt::REDUCTION_XOR:
        return parity;
      case opt::REDUCTION_NAND:
        return p != all;
      case opt::REDUCTION_NOR:
        return p == 0;
      default:
        return !parity;
      }
    }
    default:
      break;
    }

    // Bit-vector results from here on.
    if(domain.is_bool)
      return {};
    switch(op)
    {
    case opt::PLUS:
    case opt::MULT:
    case opt::BITAND:
    case opt::BITOR:
    case opt::BITXOR:
    {
      if(n == 0 || !all_like_result())
        return {};
      long long r = v[0];
      for(std::size_t i = 1; i < n; ++i)
      {
        if(op == opt::PLUS)
          r = normalize(domain, r + v[i]);
        else if(op == opt::MULT)
          r = normalize(domain, r * v[i]);
        else if(op == opt::BITAND)
          r = pattern(r, w) & pattern(v[i], w);
        else if(op == opt::BITOR)
          r = pattern(r, w) | pattern(v[i], w);
        else
          r = pattern(r, w) ^ pattern(v[i], w);
      }
      return r;
    }
    case opt::MINUS:
    case opt::DIV:
    case opt::MOD:
      if(n != 2 || !all_like_result())
        return {};
      if(op == opt::MINUS)
        return v[0] - v[1];
      if(v[1] == 0)
        return {};
      // C++ division truncates toward zero and the remainder takes the
      // dividend's sign: exactly the meaning wanted here.
      return op == opt::DIV ? v[0] / v[1] : v[0] % v[1];
    case opt::UNARY_MINUS:
    case opt::BITNOT:
      if(n != 1 || !all_like_result())
        return {};
      return op == opt::UNARY_MINUS ? -v[0] : ~pattern(v[0], w);
    case opt::SHL:
    case opt::LSHR:
    case opt::ASHR:
    {
      if(n != 2 || type_of(operands[0]) != type || d[1].is_bool || v[1] < 0)
        return {};
      const long long distance = v[1] < w ? v[1] : w;
      if(op == opt::SHL)
        return pattern(v[0], w) << distance;
      long long p = pattern(v[0], w);
      const bool fill = op == opt::ASHR && ((p >> (w - 1)) & 1) != 0;
      for(long long i = 0; i < distance; ++i)
        p = (p >> 1) | (fill ? 1LL << (w - 1) : 0);
      return p;
    }
    case opt::EXTRACTBITS:
    {
      if(n != 3 || d[0].is_bool)
        return {};
      long long upper = v[1], lower = v[2];
      if(upper < lower)
        std::swap(upper, lower);
      if(lower < 0 || upper >= d[0].width || upper - lower + 1 != w)
        return {};
      return pattern(v[0], d[0].width) >> lower;
    }
    case opt::CONCATENATION:
    {
      long long r = 0;
      unsigned total = 0;
      for(std::size_t i = 0; i < n; ++i)
      {
        r = (r << d[i].width) | pattern(v[i], d[i].width);
        total += d[i].width;
      }
      return n != 0 && total == w ? valuet(r) : valuet();
    }
    case opt::REPLICATION:
    {
      if(n != 2 || v[0] < 0 || v[0] * d[1].width != w)
        return {};
      long long r = 0;
      for(long long i = 0; i < v[0]; ++i)
        r = (r << d[1].width) | pattern(v[1], d[1].width);
      return r;
    }
    default:
      return {};
    }
  }
};

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

std::optional<long long> reference_eval(
  const exprt &expr,
  const assignmentt &assignment)
{
  return evaluatort(assignment).eval(expr);
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

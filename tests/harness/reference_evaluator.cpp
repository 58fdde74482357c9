#include "harness/reference_evaluator.h"

#include <gtest/gtest.h>

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
  const std::string &text = type.get("width").as_string();
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

class evaluatort
{
public:
  explicit evaluatort(const assignmentt &assignment) : assignment(assignment)
  {
  }

  valuet eval(const exprt &expr)
  {
    domaint domain;
    if(!domain_of(expr.type(), domain))
      return {};
    valuet result = eval_raw(expr, domain);
    if(!result)
      return {};
    return normalize(domain, *result);
  }

private:
  const assignmentt &assignment;

  // The operands' values and domains; false when one has none.
  bool eval_operands(
    const exprt &expr,
    std::vector<long long> &values,
    std::vector<domaint> &domains)
  {
    for(const exprt &op : expr.operands())
    {
      domaint domain;
      valuet value = eval(op);
      if(!value || !domain_of(op.type(), domain))
        return false;
      values.push_back(*value);
      domains.push_back(domain);
    }
    return true;
  }

  static valuet constant(const exprt &expr, const domaint &domain)
  {
    const std::string &text = expr.get("value").as_string();
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
    const std::string &id = expr.id().as_string();
    if(id == "constant")
      return constant(expr, domain);
    if(id == "symbol")
    {
      auto found = assignment.find(expr.get("identifier").as_string());
      if(found == assignment.end())
        return {};
      return found->second;
    }

    std::vector<long long> v;
    std::vector<domaint> d;
    if(!eval_operands(expr, v, d))
      return {};
    const std::size_t n = v.size();
    const auto all_like_result = [&]() {
      for(std::size_t i = 0; i < n; ++i)
        if(expr.operands()[i].type() != expr.type())
          return false;
      return true;
    };

    if(domain.is_bool)
      return eval_predicate(expr, id, v, d);

    const unsigned w = domain.width;
    if(id == "+" || id == "*" || id == "bitand" || id == "bitor" ||
       id == "bitxor")
    {
      if(n == 0 || !all_like_result())
        return {};
      long long r = v[0];
      for(std::size_t i = 1; i < n; ++i)
      {
        if(id == "+")
          r = normalize(domain, r + v[i]);
        else if(id == "*")
          r = normalize(domain, r * v[i]);
        else if(id == "bitand")
          r = pattern(r, w) & pattern(v[i], w);
        else if(id == "bitor")
          r = pattern(r, w) | pattern(v[i], w);
        else
          r = pattern(r, w) ^ pattern(v[i], w);
      }
      return r;
    }
    if(id == "-" || id == "/" || id == "mod")
    {
      if(n != 2 || !all_like_result())
        return {};
      if(id == "-")
        return v[0] - v[1];
      if(v[1] == 0)
        return {};
      // C++ division truncates toward zero, the remainder takes the
      // dividend's sign: exactly the meaning wanted here.
      return id == "/" ? v[0] / v[1] : v[0] % v[1];
    }
    if(id == "unary-" || id == "bitnot")
    {
      if(n != 1 || !all_like_result())
        return {};
      return id == "unary-" ? -v[0] : ~pattern(v[0], w);
    }
    if(id == "shl" || id == "lshr" || id == "ashr")
    {
      if(n != 2 || expr.op0().type() != expr.type() || d[1].is_bool ||
         v[1] < 0)
        return {};
      const long long distance = v[1] < w ? v[1] : w;
      if(id == "shl")
        return pattern(v[0], w) << distance;
      long long p = pattern(v[0], w);
      const bool top = ((p >> (w - 1)) & 1) != 0;
      for(long long i = 0; i < distance; ++i)
        p = (p >> 1) | (id == "ashr" && top ? 1LL << (w - 1) : 0);
      return p;
    }
    if(id == "if")
      return eval_if(expr, v, d);
    if(id == "typecast")
      return n == 1 ? valuet(v[0]) : valuet();
    if(id == "extractbits")
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
    if(id == "concatenation")
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
    if(id == "replication")
    {
      if(n != 2 || v[0] < 0 || v[0] * d[1].width != w)
        return {};
      long long r = 0;
      for(long long i = 0; i < v[0]; ++i)
        r = (r << d[1].width) | pattern(v[1], d[1].width);
      return r;
    }
    return {};
  }

  valuet eval_if(
    const exprt &expr,
    const std::vector<long long> &v,
    const std::vector<domaint> &d)
  {
    if(v.size() != 3 || !d[0].is_bool || expr.op1().type() != expr.type() ||
       expr.op2().type() != expr.type())
      return {};
    return v[0] != 0 ? v[1] : v[2];
  }

  valuet eval_predicate(
    const exprt &expr,
    const std::string &id,
    const std::vector<long long> &v,
    const std::vector<domaint> &d)
  {
    const std::size_t n = v.size();
    const auto all_bool = [&]() {
      for(const domaint &domain : d)
        if(!domain.is_bool)
          return false;
      return true;
    };
    if(id == "and" || id == "or" || id == "xor" || id == "nand" ||
       id == "nor")
    {
      if(!all_bool())
        return {};
      long long ands = 1, ors = 0, xors = 0;
      for(long long x : v)
      {
        ands &= x;
        ors |= x;
        xors ^= x;
      }
      if(id == "and")
        return ands;
      if(id == "or")
        return ors;
      if(id == "xor")
        return xors;
      return id == "nand" ? !ands : !ors;
    }
    if(id == "not")
      return n == 1 && all_bool() ? valuet(!v[0]) : valuet();
    if(id == "=>")
      return n == 2 && all_bool() ? valuet(!v[0] || v[1]) : valuet();
    if(id == "=" || id == "notequal" || id == "<" || id == "<=" ||
       id == ">" || id == ">=")
    {
      if(n != 2 || expr.op0().type() != expr.op1().type())
        return {};
      if(id == "=")
        return v[0] == v[1];
      if(id == "notequal")
        return v[0] != v[1];
      if(d[0].is_bool)
        return {};
      if(id == "<")
        return v[0] < v[1];
      if(id == "<=")
        return v[0] <= v[1];
      if(id == ">")
        return v[0] > v[1];
      return v[0] >= v[1];
    }
    if(id == "if")
      return eval_if(expr, v, d);
    if(id == "typecast")
      return n == 1 ? valuet(v[0] != 0) : valuet();
    if(id == "extractbit")
    {
      if(n != 2 || d[0].is_bool || d[1].is_bool || v[1] < 0 ||
         v[1] >= d[0].width)
        return {};
      return (pattern(v[0], d[0].width) >> v[1]) & 1;
    }
    if(id.compare(0, 10, "reduction_") == 0)
    {
      if(n != 1 || d[0].is_bool)
        return {};
      const long long p = pattern(v[0], d[0].width);
      const long long all = (1LL << d[0].width) - 1;
      long long parity = 0;
      for(unsigned i = 0; i < d[0].width; ++i)
        parity ^= (p >> i) & 1;
      const std::string kind = id.substr(10);
      if(kind == "and")
        return p == all;
      if(kind == "or")
        return p != 0;
      if(kind == "xor")
        return parity;
      if(kind == "nand")
        return p != all;
      if(kind == "nor")
        return p == 0;
      if(kind == "xnor")
        return !parity;
    }
    return {};
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

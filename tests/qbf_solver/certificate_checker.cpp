#include "certificate_checker.h"

#include "certificate_lines.h"
#include "mini_sat.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

namespace
{
class witness_checkt
{
public:
  explicit witness_checkt(const qbf_formulat &_formula) : formula(_formula) {}

  // Fills reason and returns false when the certificate is wrong.
  bool check(const certificate_linest &lines, std::string &reason)
  {
    for(const auto &line : lines.body)
      if(!add_gate(line, reason))
        return false;
    return read_witnesses(lines.conclusion, reason) &&
           check_acyclic(reason) && check_clauses(reason);
  }

private:
  struct gatet
  {
    bool if_then_else;
    std::vector<long> operands;
    unsigned block; // innermost block the gate reads from
  };

  const qbf_formulat &formula;
  std::unordered_map<long, gatet> gates;
  std::vector<long> gate_order;
  std::unordered_map<long, long> witnesses; // variable to signed operand

  bool is_operand(long x) const
  {
    long n = std::labs(x);
    return x != 0 && (formula.is_variable(n) || gates.count(n) != 0);
  }

  unsigned block_of(long x) const
  {
    long n = std::labs(x);
    return formula.is_variable(n) ? formula.variables.at(n).block
                                  : gates.at(n).block;
  }

  bool add_gate(const std::vector<std::string> &line, std::string &reason)
  {
    std::vector<long> numbers;
    bool shape = line.size() >= 4 && line[0] == "E" &&
                 (line[2] == "A" || line[2] == "I");
    if(shape)
    {
      std::vector<std::string> rest(line.begin() + 3, line.end());
      rest.insert(rest.begin(), line[1]);
      shape = read_integers(rest, numbers);
    }
    bool if_then_else = shape && line[2] == "I";
    if(shape && if_then_else)
      shape = numbers.size() == 4;
    else if(shape)
      shape = numbers.back() == 0;
    if(!shape)
    {
      reason = "malformed gate line '" + join(line) + "'";
      return false;
    }
    long node = numbers[0];
    if(node <= 0 || formula.is_variable(node) || gates.count(node))
    {
      reason = "gate " + std::to_string(node) + " is not a fresh node";
      return false;
    }
    gatet gate{if_then_else, {}, 0};
    std::size_t end = if_then_else ? numbers.size() : numbers.size() - 1;
    for(std::size_t i = 1; i < end; ++i)
    {
      if(!is_operand(numbers[i]))
      {
        reason = "gate " + std::to_string(node) + " reads undefined " +
                 std::to_string(numbers[i]);
        return false;
      }
      gate.operands.push_back(numbers[i]);
      gate.block = std::max(gate.block, block_of(numbers[i]));
    }
    gates.emplace(node, gate);
    gate_order.push_back(node);
    return true;
  }

  bool read_witnesses(
    const std::vector<std::string> &conclusion,
    std::string &reason)
  {
    std::vector<long> pairs;
    if(
      conclusion.size() < 2 || conclusion[1] != "VALID" ||
      !read_integers(
        std::vector<std::string>(conclusion.begin() + 2, conclusion.end()),
        pairs) ||
      pairs.size() % 2 != 0)
    {
      reason = "malformed conclusion '" + join(conclusion) + "'";
      return false;
    }
    for(std::size_t i = 0; i < pairs.size(); i += 2)
    {
      long v = pairs[i], witness = pairs[i + 1];
      std::string name = "witness of " + std::to_string(v);
      if(!formula.is_variable(v) || !formula.variables.at(v).existential)
        reason = name + ": not an existential variable";
      else if(witnesses.count(v))
        reason = name + ": given twice";
      else if(!is_operand(witness))
        reason = name + ": undefined " + std::to_string(witness);
      else if(block_of(witness) > formula.variables.at(v).block)
        reason = name + ": depends on a variable further in";
      if(!reason.empty())
        return false;
      witnesses.emplace(v, witness);
    }
    return true;
  }

  // A witness may read other existential variables of its block; their
  // witnesses must not lead back to it.
  bool check_acyclic(std::string &reason) const
  {
    enum colourt : char
    {
      unseen,
      open,
      done
    };
    // A node's successors are listed once, when it is entered: a gate may
    // read many operands.
    struct framet
    {
      long node;
      std::vector<long> successors;
      std::size_t next;
    };
    std::unordered_map<long, colourt> colour;
    for(const auto &entry : witnesses)
    {
      if(colour[entry.first] == done)
        continue;
      std::vector<framet> stack{{entry.first, successors_of(entry.first), 0}};
      colour[entry.first] = open;
      while(!stack.empty())
      {
        framet &top = stack.back();
        if(top.next == top.successors.size())
        {
          colour[top.node] = done;
          stack.pop_back();
          continue;
        }
        long to = top.successors[top.next++];
        if(colour[to] == open)
        {
          reason = "witness of " + std::to_string(entry.first) +
                   " depends on itself";
          return false;
        }
        if(colour[to] == unseen)
        {
          colour[to] = open;
          stack.push_back({to, successors_of(to), 0});
        }
      }
    }
    return true;
  }

  std::vector<long> successors_of(long n) const
  {
    std::vector<long> result;
    if(formula.is_variable(n))
    {
      auto w = witnesses.find(n);
      if(w != witnesses.end())
        result.push_back(std::labs(w->second));
    }
    else
      for(long x : gates.at(n).operands)
        result.push_back(std::labs(x));
    return result;
  }

  // Asks for values of the free inputs under which the witnesses leave some
  // clause false; there must be none.
  bool check_clauses(std::string &reason) const
  {
    mini_satt sat;
    std::unordered_map<long, int> sat_variable;
    auto literal = [&sat_variable](long x) {
      int v = sat_variable.at(std::labs(x));
      return x > 0 ? v : -v;
    };
    for(const auto &entry : formula.variables)
      sat_variable[entry.first] = sat.new_variable();
    for(long node : gate_order)
      sat_variable[node] = sat.new_variable();

    for(long node : gate_order)
    {
      const gatet &gate = gates.at(node);
      int g = literal(node);
      if(gate.if_then_else)
      {
        int c = literal(gate.operands[0]), t = literal(gate.operands[1]),
            e = literal(gate.operands[2]);
        sat.add_clause({-c, -t, g});
        sat.add_clause({-c, t, -g});
        sat.add_clause({c, -e, g});
        sat.add_clause({c, e, -g});
        continue;
      }
      std::vector<int> all{g};
      for(long x : gate.operands)
      {
        sat.add_clause({-g, literal(x)});
        all.push_back(-literal(x));
      }
      sat.add_clause(all);
    }
    for(const auto &entry : witnesses)
    {
      int v = literal(entry.first), w = literal(entry.second);
      sat.add_clause({-v, w});
      sat.add_clause({v, -w});
    }
    // One question a clause, with all its literals assumed false.
    for(std::size_t i = 0; i < formula.clauses.size(); ++i)
    {
      std::vector<int> falsified;
      for(int l : formula.clauses[i])
        falsified.push_back(-literal(l));
      if(sat.solve(falsified))
      {
        reason = "clause " + std::to_string(i + 1) + " can be false";
        return false;
      }
    }
    return true;
  }
};

class refutation_checkt
{
public:
  explicit refutation_checkt(const qbf_formulat &_formula) : formula(_formula) {}

  bool check(const certificate_linest &lines, std::string &reason)
  {
    for(const auto &line : lines.body)
      if(!add_step(line, reason))
        return false;
    std::vector<long> end;
    if(
      lines.conclusion.size() != 3 || lines.conclusion[1] != "INVALID" ||
      !read_integers({lines.conclusion[2]}, end))
    {
      reason = "malformed conclusion '" + join(lines.conclusion) + "'";
      return false;
    }
    const std::vector<int> *empty = entry(end[0]);
    if(empty == nullptr)
    {
      reason = "conclusion names undefined entry " + std::to_string(end[0]);
      return false;
    }
    if(!reduced(*empty).empty())
    {
      reason = "concluding entry " + std::to_string(end[0]) +
               " does not reduce to the empty clause";
      return false;
    }
    return true;
  }

private:
  const qbf_formulat &formula;
  std::unordered_map<long, std::vector<int>> derived;

  // Derived entries take precedence over clause lines of the same number.
  const std::vector<int> *entry(long k) const
  {
    auto found = derived.find(k);
    if(found != derived.end())
      return &found->second;
    if(k >= 1 && k <= static_cast<long>(formula.clauses.size()))
      return &formula.clauses[k - 1];
    return nullptr;
  }

  bool add_step(const std::vector<std::string> &line, std::string &reason)
  {
    std::vector<long> numbers;
    std::vector<long>::iterator zero;
    bool shape = read_integers(line, numbers) && numbers.size() >= 5;
    if(shape)
    {
      zero = std::find(numbers.begin() + 1, numbers.end(), 0);
      shape = numbers.end() - zero == 4 && numbers.back() == 0 &&
              numbers[0] > 0;
    }
    if(!shape)
    {
      reason = "malformed resolution line '" + join(line) + "'";
      return false;
    }
    long k = numbers[0];
    std::string name = "entry " + std::to_string(k);
    const std::vector<int> *a = entry(zero[1]), *b = entry(zero[2]);
    if(derived.count(k))
      reason = name + ": defined twice";
    else if(a == nullptr || b == nullptr)
      reason = name + ": undefined parent";
    if(!reason.empty())
      return false;
    std::vector<int> clause;
    for(auto it = numbers.begin() + 1; it != zero; ++it)
    {
      if(!formula.is_variable(std::labs(*it)))
      {
        reason = name + ": unknown literal " + std::to_string(*it);
        return false;
      }
      clause.push_back(static_cast<int>(*it));
    }
    if(!resolves_to(*a, *b, clause, reason))
    {
      reason = name + ": " + reason;
      return false;
    }
    derived.emplace(k, clause);
    return true;
  }

  static std::vector<int> literal_set(std::vector<int> clause)
  {
    std::sort(clause.begin(), clause.end());
    clause.erase(std::unique(clause.begin(), clause.end()), clause.end());
    return clause;
  }

  // Universal reduction as far as it goes: a universal literal goes when no
  // existential literal of the clause is quantified inside it.
  std::vector<int> reduced(const std::vector<int> &clause) const
  {
    std::vector<int> result = literal_set(clause);
    bool has_existential = false;
    unsigned innermost = 0;
    for(int l : result)
    {
      const auto &info = formula.variables.at(std::abs(l));
      if(info.existential)
      {
        has_existential = true;
        innermost = std::max(innermost, info.block);
      }
    }
    result.erase(
      std::remove_if(
        result.begin(),
        result.end(),
        [&](int l) {
          const auto &info = formula.variables.at(std::abs(l));
          return !info.existential &&
                 (!has_existential || info.block > innermost);
        }),
      result.end());
    return result;
  }

  // The derived clause must hold the reduced resolvent of the reduced
  // parents and nothing that is not in a parent. Reducing the parents first
  // lets a step resolve clauses whose universal literals clash where they
  // could be reduced anyway; keeping more literals only weakens the clause.
  bool resolves_to(
    const std::vector<int> &a,
    const std::vector<int> &b,
    const std::vector<int> &derived_clause,
    std::string &reason) const
  {
    std::vector<int> left = reduced(a), right = reduced(b);
    std::vector<int> clashes;
    for(int l : left)
      if(std::binary_search(right.begin(), right.end(), -l))
        clashes.push_back(std::abs(l));
    if(clashes.size() != 1)
    {
      reason = std::to_string(clashes.size()) +
               " clashing variables between the reduced parents";
      return false;
    }
    int pivot = clashes[0];
    std::vector<int> resolvent;
    std::set_union(
      left.begin(),
      left.end(),
      right.begin(),
      right.end(),
      std::back_inserter(resolvent));
    resolvent.erase(
      std::remove_if(
        resolvent.begin(),
        resolvent.end(),
        [pivot](int l) { return std::abs(l) == pivot; }),
      resolvent.end());

    std::vector<int> kept = literal_set(derived_clause);
    std::vector<int> in_a = literal_set(a), in_b = literal_set(b);
    // A resolvent never holds a variable in both signs: such a clause is a
    // tautology, which no resolution step may produce.
    for(int l : kept)
      if(l > 0 && std::binary_search(kept.begin(), kept.end(), -l))
      {
        reason = "the clause holds " + std::to_string(l) + " and its negation";
        return false;
      }
    for(int l : reduced(resolvent))
      if(!std::binary_search(kept.begin(), kept.end(), l))
      {
        reason = "literal " + std::to_string(l) + " of the resolvent is missing";
        return false;
      }
    for(int l : kept)
      if(
        std::abs(l) == pivot ||
        (!std::binary_search(in_a.begin(), in_a.end(), l) &&
         !std::binary_search(in_b.begin(), in_b.end(), l)))
      {
        reason = "literal " + std::to_string(l) + " is not in a parent";
        return false;
      }
    return true;
  }
};
} // namespace

certificate_verdictt check_certificate(
  const qbf_formulat &formula,
  const std::string &certificate)
{
  certificate_verdictt verdict;
  certificate_linest lines;
  if(!split_certificate(certificate, lines, verdict.reason))
    return verdict;
  verdict.claim = lines.conclusion.size() >= 2 ? lines.conclusion[1] : "";
  if(verdict.claim == "VALID")
    verdict.accepted = witness_checkt(formula).check(lines, verdict.reason);
  else if(verdict.claim == "INVALID")
    verdict.accepted =
      refutation_checkt(formula).check(lines, verdict.reason);
  else
    verdict.reason = "unknown conclusion '" + join(lines.conclusion) + "'";
  return verdict;
}

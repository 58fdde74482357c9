#include "qbf_formula.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <unordered_set>

namespace
{
// The largest variable number the program accepts. strtol gives LONG_MAX or
// LONG_MIN for numbers out of its range, so those are refused as well.
const long max_variable = 2147483646;

struct quantifiert
{
  bool existential;
  int variable;
};

bool read_numbers(
  std::istringstream &in,
  std::vector<long> &numbers,
  std::string &error)
{
  std::string token;
  while(in >> token)
  {
    char *end = nullptr;
    long n = std::strtol(token.c_str(), &end, 10);
    if(*end != 0 || n > max_variable || n < -max_variable)
    {
      error = "bad number '" + token + "'";
      return false;
    }
    numbers.push_back(n);
  }
  return true;
}

void build_blocks(
  qbf_formulat &formula,
  const std::vector<quantifiert> &prefix)
{
  // Only the last quantifier of a variable counts.
  std::unordered_map<int, std::size_t> last;
  for(std::size_t i = 0; i < prefix.size(); ++i)
    last[prefix[i].variable] = i;

  auto place = [&formula](int v, bool existential) {
    if(formula.blocks.empty() || formula.block_existential.back() != existential)
    {
      formula.blocks.emplace_back();
      formula.block_existential.push_back(existential);
    }
    formula.blocks.back().push_back(v);
    formula.variables[v].existential = existential;
    formula.variables[v].block =
      static_cast<unsigned>(formula.blocks.size() - 1);
  };

  std::vector<int> free;
  for(const auto &entry : formula.variables)
    if(last.count(entry.first) == 0)
      free.push_back(entry.first);
  std::sort(free.begin(), free.end());
  for(int v : free)
    place(v, true);
  for(std::size_t i = 0; i < prefix.size(); ++i)
    if(last.at(prefix[i].variable) == i)
      place(prefix[i].variable, prefix[i].existential);
}
} // namespace

int qbf_formulat::largest_variable() const
{
  int largest = 0;
  for(const auto &entry : variables)
    largest = std::max(largest, entry.first);
  return largest;
}

bool parse_qdimacs(
  const std::string &text,
  qbf_formulat &formula,
  std::string &error)
{
  formula = qbf_formulat();
  std::vector<quantifiert> prefix;
  std::vector<int> pending;
  bool dropping = false; // inside a tautological clause
  // The literals of `pending`, to spot a tautology at once.
  std::unordered_set<int> pending_literals;
  // Erases literal by literal: clearing the set would cost its bucket count,
  // which a long clause leaves large, at every clause after it.
  auto clear_pending = [&pending, &pending_literals]() {
    for(int l : pending)
      pending_literals.erase(l);
    pending.clear();
  };
  std::istringstream lines(text);
  std::string line;
  for(unsigned line_number = 1; std::getline(lines, line); ++line_number)
  {
    std::size_t first = line.find_first_not_of(" \t\r\n\v\f");
    if(first == std::string::npos)
      continue;
    std::istringstream in(line.substr(first));
    char kind = line[first];
    std::vector<long> numbers;
    if(kind == 'c' || kind == 'p')
      continue;
    if(kind == 'e' || kind == 'a')
      in.get();
    if(!read_numbers(in, numbers, error))
    {
      error = "line " + std::to_string(line_number) + ": " + error;
      return false;
    }
    if(kind == 'e' || kind == 'a')
    {
      for(long n : numbers)
      {
        if(n == 0)
          break;
        if(n < 0)
        {
          error = "line " + std::to_string(line_number) + ": negative variable";
          return false;
        }
        formula.variables.try_emplace(static_cast<int>(n));
        prefix.push_back({kind == 'e', static_cast<int>(n)});
      }
      continue;
    }
    for(long n : numbers)
    {
      if(n == 0)
      {
        if(!dropping)
          formula.clauses.push_back(pending);
        clear_pending();
        dropping = false;
        continue;
      }
      if(dropping)
        continue;
      int literal = static_cast<int>(n);
      dropping = pending_literals.count(-literal) != 0;
      if(!dropping)
      {
        formula.variables.try_emplace(std::abs(literal));
        pending.push_back(literal);
        pending_literals.insert(literal);
      }
      else
        clear_pending();
    }
  }
  // A last clause without its terminating 0 still counts.
  if(!pending.empty())
    formula.clauses.push_back(pending);
  build_blocks(formula, prefix);
  return true;
}

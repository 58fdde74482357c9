#include "qbf_formula.h"

#include <cstdlib>
#include <sstream>

namespace
{
// Keeps the tables small; the tests never need more.
const long max_variable = 10000000;

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

void note_variable(qbf_formulat &formula, long v)
{
  if(static_cast<long>(formula.variables.size()) <= v)
    formula.variables.resize(v + 1);
  formula.variables[v].known = true;
}

void build_blocks(
  qbf_formulat &formula,
  const std::vector<quantifiert> &prefix)
{
  // Only the last quantifier of a variable counts.
  std::vector<long> last(formula.variables.size(), -1);
  for(std::size_t i = 0; i < prefix.size(); ++i)
    last[prefix[i].variable] = static_cast<long>(i);

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

  for(std::size_t v = 1; v < formula.variables.size(); ++v)
    if(formula.variables[v].known && last[v] < 0)
      place(static_cast<int>(v), true);
  for(std::size_t i = 0; i < prefix.size(); ++i)
    if(last[prefix[i].variable] == static_cast<long>(i))
      place(prefix[i].variable, prefix[i].existential);
}
} // namespace

bool parse_qdimacs(
  const std::string &text,
  qbf_formulat &formula,
  std::string &error)
{
  formula = qbf_formulat();
  std::vector<quantifiert> prefix;
  std::vector<int> pending;
  bool dropping = false; // inside a tautological clause
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
        note_variable(formula, n);
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
        pending.clear();
        dropping = false;
        continue;
      }
      if(dropping)
        continue;
      for(int l : pending)
        if(l == -n)
          dropping = true;
      if(!dropping)
      {
        note_variable(formula, std::labs(n));
        pending.push_back(static_cast<int>(n));
      }
      else
        pending.clear();
    }
  }
  // A last clause without its terminating 0 still counts.
  if(!pending.empty())
    formula.clauses.push_back(pending);
  build_blocks(formula, prefix);
  return true;
}

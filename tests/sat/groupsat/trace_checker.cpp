#include "trace_checker.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

namespace
{
struct implicationt
{
  int variable;
  int position;
  int value;
  int antecedent;
  std::vector<int> literals;
};

struct checkert
{
  const std::vector<std::vector<int>> &originals;
  // Resolvents of the learned clauses, by id.
  std::map<int, std::set<int>> learned;
  std::vector<implicationt> implications;
  // Level-0 values and stack positions, by variable.
  std::map<int, int> value;
  std::map<int, int> position;
  bool has_conflict = false;
  int conflict_id = -1;
  std::vector<int> conflict_literals;

  bool known(int id) const
  {
    return (id >= 0 && id < int(originals.size())) || learned.count(id) != 0;
  }

  std::set<int> literal_set(int id) const
  {
    if(id < int(originals.size()))
      return std::set<int>(originals[id].begin(), originals[id].end());
    return learned.at(id);
  }

  bool false_at_level0(int literal) const
  {
    auto it = value.find(literal >> 1);
    return it != value.end() && it->second == (literal & 1);
  }

  std::string resolve(int id, const std::vector<int> &ids)
  {
    if(ids.empty())
      return "learned clause " + std::to_string(id) + " names no clause";
    for(int used : ids)
      if(!known(used) || used >= id)
        return "learned clause " + std::to_string(id) + " uses unknown " +
               std::to_string(used);
    std::set<int> resolvent = literal_set(ids[0]);
    for(std::size_t i = 1; i < ids.size(); ++i)
    {
      std::set<int> other = literal_set(ids[i]);
      std::vector<int> pivots;
      for(int l : other)
        if(resolvent.count(l ^ 1) != 0)
          pivots.push_back(l >> 1);
      if(pivots.size() != 1)
        return "learned clause " + std::to_string(id) + ": step " +
               std::to_string(i) + " has " + std::to_string(pivots.size()) +
               " pivots";
      resolvent.insert(other.begin(), other.end());
      resolvent.erase(2 * pivots[0]);
      resolvent.erase(2 * pivots[0] + 1);
    }
    learned[id] = resolvent;
    return "";
  }

  // The listed literals are the clause: exactly an original clause, or a
  // learned clause: its resolvent less literals false at level 0.
  std::string matches(int id, const std::vector<int> &listed) const
  {
    if(!known(id))
      return "unknown clause " + std::to_string(id);
    if(id < int(originals.size()))
      return listed == originals[id]
               ? ""
               : "literals of original clause " + std::to_string(id);
    const std::set<int> &resolvent = learned.at(id);
    std::set<int> shown(listed.begin(), listed.end());
    for(int l : shown)
      if(resolvent.count(l) == 0)
        return "clause " + std::to_string(id) + " lists a literal " +
               std::to_string(l) + " not in its resolvent";
    for(int l : resolvent)
      if(shown.count(l) == 0 && !false_at_level0(l))
        return "clause " + std::to_string(id) + " drops literal " +
               std::to_string(l) + " that level 0 does not make false";
    return "";
  }

  std::string check_implication(const implicationt &imp) const
  {
    std::string where = "VAR " + std::to_string(imp.variable) + ": ";
    std::string clause = matches(imp.antecedent, imp.literals);
    if(!clause.empty())
      return where + clause;
    int implied = 2 * imp.variable + 1 - imp.value;
    if(
      std::find(imp.literals.begin(), imp.literals.end(), implied) ==
      imp.literals.end())
      return where + "the antecedent lacks the implied literal";
    for(int l : imp.literals)
    {
      if(l == implied)
        continue;
      if(!false_at_level0(l))
        return where + "literal " + std::to_string(l) + " is not false";
      if(position.at(l >> 1) >= imp.position)
        return where + "literal " + std::to_string(l) + " is false too late";
    }
    return "";
  }
};

std::vector<int> numbers(std::istringstream &in)
{
  std::vector<int> result;
  for(int n; in >> n;)
    result.push_back(n);
  return result;
}
} // namespace

std::string check_resolution_trace(
  const std::vector<std::vector<int>> &originals,
  const std::string &trace,
  bool refutation)
{
  checkert checker{originals, {}, {}, {}, {}, false, -1, {}};
  int next_id = int(originals.size());
  std::istringstream lines(trace);
  for(std::string line; std::getline(lines, line);)
  {
    if(checker.has_conflict)
      return "a record follows the conflict";
    std::istringstream in(line);
    std::string tag, arrow;
    int id;
    if(line.rfind("CL: ", 0) == 0)
    {
      if(!(in >> tag >> id >> arrow) || arrow != "<=")
        return "bad line: " + line;
      if(id != next_id)
        return "learned clause " + std::to_string(id) + " where " +
               std::to_string(next_id) + " comes next";
      ++next_id;
      std::string problem = checker.resolve(id, numbers(in));
      if(!problem.empty())
        return problem;
    }
    else if(line.rfind("VAR: ", 0) == 0)
    {
      implicationt imp;
      std::string l, v, a, lits;
      if(
        !(in >> tag >> imp.variable >> l >> imp.position >> v >> imp.value >>
          a >> imp.antecedent >> lits) ||
        l != "L:" || v != "V:" || a != "A:" || lits != "Lits:")
        return "bad line: " + line;
      imp.literals = numbers(in);
      if(checker.value.count(imp.variable) != 0)
        return "variable " + std::to_string(imp.variable) + " twice";
      checker.value[imp.variable] = imp.value;
      checker.position[imp.variable] = imp.position;
      checker.implications.push_back(imp);
    }
    else if(line.rfind("CONF: ", 0) == 0)
    {
      if(!(in >> tag >> checker.conflict_id >> arrow) || arrow != "==")
        return "bad line: " + line;
      checker.conflict_literals = numbers(in);
      checker.has_conflict = true;
    }
    else
      return "bad line: " + line;
  }

  if(!refutation)
    return checker.has_conflict || !checker.implications.empty()
             ? "a refutation in the trace of a satisfiable run"
             : "";
  if(!checker.has_conflict)
    return "no final conflict";
  for(const implicationt &imp : checker.implications)
  {
    std::string problem = checker.check_implication(imp);
    if(!problem.empty())
      return problem;
  }
  std::string clause =
    checker.matches(checker.conflict_id, checker.conflict_literals);
  if(!clause.empty())
    return "CONF: " + clause;
  for(int l : checker.conflict_literals)
    if(!checker.false_at_level0(l))
      return "CONF: literal " + std::to_string(l) + " is not false";
  return "";
}

#include "resolution_checker.h"

#include <sstream>

std::string to_text(const resolution_checkert::clauset &clause)
{
  std::ostringstream out;
  out << '{';
  for(int code : clause)
    out << ' ' << (code & 1 ? "-" : "") << (code >> 1);
  out << " }";
  return out.str();
}

void resolution_checkert::fail(const std::string &message)
{
  if(error.empty())
    error = "clause " + std::to_string(clauses.size()) + ": " + message;
}

void resolution_checkert::root(const vec<Lit> &literals)
{
  clauset clause;
  for(int i = 0; i < literals.size(); i++)
  {
    if(i > 0 && !(literals[i - 1] < literals[i]))
      fail("root not sorted without repeats");
    clause.insert(index(literals[i]));
  }
  if(!inputs.empty() && inputs.count(clause) == 0)
    fail("root " + to_text(clause) + " was never given");
  clauses.push_back(clause);
  deleted_ids.push_back(false);
}

void resolution_checkert::chain(
  const vec<ClauseId> &ids,
  const vec<Var> &pivots)
{
  if(ids.size() != pivots.size() + 1 || pivots.size() == 0)
    fail(
      "chain of " + std::to_string(ids.size()) + " ids and " +
      std::to_string(pivots.size()) + " pivots");
  clauset current;
  for(int i = 0; i < ids.size(); i++)
  {
    ClauseId id = ids[i];
    if(!has_clause(id) || deleted_ids[id])
    {
      fail("uses missing or deleted clause " + std::to_string(id));
      break;
    }
    if(i == 0)
    {
      current = clauses[id];
      continue;
    }
    const clauset &next = clauses[id];
    int positive = 2 * pivots[i - 1];
    int negative = positive + 1;
    bool opposite = (current.count(positive) && next.count(negative)) ||
                    (current.count(negative) && next.count(positive));
    if(!opposite)
    {
      fail(
        "step " + std::to_string(i) + " on variable " +
        std::to_string(pivots[i - 1]) + ": " + to_text(current) + " and " +
        to_text(next));
      break;
    }
    current.insert(next.begin(), next.end());
    current.erase(positive);
    current.erase(negative);
  }
  clauses.push_back(current);
  deleted_ids.push_back(false);
}

void resolution_checkert::deleted(ClauseId id)
{
  if(!has_clause(id) || deleted_ids[id])
    fail("deletes missing or deleted clause " + std::to_string(id));
  else
    deleted_ids[id] = true;
}

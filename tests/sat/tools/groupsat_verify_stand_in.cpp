// Stand-in for the core extraction program, installed as "groupsat_verify"
// for the adapter tests: replays the resolution trace against the formula
// with the tests' independent trace checker and, when the refutation
// holds, writes the original clauses it rests on to "unsat_core.cnf".
// Records its arguments, one line joined by blanks, in
// "groupsat_verify.args".
//
// usage: groupsat_verify FORMULA TRACE -core
// Exit status 0 with a core, 1 when the trace does not check.

#include "../groupsat/trace_checker.h"

#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{
struct dimacst
{
  int variables = 0;
  // Literals as signed variables (2 * variable + sign).
  std::vector<std::vector<int>> clauses;
  std::vector<std::vector<int>> dimacs_clauses;
};

dimacst read_dimacs(std::istream &in)
{
  dimacst formula;
  std::string line;
  std::vector<int> clause, dimacs;
  while(std::getline(in, line))
  {
    if(line.empty() || line[0] == 'c')
      continue;
    std::istringstream words(line);
    if(line[0] == 'p')
    {
      std::string p, cnf;
      words >> p >> cnf >> formula.variables;
      continue;
    }
    int number;
    while(words >> number)
    {
      if(number == 0)
      {
        formula.clauses.push_back(clause);
        formula.dimacs_clauses.push_back(dimacs);
        clause.clear();
        dimacs.clear();
      }
      else
      {
        clause.push_back(number < 0 ? -2 * number + 1 : 2 * number);
        dimacs.push_back(number);
      }
    }
  }
  return formula;
}

// The original clauses the refutation rests on: those named, directly or
// through learned clauses, by the final conflict and the level-0
// implications.
std::set<int> core_ids(const std::string &trace, int originals)
{
  std::map<int, std::vector<int>> sources;
  std::vector<int> roots;
  std::istringstream lines(trace);
  std::string line;
  while(std::getline(lines, line))
  {
    std::istringstream words(line);
    std::string tag, word;
    int id;
    words >> tag;
    if(tag == "CL:")
    {
      words >> id >> word;
      int source;
      while(words >> source)
        sources[id].push_back(source);
    }
    else if(tag == "VAR:")
    {
      while(words >> word && word != "A:")
        ;
      if(words >> id)
        roots.push_back(id);
    }
    else if(tag == "CONF:" && words >> id)
      roots.push_back(id);
  }

  std::set<int> seen, core;
  while(!roots.empty())
  {
    int id = roots.back();
    roots.pop_back();
    if(id < 0 || !seen.insert(id).second)
      continue;
    if(id < originals)
      core.insert(id);
    else
      roots.insert(roots.end(), sources[id].begin(), sources[id].end());
  }
  return core;
}
} // namespace

int main(int argc, char **argv)
{
  {
    std::ofstream args("groupsat_verify.args");
    args << "groupsat_verify";
    for(int i = 1; i < argc; ++i)
      args << ' ' << argv[i];
    args << '\n';
  }
  if(argc != 4 || std::string(argv[3]) != "-core")
  {
    std::cerr << "usage: groupsat_verify FORMULA TRACE -core\n";
    return 1;
  }

  std::ifstream formula_in(argv[1]);
  dimacst formula = read_dimacs(formula_in);
  std::ifstream trace_in(argv[2]);
  std::ostringstream trace;
  trace << trace_in.rdbuf();

  std::string problem =
    check_resolution_trace(formula.clauses, trace.str(), true);
  if(!problem.empty())
  {
    std::cerr << "groupsat_verify: " << problem << '\n';
    return 1;
  }

  std::set<int> core = core_ids(trace.str(), int(formula.clauses.size()));
  std::ofstream out("unsat_core.cnf");
  out << "c core of the refutation\n";
  out << "p cnf " << formula.variables << ' ' << core.size() << '\n';
  for(int id : core)
  {
    for(int number : formula.dimacs_clauses[id])
      out << number << ' ';
    out << "0\n";
  }
  return 0;
}

// Stand-in for the pseudo-Boolean solver, installed as "pbs" for the
// adapter tests: reads "temp.cnf" and "temp.cnf.pb" and tries every
// assignment of the variables (a dozen at most). Goal mode ("E") looks for
// a model whose weighted sum equals the goal; "SE" finds the least and
// "GE" the greatest weighted sum among the models. Writes on standard
// output the assignment block and the objective line the adapter reads,
// or "UNSAT". Records its arguments, argv[0] included and joined by
// blanks, in "pbs.args".

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace
{
struct problemt
{
  int variables = 0;
  std::vector<std::vector<int>> clauses;
  std::string type;
  long long goal = 0;
  // Weighted literals in DIMACS numbers.
  std::vector<std::pair<int, long long>> weights;
};

problemt read_problem()
{
  problemt problem;
  std::ifstream cnf("temp.cnf");
  std::string line;
  std::vector<int> clause;
  while(std::getline(cnf, line))
  {
    std::istringstream words(line);
    if(line.rfind("p cnf", 0) == 0)
    {
      std::string p, c;
      words >> p >> c >> problem.variables;
      continue;
    }
    int number;
    while(words >> number)
    {
      if(number == 0)
      {
        problem.clauses.push_back(clause);
        clause.clear();
      }
      else
        clause.push_back(number);
    }
  }

  std::ifstream pb("temp.cnf.pb");
  while(std::getline(pb, line))
  {
    if(line.rfind("# PBType: ", 0) == 0)
      problem.type = line.substr(10);
    else if(line.rfind("# PBGoal: ", 0) == 0)
      problem.goal = std::stoll(line.substr(10));
    else if(line[0] == 'v')
    {
      std::size_t c = line.find(" c");
      problem.weights.emplace_back(
        std::stoi(line.substr(1, c - 1)), std::stoll(line.substr(c + 2)));
    }
  }
  return problem;
}

bool holds(int number, unsigned long code)
{
  bool value = (code >> (number < 0 ? -number : number)) & 1;
  return number < 0 ? !value : value;
}
} // namespace

int main(int argc, char **argv)
{
  {
    std::ofstream args("pbs.args");
    args << argv[0];
    for(int i = 1; i < argc; ++i)
      args << ' ' << argv[i];
    args << '\n';
  }

  problemt problem = read_problem();
  bool found = false;
  unsigned long best_code = 0;
  long long best_sum = 0;
  // Bit v of the code is the value of variable v; bit 0 is unused.
  for(unsigned long code = 0; code < (2ul << problem.variables); code += 2)
  {
    bool model = true;
    for(const auto &clause : problem.clauses)
    {
      bool satisfied = false;
      for(int number : clause)
        satisfied = satisfied || holds(number, code);
      model = model && satisfied;
    }
    if(!model)
      continue;
    long long sum = 0;
    for(const auto &weight : problem.weights)
      sum += holds(weight.first, code) ? weight.second : 0;
    bool better = problem.type == "E"  ? !found && sum == problem.goal
                  : problem.type == "SE" ? !found || sum < best_sum
                                         : !found || sum > best_sum;
    if(better)
    {
      found = true;
      best_code = code;
      best_sum = sum;
    }
  }

  if(!found)
  {
    std::cout << "UNSAT\n";
    return 0;
  }
  std::cout << "Variable Assignments Satisfying CNF Formula:\n";
  for(int v = 1; v <= problem.variables; ++v)
    std::cout << (holds(v, best_code) ? v : -v) << ' ';
  std::cout << '\n';
  if(problem.type == "E")
    std::cout << "SAT... Solution = " << best_sum << '\n';
  else
    std::cout << "Optimal Soln found: " << best_sum << '\n';
  return 0;
}

#include "sat/pbs_dimacs_cnf.h"

#include "sat/external_program.h"
#include "util/text_utils.h"

#include <cstdint>
#include <cstdio>
#include <ostream>

namespace
{
const char *const cnf_file = "temp.cnf";
const char *const objective_file = "temp.cnf.pb";
const char *const answer_file = "temp.out";

bool contains(const std::string &line, const char *text)
{
  return line.find(text) != std::string::npos;
}
} // namespace

std::string pbs_dimacs_cnft::solver_text() const
{
  return "PBS - Pseudo Boolean/CNF Solver and Optimizer";
}

void pbs_dimacs_cnft::write_dimacs_pb(std::ostream &out) const
{
  if(!optimize)
    out << "# PBType: E" << std::endl;
  else if(maximize)
    out << "# PBType: GE" << std::endl;
  else
    out << "# PBType: SE" << std::endl;

  out << "# PBGoal: ";
  if(!optimize)
    out << goal;
  else if(maximize)
    out << 0;
  else
  {
    // The exact sum: a floating-point text would round sums of a million
    // and more to six digits and so set the program a wrong bound.
    std::uint64_t sum = 0;
    for(const auto &weight : weights)
      sum += weight.second;
    out << sum;
  }
  out << std::endl;

  if(optimize)
    out << (maximize ? "# PBObj : MAX" : "# PBObj : MIN") << std::endl;

  out << "# NumCoef: " << weights.size() << std::endl;
  for(const auto &weight : weights)
    out << 'v' << weight.first.dimacs() << " c" << weight.second << std::endl;
}

std::string pbs_dimacs_cnft::command() const
{
  std::string result;
  if(!program_dir.empty())
  {
    std::string directory = program_dir;
    if(directory.back() != '/')
      directory += '/';
    result = shell_quote(directory);
  }
  result += "pbs";
  result += " -f ";
  result += cnf_file;
  if(!optimize)
    result += " -S 1000 -D 1 -a";
  else if(binary_search)
    result += " -S 1000 -D 1 -H -I -a";
  else
    result += " -S 1000 -D 1 -I -a";
  result += " -a > ";
  result += answer_file;
  return result;
}

bool pbs_dimacs_cnft::read_answer_line(
  const std::string &line,
  std::istream &in)
{
  const char *const value_format = "%*s %*s %*s %d";
  if(contains(line, "Variable Assignments Satisfying CNF Formula:"))
  {
    true_vars.clear();
    int number;
    for(unsigned i = 0; i < no_variables() && in >> number; ++i)
    {
      if(number > 0)
        true_vars.insert(number);
    }
    // Fewer numbers than variables end the block, not the answer: the text
    // that stopped the numbers is read on as a line.
    if(!in.eof())
      in.clear();
    assignment_read = true;
  }
  else if(contains(line, "SAT... SUM"))
    std::sscanf(line.c_str(), value_format, &objective_value);
  else if(contains(line, "SAT - All implied"))
    std::sscanf(
      line.c_str(),
      "%*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %d",
      &objective_value);
  else if(contains(line, "SAT... Solution"))
    std::sscanf(line.c_str(), value_format, &objective_value);
  else if(contains(line, "Optimal Soln"))
  {
    if(contains(line, "time out"))
    {
      print(6, "WARNING:  TIMED OUT.  SOLUTION MAY BE INCORRECT.\n");
      return false;
    }
    std::sscanf(line.c_str(), value_format, &objective_value);
  }
  return true;
}

bool pbs_dimacs_cnft::pbs_solve()
{
  remove_stale_answer(answer_file);
  program_failed = !run_external_program(*this, command());
  if(program_failed)
    return false;

  answer_file_streamt in(answer_file);
  if(!in)
  {
    print(1, "Unable to read SAT results!\n");
    return false;
  }

  objective_value = -1;
  assignment_read = false;
  std::string line;
  while(in.good())
  {
    read_line(in, line);
    if(!read_answer_line(line, in))
      break;
  }
  return assignment_read;
}

propt::resultt pbs_dimacs_cnft::prop_solve()
{
  if(!write_exchange_file(*this, cnf_file, [this](std::ostream &out) {
       write_dimacs_cnf(out);
     }))
    return P_ERROR;
  if(!write_exchange_file(*this, objective_file, [this](std::ostream &out) {
       write_dimacs_pb(out);
     }))
    return P_ERROR;

  print(
    6,
    unsigned_to_string(no_variables()) + " variables, " +
      unsigned_to_string(clause_list.size()) + " clauses");

  bool satisfiable = pbs_solve();
  if(program_failed)
    return P_ERROR;

  if(satisfiable)
  {
    std::string text = "PBS checker: system is SATISFIABLE";
    if(optimize)
      text += " (distance " + int_to_string(objective_value) + ")";
    print(6, text);
    return P_SATISFIABLE;
  }
  print(6, "PBS checker: system is UNSATISFIABLE");
  return P_UNSATISFIABLE;
}

tvt pbs_dimacs_cnft::l_get(literalt a) const
{
  int number = a.dimacs();
  bool reported = true_vars.count(number < 0 ? -number : number) != 0;
  return tvt(number < 0 ? !reported : reported);
}

#include "propositional/dimacs_cnf.h"

#include <ostream>

std::string dimacs_cnft::solver_text() const
{
  return "DIMACS CNF";
}

void dimacs_cnft::write_dimacs_cnf(std::ostream &out) const
{
  write_problem_line(out);
  write_clauses(out);
}

void dimacs_cnft::write_problem_line(std::ostream &out) const
{
  out << "p cnf " << no_variables() << ' ' << clause_list.size() << '\n';
}

void dimacs_cnft::write_clauses(std::ostream &out) const
{
  for(const bvt &clause : clause_list)
    write_dimacs_clause(clause, out);
}

void dimacs_cnft::write_dimacs_clause(const bvt &clause, std::ostream &out)
{
  for(std::size_t i = 0; i < clause.size(); ++i)
  {
    out << clause[i].dimacs() << ' ';
    if(i != 0 && i % 16 == 0)
      out << '\n';
  }
  out << "0\n";
}

void dimacs_cnf_dumpt::lcnf(const bvt &clause)
{
  dimacs_cnft::write_dimacs_clause(clause, out);
}

std::string dimacs_cnf_dumpt::solver_text() const
{
  return "DIMACS CNF Dumper";
}

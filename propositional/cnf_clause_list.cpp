#include "propositional/cnf_clause_list.h"

#include <ostream>

void cnf_clause_listt::lcnf(const bvt &clause)
{
  bvt simplified;
  if(!process_clause(clause, simplified))
    clause_list.push_back(std::move(simplified));
}

std::string cnf_clause_listt::solver_text() const
{
  return "CNF clause list";
}

tvt cnf_clause_list_assignmentt::l_get(literalt a) const
{
  unsigned v = a.var_no();
  if(v == 0 || v >= assignment.size())
    return tvt(tvt::TV_UNKNOWN);
  return a.sign() ? !assignment[v] : assignment[v];
}

void cnf_clause_list_assignmentt::copy_assignment_from(const propt &prop)
{
  assignment.resize(no_variables());
  for(unsigned v = 1; v < assignment.size(); ++v)
    assignment[v] = prop.l_get(literalt(v, false));
}

void cnf_clause_list_assignmentt::print_assignment(std::ostream &out) const
{
  for(unsigned v = 1; v < assignment.size(); ++v)
    out << 'v' << v << '=' << tvt_name(assignment[v]) << '\n';
}

#include "propositional/qdimacs_cnf.h"

#include "util/invariant.h"

#include <ostream>

std::string qdimacs_cnft::solver_text() const
{
  return "QDIMACS CNF";
}

void qdimacs_cnft::write_qdimacs_cnf(std::ostream &out) const
{
  write_problem_line(out);
  write_prefix(out);
  write_clauses(out);
}

void qdimacs_cnft::write_prefix(std::ostream &out) const
{
  for(const quantifiert &q : quantifiers)
  {
    switch(q.type)
    {
    case quantifiert::EXISTENTIAL:
      out << 'e';
      break;
    case quantifiert::UNIVERSAL:
      out << 'a';
      break;
    default:
      INVARIANT(false);
    }
    out << ' ' << q.var_no << " 0\n";
  }
}

bool qdimacs_cnft::operator==(const qdimacs_cnft &other) const
{
  return quantifiers == other.quantifiers && clause_list == other.clause_list;
}

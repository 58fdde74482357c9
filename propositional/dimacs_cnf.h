#ifndef MORVANE_PROPOSITIONAL_DIMACS_CNF_H
#define MORVANE_PROPOSITIONAL_DIMACS_CNF_H

#include "propositional/cnf_clause_list.h"

#include <iosfwd>

// A clause list written out as a DIMACS CNF file.
class dimacs_cnft : public cnf_clause_listt
{
public:
  std::string solver_text() const override;

  // The problem line, then the clauses.
  virtual void write_dimacs_cnf(std::ostream &out) const;

  // The DIMACS numbers of the literals, each followed by a blank, then "0".
  // A line break follows the literal at every index that is a positive
  // multiple of 16, so the first line holds 17 literals.
  static void write_dimacs_clause(const bvt &clause, std::ostream &out);

protected:
  // "p cnf <variables> <clauses>"
  void write_problem_line(std::ostream &out) const;
  void write_clauses(std::ostream &out) const;
};

// Writes each clause to a stream the moment it is added, exactly as given,
// and keeps nothing.
class dimacs_cnf_dumpt : public cnft
{
public:
  // The stream is not owned and must outlive the dumper.
  explicit dimacs_cnf_dumpt(std::ostream &_out) : out(_out)
  {
  }

  void lcnf(const bvt &clause) override;
  std::string solver_text() const override;

  resultt prop_solve() override
  {
    return P_ERROR;
  }

  tvt l_get(literalt) const override
  {
    return tvt(tvt::TV_UNKNOWN);
  }

  unsigned no_clauses() const override
  {
    return 0;
  }

private:
  std::ostream &out;
};

#endif

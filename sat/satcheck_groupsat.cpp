#include "sat/satcheck_groupsat.h"

#include "sat/groupsat/groupsat_solver.h"
#include "util/invariant.h"
#include "util/text_utils.h"

#include <vector>

satcheck_groupsat_baset::satcheck_groupsat_baset(CSolver *_solver)
  : solver(_solver)
{
  _solver->set_base_randomness(0);
  _solver->set_variable_number(0);
}

std::string satcheck_groupsat_baset::solver_text() const
{
  return "Groupsat II";
}

void satcheck_groupsat_baset::copy_cnf()
{
  INVARIANT(status == INIT);
  solver->set_variable_number(no_variables());
  std::vector<int> literals;
  for(const bvt &clause : clause_list)
  {
    literals.clear();
    for(literalt l : clause)
      literals.push_back(int(l.get()));
    solver->add_original_clause(literals.data(), int(literals.size()), 0);
  }
}

propt::resultt satcheck_groupsat_baset::prop_solve()
{
  INVARIANT(status == INIT);
  copy_cnf();

  print(
    6,
    unsigned_to_string(solver->num_variables()) + " variables, " +
      unsigned_to_string(solver->clauses().size()) + " clauses");

  switch(solver->solve())
  {
  case UNSATISFIABLE:
    print(6, "SAT checker: negated claim is UNSATISFIABLE, i.e., holds");
    status = UNSAT;
    return P_UNSATISFIABLE;
  case SATISFIABLE:
    print(6, "SAT checker: negated claim is SATISFIABLE, i.e., does not hold");
    for(std::size_t i = 1; i < solver->variables().size(); ++i)
      INVARIANT(
        solver->variables()[i].value() == 0 ||
        solver->variables()[i].value() == 1);
    status = SAT;
    return P_SATISFIABLE;
  case UNDETERMINED:
    print(6, "SAT checker failed: UNDETERMINED");
    break;
  case TIME_OUT:
    print(6, "SAT checker failed: Time out");
    break;
  case MEM_OUT:
    print(6, "SAT checker failed: Out of memory");
    break;
  case ABORTED:
    print(6, "SAT checker failed: ABORTED");
    break;
  default:
    print(6, "SAT checker failed: unknown result");
    break;
  }
  status = ERROR;
  return P_ERROR;
}

tvt satcheck_groupsat_baset::l_get(literalt a) const
{
  INVARIANT(status == SAT);
  if(a.is_true())
    return tvt(true);
  if(a.is_false())
    return tvt(false);
  INVARIANT(a.var_no() < solver->variables().size());
  tvt result;
  switch(solver->variables()[a.var_no()].value())
  {
  case 0:
    result = tvt(false);
    break;
  case 1:
    result = tvt(true);
    break;
  default:
    return tvt(tvt::TV_UNKNOWN);
  }
  return a.sign() ? !result : result;
}

void satcheck_groupsat_baset::set_assignment(literalt a, bool value)
{
  INVARIANT(!a.is_constant() && a.var_no() < solver->variables().size());
  solver->variable(a.var_no()).set_value(unsigned(value) ^ unsigned(a.sign()));
}

satcheck_groupsatt::satcheck_groupsatt()
    : satcheck_groupsatt(std::make_unique<CSolver>())
{
}

satcheck_groupsatt::satcheck_groupsatt(std::unique_ptr<CSolver> _engine)
    : satcheck_groupsat_baset(_engine.get()), engine(std::move(_engine))
{
}

// Out of line, where CSolver is complete.
satcheck_groupsatt::~satcheck_groupsatt() = default;

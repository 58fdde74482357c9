#include "sat/satcheck_proofsat.h"

#include "sat/proofsat/Solver.h"
#include "util/invariant.h"
#include "util/text_utils.h"

satcheck_proofsat_baset::satcheck_proofsat_baset() = default;

// Out of line, where Solver is complete.
satcheck_proofsat_baset::~satcheck_proofsat_baset() = default;

void satcheck_proofsat_baset::lcnf(const bvt &clause)
{
  bvt new_bv;
  if(process_clause(clause, new_bv))
    return;

  on_engine([this, &new_bv] {
    add_variables();

    vec<Lit> literals;
    for(std::size_t i = 0; i < new_bv.size(); ++i)
    {
      INVARIANT(new_bv[i].var_no()<(unsigned)solver->nVars());
      literals.push(Lit::fromIndex(int(new_bv[i].get())));
    }

    solver->newClause(literals, false, ClauseId_NULL);
  });
  ++clause_counter;
}

std::string satcheck_proofsat_baset::solver_text() const
{
  return "Proofsat";
}

void satcheck_proofsat_baset::add_variables()
{
  while((unsigned)solver->nVars() < no_variables())
    solver->newVar();
}

std::string satcheck_proofsat_baset::size_text() const
{
  return unsigned_to_string(_no_variables) + " variables, " +
         int_to_string(solver->nClauses()) + " clauses";
}

propt::resultt satcheck_proofsat_baset::run_engine()
{
  if(solver->ok)
    on_engine([this] { solver->solve(); });
  if(out_of_memory)
  {
    print(1, "SAT checker failed: Out of memory");
    status = ERROR;
    return P_ERROR;
  }

  // Without assumptions the engine answers false exactly when it has
  // cleared ok, so the flag alone decides.
  if(solver->ok)
  {
    print(6, "SAT checker: negated claim is SATISFIABLE, i.e., does not hold");
    status = SAT;
    return P_SATISFIABLE;
  }
  print(6, "SAT checker: negated claim is UNSATISFIABLE, i.e., holds");
  status = UNSAT;
  return P_UNSATISFIABLE;
}

propt::resultt satcheck_proofsat_baset::prop_solve()
{
  INVARIANT(status!=ERROR);
  print(6, size_text());
  on_engine([this] { add_variables(); });
  return run_engine();
}

tvt satcheck_proofsat_baset::l_get(literalt a) const
{
  INVARIANT(status==SAT);

  if(a.is_true())
    return tvt(true);
  if(a.is_false())
    return tvt(false);

  INVARIANT(a.var_no()<(unsigned)solver->model.size());
  lbool value = solver->model[int(a.var_no())];
  tvt result = value == l_True    ? tvt(true)
               : value == l_False ? tvt(false)
                                  : tvt(tvt::TV_UNKNOWN);
  // Negation keeps unknown unknown.
  return a.sign() ? !result : result;
}

void satcheck_proofsat_baset::set_assignment(literalt a, bool value)
{
  unsigned v = a.var_no();
  INVARIANT(v<(unsigned)solver->model.size());
  solver->model[int(v)] = value == a.sign() ? l_False : l_True;
}

satcheck_proofsatt::satcheck_proofsatt()
{
  solver = std::make_unique<Solver>();
}

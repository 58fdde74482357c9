#include "sat/satcheck_coresat.h"

#include "sat/coresat/coresat.h"
#include "util/invariant.h"

namespace
{
bool coresat_adapter_exists = false;
} // namespace

satcheck_coresat_baset::satcheck_coresat_baset()
{
  INVARIANT(
    !coresat_adapter_exists &&
    "only one Coresat adapter at a time: the engine is one global state");
  coresat_adapter_exists = true;
}

satcheck_coresat_baset::~satcheck_coresat_baset()
{
  coresat_reset();
  coresat_adapter_exists = false;
}

void satcheck_coresat_baset::lcnf(const bvt &clause)
{
  bvt simplified;
  if(process_clause(clause, simplified))
    return;
  for(literalt l : simplified)
    coresat_add(l.dimacs());
  coresat_add(0);
  ++clause_counter;
}

std::string satcheck_coresat_baset::solver_text() const
{
  return std::string("Coresat version ") + coresat_version();
}

propt::resultt satcheck_coresat_baset::prop_solve()
{
  // The assertion texts name the conditions as written here.
  // clang-format off
  INVARIANT(status==SAT || status==INIT);
  // clang-format on
  int result = coresat_sat();
  if(result == coresat_satisfiable)
  {
    print(6, "SAT checker: negated claim is SATISFIABLE, i.e., does not hold");
    status = SAT;
    return P_SATISFIABLE;
  }
  if(result == coresat_unsatisfiable)
  {
    print(6, "SAT checker: negated claim is UNSATISFIABLE, i.e., holds");
    status = UNSAT;
    return P_UNSATISFIABLE;
  }
  print(6, "SAT checker failed: unknown result");
  status = ERROR;
  return P_ERROR;
}

tvt satcheck_coresat_baset::l_get(literalt a) const
{
  // clang-format off
  INVARIANT(status==SAT);
  // clang-format on
  if(a.is_true())
    return tvt(true);
  if(a.is_false())
    return tvt(false);
  unsigned v = a.var_no();
  // clang-format off
  INVARIANT(v<no_variables());
  // clang-format on
  int d = coresat_deref(int(v));
  if(d == 0)
    return tvt(tvt::TV_UNKNOWN);
  return tvt((d > 0) != a.sign());
}

satcheck_coresatt::satcheck_coresatt()
{
  coresat_enable_trace(0);
}

satcheck_coresat_coret::satcheck_coresat_coret()
{
  coresat_enable_trace(1);
}

bool satcheck_coresat_coret::is_in_core(literalt l) const
{
  return coresat_var_in_core(int(l.var_no())) != 0;
}

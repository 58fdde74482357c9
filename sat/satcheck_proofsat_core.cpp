#include "sat/satcheck_proofsat_core.h"

#include "sat/proofsat/Solver.h"
#include "util/invariant.h"

void proofsat_coret::root(const vec<Lit> &literals)
{
  clauses.push_back({{}, true});
  std::vector<int> &ids = clauses.back().ids;
  for(int i = 0; i < literals.size(); ++i)
    ids.push_back(var(literals[i]));
}

void proofsat_coret::chain(const vec<ClauseId> &cs, const vec<Var> &)
{
  // Antecedents are earlier records, never the new one itself.
  int c_id = int(clauses.size());
  clauses.push_back({{}, false});
  std::vector<int> &ids = clauses.back().ids;
  for(int i = 0; i < cs.size(); ++i)
  {
    INVARIANT(cs[i]<c_id);
    ids.push_back(cs[i]);
  }
}

void proofsat_coret::build_core(std::vector<bool> &in_core) const
{
  INVARIANT(!clauses.empty());

  std::vector<bool> visited(clauses.size(), false);
  std::vector<int> stack{int(clauses.size()) - 1};
  while(!stack.empty())
  {
    int c_id = stack.back();
    stack.pop_back();
    if(visited[c_id])
      continue;
    visited[c_id] = true;

    const clauset &c = clauses[c_id];
    if(c.is_root)
    {
      for(unsigned v : c.ids)
      {
        INVARIANT(v<in_core.size());
        in_core[v] = true;
      }
    }
    else
    {
      for(std::size_t i = 0; i < c.ids.size(); ++i)
      {
        INVARIANT(c.ids[i]<c_id);
        stack.push_back(c.ids[i]);
      }
    }
  }
}

satcheck_proofsat_coret::satcheck_proofsat_coret()
    : core_recorder(std::make_unique<proofsat_coret>()),
      proof(std::make_unique<Proof>(*core_recorder))
{
  solver = std::make_unique<Solver>();
  solver->proof = proof.get();
}

satcheck_proofsat_coret::~satcheck_proofsat_coret() = default;

std::string satcheck_proofsat_coret::solver_text() const
{
  return "Proofsat + Core";
}

propt::resultt satcheck_proofsat_coret::prop_solve()
{
  resultt result = satcheck_proofsat_baset::prop_solve();
  if(result == P_UNSATISFIABLE)
  {
    in_core.resize(no_variables(), false);
    core_recorder->build_core(in_core);
  }
  return result;
}

bool satcheck_proofsat_coret::is_in_core(literalt l) const
{
  INVARIANT(l.var_no()<in_core.size());
  return in_core[l.var_no()];
}

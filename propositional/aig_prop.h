#ifndef MORVANE_PROPOSITIONAL_AIG_PROP_H
#define MORVANE_PROPOSITIONAL_AIG_PROP_H

#include "propositional/aig.h"
#include "propositional/prop.h"

// A back end that records gates as nodes of an and-inverter graph instead
// of making clauses. It accepts no constraints: lcnf, prop_solve and l_get
// stop the program.
class and_graph_propt : public propt
{
public:
  // The graph is not owned and must outlive this back end.
  explicit and_graph_propt(and_grapht &_dest) : dest(_dest)
  {
  }

  literalt land(literalt a, literalt b) override;
  literalt lor(literalt a, literalt b) override;
  literalt land(const bvt &bv) override;
  literalt lor(const bvt &bv) override;
  literalt lnot(literalt a) override;
  literalt lxor(literalt a, literalt b) override;
  literalt lxor(const bvt &bv) override;
  literalt lselect(literalt a, literalt b, literalt c) override;
  void lcnf(const bvt &clause) override;

  bool has_set_to() const override
  {
    return false;
  }

  literalt new_variable() override;
  unsigned no_variables() const override;
  std::string solver_text() const override;
  resultt prop_solve() override;
  tvt l_get(literalt a) const override;

protected:
  and_grapht &dest;
};

#endif

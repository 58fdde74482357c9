#include "util/decision_procedure.h"

#include <gtest/gtest.h>

namespace
{
// Decides nothing: only the parts of the interface the base provides.
class no_core_proceduret : public decision_proceduret
{
public:
  exprt get(const exprt &) const override
  {
    return static_cast<const exprt &>(get_nil_irep());
  }
  void print_values(std::ostream &) const override
  {
  }
  void set_to(const exprt &, bool) override
  {
  }
  resultt solve() override
  {
    return D_ERROR;
  }
  std::string solver_description() const override
  {
    return "none";
  }
};
} // namespace

TEST(DecisionProcedureDeathTest, AskingForACoreThatIsNotOfferedFails)
{
  EXPECT_EQ(decision_proceduret::D_SATISFIABLE, 1);
  EXPECT_EQ(decision_proceduret::D_UNSATISFIABLE, 2);
  EXPECT_EQ(decision_proceduret::D_ERROR, 3);
  no_core_proceduret procedure;
  decision_proceduret &interface = procedure;
  EXPECT_EQ(interface.get_verbosity(), 10u);
  EXPECT_DEATH(
    interface.in_core(exprt("constant")),
    "virtual bool decision_proceduret::in_core\\(const exprt&\\).*"
    "Assertion `false'");
}

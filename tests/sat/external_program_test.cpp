// The exchange files of the adapters that run external programs, against
// links planted at their fixed names in the working directory.

#include "tests/harness/exchange_directory.h"
#include "tests/util/test_files.h"

#include "sat/pbs_dimacs_cnf.h"
#include "sat/qbf_quantor.h"
#include "sat/satcheck_groupsat_core.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace
{
class ExternalProgram : public exchange_directory_testt
{
};

// Each adapter on a small formula: x1 and not x1 when `unsatisfiable`, so
// that the core adapter runs its program, else x1 alone.
propt::resultt run_quantor(bool unsatisfiable)
{
  qbf_quantort quantor;
  literalt x1 = quantor.new_variable();
  quantor.quantifiers.push_back(
    qdimacs_cnft::quantifiert(qdimacs_cnft::quantifiert::EXISTENTIAL, 1));
  quantor.lcnf({x1});
  if(unsatisfiable)
    quantor.lcnf({!x1});
  return quantor.prop_solve();
}

propt::resultt run_pbs(bool unsatisfiable)
{
  pbs_dimacs_cnft pbs;
  literalt x1 = pbs.new_variable();
  pbs.lcnf({x1});
  if(unsatisfiable)
    pbs.lcnf({!x1});
  return pbs.prop_solve();
}

propt::resultt run_core(bool unsatisfiable)
{
  satcheck_groupsat_coret core;
  literalt x1 = core.new_variable();
  core.lcnf({x1});
  if(unsatisfiable)
    core.lcnf({!x1});
  return core.prop_solve();
}

typedef std::function<propt::resultt(bool)> adaptert;
} // namespace

// The written files replace whatever has their names: the file a planted
// link points to keeps its contents, and the new file is private.
TEST_F(ExternalProgram, PlantedLinkAtAWrittenNameLeavesItsTargetAlone)
{
  struct caset
  {
    const char *name;
    adaptert run;
  };
  const caset cases[] = {
    {"quantor.qbf", run_quantor},
    {"temp.cnf", run_pbs},
    {"temp.cnf.pb", run_pbs},
    {"cnf.dimacs", run_core},
    {"resolve_trace", run_core},
  };
  for(const char *program : {"quantor", "pbs", "groupsat_verify"})
    write_program(program, "exit 0\n");
  const std::filesystem::path target = directory / "target";
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.name);
    write_file(target.string(), "precious\n");
    std::filesystem::remove(c.name);
    std::filesystem::create_symlink(target, c.name);

    // Satisfiable: the core adapter keeps its exchange for a look.
    c.run(false);
    EXPECT_EQ(file_text(target.string()), "precious\n");
    EXPECT_FALSE(std::filesystem::is_symlink(c.name));
    EXPECT_TRUE(std::filesystem::is_regular_file(c.name));
    EXPECT_EQ(
      std::filesystem::status(c.name).permissions(),
      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  }
}

// A program, or anybody, that leaves a link at the answer's name gives no
// answer, however good the text the link points to: quantor and the core
// extraction fail, and the pseudo-Boolean answer counts as unsatisfiable.
TEST_F(ExternalProgram, LinkAtAnAnswerNameIsNotFollowed)
{
  struct caset
  {
    const char *name;
    const char *program;
    adaptert run;
    const char *answer;
    propt::resultt result;
  };
  const caset cases[] = {
    {"quantor.out", "quantor", run_quantor, "s TRUE\n", propt::P_ERROR},
    {"temp.out",
     "pbs",
     run_pbs,
     "Variable Assignments Satisfying CNF Formula:\n1\n",
     propt::P_UNSATISFIABLE},
    {"unsat_core.cnf", "groupsat_verify", run_core, "1 0\n", propt::P_ERROR},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.name);
    write_file("answer", c.answer);
    write_program(
      c.program,
      std::string("rm -f ") + c.name + "\nln -s answer " + c.name + "\n");

    EXPECT_EQ(c.run(true), c.result);
  }
}

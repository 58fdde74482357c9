#include "sat/qbf_quantor.h"

#include "sat/external_program.h"
#include "util/invariant.h"
#include "util/text_utils.h"

namespace
{
const char *const formula_file = "quantor.qbf";
const char *const answer_file = "quantor.out";
} // namespace

std::string qbf_quantort::solver_text() const
{
  return "Quantor";
}

tvt qbf_quantort::l_get(literalt) const
{
  INVARIANT(false);
}

propt::resultt qbf_quantort::prop_solve()
{
  print(
    6,
    "Quantor: " + unsigned_to_string(no_variables()) + " variables, " +
      unsigned_to_string(no_clauses()) + " clauses");

  if(!write_exchange_file(*this, formula_file, [this](std::ostream &out) {
       write_qdimacs_cnf(out);
     }))
    return P_ERROR;

  remove_stale_answer(answer_file);
  if(!run_external_program(
       *this, std::string("quantor ") + formula_file + " -o " + answer_file))
    return P_ERROR;

  answer_file_streamt in(answer_file);
  std::string line;
  while(!in.fail())
  {
    // A last line without a line feed fails the stream but is compared all
    // the same.
    read_line(in, line);
    if(line == "s TRUE")
    {
      print(6, "Qantor: TRUE");
      return P_UNSATISFIABLE;
    }
    if(line == "s FALSE")
    {
      print(6, "Qantor: FALSE");
      return P_SATISFIABLE;
    }
  }
  print(1, "Quantor failed: unknown result");
  return P_ERROR;
}

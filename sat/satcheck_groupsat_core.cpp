#include "sat/satcheck_groupsat_core.h"

#include "sat/external_program.h"
#include "sat/groupsat/groupsat_trace.h"
#include "sat/satcheck_groupsat.h"
#include "util/invariant.h"
#include "util/text_utils.h"

#include <cstdio>
#include <cstdlib>

namespace
{
const char *const formula_file = "cnf.dimacs";
const char *const trace_file = "resolve_trace";
const char *const core_file = "unsat_core.cnf";
const char *const unused_output_file = "cnf.out";
} // namespace

std::string satcheck_groupsat_coret::solver_text() const
{
  return "Groupsat Core";
}

tvt satcheck_groupsat_coret::l_get(literalt) const
{
  INVARIANT(false);
}

bool satcheck_groupsat_coret::is_in_core(literalt a) const
{
  return in_core.count(a.var_no()) != 0;
}

propt::resultt satcheck_groupsat_coret::prop_solve()
{
  print(
    6,
    unsigned_to_string(no_variables()) + " variables, " +
      unsigned_to_string(no_clauses()) + " clauses");

  if(!write_exchange_file(*this, formula_file, [this](std::ostream &out) {
       write_dimacs_cnf(out);
     }))
    return P_ERROR;

  // The trace stream is one per process: restarting it through its own
  // unit puts this run's records at the start of a fresh file, also when an
  // earlier run wrote to it or an earlier extraction removed the file.
  if(!reset_resolve_trace())
  {
    print(1, std::string("Unable to write ") + trace_file);
    return P_ERROR;
  }

  resultt result;
  {
    satcheck_groupsatt engine;
    engine.set_no_variables(no_variables());
    for(const bvt &clause : clause_list)
      engine.lcnf(clause);
    result = engine.prop_solve();
  }
  if(result != P_UNSATISFIABLE)
    return result;

  // The program reads the trace file while the stream stays open.
  resolve_trace_stream().flush();
  remove_stale_answer(core_file);
  if(!run_external_program(
       *this,
       std::string("groupsat_verify ") + formula_file + " " + trace_file +
         " -core"))
    return P_ERROR;

  read_core();
  for(const char *file :
      {formula_file, core_file, trace_file, unused_output_file})
    std::remove(file);

  return in_core.empty() ? P_ERROR : P_UNSATISFIABLE;
}

void satcheck_groupsat_coret::read_core()
{
  in_core.clear();
  answer_file_streamt in(core_file);
  std::string line;
  bool more = true;
  while(more)
  {
    // A last line without a line feed fails the stream but still counts.
    more = !read_line(in, line).fail();
    if(line.empty() || line[0] == 'c' || line[0] == 'p')
      continue;
    // Numbers separated by blanks up to a 0; a number not followed by a
    // blank ends the line.
    const char *position = line.c_str();
    while(true)
    {
      char *end;
      long number = std::strtol(position, &end, 10);
      if(end == position || number == 0)
        break;
      in_core.insert(unsigned(std::labs(number)));
      if(*end != ' ')
        break;
      position = end;
      while(*position == ' ')
        ++position;
    }
  }
}

#include "sat/coresat/coresat_entry.h"

#include "sat/coresat/coresat_state.h"

void coresat_init()
{
  if(++coresat.nesting != 1)
    return;
  coresat.entered_at = coresat_time_stamp();
  if(coresat.initialized)
    return;
  coresat.output = stdout;
  coresat.conflict_limit = -1;
  coresat.decision_limit = -1;
  coresat.time_limit = -1.0;
  coresat.var_score_inc = coresat_score_make(1, 0);
  coresat.clause_score_inc = coresat_score_make(1, 0);
  coresat.initialized = 1;
}

void coresat_update_seconds()
{
  double now = coresat_time_stamp();
  double spent = now - coresat.entered_at;
  if(spent > 0)
    coresat.seconds += spent;
  coresat.entered_at = now;
}

void coresat_leave()
{
  if(--coresat.nesting == 0)
    coresat_update_seconds();
}

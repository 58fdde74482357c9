#ifndef MORVANE_SAT_CORESAT_CORESAT_ENTRY_H
#define MORVANE_SAT_CORESAT_CORESAT_ENTRY_H

// Bookkeeping of the public operations: entering counts the nesting,
// starts the clock at the outermost call and initialises the engine on
// first use (standard output, no limits, score increments 1); leaving the
// outermost call adds the time spent to `seconds`, so nested calls count
// their time once.
void coresat_init();
void coresat_leave();

// Adds the time since the last entry or update to `seconds`.
void coresat_update_seconds();

#endif

#include "sat/coresat/coresat.h"

#include "sat/coresat/coresat_clause.h"
#include "sat/coresat/coresat_entry.h"
#include "sat/coresat/coresat_state.h"

#include <climits>

const char *coresat_version()
{
  return "0.4";
}

const char *coresat_id()
{
  return "morvane coresat " __DATE__;
}

const char *coresat_configuration()
{
  return "VERSION=\"0.4\"\n"
         "OS=Linux\n"
         "ID=morvane coresat " __DATE__ "\n"
         "CC=c++\n"
         "CCVERSION=" __VERSION__ "\n"
         "CFLAGS=-Wall -Wextra\n"
         "NDEBUG=1\n"
         "STATS=0\n"
         "LOG=0\n"
         "TRACE=1\n";
}

void coresat_set_verbose(int level)
{
  coresat_init();
  coresat.verbose = level >= 0 ? level : 0;
  if(coresat.verbose)
    std::fprintf(coresat.output, "c verbose level %d\n", level);
  coresat_leave();
}

void coresat_set_output(std::FILE *stream)
{
  coresat_init();
  coresat.output = stream;
  coresat_leave();
}

void coresat_enable_trace(int on)
{
  coresat_init();
  coresat.trace = on != 0;
  if(coresat.verbose)
    std::fprintf(
      coresat.output,
      on ? "c trace generation enabled\n" : "c trace generation disabled\n");
  coresat_leave();
}

void coresat_set_checking(int on)
{
  coresat_init();
  if(coresat.verbose && on)
    std::fputs("c checking not supported\n", coresat.output);
  coresat_leave();
}

void coresat_set_seed(unsigned seed)
{
  coresat_init();
  coresat.rng_state = seed;
  if(coresat.verbose && seed)
    std::fprintf(coresat.output, "c random number generator seed %u\n", seed);
  coresat_leave();
}

void coresat_set_conflict_limit(int n)
{
  coresat_init();
  coresat.conflict_limit = n;
  if(coresat.verbose && n >= 0)
    std::fprintf(coresat.output, "c conflict limit %d\n", n);
  coresat_leave();
}

// Without entry bookkeeping, so a value set before first use is replaced by
// the initialisation; output may then still be unset.
void coresat_set_decision_limit(int n)
{
  coresat.decision_limit = n;
  if(coresat.verbose && n >= 0)
    std::fprintf(coresat.output, "c decision limit %d\n", n);
}

void coresat_set_time_limit(double seconds)
{
  coresat.time_limit = seconds;
  if(coresat.verbose && seconds >= 0)
    std::fprintf(coresat.output, "c time limit %.2f\n", seconds);
}

int coresat_add(int lit)
{
  if(lit == INT_MIN)
    return -1;
  coresat_init();
  coresat_add_literal(lit);
  coresat_leave();
  return 0;
}

int coresat_deref(int lit)
{
  if(lit == INT_MIN)
    return 0;
  coresat_init();
  int value = coresat_abs(lit) > coresat.max_var ? 0 : coresat.vals[lit];
  coresat_leave();
  return value;
}

void coresat_print(std::FILE *stream)
{
  coresat_init();
  std::fprintf(
    stream,
    "p cnf %d %d\n",
    coresat.max_var,
    coresat.stats_all.current_clauses);
  coresat_stack<coresat_clause *> &table = coresat.clause_table;
  for(int i = 0; i < table.size(); ++i)
  {
    // Collected clauses still held (units always, all with the trace on)
    // are part of the dump only with the trace on.
    if(
      !table[i] ||
      (!coresat.trace && (table[i]->flags & coresat_clause_collected)))
      continue;
    const int *lits = coresat_literals(table[i]);
    for(int j = 0; j < table[i]->size; ++j)
      std::fprintf(stream, "%d ", lits[j]);
    std::fputs("0\n", stream);
  }
  coresat_leave();
}

double coresat_seconds()
{
  coresat_init();
  coresat_update_seconds();
  double seconds = coresat.seconds;
  coresat_leave();
  return seconds;
}

void coresat_stats(std::FILE *stream)
{
  coresat_init();
  std::fprintf(
    stream,
    "c allocated maximum %.1f MB\n",
    coresat.max_bytes / double(1 << 20));
  coresat_update_seconds();
  std::fprintf(stream, "c %.2f seconds\n", coresat.seconds);
  coresat_leave();
}

void coresat_reset()
{
  coresat.decision_heap.release();
  coresat.assignment_trail.release();
  coresat.propagation_queue.release();
  coresat.work_stack.release();
  coresat.seen_vars.release();
  coresat.antecedent_buffer.release();
  coresat.unit_clauses.release();
  coresat.reduce_buffer.release();
  coresat.sort_stack.release();
  coresat.literal_buffer.release();
  coresat_stack<coresat_clause *> &table = coresat.clause_table;
  for(int i = 0; i < table.size(); ++i)
    if(table[i])
      coresat_delete(table[i], coresat_clause_bytes(table[i]));
  table.release();
  int size = coresat.size_vars;
  if(coresat.lits)
  {
    for(int lit = -coresat.max_var; lit <= coresat.max_var; ++lit)
      coresat_lit_of(lit)->watch_list.release();
    coresat_delete(
      coresat.lits - size, sizeof(coresat_lit) * (2 * std::size_t(size) + 1));
    coresat_delete(coresat.vals - size, 2 * std::size_t(size) + 1);
    coresat_delete(coresat.vars, sizeof(coresat_var) * (std::size_t(size) + 1));
  }
  coresat_reset_memory_stats();
  int nesting = coresat.nesting;
  coresat = coresat_state();
  coresat.nesting = nesting;
}

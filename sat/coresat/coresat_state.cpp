#include "sat/coresat/coresat_state.h"

coresat_state coresat;

std::size_t coresat_clause_bytes(coresat_clause *c)
{
  std::size_t ints = std::size_t(c->size);
  if(c->trace_flags & coresat_trace_antecedents)
  {
    const int *a = coresat_antecedents(c);
    while(*a++)
      ++ints;
    ++ints;
  }
  return sizeof(coresat_clause) + sizeof(int) * ints;
}

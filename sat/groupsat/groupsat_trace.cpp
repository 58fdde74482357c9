#include "sat/groupsat/groupsat_trace.h"

namespace
{
const char *const trace_file = "resolve_trace";
}

// Opened during static initialisation; closed by its destructor at exit.
std::ofstream resolve_trace_stream(trace_file, std::ios::out | std::ios::trunc);

void reset_resolve_trace()
{
  resolve_trace_stream.close();
  resolve_trace_stream.clear();
  resolve_trace_stream.open(trace_file, std::ios::out | std::ios::trunc);
}

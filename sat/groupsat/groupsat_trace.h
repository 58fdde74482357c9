#ifndef MORVANE_SAT_GROUPSAT_GROUPSAT_TRACE_H
#define MORVANE_SAT_GROUPSAT_GROUPSAT_TRACE_H

// The resolution trace of the clause-learning engine: one process-wide text
// stream on the file "resolve_trace" in the working directory, opened with
// truncation when the program starts and closed when it ends. Every solver
// appends to it: a line "CL: id <= ids..." per learned clause and, when a
// formula is refuted, a line "VAR: ..." per implied level-0 variable and a
// final "CONF: id == literals..." line. A stream that cannot be opened
// drops every record silently.

#include <fstream>

extern std::ofstream resolve_trace_stream;

// Closes the stream and opens "resolve_trace" in the current working
// directory anew, truncated: for users that start a fresh trace.
void reset_resolve_trace();

#endif

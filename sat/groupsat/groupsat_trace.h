#ifndef MORVANE_SAT_GROUPSAT_GROUPSAT_TRACE_H
#define MORVANE_SAT_GROUPSAT_GROUPSAT_TRACE_H

// The resolution trace of the clause-learning engine: one process-wide text
// stream on the file "resolve_trace" in the working directory. Every solver
// appends to it: a line "CL: id <= ids..." per learned clause and, when a
// formula is refuted, a line "VAR: ..." per implied level-0 variable and a
// final "CONF: id == literals..." line.
//
// The file is created when the first record is written, not when the
// program starts, so a program that never runs the engine leaves no file
// (and no earlier file is emptied). Creating it removes whatever has the
// name and never follows a link (recreate_exchange_file). A file that
// cannot be created drops every record silently. The stream stays on the
// file it created until the program ends or the trace is reset.

#include <ostream>

// The stream the engine writes its records to; the first use creates the
// file in the current working directory.
std::ostream &resolve_trace_stream();

// Creates "resolve_trace" in the current working directory afresh, empty,
// as above, and directs the stream to it: for users that start a fresh
// trace. False, with every record dropped, when it cannot be created.
bool reset_resolve_trace();

#endif

#ifndef MORVANE_TESTS_SAT_GROUPSAT_SCRATCH_DIRECTORY_H
#define MORVANE_TESTS_SAT_GROUPSAT_SCRATCH_DIRECTORY_H

// The engine writes its trace "resolve_trace" into the working directory.
// This test program therefore runs in a fresh temporary directory of its
// own (removed at the end) with the trace restarted there, so that
// parallel test processes never share a trace file.

#include <ios>
#include <string>

// The trace file's length so far, and its contents from `from` on (the
// stream is flushed first). Reading from an offset spares truncating the
// file between runs, which costs the file system far more.
std::streamoff trace_end();
std::string trace_text(std::streamoff from = 0);

#endif

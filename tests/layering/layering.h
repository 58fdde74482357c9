#ifndef MORVANE_TESTS_LAYERING_LAYERING_H
#define MORVANE_TESTS_LAYERING_LAYERING_H

// The layering rule of the source tree: a subsystem folder includes headers
// of its own folder and of the folders below it, never of one above.

#include <string>
#include <vector>

// One include that breaks the rule: "file:line: includes header".
typedef std::vector<std::string> layering_faultst;

// Scans every source file of the subsystem folders that exist under `root`
// (tests and benchmarks are not subsystems) and returns the includes that
// reach a folder the file's own folder may not use.
layering_faultst layering_faults(const std::string &root);

#endif

#ifndef MORVANE_QBF_SOLVER_CERTIFICATE_CLASHES_H
#define MORVANE_QBF_SOLVER_CERTIFICATE_CLASHES_H

#include <string>
#include <vector>

// Input files of one run that clash with the certificate of another input:
// the certificate is written under its temporary name and then moved to its
// final name, so an input file of either name would be removed or
// overwritten before it is read. A clash is found by name, and for existing
// files as the same file under another name. Both files of a clash are
// refused.
//
// Returns, for each input file in order, the reasons to refuse it (empty
// for a file without clash), to be found before any file is decided.
std::vector<std::vector<std::string>>
certificate_clashes(const std::vector<std::string> &input_files);

#endif

#ifndef MORVANE_PROPOSITIONAL_READ_DIMACS_CNF_H
#define MORVANE_PROPOSITIONAL_READ_DIMACS_CNF_H

#include <iosfwd>

class cnft;

// Reads DIMACS CNF text into dest until the stream fails: every clause
// (repeats removed) goes to dest's lcnf, and dest's variable count grows to
// cover every variable read. Loose on purpose: a line with a token "c" or
// "p" is skipped from there on, numbers followed by a letter on their line
// are skipped, other unreadable tokens read as 0, and a last clause without
// its 0 is dropped.
void read_dimacs_cnf(std::istream &in, cnft &dest);

#endif

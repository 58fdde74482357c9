#ifndef MORVANE_EXPR_ALGORITHMS_SUBSTITUTE_H
#define MORVANE_EXPR_ALGORITHMS_SUBSTITUTE_H

#include <string>

// Replaces the leftmost occurrence of `what` in `dest` by `by` and searches
// again from the start, until no occurrence is left, so occurrences that
// the replacements create are replaced too ("aab", "ab" -> "b" gives "b").
// When `by` contains `what` that would never end: then every occurrence
// present is replaced in one pass from left to right instead. An empty
// `what` leaves `dest` unchanged.
void substitute(
  std::string &dest, const std::string &what, const std::string &by);

#endif

#ifndef MORVANE_UTIL_SCOPED_NAME_H
#define MORVANE_UTIL_SCOPED_NAME_H

// A scoped name lists its parts separated by "::".

#include <string>
#include <vector>

// The parts with "::" between neighbours; no parts give the empty string.
std::string join_scoped_name(const std::vector<std::string> &parts);

// Appends the parts of the name: 'a::b' gives 'a', 'b'; '::a' gives '' and
// 'a'; 'a::' gives 'a'; 'a:::b' gives 'a', ':b'; '' gives nothing.
void split_scoped_name(
  const std::string &name,
  std::vector<std::string> &parts);

#endif

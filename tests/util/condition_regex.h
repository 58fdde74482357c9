#ifndef MORVANE_TESTS_UTIL_CONDITION_REGEX_H
#define MORVANE_TESTS_UTIL_CONDITION_REGEX_H

// A failed assertion names its condition as the preprocessor turned it
// into text: with the spacing of the source. Death tests match conditions
// through condition_regex, which takes any spacing, so that formatting the
// source breaks no test.

#include <string>

// A regular expression (POSIX extended, as death tests take them here)
// matching `condition` with any number of spaces before each of its
// characters and after it; the spaces in `condition` itself are ignored.
inline std::string condition_regex(const std::string &condition)
{
  const std::string special = "\\.[]()*+?{}|^$";
  std::string regex = " *";
  for(char c : condition)
  {
    if(c == ' ')
      continue;
    if(special.find(c) != std::string::npos)
      regex += '\\';
    regex += c;
    regex += " *";
  }
  return regex;
}

#endif

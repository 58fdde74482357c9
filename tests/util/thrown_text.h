#ifndef MORVANE_TESTS_UTIL_THROWN_TEXT_H
#define MORVANE_TESTS_UTIL_THROWN_TEXT_H

#include <string>

// Runs the operation and returns the text it throws as a std::string, or
// "(nothing thrown)" when it returns normally.
template <class F>
std::string thrown_text(F f)
{
  try
  {
    f();
  }
  catch(const std::string &text)
  {
    return text;
  }
  return "(nothing thrown)";
}

#endif

#ifndef MORVANE_TESTS_FLATTENING_THROWN_TEXT_H
#define MORVANE_TESTS_FLATTENING_THROWN_TEXT_H

#include <functional>
#include <string>

// What a call throws, tagged by the type thrown: "char*: <text>" or
// "string: <text>"; "nothing" when it returns.
inline std::string thrown_text(const std::function<void()> &call)
{
  try
  {
    call();
  }
  catch(const char *text)
  {
    return std::string("char*: ") + text;
  }
  catch(const std::string &text)
  {
    return "string: " + text;
  }
  return "nothing";
}

#endif

#ifndef MORVANE_TESTS_FLATTENING_THROWN_TEXT_H
#define MORVANE_TESTS_FLATTENING_THROWN_TEXT_H

#include "flattening/boolbv.h"
#include "propositional/cnf_clause_list.h"

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

// What converting the expression to bits throws on a fresh flattening.
inline std::string conversion_thrown_text(const exprt &expr)
{
  cnf_clause_listt prop;
  boolbvt conv(prop);
  bvt bv;
  return thrown_text([&] { conv.convert_cached(expr, bv); });
}

#endif

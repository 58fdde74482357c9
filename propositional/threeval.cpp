#include "propositional/threeval.h"

const char *tvt_name(tvt value)
{
  switch(value.get_value())
  {
  case tvt::TV_FALSE:
    return "FALSE";
  case tvt::TV_UNKNOWN:
    return "UNKNOWN";
  case tvt::TV_TRUE:
    return "TRUE";
  }
  return "ERROR";
}

#include "expr_algorithms/substitute.h"

void substitute(
  std::string &dest, const std::string &what, const std::string &by)
{
  if(what.empty())
    return;
  const bool rescan = by.find(what) == std::string::npos;
  std::string::size_type position = dest.find(what);
  while(position != std::string::npos)
  {
    dest.replace(position, what.size(), by);
    // Searching from the start again finds nothing before the replacement
    // that could not have been found before, so it starts just in front.
    const std::string::size_type overlap = what.size() - 1;
    position = dest.find(
      what,
      !rescan              ? position + by.size()
      : position > overlap ? position - overlap
                           : 0);
  }
}

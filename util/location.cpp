#include "util/location.h"

std::string location_text(const irept &location)
{
  static const char *const parts[] = {"file", "line", "column", "function"};
  std::string result;
  for(const char *part : parts)
  {
    const std::string &value = location.get(part).as_string();
    if(value.empty())
      continue;
    if(!result.empty())
      result += ' ';
    result += part;
    result += ' ';
    result += value;
  }
  return result;
}

std::ostream &location_to_stream(std::ostream &out, const irept &location)
{
  if(!location.is_nil())
    out << location_text(location);
  return out;
}

#include "util/scoped_name.h"

std::string join_scoped_name(const std::vector<std::string> &parts)
{
  std::string result;
  for(std::size_t i = 0; i < parts.size(); ++i)
  {
    if(i != 0)
      result += "::";
    result += parts[i];
  }
  return result;
}

void split_scoped_name(
  const std::string &name,
  std::vector<std::string> &parts)
{
  std::size_t start = 0;
  while(start < name.size())
  {
    std::size_t end = name.find("::", start);
    if(end == std::string::npos)
      end = name.size();
    parts.push_back(name.substr(start, end - start));
    start = end + 2;
  }
}

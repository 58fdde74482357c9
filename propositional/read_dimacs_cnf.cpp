#include "propositional/read_dimacs_cnf.h"

#include "propositional/cnf.h"

#include <cerrno>
#include <cstdlib>
#include <istream>
#include <string>

namespace
{
bool is_blank(char c)
{
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

bool is_letter(char c)
{
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The number of a token, as the C library reads it; text without digits,
// and numbers too large for a variable, read as 0.
long read_number(const std::string &token)
{
  errno = 0;
  long v = std::strtol(token.c_str(), nullptr, 10);
  if(errno == ERANGE || v >= long(literalt::const_var_no) ||
     v <= -long(literalt::const_var_no))
    return 0;
  return v;
}
} // namespace

void read_dimacs_cnf(std::istream &in, cnft &dest)
{
  std::string line;
  std::string token;
  bvt clause;
  bvt unique;

  while(std::getline(in, line))
  {
    // Tokens starting at or before the last letter of the line are skipped.
    std::size_t letters_end = 0;
    for(std::size_t i = 0; i < line.size(); ++i)
      if(is_letter(line[i]))
        letters_end = i + 1;

    for(std::size_t start = 0; start < line.size();)
    {
      if(is_blank(line[start]))
      {
        ++start;
        continue;
      }
      std::size_t end = start;
      while(end < line.size() && !is_blank(line[end]))
        ++end;
      token.assign(line, start, end - start);
      bool skipped = start < letters_end;
      start = end;

      if(token == "c" || token == "p")
        break;
      if(skipped)
        continue;

      long v = read_number(token);
      if(v != 0)
      {
        unsigned var_no = unsigned(v < 0 ? -v : v);
        clause.push_back(literalt(var_no, v < 0));
        if(var_no >= dest.no_variables())
          dest.set_no_variables(var_no + 1);
      }
      else
      {
        unique.clear();
        cnft::eliminate_duplicates(clause, unique);
        dest.lcnf(unique);
        clause.clear();
      }
    }
  }
}

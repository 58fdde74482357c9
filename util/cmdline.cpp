#include "util/cmdline.h"

#include "util/invariant.h"

#include <cstdlib>
#include <cstring>
#include <iostream>

void cmdlinet::clear()
{
  args.clear();
  options.clear();
}

void cmdlinet::parse_option_string(const char *optstring)
{
  const char *p = optstring;
  while(*p != 0)
  {
    option_recordt option;

    if(*p == ':')
    {
      std::cerr << "cmdlinet::parse: Invalid option string\n";
      std::abort();
    }

    if(*p == '(')
    {
      ++p;
      const char *close = std::strchr(p, ')');
      const std::size_t length = close ? close - p : std::strlen(p);
      option.is_long = true;
      option.long_name.assign(p, length);
      p += length;
      if(*p == ')')
        ++p;
    }
    else
      option.option_char = *p++;

    if(*p == ':')
    {
      option.takes_value = true;
      ++p;
    }

    options.push_back(std::move(option));
  }
}

bool cmdlinet::parse(int argc, const char *const *argv, const char *optstring)
{
  clear();
  parse_option_string(optstring);

  for(int i = 1; i < argc; i++)
  {
    const char *argument = argv[i];
    if(argument[0] != '-')
    {
      args.push_back(argument);
      continue;
    }

    // "--" alone looks up the empty name, "-" alone the character 0.
    const bool by_name = argument[1] == '-';
    const int index =
      by_name ? find_option(argument + 2) : find_option(argument[1]);
    if(index < 0)
      return true;

    option_recordt &option = options[index];
    option.is_set = true;
    if(!option.takes_value)
      continue;

    // A short option may carry its value in the same argument (-bX); a long
    // option never does.
    if(!option.is_long && argument[1] != 0 && argument[2] != 0)
    {
      option.values.push_back(argument + 2);
      continue;
    }

    if(i + 1 >= argc || argv[i + 1][0] == '-')
      return true;
    option.values.push_back(argv[++i]);
  }

  return false;
}

int cmdlinet::find_option(const char *name) const
{
  for(std::size_t i = 0; i < options.size(); i++)
    if(options[i].long_name == name)
      return static_cast<int>(i);
  return -1;
}

int cmdlinet::find_option(char c) const
{
  for(std::size_t i = 0; i < options.size(); i++)
    if(options[i].option_char == c)
      return static_cast<int>(i);
  return -1;
}

bool cmdlinet::is_set(int index) const
{
  return index >= 0 && options[index].is_set;
}

const char *cmdlinet::first_value(int index) const
{
  if(index < 0 || options[index].values.empty())
    return nullptr;
  return options[index].values.front().c_str();
}

const std::list<std::string> &cmdlinet::values_at(int i) const
{
  INVARIANT(i>=0);
  return options[i].values;
}

bool cmdlinet::has_option(const char *name) const
{
  return is_set(find_option(name));
}

bool cmdlinet::has_option(char c) const
{
  return is_set(find_option(c));
}

const char *cmdlinet::option_value(const char *name) const
{
  return first_value(find_option(name));
}

const char *cmdlinet::option_value(char c) const
{
  return first_value(find_option(c));
}

const std::list<std::string> &cmdlinet::get_values(const char *name) const
{
  return values_at(find_option(name));
}

const std::list<std::string> &cmdlinet::get_values(char c) const
{
  return values_at(find_option(c));
}

#include "util/options.h"

#include "util/c_conversion.h"
#include "util/text_utils.h"

std::string optionst::get_option(const std::string &name) const
{
  const auto it = option_map.find(name);
  return it == option_map.end() ? std::string() : it->second;
}

bool optionst::get_bool_option(const std::string &name) const
{
  const auto it = option_map.find(name);
  return it != option_map.end() && strtol32(it->second.c_str()) != 0;
}

void optionst::set_option(const std::string &name, bool value)
{
  set_option(name, std::string(value ? "1" : "0"));
}

void optionst::set_option(const std::string &name, const char *value)
{
  set_option(name, std::string(value));
}

void optionst::set_option(const std::string &name, int value)
{
  set_option(name, int_to_string(value));
}

void optionst::set_option(const std::string &name, const std::string &value)
{
  option_map[name] = value;
}

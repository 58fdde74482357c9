#ifndef MORVANE_UTIL_CMDLINE_H
#define MORVANE_UTIL_CMDLINE_H

#include <list>
#include <string>
#include <vector>

// Splits program arguments into options and plain arguments, driven by an
// option string: a character names a short option, "(name)" a long one, and
// a ':' after either marks an option that takes a value.
class cmdlinet
{
public:
  struct option_recordt
  {
    bool is_set = false;
    bool takes_value = false;
    bool is_long = false;
    char option_char = 0;
    std::string long_name;
    std::list<std::string> values;
  };

  // The arguments that are not options, in command-line order.
  std::vector<std::string> args;
  // One record per option of the option string, in its order.
  std::vector<option_recordt> options;

  // True when the command line is not accepted. A malformed option string is
  // a programming error and aborts.
  bool parse(int argc, const char *const *argv, const char *optstring);
  void clear();

  // Index of the first matching record, or -1.
  int find_option(const char *name) const;
  int find_option(char c) const;

  bool has_option(const char *name) const;
  bool has_option(char c) const;

  // The first value, or null when there is no match or no value.
  const char *option_value(const char *name) const;
  const char *option_value(char c) const;

  // The option must be named by the option string.
  const std::list<std::string> &get_values(const char *name) const;
  const std::list<std::string> &get_values(char c) const;

protected:
  void parse_option_string(const char *optstring);
  bool is_set(int index) const;
  const char *first_value(int index) const;
  const std::list<std::string> &values_at(int index) const;
};

#endif

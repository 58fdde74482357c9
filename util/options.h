#ifndef MORVANE_UTIL_OPTIONS_H
#define MORVANE_UTIL_OPTIONS_H

#include <map>
#include <string>

// Option names mapped to text values; Booleans are held as "1" and "0",
// integers in decimal.
class optionst
{
public:
  std::map<std::string, std::string> option_map;

  // The empty text when the name is absent.
  virtual std::string get_option(const std::string &name) const;
  // The value read as a C decimal integer, true when not 0.
  virtual bool get_bool_option(const std::string &name) const;

  // Every setter stores through the text form, so an override of it sees
  // every store.
  virtual void set_option(const std::string &name, bool value);
  virtual void set_option(const std::string &name, const char *value);
  virtual void set_option(const std::string &name, int value);
  virtual void set_option(const std::string &name, const std::string &value);

  virtual ~optionst() = default;
};

#endif

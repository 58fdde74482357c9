#ifndef MORVANE_UTIL_LANGUAGE_H
#define MORVANE_UTIL_LANGUAGE_H

// The interface of one language front end. The framework holds no front
// end of its own: every operation here is a default that a front end
// overrides. Operations that can fail return true on failure and report
// through the message handler they are given.

#include "util/expr.h"
#include "util/message.h"
#include "util/type.h"

#include <istream>
#include <set>
#include <string>

class symbol_tablet;

class languaget
{
public:
  // A yes/no question to the front end; false unless it knows the flag.
  virtual bool flag_query(const std::string &)
  {
    return false;
  }

  virtual bool parse(
    std::istream &in,
    const std::string &path,
    message_handlert &message_handler) = 0;

  // Adds the modules that the module depends on.
  virtual void dependencies(const std::string &, std::set<std::string> &)
  {
  }

  // Adds the modules that the parsed file provides.
  virtual void modules_provided(std::set<std::string> &)
  {
  }

  // Runs once per language, through the first file written in it.
  virtual bool per_language_step(symbol_tablet &, message_handlert &)
  {
    return false;
  }

  // Runs once per file, before any type checking.
  virtual bool per_file_step(symbol_tablet &, message_handlert &)
  {
    return false;
  }

  // Checks one module into the table; the empty module name stands for a
  // file that provides no module.
  virtual bool typecheck(
    symbol_tablet &symbol_table,
    const std::string &module,
    message_handlert &message_handler) = 0;

  // Throws the character string
  // "Language front-end does not support context merging.".
  virtual void merge_context(
    symbol_tablet &destination,
    symbol_tablet &source,
    message_handlert &message_handler);

  // Languages with equal identifiers share their per-language step.
  virtual std::string language_id() const
  {
    return std::string();
  }

  virtual std::string text_query()
  {
    return std::string();
  }

  // Called for every file with the argument of
  // language_filest::for_each_file_hook.
  virtual void file_hook(const std::string &argument) = 0;

  // The indented tree text; false (no failure).
  virtual bool expr_to_text(const exprt &expr, std::string &text);
  virtual bool type_to_text(const typet &type, std::string &text);

  virtual ~languaget() = default;
};

#endif

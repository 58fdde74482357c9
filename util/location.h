#ifndef MORVANE_UTIL_LOCATION_H
#define MORVANE_UTIL_LOCATION_H

// A place in an input text: a tree with the named children "file", "line",
// "column" and "function", each an identifier whose text is the value; an
// absent child reads as the empty text. The empty location is a tree whose
// identifier is "nil".

#include "util/irep.h"

#include <ostream>
#include <string>

class locationt : public irept
{
public:
  const dstring &get_file() const
  {
    return get("file");
  }
  const dstring &get_line() const
  {
    return get("line");
  }
  const dstring &get_column() const
  {
    return get("column");
  }
  const dstring &get_function() const
  {
    return get("function");
  }

  void set_file(const dstring &file)
  {
    set("file", file);
  }
  void set_line(const dstring &line)
  {
    set("line", line);
  }
  void set_line(int line)
  {
    set("line", line);
  }
  void set_column(const dstring &column)
  {
    set("column", column);
  }
  void set_column(int column)
  {
    set("column", column);
  }
  void set_function(const dstring &function)
  {
    set("function", function);
  }
};

// "file F line L column C function G", leaving out the empty parts; the
// empty text when all are empty.
std::string location_text(const irept &location);

// Writes location_text, or nothing for a nil location.
std::ostream &location_to_stream(std::ostream &out, const irept &location);

inline std::ostream &operator<<(std::ostream &out, const locationt &location)
{
  return location_to_stream(out, location);
}

#endif

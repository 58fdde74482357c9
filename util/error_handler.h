#ifndef MORVANE_UTIL_ERROR_HANDLER_H
#define MORVANE_UTIL_ERROR_HANDLER_H

// The error reporter of front ends: composes error texts, attaches the
// location they refer to, numbers the reports and hands them to a message
// handler as located messages.

#include "util/expr.h"
#include "util/location.h"
#include "util/message.h"
#include "util/type.h"

#include <sstream>
#include <string>

class error_handlert
{
public:
  // The handler is not owned; reports require it to outlive this object.
  explicit error_handlert(message_handlert &handler)
    : message_handler(&handler)
  {
    error_location.make_nil();
  }

  virtual ~error_handlert() = default;

  // The one-line texts used in error messages; front ends override them
  // with their own syntax.
  virtual std::string expr_to_text(const exprt &expr)
  {
    return expr.to_string();
  }
  virtual std::string type_to_text(const typet &type)
  {
    return type.to_string();
  }

  // Cuts the text into lines at line feeds (dropping carriage returns,
  // stopping at a NUL) and passes each to parse_location_line. Characters
  // after the last line feed are not passed on.
  void forward_text_lines(unsigned level, const std::string &text);

  // Takes a location prefix off the line if it has one, in the form
  //   file F[ line L][ column C][ function G]: message
  // or the compiler form "name:number:" (which keeps the whole line as the
  // message), and updates error_location from it; a line without a prefix
  // is reported at the location of the last one that had one. Reports with
  // the current sequence number, which then grows by one.
  void parse_location_line(unsigned level, const std::string &line);

  // Sets error_found and reports the text at level 1 with the sequence
  // number and error_location, which becomes nil again.
  void report_error(const std::string &text);

  std::ostringstream message_stream;
  message_handlert *message_handler;
  bool error_found = false;
  locationt error_location;
  int sequence_number = 1;
};

#endif

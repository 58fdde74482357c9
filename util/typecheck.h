#ifndef MORVANE_UTIL_TYPECHECK_H
#define MORVANE_UTIL_TYPECHECK_H

#include "util/error_handler.h"

// The base of the type checkers of front ends. A checker reports an error
// by throwing: an integer after composing the text in message_stream (or
// after reporting it elsewhere), or the text itself as a character string
// or std::string.
class typecheckt : public error_handlert
{
public:
  explicit typecheckt(message_handlert &handler) : error_handlert(handler)
  {
  }

  // The actual checking.
  virtual void typecheck() = 0;

  // Runs typecheck and turns a thrown integer, character string or
  // std::string into one level-1 report of its non-empty text; other
  // exceptions pass. Returns true when an error was found: every such throw
  // counts as one, also one whose text was reported elsewhere.
  virtual bool typecheck_main();
};

#endif

#ifndef MORVANE_UTIL_PARSER_H
#define MORVANE_UTIL_PARSER_H

// The common base of the text parsers of front ends: the stack of trees a
// generated parser builds, the current file and line, and syntax errors as
// located messages.

#include "util/dstring.h"
#include "util/irep.h"
#include "util/message.h"

#include <string>
#include <vector>

class parsert : public messaget
{
public:
  dstring filename;
  unsigned line_no = 0;
  std::vector<irept> stack;

  // Pushes a nil tree, stores its index and returns it. When the stack is
  // full its capacity doubles first: a reference stays valid only until the
  // next growth, so hold on to the index.
  irept &new_item(unsigned &index);

  // Reports at level 1, located at the current file and line:
  //   message before `token'
  // or the message alone when the token is empty. The parser decides
  // whether to go on.
  void parse_error(const std::string &message, const std::string &token);
};

#endif

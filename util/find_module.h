#ifndef MORVANE_UTIL_FIND_MODULE_H
#define MORVANE_UTIL_FIND_MODULE_H

#include "util/message.h"
#include "util/symbol.h"
#include "util/symbol_table.h"

#include <string>

// The one module symbol (type "module", neither a type nor a free variable)
// whose base name is the given one. Otherwise reports at level 1
//   module `NAME' not found
// or
//   module `NAME' does not uniquely resolve:
//     FULL_NAME (one line each, in the order of the base-name index)
// and throws the integer 0, as type checkers do after reporting.
const symbolt &find_module(
  const symbol_tablet &symbol_table,
  const std::string &base_name,
  message_handlert &message_handler);

#endif

#ifndef MORVANE_UTIL_FRESH_NAME_H
#define MORVANE_UTIL_FRESH_NAME_H

#include "util/dstring.h"
#include "util/namespace.h"
#include "util/symbol.h"

// Leaves a name that no symbol has as it is; otherwise appends "_" and a
// number one above the largest number already following that prefix. The
// result is never the name of a symbol: should that number be taken (read
// numbers saturate and wrap), the next free one is used.
void fresh_name(dstring &name, const namespacet &ns);

// The same for the symbol's name.
void fresh_name(symbolt &symbol, const namespacet &ns);

#endif

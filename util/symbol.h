#ifndef MORVANE_UTIL_SYMBOL_H
#define MORVANE_UTIL_SYMBOL_H

// One named entity of a program or model: a variable, type, function,
// module or macro, with its type, its value (initial value, definition or
// body; nil when there is none), where it is declared, its names and its
// flags.

#include "util/dstring.h"
#include "util/expr.h"
#include "util/location.h"
#include "util/type.h"

#include <cstdint>
#include <list>
#include <ostream>

class symbolt
{
public:
  typet type;
  exprt value;
  locationt location;
  // The full, unique identifier: the key in the symbol table.
  dstring name;
  dstring module;
  // The name as written in the source, without scope.
  dstring base_name;
  // The language the symbol comes from.
  dstring mode;
  // The name shown to users.
  dstring pretty_name;

  // Carried with the symbol for clients; the framework itself never reads
  // or sets them beyond copying and exchanging.
  std::list<std::uint32_t> client_list;
  std::uint32_t client_word = 0;

  bool theorem = false;
  bool axiom = false;
  bool is_type = false;
  bool is_macro = false;
  bool client_flag = false;
  bool is_input = false;
  bool is_output = false;
  bool is_statevar = false;
  bool is_actual = false;
  bool free_var = false;
  bool binding = false;
  bool lvalue = false;
  bool static_lifetime = false;
  bool file_local = false;
  bool is_extern = false;
  bool client_flag2 = false;

  // An empty type; value and location nil.
  symbolt();

  // Exchanges every field with the other symbol.
  void swap(symbolt &other);
};

// The text form: name, type, value, the flags set and the non-empty names,
// the location, then an empty line.
void show_symbol(const symbolt &symbol, std::ostream &out);

inline std::ostream &operator<<(std::ostream &out, const symbolt &symbol)
{
  show_symbol(symbol, out);
  return out;
}

#endif

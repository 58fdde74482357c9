#include "util/symbol.h"

#include <utility>

symbolt::symbolt()
{
  value.make_nil();
  location.make_nil();
}

void symbolt::swap(symbolt &other)
{
  using std::swap;
  type.swap(other.type);
  value.swap(other.value);
  location.swap(other.location);
  swap(name, other.name);
  swap(module, other.module);
  swap(base_name, other.base_name);
  swap(mode, other.mode);
  swap(pretty_name, other.pretty_name);
  client_list.swap(other.client_list);
  swap(client_word, other.client_word);
  swap(theorem, other.theorem);
  swap(axiom, other.axiom);
  swap(is_type, other.is_type);
  swap(is_macro, other.is_macro);
  swap(client_flag, other.client_flag);
  swap(is_input, other.is_input);
  swap(is_output, other.is_output);
  swap(is_statevar, other.is_statevar);
  swap(is_actual, other.is_actual);
  swap(free_var, other.free_var);
  swap(binding, other.binding);
  swap(lvalue, other.lvalue);
  swap(static_lifetime, other.static_lifetime);
  swap(file_local, other.file_local);
  swap(is_extern, other.is_extern);
  swap(client_flag2, other.client_flag2);
}

void show_symbol(const symbolt &symbol, std::ostream &out)
{
  out << "  " << symbol.name << '\n';
  out << "    type:  " << symbol.type.pretty(4) << '\n';
  out << "    value: " << symbol.value.pretty(4) << '\n';

  const std::pair<bool, const char *> flags[] = {
    {symbol.lvalue, " lvalue"},
    {symbol.static_lifetime, " static_lifetime"},
    {symbol.file_local, " file_local"},
    {symbol.theorem, " theorem"},
    {symbol.axiom, " axiom"},
    {symbol.is_type, " type"},
    {symbol.is_extern, " extern"},
    {symbol.is_input, " input"},
    {symbol.is_output, " output"},
    {symbol.is_macro, " macro"},
    {symbol.is_actual, " actual"},
    {symbol.binding, " binding"},
    {symbol.free_var, " free_var"},
    {symbol.is_statevar, " statevar"}};
  out << "  flags:";
  for(const auto &flag : flags)
    if(flag.first)
      out << flag.second;

  const std::pair<const dstring &, const char *> names[] = {
    {symbol.mode, " mode="},
    {symbol.base_name, " base_name="},
    {symbol.module, " module="},
    {symbol.pretty_name, " pretty_name="}};
  for(const auto &entry : names)
    if(!entry.first.empty())
      out << entry.second << entry.first;
  out << '\n';

  out << "  location: ";
  location_to_stream(out, symbol.location);
  out << "\n\n";
}

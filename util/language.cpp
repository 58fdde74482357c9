#include "util/language.h"

void languaget::merge_context(
  symbol_tablet &,
  symbol_tablet &,
  message_handlert &)
{
  throw "Language front-end does not support context merging.";
}

bool languaget::expr_to_text(const exprt &expr, std::string &text)
{
  text = expr.pretty(0);
  return false;
}

bool languaget::type_to_text(const typet &type, std::string &text)
{
  text = type.pretty(0);
  return false;
}

#include "util/message.h"

#include "util/location.h"

void message_handlert::print(
  unsigned level,
  const std::string &text,
  int,
  const locationt &location)
{
  const std::string prefix = location_text(location);
  if(prefix.empty())
    print(level, text);
  else
    print(level, prefix + ": " + text);
}

void messaget::print(unsigned level, const std::string &text)
{
  if(message_handler != nullptr && level <= verbosity)
    message_handler->print(level, text);
}

void messaget::print(
  unsigned level,
  const std::string &text,
  int sequence_number,
  const locationt &location)
{
  if(message_handler != nullptr && level <= verbosity)
    message_handler->print(level, text, sequence_number, location);
}

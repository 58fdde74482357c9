#ifndef MORVANE_TESTS_UTIL_MESSAGE_RECORDER_H
#define MORVANE_TESTS_UTIL_MESSAGE_RECORDER_H

// A message handler that keeps every message it receives.

#include "util/location.h"
#include "util/message.h"

#include <string>
#include <vector>

class message_recordert : public message_handlert
{
public:
  struct recordt
  {
    unsigned level;
    std::string text;
    int sequence_number;
    locationt location;
  };
  std::vector<recordt> messages;

  void print(unsigned level, const std::string &text) override
  {
    locationt none;
    none.make_nil();
    messages.push_back({level, text, -1, none});
  }

  void print(
    unsigned level,
    const std::string &text,
    int sequence_number,
    const locationt &location) override
  {
    messages.push_back({level, text, sequence_number, location});
  }

  // "level:text;" for every message.
  std::string texts() const
  {
    std::string result;
    for(const auto &message : messages)
      result += std::to_string(message.level) + ":" + message.text + ";";
    return result;
  }
};

#endif

#ifndef MORVANE_UTIL_MESSAGE_H
#define MORVANE_UTIL_MESSAGE_H

#include <string>

class locationt;

// Levels are unsigned; smaller is more important (1 error, 2 warning,
// 6 result and status, 7 description, 8 progress and statistics).

// A sink for messages. It does no filtering of its own.
class message_handlert
{
public:
  virtual void print(unsigned level, const std::string &text) = 0;

  // Prefixes the non-empty location fields to the text; the sequence
  // number is ignored.
  virtual void print(
    unsigned level,
    const std::string &text,
    int sequence_number,
    const locationt &location);

  virtual ~message_handlert() = default;
};

// A message source: delivers a message to its handler only if one is
// attached and the level is at most the verbosity.
class messaget
{
public:
  virtual void print(const std::string &text)
  {
    print(1, text);
  }

  virtual void print(unsigned level, const std::string &text);

  virtual void print(
    unsigned level,
    const std::string &text,
    int sequence_number,
    const locationt &location);

  virtual void set_message_handler(message_handlert *handler)
  {
    message_handler = handler;
  }

  virtual void set_verbosity(unsigned value)
  {
    verbosity = value;
  }

  virtual unsigned get_verbosity() const
  {
    return verbosity;
  }

  virtual ~messaget() = default;

protected:
  unsigned verbosity = 10;
  message_handlert *message_handler = nullptr;
};

#endif

#ifndef MORVANE_UTIL_UI_MESSAGE_H
#define MORVANE_UTIL_UI_MESSAGE_H

#include "util/message.h"

#include <string>

// The one concrete message sink. Mode 0 writes plain text lines on standard
// error; mode 1 one field per line and mode 2 one XML element per message,
// both on standard output.
class ui_message_handlert : public message_handlert
{
public:
  enum
  {
    PLAIN = 0,
    LINE = 1,
    XML = 2
  };

  explicit ui_message_handlert(unsigned mode) : ui_mode(mode)
  {
  }

  void print(unsigned level, const std::string &text) override;
  void print(
    unsigned level,
    const std::string &text,
    int sequence_number,
    const locationt &location) override;

  // The XML form ends the run with its closing line.
  ~ui_message_handlert() override;

protected:
  const unsigned ui_mode;

  virtual void line_ui_msg(
    const std::string &type,
    const std::string &text,
    const std::string &sequence_text,
    const locationt &location);

  virtual void xml_ui_msg(
    const std::string &type,
    const std::string &text,
    const std::string &sequence_text,
    const locationt &location);

  virtual void ui_msg(
    const std::string &type,
    const std::string &text,
    const std::string &sequence_text,
    const locationt &location);
};

// "ERROR" for 1, "WARNING" for 2, "STATUS-MESSAGE" otherwise.
const char *level_name(unsigned level);

#endif

#include "util/location.h"
#include "util/message.h"

#include <gtest/gtest.h>

namespace
{
// Records every delivered message as "level:text;".
class recording_handlert : public message_handlert
{
public:
  using message_handlert::print;
  std::string received;
  void print(unsigned level, const std::string &text) override
  {
    received += std::to_string(level) + ":" + text + ";";
  }
};

locationt location_with(
  const char *file,
  const char *line,
  const char *column,
  const char *function)
{
  locationt location;
  location.set_file(file);
  location.set_line(line);
  location.set_column(column);
  location.set_function(function);
  return location;
}
} // namespace

TEST(Message, DeliveryRule)
{
  recording_handlert handler;
  messaget source;
  EXPECT_EQ(source.get_verbosity(), 10u);

  // Without a handler every message is dropped.
  source.print(0, "dropped");
  source.print(0, "dropped", 1, locationt());

  source.set_message_handler(&handler);
  source.set_verbosity(6);
  source.print(0, "zero");
  source.print(6, "six");
  source.print(7, "seven");
  source.print("error");
  source.print(7, "seven", 3, location_with("a.c", "", "", ""));
  source.print(6, "six", 3, location_with("a.c", "", "", ""));
  EXPECT_EQ(handler.received, "0:zero;6:six;1:error;6:file a.c: six;");

  handler.received.clear();
  source.set_verbosity(0);
  source.print(0, "zero");
  source.print(1, "one");
  source.set_verbosity(0xffffffffu);
  source.print(0xffffffffu, "max");
  source.set_message_handler(nullptr);
  source.print(0, "detached");
  EXPECT_EQ(handler.received, "0:zero;4294967295:max;");
}

TEST(Message, LocatedPrintPrefixesNonEmptyFields)
{
  struct casest
  {
    locationt location;
    const char *expected;
  };
  locationt nil;
  nil.make_nil();
  const casest cases[] = {
    {location_with("a.c", "7", "", ""), "2:file a.c line 7: x;"},
    {location_with("", "", "", "f"), "2:function f: x;"},
    {location_with("a.c", "7", "3", "main"),
     "2:file a.c line 7 column 3 function main: x;"},
    {location_with("", "", "", ""), "2:x;"},
    {nil, "2:x;"},
    {locationt(), "2:x;"},
  };
  for(const auto &c : cases)
  {
    recording_handlert handler;
    handler.print(2, "x", 5, c.location);
    EXPECT_EQ(handler.received, c.expected);
  }
}

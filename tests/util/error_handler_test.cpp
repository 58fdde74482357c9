#include "util/error_handler.h"
#include "util/ui_message.h"

#include "message_recorder.h"

#include <gtest/gtest.h>

namespace
{
locationt previous_location()
{
  locationt location;
  location.set_file("prev");
  location.set_line("99");
  location.set_column("4");
  location.set_function("g");
  return location;
}
} // namespace

TEST(ErrorHandler, LocationFormsTakenOffALine)
{
  const std::string unchanged = "file prev line 99 column 4 function g";
  struct
  {
    const char *line;
    std::string location;
    const char *message;
  } cases[] = {
    {"file a.c line 7 column 3 function main: oops",
     "file a.c line 7 column 3 function main",
     "oops"},
    {"file a.c: x", "file a.c", "x"},
    {"file a.c:   x: y", "file a.c", "x: y"},
    {"file a.c function f line 3:  y", "file a.c line 3 function f", "y"},
    {"file a::b: x", "file a::b", "x"},
    {"file a.c: ", "file a.c", ""},
    // Never reaches the message: the location stays, the line is the text.
    {"file a.c line 7", unchanged, "file a.c line 7"},
    {"file a:: x", unchanged, "file a:: x"},
    {"file a.c:", unchanged, "file a.c:"},
    // The compiler form keeps the whole line as the message.
    {"main.c:12: warning", "file main.c line 12", "main.c:12: warning"},
    {"a::b", "file a", "a::b"},
    {":5:", "line 5", ":5:"},
    {"a:1x:", unchanged, "a:1x:"},
    {"a:12", unchanged, "a:12"},
    {"plain text", unchanged, "plain text"},
    {"", unchanged, ""},
  };

  for(const auto &c : cases)
  {
    message_recordert recorder;
    error_handlert handler(recorder);
    handler.error_location = previous_location();
    handler.parse_location_line(2, c.line);

    ASSERT_EQ(recorder.messages.size(), 1u) << c.line;
    const auto &message = recorder.messages[0];
    EXPECT_EQ(message.level, 2u) << c.line;
    EXPECT_EQ(message.text, c.message) << c.line;
    EXPECT_EQ(message.sequence_number, 1) << c.line;
    EXPECT_EQ(location_text(message.location), c.location) << c.line;
    EXPECT_EQ(location_text(handler.error_location), c.location) << c.line;
    EXPECT_EQ(handler.sequence_number, 2) << c.line;
    EXPECT_FALSE(handler.error_found) << c.line;
  }
}

TEST(ErrorHandler, ForwardedLinesKeepTheLastLocationAndNumbering)
{
  struct
  {
    std::string text;
    std::string expected;
  } cases[] = {
    {"abc\r\ndef\n", "1 abc @;2 def @;"},
    {"abc\ndef", "1 abc @;"},
    {std::string("a\nb\0c\n", 6), "1 a @;"},
    {"\n\n", "1  @;2  @;"},
    {"file x.c line 2: one\nplain\nfile y.c: two\nm.c:3: w\nlast\n",
     "1 one @file x.c line 2;2 plain @file x.c line 2;3 two @file y.c;"
     "4 m.c:3: w @file m.c line 3;5 last @file m.c line 3;"},
  };

  for(const auto &c : cases)
  {
    message_recordert recorder;
    error_handlert handler(recorder);
    handler.forward_text_lines(1, c.text);
    std::string seen;
    for(const auto &message : recorder.messages)
    {
      seen += std::to_string(message.sequence_number) + " " + message.text +
              " @" + location_text(message.location) + ";";
    }
    EXPECT_EQ(seen, c.expected) << c.text;
  }
}

TEST(ErrorHandler, LocationFromALineIsNotNil)
{
  // The reporter starts with a nil location; one read from a line is a real
  // location, which the XML form of messages does not leave out.
  testing::internal::CaptureStdout();
  {
    ui_message_handlert xml(ui_message_handlert::XML);
    error_handlert handler(xml);
    ASSERT_TRUE(handler.error_location.is_nil());
    handler.parse_location_line(1, "file a.c line 7: oops");
    EXPECT_FALSE(handler.error_location.is_nil());
  }
  EXPECT_EQ(
    testing::internal::GetCapturedStdout(),
    "<message type=\"ERROR\">\n"
    "  <location>\n"
    "    <id></id>\n"
    "    <named_sub name=\"column\">\n"
    "      <id></id>\n"
    "    </named_sub>\n"
    "    <named_sub name=\"file\">\n"
    "      <id>a.c</id>\n"
    "    </named_sub>\n"
    "    <named_sub name=\"function\">\n"
    "      <id></id>\n"
    "    </named_sub>\n"
    "    <named_sub name=\"line\">\n"
    "      <id>7</id>\n"
    "    </named_sub>\n"
    "  </location>\n"
    "  <text>oops</text>\n"
    "</message>\n\n"
    "</brelvax>\n");
}

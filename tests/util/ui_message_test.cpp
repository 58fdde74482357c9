#include "util/location.h"
#include "util/ui_message.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
struct capturedt
{
  std::string out;
  std::string err;
};

// Sends messages through a fresh handler of the mode and captures both
// standard streams until the handler is destroyed.
template <typename sendt>
capturedt capture(unsigned mode, sendt send)
{
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  {
    ui_message_handlert handler(mode);
    send(handler);
  }
  capturedt captured;
  captured.out = testing::internal::GetCapturedStdout();
  captured.err = testing::internal::GetCapturedStderr();
  return captured;
}

locationt file_line_location()
{
  locationt location;
  location.set_file("a.c");
  location.set_line("7");
  location.set_function("main");
  return location;
}

locationt line_only_location()
{
  locationt location;
  location.set_line("7");
  return location;
}
} // namespace

TEST(UiMessage, LevelNames)
{
  EXPECT_STREQ(level_name(0), "STATUS-MESSAGE");
  EXPECT_STREQ(level_name(1), "ERROR");
  EXPECT_STREQ(level_name(2), "WARNING");
  EXPECT_STREQ(level_name(6), "STATUS-MESSAGE");
}

TEST(UiMessage, PlainFormOnStandardError)
{
  const capturedt captured = capture(0, [](ui_message_handlert &handler) {
    handler.print(1, "x");
    handler.print(8, "ends in newline\n");
    handler.print(2, "located", 4, file_line_location());
    handler.print(2, "function only", 4, [] {
      locationt location;
      location.set_function("f");
      return location;
    }());
    handler.print(2, "nowhere", -1, locationt());
  });
  EXPECT_EQ(captured.out, "");
  EXPECT_EQ(
    captured.err,
    "x\n"
    "ends in newline\n\n"
    "file a.c line 7 function main: located\n"
    "function f: function only\n"
    "nowhere\n");
}

TEST(UiMessage, LineFormOneFieldPerLine)
{
  const capturedt captured = capture(1, [](ui_message_handlert &handler) {
    handler.print(1, "x");
    handler.print(6, "y\n\n", 4, file_line_location());
    handler.print(2, "\n", -1, line_only_location());
  });
  EXPECT_EQ(captured.err, "");
  EXPECT_EQ(
    captured.out,
    "ERROR\nx\n\n\n\n\n"
    "STATUS-MESSAGE\ny\n\n4\na.c\n7\n\n"
    "WARNING\n\n\n\n7\n\n");
}

TEST(UiMessage, XmlFormOneElementPerMessage)
{
  const capturedt captured = capture(2, [](ui_message_handlert &handler) {
    handler.print(1, "x");
    handler.print(2, "a<b & \"c\"\n", 4, file_line_location());
    // Without a file the location is left out.
    handler.print(6, "t", -1, line_only_location());
  });
  EXPECT_EQ(captured.err, "");
  EXPECT_EQ(
    captured.out,
    "<message type=\"ERROR\">\n"
    "  <text>x</text>\n"
    "</message>\n"
    "\n"
    "<message type=\"WARNING\">\n"
    "  <location>\n"
    "    <id></id>\n"
    "    <named_sub name=\"file\">\n"
    "      <id>a.c</id>\n"
    "    </named_sub>\n"
    "    <named_sub name=\"function\">\n"
    "      <id>main</id>\n"
    "    </named_sub>\n"
    "    <named_sub name=\"line\">\n"
    "      <id>7</id>\n"
    "    </named_sub>\n"
    "  </location>\n"
    "  <text>a&lt;b &amp; \"c\"</text>\n"
    "</message>\n"
    "\n"
    "<message type=\"STATUS-MESSAGE\">\n"
    "  <text>t</text>\n"
    "</message>\n"
    "\n"
    "</brelvax>\n");
}

TEST(UiMessage, TypeAttributeIsEscapedThenStrippedOfApostrophes)
{
  // A derived handler can route its own types through the XML form.
  struct typed_handlert : ui_message_handlert
  {
    typed_handlert() : ui_message_handlert(XML)
    {
    }
    void send(const std::string &type)
    {
      locationt location;
      location.make_nil();
      ui_msg(type, "m", "", location);
    }
  };
  testing::internal::CaptureStdout();
  {
    typed_handlert handler;
    handler.send("'quoted'");
    handler.send("\"quoted\"");
  }
  EXPECT_EQ(
    testing::internal::GetCapturedStdout(),
    "<message type=\"quoted\">\n  <text>m</text>\n</message>\n\n"
    "<message type=\"&quot;quoted&quot;\">\n  <text>m</text>\n</message>\n\n"
    "</brelvax>\n");
}

TEST(UiMessage, HandlerOfPlainOrLineModeWritesNothingWhenDestroyed)
{
  for(unsigned mode : {0u, 1u})
  {
    const capturedt captured = capture(mode, [](ui_message_handlert &) {});
    EXPECT_EQ(captured.out, "");
    EXPECT_EQ(captured.err, "");
  }
}

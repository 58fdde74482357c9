#include "util/c_conversion.h"
#include "util/text_utils.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

TEST(TextUtils, DecimalTextOfMachineNumbers)
{
  EXPECT_EQ(int_to_string(INT_MIN), "-2147483648");
  EXPECT_EQ(int_to_string(0), "0");
  EXPECT_EQ(unsigned_to_string(4294967295u), "4294967295");
  EXPECT_EQ(long_to_string(-17), "-17");
  EXPECT_EQ(unsigned_long_to_string(42), "42");
}

TEST(TextUtils, ReadLineSplitsOnLineFeedAndDropsCarriageReturns)
{
  std::istringstream in("a\rb\nc");
  std::string line;
  EXPECT_TRUE(read_line(in, line).good());
  EXPECT_EQ(line, "ab");
  // A last line without line feed is read, with the stream failed.
  EXPECT_TRUE(read_line(in, line).fail());
  EXPECT_EQ(line, "c");
  EXPECT_TRUE(read_line(in, line).fail());
  EXPECT_EQ(line, "");
}

TEST(TextUtils, ReadLineEmptyFirstLineLongLineAndNulBytes)
{
  const std::string long_line(10000, 'x');
  const std::string with_nul("a\0b\rc", 5);
  std::istringstream in("\n" + long_line + "\n" + with_nul + "\n");
  std::string line = "old";
  EXPECT_TRUE(read_line(in, line).good());
  EXPECT_EQ(line, "");
  EXPECT_TRUE(read_line(in, line).good());
  EXPECT_EQ(line, long_line);
  // Bytes after a NUL stay in the line.
  EXPECT_TRUE(read_line(in, line).good());
  EXPECT_EQ(line, std::string("a\0bc", 4));
  EXPECT_TRUE(read_line(in, line).fail());
}

TEST(TextUtils, EscapeCharOfEveryByteClass)
{
  struct casest
  {
    char c;
    bool in_string;
    const char *expected;
  };
  const casest cases[] = {
    {'\0', true, "\\0"},      {'\a', true, "\\a"},   {'\b', true, "\\b"},
    {'\t', true, "\\t"},      {'\n', true, "\\n"},   {'\v', true, "\\v"},
    {'\f', true, "\\f"},      {'\r', true, "\\r"},   {27, true, "\\e"},
    {'"', true, "\\\""},      {'"', false, "\""},    {'\'', true, "'"},
    {'\'', false, "\\'"},     {'\\', false, "\\\\"}, {' ', true, " "},
    {'~', true, "~"},         {1, true, "\\001"},    {6, true, "\\006"},
    {14, true, "\\016"},      {31, true, "\\037"},   {127, true, "\\177"},
    {char(233), true, "\\351"}, {char(255), false, "\\377"},
  };
  for(const auto &c : cases)
  {
    std::string out = "<";
    escape_char(out, c.c, c.in_string);
    EXPECT_EQ(out, std::string("<") + c.expected)
      << "byte " << int(static_cast<unsigned char>(c.c));
  }
}

TEST(TextUtils, EscapeStringAppendsStringLiteralForm)
{
  std::string out = "x";
  escape_string(out, "\"'\\");
  EXPECT_EQ(out, "x\\\"'\\\\");
}

TEST(TextUtils, ShellQuoteMakesOneWordOfAnyText)
{
  EXPECT_EQ(shell_quote(""), "''");
  EXPECT_EQ(shell_quote("a b;$x"), "'a b;$x'");
  EXPECT_EQ(shell_quote("it's"), "'it'\\''s'");
}

TEST(TextUtils, SecondsText)
{
  EXPECT_EQ(seconds_text(1500), "1.5");
  EXPECT_EQ(seconds_text(0), "0");
  EXPECT_EQ(seconds_text(1234567), "1234.57");
  std::ostringstream out;
  out.precision(2);
  output_seconds(out, 1234);
  EXPECT_EQ(out.str(), "1.2");
  EXPECT_GT(current_time_ms(), time_mst(1500000000000));
}

TEST(TextUtils, ReadStreamText)
{
  std::ostringstream stream;
  stream << "a" << 1;
  std::string text = "old";
  read_stream_text(stream, text);
  EXPECT_EQ(text, "a1");
}

TEST(CConversion, ReadsDecimalLikeStrtolOnA32BitTarget)
{
  struct casest
  {
    const char *text;
    std::int32_t value;
    int end;
  };
  const casest cases[] = {
    {"", 0, 0},
    {"yes", 0, 0},
    {"  \t-", 0, 0},
    {"12ab", 12, 2},
    {" 1", 1, 2},
    {"+7", 7, 2},
    {"-0042x", -42, 5},
    {"2147483647", 2147483647, 10},
    {"2147483648", 2147483647, 10},
    {"-2147483648", INT32_MIN, 11},
    {"-99999999999999999999", INT32_MIN, 21},
  };
  for(const auto &c : cases)
  {
    const char *end = nullptr;
    EXPECT_EQ(strtol32(c.text, &end), c.value) << c.text;
    EXPECT_EQ(end - c.text, c.end) << c.text;
  }
}

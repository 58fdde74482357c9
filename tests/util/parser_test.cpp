#include "util/parser.h"

#include "message_recorder.h"

#include <gtest/gtest.h>

TEST(Parser, NewItemNumbersTheStack)
{
  parsert parser;
  for(unsigned expected = 0; expected < 5; ++expected)
  {
    unsigned index = 99;
    irept &item = parser.new_item(index);
    EXPECT_EQ(index, expected);
    EXPECT_EQ(&item, &parser.stack[index]);
    EXPECT_TRUE(item.is_nil());
    // Each item is a tree of its own.
    item.id(std::to_string(index));
  }
  EXPECT_EQ(parser.stack[2].id(), "2");
  EXPECT_EQ(parser.stack.size(), 5u);
}

TEST(Parser, ParseErrorIsLocated)
{
  message_recordert recorder;
  parsert parser;
  parser.set_message_handler(&recorder);
  parser.filename = "m.v";
  parser.line_no = 3;

  parser.parse_error("syntax error", "foo");
  parser.parse_error("syntax error", "");
  ASSERT_EQ(recorder.messages.size(), 2u);
  EXPECT_EQ(recorder.texts(), "1:syntax error before `foo';1:syntax error;");
  for(const auto &message : recorder.messages)
  {
    EXPECT_EQ(message.sequence_number, -1);
    EXPECT_EQ(location_text(message.location), "file m.v line 3");
  }
}

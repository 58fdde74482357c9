#include "util/typecheck.h"

#include "message_recorder.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace
{
class checkert : public typecheckt
{
public:
  checkert(message_handlert &handler, std::function<void(checkert &)> _body)
    : typecheckt(handler), body(std::move(_body))
  {
  }
  void typecheck() override
  {
    body(*this);
  }

private:
  std::function<void(checkert &)> body;
};

locationt file_a_line_7()
{
  locationt location;
  location.set_file("a.c");
  location.set_line(7);
  return location;
}
} // namespace

TEST(Typecheck, EveryKindOfThrownError)
{
  struct
  {
    const char *what;
    std::function<void(checkert &)> body;
    bool result;
    std::string reported;
    int sequence_after;
  } cases[] = {
    {"no error", [](checkert &) {}, false, "", 1},
    {"composed text and integer",
     [](checkert &c) {
       c.message_stream << "x undefined";
       throw 0;
     },
     true, "1 x undefined @file a.c line 7;", 2},
    // Reported elsewhere (as module lookup does): nothing to report, but
    // the check has failed.
    {"integer alone", [](checkert &) { throw 0; }, true, "", 2},
    {"character string", [](checkert &) { throw "bad"; }, true,
     "1 bad @file a.c line 7;", 1},
    {"empty character string", [](checkert &) { throw ""; }, true, "", 1},
    {"std::string",
     [](checkert &) { throw std::string("worse"); },
     true, "1 worse @file a.c line 7;", 1},
    {"empty std::string", [](checkert &) { throw std::string(); }, true, "",
     1},
    {"report without throwing",
     [](checkert &c) { c.report_error("said"); },
     true, "1 said @file a.c line 7;", 1},
  };

  for(const auto &c : cases)
  {
    message_recordert recorder;
    checkert checker(recorder, c.body);
    checker.error_location = file_a_line_7();

    EXPECT_EQ(checker.typecheck_main(), c.result) << c.what;
    EXPECT_EQ(checker.error_found, c.result) << c.what;
    std::string seen;
    for(const auto &message : recorder.messages)
    {
      seen += std::to_string(message.level) + " " + message.text + " @" +
              location_text(message.location) + ";";
      EXPECT_EQ(message.sequence_number, 1) << c.what;
    }
    EXPECT_EQ(seen, c.reported) << c.what;
    EXPECT_EQ(checker.sequence_number, c.sequence_after) << c.what;
    EXPECT_TRUE(checker.message_stream.str().empty()) << c.what;
    // The location is spent by a report and kept otherwise.
    EXPECT_EQ(checker.error_location.is_nil(), !c.reported.empty())
      << c.what;
  }
}

TEST(Typecheck, StreamIsUsableAfterAnIntegerThrow)
{
  message_recordert recorder;
  int round = 0;
  checkert checker(recorder, [&round](checkert &c) {
    c.message_stream << "round " << ++round;
    c.message_stream.setstate(std::ios::failbit);
    throw 1;
  });
  checker.typecheck_main();
  checker.typecheck_main();
  EXPECT_EQ(recorder.texts(), "1:round 1;1:round 2;");
  EXPECT_EQ(checker.sequence_number, 3);
}

TEST(Typecheck, OtherExceptionsPass)
{
  message_recordert recorder;
  checkert checker(
    recorder, [](checkert &) { throw std::runtime_error("elsewhere"); });
  EXPECT_THROW(checker.typecheck_main(), std::runtime_error);
  EXPECT_TRUE(recorder.messages.empty());
}

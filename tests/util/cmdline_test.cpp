#include "tests/util/condition_regex.h"
#include "util/cmdline.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// The set records and the plain arguments as one line, or "fail".
std::string parse_summary(
  const char *optstring,
  std::vector<const char *> arguments)
{
  arguments.insert(arguments.begin(), "program");
  cmdlinet cmdline;
  if(cmdline.parse(int(arguments.size()), arguments.data(), optstring))
    return "fail";
  std::string summary;
  for(const auto &option : cmdline.options)
  {
    if(!option.is_set)
      continue;
    summary += option.is_long ? "--" + option.long_name
                              : std::string(1, option.option_char);
    for(const auto &value : option.values)
      summary += " =" + value;
    summary += "; ";
  }
  for(const auto &arg : cmdline.args)
    summary += arg + " ";
  return summary;
}
} // namespace

TEST(Cmdline, ArgumentGrammar)
{
  const char *optstring = "?hb:(help)(v):x";
  struct casest
  {
    std::vector<const char *> arguments;
    const char *expected;
  };
  const casest cases[] = {
    {{}, ""},
    {{"f1", "-x", "f2"}, "x; f1 f2 "},
    {{"-h", "--help", "-?"}, "?; h; --help; "},
    {{"-b", "x"}, "b =x; "},
    {{"-bx"}, "b =x; "},
    {{"-b"}, "fail"},
    {{"-b", "-x"}, "fail"},
    {{"--v", "5"}, "--v =5; "},
    {{"--v", "-5"}, "fail"},
    {{"--v"}, "fail"},
    {{"--v=5"}, "fail"},
    {{"--v5"}, "fail"},
    {{"-bq", "-b", "r", "--v", "1", "--v", "2"}, "b =q =r; --v =1 =2; "},
    {{"-z"}, "fail"},
    {{"--nope"}, "fail"},
    // "--" alone names the empty long name: the first short option.
    {{"--"}, "?; "},
    // "-" alone names the character 0: the first long option.
    {{"-"}, "--help; "},
    // A short option written with a tail takes no tail when it has no value.
    {{"-xyz"}, "x; "},
  };
  for(const auto &c : cases)
  {
    std::string line;
    for(const char *a : c.arguments)
      line += std::string(a) + " ";
    EXPECT_EQ(parse_summary(optstring, c.arguments), c.expected) << line;
  }
}

TEST(Cmdline, EmptyOptionStringRejectsEveryOption)
{
  EXPECT_EQ(parse_summary("", {"a", "b"}), "a b ");
  EXPECT_EQ(parse_summary("", {"-"}), "fail");
  EXPECT_EQ(parse_summary("", {"--"}), "fail");
}

TEST(Cmdline, OptionStringRecords)
{
  cmdlinet cmdline;
  const char *argv[] = {"program"};
  EXPECT_FALSE(cmdline.parse(1, argv, "?hb:(help)() :(tail"));
  struct expectedt
  {
    char option_char;
    const char *long_name;
    bool is_long;
    bool takes_value;
  };
  const expectedt expected[] = {
    {'?', "", false, false}, {'h', "", false, false},
    {'b', "", false, true},  {0, "help", true, false},
    {0, "", true, false},    {' ', "", false, true},
    {0, "tail", true, false},
  };
  ASSERT_EQ(cmdline.options.size(), std::size(expected));
  for(std::size_t i = 0; i < cmdline.options.size(); i++)
  {
    const auto &option = cmdline.options[i];
    EXPECT_EQ(option.option_char, expected[i].option_char) << i;
    EXPECT_EQ(option.long_name, expected[i].long_name) << i;
    EXPECT_EQ(option.is_long, expected[i].is_long) << i;
    EXPECT_EQ(option.takes_value, expected[i].takes_value) << i;
    EXPECT_FALSE(option.is_set);
  }
}

TEST(Cmdline, LookupsAndRepeatedRecords)
{
  cmdlinet cmdline;
  const char *argv[] = {"program", "-b", "1", "-b2", "--v", "3", "in"};
  // 'b' named twice: lookups find the first record.
  ASSERT_FALSE(cmdline.parse(7, argv, "b:(v):b:(w):"));
  EXPECT_EQ(cmdline.find_option('b'), 0);
  EXPECT_EQ(cmdline.find_option("v"), 1);
  EXPECT_EQ(cmdline.find_option("x"), -1);
  EXPECT_EQ(cmdline.find_option('x'), -1);
  EXPECT_TRUE(cmdline.has_option('b'));
  EXPECT_FALSE(cmdline.has_option("w"));
  EXPECT_FALSE(cmdline.has_option('x'));
  EXPECT_STREQ(cmdline.option_value('b'), "1");
  EXPECT_STREQ(cmdline.option_value("v"), "3");
  EXPECT_EQ(cmdline.option_value("w"), nullptr);
  EXPECT_EQ(cmdline.option_value("x"), nullptr);
  EXPECT_EQ(cmdline.get_values('b'), (std::list<std::string>{"1", "2"}));
  EXPECT_TRUE(cmdline.get_values("w").empty());
  EXPECT_TRUE(cmdline.options[2].values.empty());
  EXPECT_EQ(cmdline.args, std::vector<std::string>{"in"});

  // A later parse starts afresh.
  const char *again[] = {"program", "other"};
  ASSERT_FALSE(cmdline.parse(2, again, "(v):"));
  EXPECT_EQ(cmdline.options.size(), 1u);
  EXPECT_FALSE(cmdline.has_option("v"));
  EXPECT_EQ(cmdline.args, std::vector<std::string>{"other"});
  cmdline.clear();
  EXPECT_TRUE(cmdline.options.empty());
  EXPECT_TRUE(cmdline.args.empty());
}

TEST(CmdlineDeathTest, ProgrammingErrors)
{
  cmdlinet cmdline;
  const char *argv[] = {"program"};
  EXPECT_DEATH(
    cmdline.parse(1, argv, "a::"), "cmdlinet::parse: Invalid option string");
  EXPECT_DEATH(cmdline.get_values("absent"), condition_regex("i>=0"));
  EXPECT_DEATH(cmdline.get_values('z'), condition_regex("i>=0"));
}

#include "util/cmdline.h"
#include "util/config.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace
{
const char *config_options =
  "(16)(32)(64)(function):D:I:(floatbv)(i386-linux)(i386-macos)(ppc-macos)"
  "(little-endian)(big-endian)";

std::array<unsigned, 12> widths(const configt::ansi_ct &a)
{
  return {a.int_width, a.width_2,  a.width_3,      a.width_4,
          a.width_5,   a.pointer_width, a.width_7, a.width_8,
          a.width_9,   a.width_10, a.width_11,     a.width_12};
}

const std::array<unsigned, 12> widths_16 = {16, 32, 8,  16, 64, 32,
                                            32, 64, 64, 32, 16, 16};
const std::array<unsigned, 12> widths_32 = {32, 32, 8,  16, 64, 32,
                                            32, 64, 64, 32, 32, 16};
const std::array<unsigned, 12> widths_64 = {32, 64, 8,  16, 128, 64,
                                            32, 64, 64, 64, 32,  16};

class Config : public ::testing::Test
{
protected:
  void TearDown() override
  {
    config = configt();
  }

  bool set_from(std::vector<const char *> arguments, const char *optstring)
  {
    arguments.insert(arguments.begin(), "program");
    EXPECT_FALSE(
      cmdline.parse(int(arguments.size()), arguments.data(), optstring));
    return config_set_from_cmdline(cmdline);
  }

  cmdlinet cmdline;
};
} // namespace

TEST_F(Config, EmptyUntilSetFromCommandLine)
{
  EXPECT_EQ(widths(config.ansi_c), (std::array<unsigned, 12>{}));
  EXPECT_FALSE(config.ansi_c.no_floatbv);
  EXPECT_EQ(config.ansi_c.endianness, 0u);
  EXPECT_TRUE(config.function_name.empty());
  EXPECT_TRUE(config.options.option_map.empty());
}

TEST_F(Config, Presets)
{
  configt::ansi_ct ansi_c;
  ansi_c.preset_flag = true;
  config_set_16(ansi_c);
  EXPECT_EQ(widths(ansi_c), widths_16);
  EXPECT_FALSE(ansi_c.preset_flag);
  config_set_64(ansi_c);
  EXPECT_EQ(widths(ansi_c), widths_64);
  config_set_32(ansi_c);
  EXPECT_EQ(widths(ansi_c), widths_32);
}

TEST_F(Config, OptionTable)
{
  struct casest
  {
    std::vector<const char *> arguments;
    std::array<unsigned, 12> widths;
    unsigned platform;
    unsigned endianness;
    bool no_floatbv;
    bool error;
  };
  const casest cases[] = {
    {{}, widths_32, 0, 0, true, false},
    {{"--16"}, widths_16, 0, 0, true, false},
    {{"--64", "--16"}, widths_64, 0, 0, true, false},
    {{"--16", "--32", "--64"}, widths_64, 0, 0, true, false},
    {{"--64", "--ppc-macos"}, widths_64, 3, 2, true, false},
    {{"--i386-linux", "--floatbv"}, widths_32, 1, 1, false, false},
    {{"--i386-macos"}, widths_32, 2, 1, true, false},
    {{"--i386-linux", "--ppc-macos"}, widths_32, 3, 2, true, false},
    {{"--i386-linux", "--big-endian"}, widths_32, 1, 2, true, false},
    {{"--ppc-macos", "--little-endian"}, widths_32, 3, 1, true, false},
    {{"--little-endian", "--big-endian"}, widths_32, 0, 2, true, true},
  };
  for(const auto &c : cases)
  {
    std::string line;
    for(const char *a : c.arguments)
      line += std::string(a) + " ";
    EXPECT_EQ(set_from(c.arguments, config_options), c.error) << line;
    EXPECT_EQ(widths(config.ansi_c), c.widths) << line;
    EXPECT_EQ(config.ansi_c.platform, c.platform) << line;
    EXPECT_EQ(config.ansi_c.endianness, c.endianness) << line;
    EXPECT_EQ(config.ansi_c.no_floatbv, c.no_floatbv) << line;
  }
}

TEST_F(Config, ListsAndFunctionName)
{
  config.option_d_values = {"stale"};
  EXPECT_FALSE(set_from(
    {"-DA=1", "-D", "B", "-I", "inc", "--function", "f"}, config_options));
  EXPECT_EQ(config.option_d_values, (std::list<std::string>{"A=1", "B"}));
  EXPECT_EQ(config.option_i_values, std::list<std::string>{"inc"});
  EXPECT_EQ(config.function_name, "f");

  // Lists of options not given stay as they are.
  EXPECT_FALSE(set_from({"--function", "g"}, config_options));
  EXPECT_EQ(config.option_d_values, (std::list<std::string>{"A=1", "B"}));
  EXPECT_EQ(config.function_name, "g");
}

TEST_F(Config, FunctionDeclaredWithoutValueKeepsTheName)
{
  config.function_name = "main";
  EXPECT_FALSE(set_from({"--function"}, "(function)"));
  EXPECT_EQ(config.function_name, "main");
}

TEST_F(Config, UndeclaredOptionsReadAsNotGiven)
{
  EXPECT_FALSE(set_from({"--64"}, "(64)"));
  EXPECT_EQ(widths(config.ansi_c), widths_64);
  EXPECT_TRUE(config.option_d_values.empty());
  EXPECT_EQ(config.ansi_c.endianness, 0u);
}

#include "util/options.h"

#include <gtest/gtest.h>

TEST(Options, SettersStoreTextAndBooleanReading)
{
  optionst options;
  options.set_option("true", true);
  options.set_option("false", false);
  options.set_option("zero", 0);
  options.set_option("negative", -5);
  options.set_option("ten", "10");
  options.set_option("blank one", std::string(" 1"));
  options.set_option("yes", "yes");

  EXPECT_EQ(options.get_option("true"), "1");
  EXPECT_EQ(options.get_option("false"), "0");
  EXPECT_EQ(options.get_option("negative"), "-5");
  EXPECT_EQ(options.get_option("absent"), "");
  EXPECT_EQ(options.option_map.count("absent"), 0u);

  EXPECT_TRUE(options.get_bool_option("true"));
  EXPECT_FALSE(options.get_bool_option("false"));
  EXPECT_FALSE(options.get_bool_option("zero"));
  EXPECT_TRUE(options.get_bool_option("negative"));
  EXPECT_TRUE(options.get_bool_option("ten"));
  EXPECT_TRUE(options.get_bool_option("blank one"));
  EXPECT_FALSE(options.get_bool_option("yes"));
  EXPECT_FALSE(options.get_bool_option("absent"));

  options.set_option("ten", 11);
  EXPECT_EQ(options.get_option("ten"), "11");
}

TEST(Options, EveryStoreGoesThroughTheTextSetter)
{
  struct recordingt : optionst
  {
    using optionst::set_option;
    std::string stores;
    void set_option(const std::string &name, const std::string &value) override
    {
      stores += name + "=" + value + " ";
      optionst::set_option(name, value);
    }
  } options;
  options.set_option("a", true);
  options.set_option("b", "x");
  options.set_option("c", -3);
  EXPECT_EQ(options.stores, "a=1 b=x c=-3 ");
}

#include "util/location.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(Location, TextNamesTheNonEmptyPartsInOrder)
{
  locationt line_only;
  line_only.set_line(12);
  EXPECT_EQ(location_text(line_only), "line 12");

  locationt location;
  location.set_function("main");
  location.set_line(7);
  location.set_file("a.c");
  EXPECT_EQ(location_text(location), "file a.c line 7 function main");
  location.set_column("3");
  EXPECT_EQ(location.get_column(), "3");
  EXPECT_EQ(location_text(location), "file a.c line 7 column 3 function main");

  EXPECT_EQ(location_text(locationt()), "");
}

TEST(Location, StreamWritesNothingForANilLocation)
{
  locationt location;
  location.set_file("f.c");
  std::ostringstream out;
  out << location;
  EXPECT_EQ(out.str(), "file f.c");

  location.make_nil();
  std::ostringstream nil_out;
  nil_out << location;
  EXPECT_EQ(nil_out.str(), "");
}

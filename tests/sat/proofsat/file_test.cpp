#include "scratch_dir.h"

#include "sat/proofsat/File.h"
#include "tests/util/condition_regex.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include <fcntl.h>

namespace
{
// The bytes of the number code of value.
std::string packed(uint64_t value, const scratch_dirt &dir)
{
  std::string path = dir.file("packed");
  {
    File out;
    out.open(path.c_str(), "w");
    write_packed_uint(out, value);
  }
  return file_text(path);
}

uint64_t unpack(const std::string &bytes, const scratch_dirt &dir)
{
  std::string path = dir.file("unpack");
  write_bytes(path, bytes);
  File in;
  in.open(path.c_str(), "r");
  return read_packed_uint(in);
}
} // namespace

TEST(PackedUint, ShortestFormOfEachRange)
{
  struct caset
  {
    uint64_t value;
    std::string bytes;
  };
  const std::vector<caset> cases = {
    {0, std::string(1, '\0')},
    {0x7F, "\x7F"},
    {0x80, "\x80\x80"},
    {0x1FFF, "\x9F\xFF"},
    {0x2000, std::string("\xA0\x20\x00", 3)},
    {0x1FFFFF, "\xBF\xFF\xFF"},
    {0x200000, std::string("\xC0\x20\x00\x00", 4)},
    {0x1FFFFFFF, "\xDF\xFF\xFF\xFF"},
    {0x20000000, std::string("\xE0\x00\x00\x00\x00\x20\x00\x00\x00", 9)},
    {0xFFFFFFFFFFFFFFFFull, "\xE0\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"},
  };
  scratch_dirt dir;
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(packed(c.value, dir), c.bytes);
    EXPECT_EQ(unpack(c.bytes, dir), c.value);
  }
  // The low bits of the nine-byte form's first byte are not read.
  EXPECT_EQ(
    unpack(std::string("\xFF\x00\x00\x00\x00\x00\x00\x01\x02", 9), dir),
    0x102u);
}

TEST(PackedUint, RandomValuesRoundTrip)
{
  scratch_dirt dir;
  std::string path = dir.file("numbers");
  std::mt19937_64 random(11);
  std::vector<uint64_t> values;
  for(int i = 0; i < 5000; i++)
    values.push_back(random() >> (random() % 64));
  File file;
  file.open(path.c_str(), "w+");
  for(uint64_t v : values)
    write_packed_uint(file, v);
  file.reposition(0);
  for(uint64_t v : values)
    ASSERT_EQ(read_packed_uint(file), v);
  EXPECT_THROW(read_packed_uint(file), Exception_EOF);
}

TEST(PackedUint, EndOfFileBeforeOrInsideANumber)
{
  scratch_dirt dir;
  EXPECT_THROW(unpack("", dir), Exception_EOF);
  for(const std::string cut :
      {"\x80", "\xA0\x20", "\xC0\x20\x00", "\xE0\x00\x00\x00\x00\x20\x00\x00"})
  {
    SCOPED_TRACE(cut.size());
    EXPECT_THROW(unpack(cut, dir), Exception_Damaged);
  }
}

TEST(File, OpenLettersFailuresLeaveItClosed)
{
  scratch_dirt dir;
  std::string existing = dir.file("existing");
  write_bytes(existing, "abc");
  File file;
  file.open(existing.c_str(), "wox");
  EXPECT_TRUE(file.null());
  file.open(dir.file("missing").c_str(), "r");
  EXPECT_TRUE(file.null());
  EXPECT_EQ(file_text(existing), "abc");

  // a starts at the end of the file; w truncates.
  file.open(existing.c_str(), "a");
  ASSERT_FALSE(file.null());
  file.write_byte('d');
  EXPECT_TRUE(file.release());
  EXPECT_EQ(file_text(existing), "abcd");
  file.open(existing.c_str(), "w");
  EXPECT_TRUE(file.release());
  EXPECT_EQ(file_text(existing), "");

  // Opening again without a release writes out what waits for the first.
  std::string second = dir.file("second");
  file.open(existing.c_str(), "w");
  file.write_byte('e');
  file.open(second.c_str(), "w");
  EXPECT_EQ(file_text(existing), "e");
}

TEST(File, WrittenBytesReadBackAfterReposition)
{
  scratch_dirt dir;
  std::string path = dir.file("bytes");
  File file;
  file.open(path.c_str(), "w+");
  for(int i = 0; i < 10; i++)
    file.write_byte(char(i));
  EXPECT_EQ(file.tell(), 10);
  file.flush();
  EXPECT_EQ(file.tell(), 10);
  for(int i = 10; i < 1500; i++)
    file.write_byte(char(i * 7));
  file.reposition(0);
  for(int i = 0; i < 1500; i++)
    ASSERT_EQ(file.read_byte(), (i < 10 ? i : i * 7) & 0xFF) << i;
  EXPECT_EQ(file.read_byte(), -1);
  EXPECT_TRUE(file.eof());
  EXPECT_EQ(file.tell(), 1500);
}

TEST(File, WritingAfterReadingStartsWhereReadingStopped)
{
  scratch_dirt dir;
  std::string path = dir.file("switch");
  File file;
  file.open(path.c_str(), "w+");
  for(int i = 0; i < 2100; i++)
    file.write_byte('a');
  file.reposition(1030);
  EXPECT_EQ(file.read_byte(), 'a');
  EXPECT_EQ(file.tell(), 1031);
  file.write_byte('X');
  EXPECT_EQ(file.tell(), 1032);
  file.reposition(-2, SEEK_CUR);
  EXPECT_EQ(file.tell(), 1030);
  EXPECT_EQ(file.read_byte(), 'a');
  EXPECT_EQ(file.read_byte(), 'X');
  EXPECT_FALSE(file.eof());
  EXPECT_TRUE(file.release());
  std::string bytes = file_text(path);
  EXPECT_EQ(bytes.size(), 2100u);
  EXPECT_EQ(bytes.find('X'), 1031u);
}

TEST(File, ReleaseReportsAFailedWrite)
{
  int fd = ::open("/dev/full", O_WRONLY);
  if(fd == -1)
    GTEST_SKIP() << "no /dev/full";
  File file;
  file.attach(fd, File::WRITE, true);
  file.write_byte('x');
  EXPECT_FALSE(file.failed());
  EXPECT_FALSE(file.release());
  EXPECT_TRUE(file.null());
}

TEST(FileDeathTest, MisuseStops)
{
  scratch_dirt dir;
  std::string path = dir.file("misuse");
  File file;
  EXPECT_DEATH(
    file.open(path.c_str(), "rw"), condition_regex("!(has_r && has_w)"));
  EXPECT_DEATH(
    file.open(path.c_str(), "+"), condition_regex("has_r || has_w || has_a"));
  file.open(path.c_str(), "w+");
  EXPECT_DEATH(file.eof(), condition_regex("mode == READ"));
  file.reposition(0);
  file.read_byte();
  EXPECT_DEATH(file.flush(), condition_regex("mode == WRITE"));
}

#include "exchange_directory.h"
#include "external_solvers/exchange_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
class ExchangeFile : public exchange_directory_testt
{
};
} // namespace

TEST_F(ExchangeFile, NamesInUseGetTheNextSuffix)
{
  write_file("f_2.tmp", "someone else's\n");
  std::filesystem::create_symlink("nowhere", "f_1.tmp");
  std::string names[3];
  int fds[3];
  for(int i = 0; i < 3; ++i)
    fds[i] = create_exchange_file("f", names[i]);
  EXPECT_EQ(names[0], "f.tmp");
  EXPECT_EQ(names[1], "f_3.tmp");
  EXPECT_EQ(names[2], "f_4.tmp");
  for(int i = 0; i < 3; ++i)
  {
    ASSERT_GE(fds[i], 0);
    struct stat status;
    ASSERT_EQ(fstat(fds[i], &status), 0);
    EXPECT_TRUE(S_ISREG(status.st_mode));
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    // Not inherited by the programs the shell starts.
    EXPECT_NE(fcntl(fds[i], F_GETFD) & FD_CLOEXEC, 0);
    close(fds[i]);
  }
  EXPECT_EQ(read_file("f_2.tmp"), "someone else's\n");
  EXPECT_FALSE(std::filesystem::exists("nowhere"));
}

TEST_F(ExchangeFile, FailedWritesFailTheStream)
{
  std::string name;
  {
    descriptor_buffert buffer(create_exchange_file("ok", name));
    std::ostream out(&buffer);
    out << "line" << std::endl << "rest";
    EXPECT_EQ(read_file(name), "line\n");
    EXPECT_TRUE(buffer.close());
    EXPECT_TRUE(out.good());
    EXPECT_EQ(read_file(name), "line\nrest");
    // Nothing reaches a closed file, and the stream says so.
    out << "x";
    EXPECT_TRUE(out.bad());
    EXPECT_FALSE(buffer.close());
  }

  // A device that refuses every write.
  descriptor_buffert full(open("/dev/full", O_WRONLY | O_CLOEXEC));
  ASSERT_TRUE(full.is_open());
  std::ostream out(&full);
  out << "lost" << std::endl;
  EXPECT_TRUE(out.bad());
  EXPECT_FALSE(full.close());

  descriptor_buffert never_opened(-1);
  std::ostream nowhere(&never_opened);
  nowhere << "lost";
  EXPECT_TRUE(nowhere.bad());
}

TEST_F(ExchangeFile, NoNameLeftIsAFailure)
{
  // Not even the first name can be made in a directory that is gone.
  std::filesystem::create_directory("gone");
  std::filesystem::current_path("gone");
  std::filesystem::remove(directory / "gone");
  std::string name = "previous";
  EXPECT_EQ(create_exchange_file("f", name), -1);
  EXPECT_EQ(name, "");
  std::filesystem::current_path(directory);
}

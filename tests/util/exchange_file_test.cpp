// The tests run in a scratch folder of their own (see the test main).

#include "util/exchange_file.h"

#include "tests/util/test_files.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// Whether `fd` is open on a regular file of mode 0600 that the programs
// started later do not inherit; closes it.
void expect_private_file(int fd)
{
  ASSERT_GE(fd, 0);
  struct stat status;
  ASSERT_EQ(fstat(fd, &status), 0);
  EXPECT_TRUE(S_ISREG(status.st_mode));
  EXPECT_EQ(status.st_mode & 0777, 0600u);
  EXPECT_NE(fcntl(fd, F_GETFD) & FD_CLOEXEC, 0);
  close(fd);
}
} // namespace

TEST(ExchangeFile, NamesInUseGetTheNextSuffix)
{
  std::ofstream("f_2.tmp") << "someone else's\n";
  std::filesystem::create_symlink("nowhere", "f_1.tmp");
  std::string names[3];
  int fds[3];
  for(int i = 0; i < 3; ++i)
    fds[i] = create_exchange_file("f", names[i]);
  EXPECT_EQ(names[0], "f.tmp");
  EXPECT_EQ(names[1], "f_3.tmp");
  EXPECT_EQ(names[2], "f_4.tmp");
  for(int fd : fds)
    expect_private_file(fd);
  EXPECT_EQ(file_text("f_2.tmp"), "someone else's\n");
  EXPECT_FALSE(std::filesystem::exists("nowhere"));
}

// Whatever has the name gives way to a new private file; what a link
// points to is neither written nor created.
TEST(ExchangeFile, RecreatingReplacesWhateverHasTheName)
{
  std::ofstream("kept") << "precious\n";
  std::ofstream("old") << "an earlier run\n";
  std::filesystem::create_symlink("kept", "link");
  std::filesystem::create_symlink("missing", "dangling");
  for(const char *name : {"old", "link", "dangling", "new"})
  {
    SCOPED_TRACE(name);
    expect_private_file(recreate_exchange_file(name));
    EXPECT_FALSE(std::filesystem::is_symlink(name));
    EXPECT_EQ(file_text(name), "");
  }
  EXPECT_EQ(file_text("kept"), "precious\n");
  EXPECT_FALSE(std::filesystem::exists("missing"));

  // A directory stays, and the file cannot be made.
  std::filesystem::create_directory("folder");
  EXPECT_EQ(recreate_exchange_file("folder"), -1);
  EXPECT_TRUE(std::filesystem::is_directory("folder"));
}

TEST(ExchangeFile, AnswerIsNotReadThroughALink)
{
  std::ofstream("answer") << "s TRUE\nlast";
  // A name of its own: the folder is shared when the tests run in one
  // process, and another test leaves its "link" behind.
  std::filesystem::create_symlink("answer", "answer_link");
  std::string line;

  answer_file_streamt direct("answer");
  EXPECT_TRUE(std::getline(direct, line));
  EXPECT_EQ(line, "s TRUE");
  EXPECT_TRUE(std::getline(direct, line));
  EXPECT_EQ(line, "last");
  EXPECT_TRUE(direct.eof());

  for(const char *unreadable : {"answer_link", "missing"})
  {
    SCOPED_TRACE(unreadable);
    answer_file_streamt in(unreadable);
    EXPECT_TRUE(in.fail());
    EXPECT_FALSE(std::getline(in, line));
  }
}

TEST(ExchangeFile, FailedWritesFailTheStream)
{
  std::string name;
  {
    descriptor_buffert buffer(create_exchange_file("ok", name));
    std::ostream out(&buffer);
    out << "line" << std::endl << "rest";
    EXPECT_EQ(file_text(name), "line\n");
    EXPECT_TRUE(buffer.close());
    EXPECT_TRUE(out.good());
    EXPECT_EQ(file_text(name), "line\nrest");
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

TEST(ExchangeFile, NoNameLeftIsAFailure)
{
  // Not even the first name can be made in a directory that is gone.
  const std::filesystem::path home = std::filesystem::current_path();
  std::filesystem::create_directory("gone");
  std::filesystem::current_path("gone");
  std::filesystem::remove(home / "gone");
  std::string name = "previous";
  EXPECT_EQ(create_exchange_file("f", name), -1);
  EXPECT_EQ(name, "");
  std::filesystem::current_path(home);
}

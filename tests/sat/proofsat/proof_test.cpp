#include "resolution_checker.h"
#include "scratch_dir.h"

#include "sat/proofsat/Proof.h"
#include "tests/util/condition_regex.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

namespace
{
// Writes every event it receives as one line of text.
class event_recordert : public ProofTraverser
{
public:
  std::vector<std::string> events;

  void root(const vec<Lit> &literals) override
  {
    std::string line = "root";
    for(Lit p : literals)
      line += " " + std::to_string(index(p));
    events.push_back(line);
  }
  void chain(const vec<ClauseId> &ids, const vec<Var> &pivots) override
  {
    std::string line = "chain " + std::to_string(ids[0]);
    for(int i = 0; i < pivots.size(); i++)
      line +=
        " " + std::to_string(pivots[i]) + ":" + std::to_string(ids[i + 1]);
    events.push_back(line);
  }
  void deleted(ClauseId id) override
  {
    events.push_back("deleted " + std::to_string(id));
  }
  void done() override
  {
    events.push_back("done");
  }
};

vec<Lit> lits(std::initializer_list<int> codes)
{
  vec<Lit> result;
  for(int code : codes)
    result.push(Lit::fromIndex(code));
  return result;
}

// Ten roots, so that the next id is 10.
void ten_roots(Proof &proof)
{
  for(int i = 0; i < 10; i++)
    proof.addRoot(lits({2 * i}));
}

// A proof with large codes, ids and pivots, so that numbers of every
// length occur; the same calls go to both modes.
void varied_events(Proof &proof)
{
  proof.addRoot(lits({9, 4, 9, 6}));
  proof.addRoot(lits({0}));
  proof.addRoot(lits({5, 0x100000, 0x30000001}));
  proof.beginChain(0);
  proof.resolve(2, 0x1FFFFF);
  proof.resolve(1, 3);
  proof.endChain();
  proof.deleted(1);
  for(int i = 0; i < 300; i++)
    proof.addRoot(lits({i, i + 300}));
  proof.beginChain(3);
  proof.resolve(0, 70000);
  proof.endChain();
  proof.deleted(3);
  proof.addRoot(lits({1, 3, 5}));
}
} // namespace

TEST(Proof, TraverserModeReportsEventsInOrder)
{
  event_recordert recorder;
  Proof proof(recorder);
  EXPECT_EQ(proof.fileName(), nullptr);
  EXPECT_EQ(proof.addRoot(lits({9, 4, 9, 6})), 0);
  EXPECT_EQ(proof.addRoot(lits({3})), 1);
  proof.beginChain(1);
  EXPECT_EQ(proof.endChain(), 1); // no step: no new clause
  proof.beginChain(0);
  proof.resolve(1, 1);
  EXPECT_EQ(proof.endChain(), 2);
  proof.deleted(0);
  EXPECT_EQ(proof.last(), 2);
  EXPECT_EQ(proof.addRoot(lits({})), 3);
  EXPECT_EQ(
    recorder.events,
    (std::vector<std::string>{
      "root 4 6 9", "root 3", "chain 0 1:1", "deleted 0", "root"}));
}

TEST(Proof, RecordEncodings)
{
  scratch_dirt dir;
  std::string copy = dir.file("proof");
  Proof proof;
  ten_roots(proof);
  std::string before_records;
  {
    ASSERT_TRUE(proof.save(copy.c_str()));
    before_records = file_text(copy);
    std::remove(copy.c_str());
  }
  EXPECT_EQ(
    before_records,
    std::string(
      "\0\0\4\0\x08\0\x0C\0\x10\0\x14\0\x18\0\x1C\0\x20\0\x24\0", 20));

  proof.beginChain(7);
  proof.resolve(3, 5);
  EXPECT_EQ(proof.endChain(), 10);
  proof.deleted(4);
  EXPECT_EQ(proof.addRoot(lits({9, 4, 9, 6})), 11);
  ASSERT_TRUE(proof.save(copy.c_str()));
  EXPECT_EQ(
    file_text(copy).substr(20),
    std::string("\x07\x06\x07\0\x0F\0\x08\x02\x03\0", 10));
}

TEST(Proof, ReplayMatchesTheEventsOfTraverserMode)
{
  event_recordert direct;
  Proof traverser_mode(direct);
  varied_events(traverser_mode);
  direct.done();

  Proof file_mode;
  varied_events(file_mode);
  event_recordert replayed;
  file_mode.traverse(replayed);
  EXPECT_EQ(replayed.events, direct.events);
  EXPECT_EQ(replayed.events.back(), "done");

  // Up to a goal: the deletion after clause 3 is not read.
  event_recordert partial;
  file_mode.traverse(partial, 3);
  ASSERT_EQ(partial.events.size(), 5u);
  EXPECT_EQ(partial.events[3], "chain 0 2097151:2 3:1");
}

TEST(Proof, RecordsAfterAReplayGoToTheEnd)
{
  Proof proof;
  varied_events(proof);
  event_recordert first;
  proof.traverse(first, 1);
  proof.addRoot(lits({40, 41 + 1}));
  // A goal beyond the file: the replay fails, the file stays usable.
  event_recordert beyond;
  EXPECT_THROW(proof.traverse(beyond, proof.last() + 1), Exception_EOF);
  proof.beginChain(proof.last());
  proof.resolve(0, 2);
  proof.endChain();

  event_recordert all;
  proof.traverse(all);
  ASSERT_GE(all.events.size(), 3u);
  EXPECT_EQ(all.events[all.events.size() - 3], "root 40 42");
  EXPECT_EQ(all.events[all.events.size() - 2], "chain 306 2:0");
  EXPECT_EQ(std::count(all.events.begin(), all.events.end(), "done"), 1);
}

TEST(Proof, SaveRefusesAnExistingFileAndLoggingGoesOn)
{
  scratch_dirt dir;
  std::string existing = dir.file("existing");
  write_bytes(existing, "keep");
  Proof proof;
  proof.addRoot(lits({2, 5}));
  EXPECT_FALSE(proof.save(existing.c_str()));
  EXPECT_EQ(file_text(existing), "keep");
  proof.addRoot(lits({7}));
  std::string copy = dir.file("copy");
  ASSERT_TRUE(proof.save(copy.c_str()));
  EXPECT_EQ(file_text(copy), std::string("\x04\x03\0\x0E\0", 5));

  resolution_checkert checker;
  proof.traverse(checker);
  EXPECT_EQ(checker.clauses.size(), 2u);
}

TEST(ProofDeathTest, MisuseStops)
{
  Proof file_mode;
  EXPECT_DEATH(
    file_mode.addRoot(lits({})),
    "empty input clause cannot be written to a proof file");
  EXPECT_DEATH(
    file_mode.beginChain(ClauseId_NULL),
    condition_regex("start != ClauseId_NULL"));
  file_mode.beginChain(0);
  EXPECT_DEATH(
    file_mode.resolve(ClauseId_NULL, 1),
    condition_regex("next != ClauseId_NULL"));

  event_recordert recorder;
  Proof traverser_mode(recorder);
  EXPECT_DEATH(traverser_mode.traverse(recorder), "!fp.null\\(\\)");
  EXPECT_DEATH(traverser_mode.save("unused"), "!fp.null\\(\\)");
}

// A folder that cannot take a proof file is an exception for the owner to
// answer, not a stop; a proof file goes with its Proof.
TEST(TempFiles, MissingFolderThrowsAndDestructionRemovesTheFile)
{
  scratch_dirt dir;
  const std::string missing = dir.file("missing");
  ASSERT_EQ(setenv("TMPDIR", missing.c_str(), 1), 0);
  try
  {
    Proof unplaced;
    ADD_FAILURE() << "a proof file was made in " << unplaced.fileName();
  }
  catch(const std::system_error &e)
  {
    EXPECT_EQ(
      std::string(e.what()),
      "cannot create a proof file in " + missing +
        ": No such file or directory");
  }

  ASSERT_EQ(setenv("TMPDIR", dir.path.c_str(), 1), 0);
  std::string name;
  {
    Proof proof;
    varied_events(proof);
    name = proof.fileName();
    EXPECT_TRUE(std::filesystem::exists(name));
  }
  unsetenv("TMPDIR");
  EXPECT_FALSE(std::filesystem::exists(name));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path));
}

TEST(TempFilesDeathTest, PrivateAndRemovedAtExit)
{
  // A fresh process, so that the exit handler sees only its own file.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  scratch_dirt dir;
  ASSERT_EQ(setenv("TMPDIR", dir.path.c_str(), 1), 0);
  EXPECT_EXIT(
    {
      Proof proof;
      struct stat status;
      bool mine =
        stat(proof.fileName(), &status) == 0 &&
        (status.st_mode & 0777) == 0600 &&
        std::string(proof.fileName()).rfind(std::getenv("TMPDIR"), 0) == 0;
      std::exit(mine ? 3 : 4);
    },
    ::testing::ExitedWithCode(3),
    "");
  unsetenv("TMPDIR");
  // The child process ran this test again and made its own scratch folder
  // inside this one: no file may be left anywhere below.
  for(const auto &entry :
      std::filesystem::recursive_directory_iterator(dir.path))
    EXPECT_FALSE(entry.is_regular_file()) << entry.path();
}

TEST(ProofDeathTest, SaveAnswersFalseWhenTheCopyCannotBeWritten)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // The child process runs this test again: its scratch folder and proof
  // file go inside this one.
  scratch_dirt dir;
  ASSERT_EQ(setenv("TMPDIR", dir.path.c_str(), 1), 0);
  std::string copy = dir.file("copy");
  EXPECT_EXIT(
    {
      Proof proof;
      varied_events(proof);
      event_recordert replayed;
      proof.traverse(replayed); // the records are on disk now
      // No file may grow any more: writing the copy fails.
      std::signal(SIGXFSZ, SIG_IGN);
      struct rlimit limit;
      limit.rlim_cur = limit.rlim_max = 0;
      setrlimit(RLIMIT_FSIZE, &limit);
      bool saved = proof.save(copy.c_str());
      std::exit(!saved && access(copy.c_str(), F_OK) != 0 ? 3 : 4);
    },
    ::testing::ExitedWithCode(3),
    "");
  unsetenv("TMPDIR");
}

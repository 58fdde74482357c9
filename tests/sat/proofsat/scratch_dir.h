#ifndef MORVANE_TESTS_SAT_PROOFSAT_SCRATCH_DIR_H
#define MORVANE_TESTS_SAT_PROOFSAT_SCRATCH_DIR_H

// A fresh directory under the temporary directory, removed with everything
// in it when the object goes, so that tests leave no files behind.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

class scratch_dirt
{
public:
  scratch_dirt()
  {
    std::string pattern =
      (std::filesystem::temp_directory_path() / "proofsat-test-XXXXXX")
        .string();
    char *made = mkdtemp(&pattern[0]);
    EXPECT_NE(made, nullptr);
    path = pattern;
  }
  ~scratch_dirt()
  {
    std::filesystem::remove_all(path);
  }
  scratch_dirt(const scratch_dirt &) = delete;
  scratch_dirt &operator=(const scratch_dirt &) = delete;

  std::string file(const std::string &name) const
  {
    return path + "/" + name;
  }

  std::string path;
};

inline std::string read_bytes(const std::string &path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void write_bytes(const std::string &path, const std::string &bytes)
{
  std::ofstream(path, std::ios::binary) << bytes;
}

#endif

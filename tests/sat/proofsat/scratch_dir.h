#ifndef MORVANE_TESTS_SAT_PROOFSAT_SCRATCH_DIR_H
#define MORVANE_TESTS_SAT_PROOFSAT_SCRATCH_DIR_H

// A fresh directory under the temporary directory, removed with everything
// in it when the object goes, so that tests leave no files behind.

#include "tests/util/test_files.h"

#include <filesystem>
#include <fstream>
#include <string>

class scratch_dirt
{
public:
  scratch_dirt()
  {
    path = make_temp_folder("proofsat-test-");
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

inline void write_bytes(const std::string &path, const std::string &bytes)
{
  std::ofstream(path, std::ios::binary) << bytes;
}

#endif

#include "layering.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

TEST(Layering, SourceTreeIncludesOnlyFoldersBelow)
{
  // A wrong root would find no folder and nothing wrong.
  ASSERT_TRUE(std::filesystem::is_directory(MORVANE_SOURCE_DIR "/util"));
  const layering_faultst faults = layering_faults(MORVANE_SOURCE_DIR);
  std::string list;
  for(const auto &fault : faults)
    list += fault + "\n";
  EXPECT_TRUE(faults.empty()) << list;
}

// A small tree with one allowed and one forbidden include of each kind
// (through the include path and beside the file), and folders that are no
// subsystem.
TEST(Layering, UpwardIncludesAreFound)
{
  namespace fs = std::filesystem;
  std::string pattern = testing::TempDir() + "layering_XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back(0);
  ASSERT_NE(mkdtemp(buffer.data()), nullptr);
  const fs::path root(buffer.data());
  const auto write = [&root](const std::string &name, const std::string &text) {
    fs::create_directories((root / name).parent_path());
    std::ofstream(root / name) << text;
  };
  write("util/a.h", "#include <vector>\n#include \"util/b.h\"\n");
  write("util/b.h", "");
  write("propositional/p.h", "#include \"util/a.h\"\n");
  write(
    "sat/groupsat/g.cpp",
    "#include \"sat/adapter.h\"\n#include \"propositional/p.h\"\n"
    "  #  include \"qbf_solver/q.h\"\n");
  write("sat/adapter.h", "#include \"../qbf_solver/q.h\"\n");
  write("qbf_solver/q.h", "#include \"propositional/p.h\"\n");
  write("expr_algorithms/e.h", "#include \"propositional/p.h\"\n");
  write("flattening/f.h", "#include \"sat/adapter.h\"\n");
  write("external_solvers/x.h", "#include \"sat/adapter.h\"\n");
  write("tests/t.cpp", "#include \"qbf_solver/q.h\"\n");

  const layering_faultst faults = layering_faults(root.string());
  fs::remove_all(root);
  EXPECT_EQ(
    std::set<std::string>(faults.begin(), faults.end()),
    (std::set<std::string>{
      "sat/groupsat/g.cpp:3: includes qbf_solver/q.h",
      "sat/adapter.h:1: includes ../qbf_solver/q.h",
      "expr_algorithms/e.h:1: includes propositional/p.h",
      "external_solvers/x.h:1: includes sat/adapter.h",
    }));
}

#include "layering.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace
{
// Each subsystem folder and the folders it may include from. Engines in
// sub-folders of sat/ belong to sat/.
const std::map<std::string, std::set<std::string>> &allowed()
{
  static const std::map<std::string, std::set<std::string>> table = {
    {"util", {}},
    {"propositional", {"util"}},
    {"qbf_solver", {"util", "propositional"}},
    {"sat", {"util", "propositional"}},
    {"expr_algorithms", {"util"}},
    {"flattening", {"util", "propositional", "sat", "expr_algorithms"}},
    {"external_solvers",
     {"util", "propositional", "expr_algorithms", "flattening"}},
  };
  return table;
}

// The subsystem folder of a path relative to the root; empty when the path
// lies in none.
std::string subsystem_of(const fs::path &relative)
{
  if(relative.empty())
    return "";
  const std::string top = relative.begin()->string();
  return allowed().count(top) ? top : "";
}

bool is_source(const fs::path &path)
{
  const std::string extension = path.extension().string();
  return extension == ".h" || extension == ".cpp" || extension == ".hpp" ||
         extension == ".inc";
}

// The header named by a quoted include line; empty for any other line.
std::string included_header(const std::string &line)
{
  std::size_t p = line.find_first_not_of(" \t");
  if(p == std::string::npos || line[p] != '#')
    return "";
  p = line.find_first_not_of(" \t", p + 1);
  if(p == std::string::npos || line.compare(p, 7, "include") != 0)
    return "";
  p = line.find_first_not_of(" \t", p + 7);
  if(p == std::string::npos || line[p] != '"')
    return "";
  const std::size_t close = line.find('"', p + 1);
  return close == std::string::npos ? "" : line.substr(p + 1, close - p - 1);
}

// Where a quoted include lands, relative to the root: the include path is
// the root, but a header beside the including file is found first.
fs::path resolve(
  const fs::path &root,
  const fs::path &file,
  const std::string &header)
{
  const fs::path beside = file.parent_path() / header;
  if(fs::exists(beside))
    return fs::relative(fs::weakly_canonical(beside), fs::weakly_canonical(root));
  return fs::path(header).lexically_normal();
}
} // namespace

layering_faultst layering_faults(const std::string &root_name)
{
  layering_faultst faults;
  const fs::path root(root_name);
  for(const auto &layer : allowed())
  {
    const fs::path folder = root / layer.first;
    if(!fs::is_directory(folder))
      continue;
    for(const auto &entry : fs::recursive_directory_iterator(folder))
    {
      if(!entry.is_regular_file() || !is_source(entry.path()))
        continue;
      std::ifstream in(entry.path());
      std::string line;
      for(unsigned number = 1; std::getline(in, line); ++number)
      {
        const std::string header = included_header(line);
        if(header.empty())
          continue;
        const std::string target =
          subsystem_of(resolve(root, entry.path(), header));
        if(
          target.empty() || target == layer.first ||
          layer.second.count(target) != 0)
          continue;
        faults.push_back(
          fs::relative(entry.path(), root).generic_string() + ":" +
          std::to_string(number) + ": includes " + header);
      }
    }
  }
  return faults;
}

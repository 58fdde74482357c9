#include "qbf_solver/certificate_clashes.h"

#include "qbf_solver/certificate.h"

#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <unordered_map>
#include <utility>

namespace
{
using file_idt = std::pair<dev_t, ino_t>;

// The device and inode of an existing file (links followed), which name it
// under every one of its names.
bool file_id(const std::string &name, file_idt &id)
{
  struct stat status;
  if(stat(name.c_str(), &status) != 0)
    return false;
  id = {status.st_dev, status.st_ino};
  return true;
}

// The input files by name and, for existing ones, by file, so that the
// input files that are a certificate name are found with one look-up per
// name instead of one comparison per input file.
class input_indext
{
public:
  explicit input_indext(const std::vector<std::string> &input_files)
  {
    for(std::size_t j = 0; j < input_files.size(); ++j)
    {
      by_name[input_files[j]].push_back(j);
      file_idt id;
      if(file_id(input_files[j], id))
        by_file[id].push_back(j);
    }
  }

  // The input files that are the file `name`, by name or as the same
  // existing file, ascending and each once.
  std::vector<std::size_t> same_files(const std::string &name) const
  {
    std::vector<std::size_t> result;
    const auto named = by_name.find(name);
    if(named != by_name.end())
      result = named->second;
    file_idt id;
    const auto file = file_id(name, id) ? by_file.find(id) : by_file.end();
    if(file != by_file.end())
    {
      result.insert(result.end(), file->second.begin(), file->second.end());
      std::sort(result.begin(), result.end());
      result.erase(std::unique(result.begin(), result.end()), result.end());
    }
    return result;
  }

private:
  std::unordered_map<std::string, std::vector<std::size_t>> by_name;
  std::map<file_idt, std::vector<std::size_t>> by_file;
};

void add_reason(std::vector<std::string> &reasons, const std::string &reason)
{
  // A file named twice on the command line clashes twice alike.
  if(std::find(reasons.begin(), reasons.end(), reason) == reasons.end())
    reasons.push_back(reason);
}
} // namespace

std::vector<std::vector<std::string>>
certificate_clashes(const std::vector<std::string> &input_files)
{
  const input_indext inputs(input_files);
  std::vector<std::vector<std::string>> reasons(input_files.size());
  for(std::size_t i = 0; i < input_files.size(); ++i)
  {
    const std::string &owner = input_files[i];
    for(const std::string &certificate :
        {certificatet::final_name(owner),
         certificatet::temporary_name(owner)})
      for(const std::size_t j : inputs.same_files(certificate))
      {
        const std::string &input = input_files[j];
        // A file's own certificate only ever replaces another name of it
        // (a link, say), never its content.
        if(j == i)
          continue;
        add_reason(
          reasons[i],
          "Could not write certificate file '" + certificate +
            "' of input file '" + owner + "': it is the input file '" +
            input + "'.");
        add_reason(
          reasons[j],
          "Input file '" + input + "' is the certificate file '" +
            certificate + "' of input file '" + owner + "'.");
      }
  }
  return reasons;
}

#include "qbf_solver/certificate_clashes.h"

#include "qbf_solver/certificate.h"

#include <algorithm>
#include <filesystem>

namespace
{
bool same_file(const std::string &a, const std::string &b)
{
  // equivalent() fails, giving false, unless both exist.
  std::error_code error;
  return a == b || std::filesystem::equivalent(a, b, error);
}

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
  std::vector<std::vector<std::string>> reasons(input_files.size());
  for(std::size_t i = 0; i < input_files.size(); ++i)
  {
    const std::string &owner = input_files[i];
    for(const std::string &certificate :
        {certificatet::final_name(owner),
         certificatet::temporary_name(owner)})
      for(std::size_t j = 0; j < input_files.size(); ++j)
      {
        const std::string &input = input_files[j];
        // A file's own certificate only ever replaces another name of it
        // (a link, say), never its content.
        if(j == i || !same_file(input, certificate))
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

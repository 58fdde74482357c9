#include "morvane_run.h"

#include "tests/util/test_files.h"
#include "util/text_utils.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

scratch_foldert::scratch_foldert()
{
  folder = make_temp_folder("morvane_");
}

scratch_foldert::~scratch_foldert()
{
  std::system(("rm -rf " + shell_quote(folder)).c_str());
}

std::string scratch_foldert::path(const std::string &name) const
{
  return folder + "/" + name;
}

void scratch_foldert::write(const std::string &name, const std::string &text)
  const
{
  std::ofstream(path(name), std::ios::binary) << text;
}

std::string scratch_foldert::read(const std::string &name) const
{
  return file_text(path(name));
}

bool scratch_foldert::exists(const std::string &name) const
{
  struct stat info;
  return lstat(path(name).c_str(), &info) == 0;
}

morvane_resultt scratch_foldert::run(
  const std::vector<std::string> &arguments,
  const std::string &shell_setup) const
{
  std::string command = "cd " + shell_quote(folder) + " && ";
  if(!shell_setup.empty())
    command += shell_setup + " && ";
  command += shell_quote(MORVANE_BINARY);
  for(const auto &argument : arguments)
    command += " " + shell_quote(argument);
  command += " >" + shell_quote(path(".out")) + " 2>" + shell_quote(path(".err"));
  int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status)) << command;
  morvane_resultt result{WEXITSTATUS(status), read(".out"), read(".err")};
  std::remove(path(".out").c_str());
  std::remove(path(".err").c_str());
  return result;
}

certificate_verdictt check_certificate_of(
  const scratch_foldert &folder,
  const std::string &name)
{
  qbf_formulat formula;
  std::string error;
  if(!parse_qdimacs(folder.read(name), formula, error))
  {
    certificate_verdictt verdict;
    verdict.reason = name + ": " + error;
    return verdict;
  }
  return check_certificate(formula, folder.read(name + ".qbc"));
}

std::string fixture(const std::string &name)
{
  return file_text(std::string(MORVANE_FIXTURES) + "/" + name);
}

#include "tests/harness/exchange_directory.h"

#include "tests/util/test_files.h"

#include <cstdlib>
#include <fstream>

void exchange_directory_testt::SetUp()
{
  home = std::filesystem::current_path();
  directory = make_temp_folder("exchange_");
  ASSERT_FALSE(HasFailure());
  bin = directory / "bin";
  std::filesystem::create_directory(bin);
  std::filesystem::current_path(directory);

  const char *inherited = std::getenv("PATH");
  old_path = inherited == nullptr ? "" : inherited;
  path = bin.string() + ":" + STAND_IN_DIRECTORY + ":" + old_path;
  setenv("PATH", path.c_str(), 1);
}

void exchange_directory_testt::TearDown()
{
  setenv("PATH", old_path.c_str(), 1);
  std::filesystem::current_path(home);
  std::filesystem::remove_all(directory);
}

void exchange_directory_testt::write_program(
  const std::string &name, const std::string &script)
{
  std::filesystem::path file = bin / name;
  {
    std::ofstream out(file);
    out << "#!/bin/sh\n" << script;
  }
  std::filesystem::permissions(
    file,
    std::filesystem::perms::owner_all,
    std::filesystem::perm_options::replace);
}

void exchange_directory_testt::hide_stand_ins()
{
  setenv("PATH", bin.c_str(), 1);
}

void exchange_directory_testt::write_file(
  const std::string &name, const std::string &text)
{
  std::ofstream(name, std::ios::binary) << text;
}

bool exchange_directory_testt::exists(const std::string &name)
{
  return std::filesystem::exists(name);
}

std::set<std::string> exchange_directory_testt::files()
{
  std::set<std::string> names;
  for(const auto &entry : std::filesystem::directory_iterator("."))
    if(entry.path().filename() != "bin")
      names.insert(entry.path().filename().string());
  return names;
}

#include "util/language_file.h"

#include <filesystem>
#include <fstream>

namespace
{
class discarding_message_handlert : public message_handlert
{
public:
  using message_handlert::print;
  void print(unsigned, const std::string &) override
  {
  }
};
} // namespace

message_handlert &language_filest::front_end_handler()
{
  static discarding_message_handlert discarding;
  return message_handler != nullptr ? *message_handler : discarding;
}

bool language_filest::parse_all_files()
{
  for(auto &entry : filemap)
  {
    const std::string &name = entry.first;
    std::error_code error;
    // A folder opens as a stream but reads as nothing.
    std::ifstream in;
    if(!std::filesystem::is_directory(name, error))
      in.open(name);
    if(!in.is_open())
    {
      print(1, "Failed to open " + name);
      return true;
    }

    language_filet &file = entry.second;
    if(file.language->parse(in, name, front_end_handler()))
    {
      print(1, "Parsing of " + name + " failed");
      return true;
    }
    language_file_modules_provided(file);
  }
  return false;
}

bool language_filest::typecheck_all_files(symbol_tablet &symbol_table)
{
  if(per_file_pass(symbol_table))
    return true;

  for(auto &entry : filemap)
  {
    for(const std::string &name : entry.second.modules)
    {
      language_modulet module;
      module.name = name;
      module.file = &entry.second;
      // A module provided twice stays with the first file.
      modulemap.emplace(name, module);
    }
  }

  for(auto &entry : filemap)
  {
    if(
      entry.second.modules.empty() &&
      entry.second.language->typecheck(symbol_table, "", front_end_handler()))
    {
      return true;
    }
  }

  for(auto &entry : modulemap)
  {
    if(typecheck_module(symbol_table, entry.second))
      return true;
  }
  return false;
}

bool language_filest::per_language_pass(symbol_tablet &symbol_table)
{
  std::set<std::string> seen;
  for(auto &entry : filemap)
  {
    languaget &language = *entry.second.language;
    if(
      seen.insert(language.language_id()).second &&
      language.per_language_step(symbol_table, front_end_handler()))
    {
      return true;
    }
  }
  return false;
}

bool language_filest::per_file_pass(symbol_tablet &symbol_table)
{
  for(auto &entry : filemap)
  {
    if(entry.second.language->per_file_step(symbol_table, front_end_handler()))
      return true;
  }
  return false;
}

void language_filest::for_each_file_hook(const std::string &argument)
{
  for(auto &entry : filemap)
    entry.second.language->file_hook(argument);
}

bool language_filest::find_module_file(
  symbol_tablet &symbol_table,
  const std::string &name)
{
  const auto module = modulemap.find(name);
  if(module == modulemap.end())
  {
    print(1, "found no file that provides module " + name);
    return true;
  }
  return typecheck_module(symbol_table, module->second);
}

bool language_filest::typecheck_module(
  symbol_tablet &symbol_table,
  language_modulet &module)
{
  if(module.type_checked)
    return false;
  if(module.in_progress)
  {
    print(1, "circular dependency in " + module.name);
    return true;
  }

  module.in_progress = true;
  languaget &language = *module.file->language;
  std::set<std::string> dependencies;
  language.dependencies(module.name, dependencies);
  for(const std::string &dependency : dependencies)
  {
    if(find_module_file(symbol_table, dependency))
    {
      module.in_progress = false;
      return true;
    }
  }

  print(6, "Checking " + module.name);
  const bool failed =
    language.typecheck(symbol_table, module.name, front_end_handler());
  if(!failed)
    module.type_checked = true;
  module.in_progress = false;
  return failed;
}

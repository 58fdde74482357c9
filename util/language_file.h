#ifndef MORVANE_UTIL_LANGUAGE_FILE_H
#define MORVANE_UTIL_LANGUAGE_FILE_H

// The language layer: the input files, each with the front end that reads
// it, parsed in file-name order; the modules they provide, type-checked
// into a symbol table in dependency order. Every failure is reported at
// level 1 and ends the running operation with true; the layer throws
// nothing itself.

#include "util/language.h"
#include "util/message.h"

#include <map>
#include <memory>
#include <set>
#include <string>

class symbol_tablet;

class language_filet
{
public:
  std::set<std::string> modules;
  std::unique_ptr<languaget> language;
  std::string filename;
};

class language_modulet
{
public:
  std::string name;
  bool type_checked = false;
  bool in_progress = false;
  // The file that provides the module; not owned.
  language_filet *file = nullptr;
};

class language_filest : public messaget
{
public:
  // By file name; the key is the name the file is opened by.
  typedef std::map<std::string, language_filet> filemapt;
  filemapt filemap;

  // By module name; built by typecheck_all_files.
  typedef std::map<std::string, language_modulet> modulemapt;
  modulemapt modulemap;

  // Opens and parses every file and records the modules it provides. Stops
  // at the first file that cannot be opened ("Failed to open NAME"; a
  // folder counts as such) or parsed ("Parsing of NAME failed").
  bool parse_all_files();

  // Per-file steps; the module map (a module provided twice belongs to the
  // first file); files without modules checked under the empty name; then
  // every module in name order after its dependencies.
  bool typecheck_all_files(symbol_tablet &symbol_table);

  // The per-language step of each language once, through its first file.
  bool per_language_pass(symbol_tablet &symbol_table);
  bool per_file_pass(symbol_tablet &symbol_table);
  void for_each_file_hook(const std::string &argument);

  // Checks the module of that name, or reports
  // "found no file that provides module NAME".
  bool find_module_file(symbol_tablet &symbol_table, const std::string &name);

  // Checks the module after its dependencies, once; a module met again
  // while it is being checked reports "circular dependency in NAME".
  bool typecheck_module(symbol_tablet &symbol_table, language_modulet &module);

  void language_file_modules_provided(language_filet &file)
  {
    file.language->modules_provided(file.modules);
  }

private:
  // The attached handler, or one that drops every message: front ends are
  // always given a handler.
  message_handlert &front_end_handler();
};

#endif

#include "util/language_file.h"
#include "util/symbol_table.h"

#include "message_recorder.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include <stdlib.h>

namespace
{
// A front end over lines "module NAME: DEPENDENCY...". A line "bad" fails
// the parse, "fail-file-step" the per-file step, "fail-check NAME" the
// check of that module ("-" for the file's check without module). Every
// call is logged.
class fake_languaget : public languaget
{
public:
  fake_languaget(std::vector<std::string> &_log, const std::string &_id)
    : log(_log), id(_id)
  {
  }

  bool parse(std::istream &in, const std::string &path, message_handlert &)
    override
  {
    name = std::filesystem::path(path).filename().string();
    log.push_back("parse " + name);
    std::string line;
    while(std::getline(in, line))
    {
      std::istringstream words(line);
      std::string word;
      words >> word;
      if(word == "bad")
        return true;
      if(word == "fail-file-step")
        fail_file_step = true;
      if(word == "fail-check")
        words >> failing;
      if(word == "module")
      {
        std::string module;
        words >> module;
        module.pop_back();
        provided.insert(module);
        std::string dependency;
        while(words >> dependency)
          depends[module].insert(dependency);
      }
    }
    return false;
  }

  void dependencies(const std::string &module, std::set<std::string> &out)
    override
  {
    out.insert(depends[module].begin(), depends[module].end());
  }

  void modules_provided(std::set<std::string> &out) override
  {
    out.insert(provided.begin(), provided.end());
  }

  bool per_language_step(symbol_tablet &, message_handlert &) override
  {
    log.push_back("language " + id + " " + name);
    return false;
  }

  bool per_file_step(symbol_tablet &, message_handlert &) override
  {
    log.push_back("file " + name);
    return fail_file_step;
  }

  bool typecheck(
    symbol_tablet &table,
    const std::string &module,
    message_handlert &) override
  {
    log.push_back("check " + name + " " + module);
    symbolt symbol;
    symbol.name = name + "::" + module;
    table.add(symbol);
    return failing == (module.empty() ? "-" : module);
  }

  std::string language_id() const override
  {
    return id;
  }

  void file_hook(const std::string &argument) override
  {
    log.push_back("hook " + name + " " + argument);
  }

private:
  std::vector<std::string> &log;
  std::string id;
  std::string name;
  std::set<std::string> provided;
  std::map<std::string, std::set<std::string>> depends;
  bool fail_file_step = false;
  std::string failing;
};

class LanguageFiles : public testing::Test
{
protected:
  std::string folder;
  std::vector<std::string> log;
  message_recordert recorder;
  language_filest files;
  symbol_tablet table;

  void SetUp() override
  {
    folder = make_temp_folder("language_");
    ASSERT_FALSE(HasFailure());
    files.set_message_handler(&recorder);
  }

  void TearDown() override
  {
    std::filesystem::remove_all(folder);
  }

  std::string path(const std::string &name) const
  {
    return folder + "/" + name;
  }

  // Adds a file of the fake language; a null text leaves it unwritten.
  void add(const std::string &name, const char *text, const char *id = "fake")
  {
    if(text != nullptr)
      std::ofstream(path(name)) << text;
    language_filet &file = files.filemap[path(name)];
    file.filename = path(name);
    file.language = std::make_unique<fake_languaget>(log, id);
  }

  std::string logged() const
  {
    std::string result;
    for(const auto &entry : log)
      result += entry + ";";
    return result;
  }
};
} // namespace

TEST_F(LanguageFiles, NoFiles)
{
  EXPECT_FALSE(files.parse_all_files());
  EXPECT_FALSE(files.typecheck_all_files(table));
  EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(LanguageFiles, ParseStopsAtTheFirstFailureInFileOrder)
{
  struct
  {
    const char *broken;
    std::string message;
    std::string parsed;
  } cases[] = {
    {nullptr, "", "parse a;parse b;parse c;"},
    {"missing", "1:Failed to open #;", "parse a;"},
    {"folder", "1:Failed to open #;", "parse a;"},
    {"syntax", "1:Parsing of # failed;", "parse a;parse b;"},
  };
  for(const auto &c : cases)
  {
    log.clear();
    recorder.messages.clear();
    files.filemap.clear();
    std::filesystem::remove_all(path("b"));
    add("c", "");
    add("a", "");
    const std::string broken = c.broken == nullptr ? "" : c.broken;
    if(broken == "folder")
      std::filesystem::create_directory(path("b"));
    add("b", broken == "syntax" ? "bad" : broken.empty() ? "" : nullptr);

    EXPECT_EQ(files.parse_all_files(), c.broken != nullptr) << broken;
    std::string message = c.message;
    if(!message.empty())
      message.replace(message.find('#'), 1, path("b"));
    EXPECT_EQ(recorder.texts(), message) << broken;
    EXPECT_EQ(logged(), c.parsed) << broken;
  }
}

TEST_F(LanguageFiles, ModulesCheckedAfterTheirDependencies)
{
  add("a", "module main: lib util\nmodule zed:");
  add("b", "module lib: util");
  add("c", "module util:\nmodule lib:");
  add("d", "");
  ASSERT_FALSE(files.parse_all_files());
  log.clear();

  EXPECT_FALSE(files.typecheck_all_files(table));
  EXPECT_EQ(
    logged(),
    "file a;file b;file c;file d;check d ;"
    "check c util;check b lib;check a main;check a zed;");
  EXPECT_EQ(
    recorder.texts(),
    "6:Checking util;6:Checking lib;6:Checking main;6:Checking zed;");
  // The module provided twice stays with the first file.
  EXPECT_EQ(files.modulemap.at("lib").file, &files.filemap.at(path("b")));
  for(const auto &module : files.modulemap)
    EXPECT_TRUE(module.second.type_checked && !module.second.in_progress);
  EXPECT_EQ(table.symbols.size(), 5u);
}

TEST_F(LanguageFiles, CheckFailures)
{
  struct
  {
    const char *a;
    const char *b;
    std::string messages;
  } cases[] = {
    {"module A: B", "module B: A", "1:circular dependency in A;"},
    {"module A: A", "", "1:circular dependency in A;"},
    {"module A: B", "module B: C", "1:found no file that provides module C;"},
    {"module A: B", "module B:\nfail-check B", "6:Checking B;"},
    {"fail-file-step", "module B:", ""},
    {"fail-check -", "module B:", ""},
  };
  for(const auto &c : cases)
  {
    files.filemap.clear();
    files.modulemap.clear();
    recorder.messages.clear();
    add("a", c.a);
    add("b", c.b);
    ASSERT_FALSE(files.parse_all_files());

    EXPECT_TRUE(files.typecheck_all_files(table)) << c.a;
    EXPECT_EQ(recorder.texts(), c.messages) << c.a;
    for(const auto &module : files.modulemap)
      EXPECT_FALSE(module.second.in_progress) << c.a;
  }
}

TEST_F(LanguageFiles, PerLanguageStepOncePerLanguage)
{
  add("a", "", "one");
  add("b", "", "two");
  add("c", "", "one");
  ASSERT_FALSE(files.parse_all_files());
  log.clear();

  EXPECT_FALSE(files.per_language_pass(table));
  files.for_each_file_hook("x");
  EXPECT_EQ(
    logged(), "language one a;language two b;hook a x;hook b x;hook c x;");
}

TEST_F(LanguageFiles, MergeContextIsNotSupportedByDefault)
{
  add("a", "");
  symbol_tablet other;
  try
  {
    files.filemap.begin()->second.language->merge_context(
      table, other, recorder);
    FAIL() << "no throw";
  }
  catch(const char *text)
  {
    EXPECT_STREQ(
      text, "Language front-end does not support context merging.");
  }
}

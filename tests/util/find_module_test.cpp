#include "util/find_module.h"

#include "util/typecheck.h"

#include "message_recorder.h"

#include <gtest/gtest.h>

namespace
{
void add_symbol(
  symbol_tablet &table,
  const std::string &name,
  const std::string &type,
  bool is_type = false,
  bool free_var = false)
{
  symbolt symbol;
  symbol.name = name;
  symbol.base_name = "counter";
  symbol.type = typet(type);
  symbol.is_type = is_type;
  symbol.free_var = free_var;
  table.add(symbol);
}
} // namespace

TEST(FindModule, OneModuleSymbolAmongOthers)
{
  symbol_tablet table;
  add_symbol(table, "smv::counter", "module", true);
  add_symbol(table, "v::counter", "module", false, true);
  add_symbol(table, "v::counter.x", "bool");
  add_symbol(table, "verilog::counter", "module");

  message_recordert recorder;
  EXPECT_EQ(find_module(table, "counter", recorder).name, "verilog::counter");
  EXPECT_TRUE(recorder.messages.empty());
}

TEST(FindModule, FailuresAreReportedAndThrown)
{
  symbol_tablet table;
  add_symbol(table, "verilog::counter", "module");
  add_symbol(table, "smv::counter", "module");
  add_symbol(table, "smv::other", "bool");

  struct
  {
    const char *name;
    const char *text;
  } cases[] = {
    {"counter",
     "module `counter' does not uniquely resolve:\n"
     "  verilog::counter\n"
     "  smv::counter\n"},
    {"missing", "module `missing' not found"},
  };
  for(const auto &c : cases)
  {
    message_recordert recorder;
    EXPECT_THROW(find_module(table, c.name, recorder), int);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].level, 1u);
    EXPECT_EQ(recorder.messages[0].text, c.text);
    EXPECT_EQ(recorder.messages[0].sequence_number, 1);
    EXPECT_TRUE(recorder.messages[0].location.is_nil());
  }
}

TEST(FindModule, TypeCheckFailsOnAMissingModule)
{
  // The lookup reports the error itself; the check still fails.
  class checkert : public typecheckt
  {
  public:
    checkert(message_handlert &handler, const symbol_tablet &_table)
      : typecheckt(handler), table(_table)
    {
    }
    void typecheck() override
    {
      find_module(table, "missing", *message_handler);
    }

  private:
    const symbol_tablet &table;
  };

  symbol_tablet table;
  message_recordert recorder;
  checkert checker(recorder, table);
  EXPECT_TRUE(checker.typecheck_main());
  EXPECT_EQ(recorder.texts(), "1:module `missing' not found;");
}

#include "util/symbol_table.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace
{
symbolt make_symbol(const std::string &name, const std::string &base_name)
{
  symbolt symbol;
  symbol.name = name;
  symbol.base_name = base_name;
  symbol.module = "m";
  symbol.type = typet("bool");
  return symbol;
}

std::vector<std::string> index_entries(
  const symbol_tablet::indext &index,
  const std::string &key)
{
  std::vector<std::string> names;
  auto range = index.equal_range(key);
  for(auto it = range.first; it != range.second; ++it)
    names.push_back(it->second.as_string());
  return names;
}

void set_every_flag(symbolt &symbol)
{
  for(bool *flag :
      {&symbol.theorem,      &symbol.axiom,       &symbol.is_type,
       &symbol.is_macro,     &symbol.client_flag, &symbol.is_input,
       &symbol.is_output,    &symbol.is_statevar, &symbol.is_actual,
       &symbol.free_var,     &symbol.binding,     &symbol.lvalue,
       &symbol.static_lifetime, &symbol.file_local, &symbol.is_extern,
       &symbol.client_flag2})
    *flag = true;
}

std::string symbol_text(const symbolt &symbol)
{
  std::ostringstream out;
  out << symbol;
  return out.str();
}
} // namespace

TEST(Symbol, NewSymbolIsEmptyWithNilValueAndLocation)
{
  const symbolt symbol;
  EXPECT_TRUE(symbol.type.id().empty());
  EXPECT_TRUE(symbol.value.is_nil());
  EXPECT_TRUE(symbol.location.is_nil());
  EXPECT_TRUE(symbol.name.empty());
  EXPECT_FALSE(symbol.is_type || symbol.binding || symbol.lvalue);
}

TEST(SymbolTable, AddingANameTwiceKeepsTheFirstSymbol)
{
  symbol_tablet table;
  EXPECT_FALSE(table.add(make_symbol("f::x", "x")));
  symbolt second = make_symbol("f::x", "other");
  second.is_type = true;
  EXPECT_TRUE(table.add(second));

  ASSERT_EQ(table.symbols.size(), 1u);
  const symbolt &stored = table.symbols.find("f::x")->second;
  EXPECT_EQ(stored.base_name, "x");
  EXPECT_FALSE(stored.is_type);
  EXPECT_EQ(table.base_name_index.size(), 1u);
  EXPECT_EQ(table.module_index.size(), 1u);
  EXPECT_EQ(second.base_name, "other");
}

TEST(SymbolTable, IndexesKeepEveryScopeInInsertionOrder)
{
  symbol_tablet table;
  table.add(make_symbol("g::x", "x"));
  table.add(make_symbol("f::x", "x"));
  table.add(make_symbol("f::y", "y"));
  EXPECT_EQ(
    index_entries(table.base_name_index, "x"),
    (std::vector<std::string>{"g::x", "f::x"}));
  EXPECT_EQ(
    index_entries(table.module_index, "m"),
    (std::vector<std::string>{"g::x", "f::x", "f::y"}));
}

TEST(SymbolTable, MoveTakesEveryFieldAndLeavesANewSymbol)
{
  symbol_tablet table;
  symbolt symbol = make_symbol("x", "x");
  symbol.value = exprt("constant");
  symbol.mode = "C";
  symbol.client_list = {1, 2};
  symbol.client_word = 7;
  set_every_flag(symbol);
  const std::string before = symbol_text(symbol);

  symbolt *entry = nullptr;
  EXPECT_FALSE(table.move(symbol, entry));
  ASSERT_EQ(entry, &table.symbols.find("x")->second);
  EXPECT_EQ(symbol_text(*entry), before);
  EXPECT_TRUE(entry->binding && entry->client_flag && entry->client_flag2);
  EXPECT_EQ(entry->client_list.size(), 2u);
  EXPECT_EQ(entry->client_word, 7u);
  EXPECT_EQ(table.base_name_index.count("x"), 1u);

  EXPECT_EQ(symbol_text(symbol), symbol_text(symbolt()));
  EXPECT_FALSE(symbol.binding || symbol.client_flag || symbol.client_flag2);
  EXPECT_TRUE(symbol.client_list.empty());
}

TEST(SymbolTable, MovingAPresentNameLeavesTheArgumentAlone)
{
  symbol_tablet table;
  table.add(make_symbol("x", "x"));
  symbolt symbol = make_symbol("x", "other");
  symbolt *entry = nullptr;
  EXPECT_TRUE(table.move(symbol, entry));
  EXPECT_EQ(entry, &table.symbols.find("x")->second);
  EXPECT_EQ(entry->base_name, "x");
  EXPECT_EQ(symbol.base_name, "other");
  EXPECT_EQ(table.base_name_index.size(), 1u);
}

TEST(SymbolTable, HashMapLookupGivesTheValueOrNil)
{
  symbol_tablet table;
  symbolt symbol = make_symbol("x", "x");
  symbol.value = exprt("constant");
  table.add(symbol);
  EXPECT_EQ(irep_hash_map_lookup(table.symbols, "x").id(), "constant");
  EXPECT_TRUE(irep_hash_map_lookup(table.symbols, "absent").is_nil());
}

TEST(SymbolTable, ShowSymbolText)
{
  symbolt symbol;
  symbol.name = "main::x";
  symbol.type = typet("unsignedbv");
  symbol.type.set("width", 8);
  symbol.lvalue = true;
  symbol.static_lifetime = true;
  symbol.is_statevar = true;
  symbol.base_name = "x";
  symbol.mode = "C";
  locationt location;
  location.set_file("a.c");
  location.set_line(3);
  symbol.location = location;
  EXPECT_EQ(
    symbol_text(symbol),
    "  main::x\n"
    "    type:  unsignedbv\n"
    "      * width: 8\n"
    "    value: nil\n"
    "  flags: lvalue static_lifetime statevar mode=C base_name=x\n"
    "  location: file a.c line 3\n"
    "\n");

  symbolt bare;
  bare.name = "y";
  bare.module = "m";
  bare.pretty_name = "Y";
  EXPECT_EQ(
    symbol_text(bare),
    "  y\n"
    "    type:  \n"
    "    value: nil\n"
    "  flags: module=m pretty_name=Y\n"
    "  location: \n"
    "\n");
}

TEST(SymbolTable, ListingOfATable)
{
  symbol_tablet table;
  std::ostringstream empty;
  empty << table;
  EXPECT_EQ(empty.str(), "\nSymbols:\n");

  table.add(make_symbol("x", "x"));
  std::ostringstream one;
  one << table;
  EXPECT_EQ(
    one.str(), "\nSymbols:\n" + symbol_text(table.symbols.begin()->second));
}

#include "util/symbol_table.h"
#include "util/xml_symbol.h"

#include "tree_builders.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>
#include <vector>

namespace
{
std::string printed(const xml_nodet &xml)
{
  std::ostringstream out;
  xml.output(out, 0);
  return out.str();
}

// The "symbol" element written for the symbol in the plain form.
xml_nodet plain_element(const symbolt &symbol)
{
  xml_nodet parent;
  symbol_to_xml(symbol, parent);
  EXPECT_EQ(parent.elements.size(), 1u);
  return parent.elements.front();
}

symbolt read_plain(const xml_nodet &element)
{
  symbolt symbol;
  xml_to_symbol(element, symbol);
  return symbol;
}

// Each flag with its attribute name, set by hand.
const struct
{
  const char *attribute;
  std::function<bool &(symbolt &)> flag;
} flag_cases[] = {
  {"lvalue", [](symbolt &s) -> bool & { return s.lvalue; }},
  {"static_lifetime", [](symbolt &s) -> bool & { return s.static_lifetime; }},
  {"file_local", [](symbolt &s) -> bool & { return s.file_local; }},
  {"theorem", [](symbolt &s) -> bool & { return s.theorem; }},
  {"axiom", [](symbolt &s) -> bool & { return s.axiom; }},
  {"type", [](symbolt &s) -> bool & { return s.is_type; }},
  {"extern", [](symbolt &s) -> bool & { return s.is_extern; }},
  {"input", [](symbolt &s) -> bool & { return s.is_input; }},
  {"output", [](symbolt &s) -> bool & { return s.is_output; }},
  {"macro", [](symbolt &s) -> bool & { return s.is_macro; }},
  {"actual", [](symbolt &s) -> bool & { return s.is_actual; }},
  {"binding", [](symbolt &s) -> bool & { return s.binding; }},
  {"free_var", [](symbolt &s) -> bool & { return s.free_var; }},
  {"statevar", [](symbolt &s) -> bool & { return s.is_statevar; }},
};

// Everything the XML form carries, trees under full equality.
void expect_same_symbol(const symbolt &a, const symbolt &b)
{
  EXPECT_EQ(a.name, b.name);
  EXPECT_TRUE(a.type.full_eq(b.type)) << a.name;
  EXPECT_TRUE(a.value.full_eq(b.value)) << a.name;
  EXPECT_TRUE(a.location.full_eq(b.location)) << a.name;
  EXPECT_EQ(a.mode, b.mode) << a.name;
  EXPECT_EQ(a.base_name, b.base_name) << a.name;
  EXPECT_EQ(a.module, b.module) << a.name;
  EXPECT_EQ(a.pretty_name, b.pretty_name) << a.name;
  symbolt &mutable_a = const_cast<symbolt &>(a);
  symbolt &mutable_b = const_cast<symbolt &>(b);
  for(const auto &flag : flag_cases)
    EXPECT_EQ(flag.flag(mutable_a), flag.flag(mutable_b)) << flag.attribute;
}

// A tree seen as a type or an expression.
template <typename viewt>
viewt as(const irept &tree)
{
  viewt view;
  static_cast<irept &>(view) = tree;
  return view;
}

locationt location_at(const std::string &file, int line)
{
  locationt location;
  location.set_file(file);
  location.set_line(line);
  return location;
}
} // namespace

TEST(XmlSymbol, FunctionBodyIsWrittenAsCompiled)
{
  symbolt function;
  function.name = "c::main";
  function.base_name = "main";
  function.module = "m";
  function.mode = "C";
  function.type = typet("code");
  function.value = exprt("block");
  function.value.operands().push_back(exprt("skip"));
  function.location = location_at("a.c", 3);
  function.static_lifetime = true;

  EXPECT_EQ(
    printed(plain_element(function)),
    "<symbol name=\"c::main\">\n"
    "  <type>\n"
    "    <id>code</id>\n"
    "  </type>\n"
    "  <value>compiled</value>\n"
    "  <flags actual=\"false\" axiom=\"false\" binding=\"false\""
    " extern=\"false\" file_local=\"false\" free_var=\"false\""
    " input=\"false\" lvalue=\"false\" macro=\"false\" output=\"false\""
    " statevar=\"false\" static_lifetime=\"true\" theorem=\"false\""
    " type=\"false\">\n"
    "    <mode>C</mode>\n"
    "    <base_name>main</base_name>\n"
    "    <module>m</module>\n"
    "  </flags>\n"
    "  <location>\n"
    "    <id></id>\n"
    "    <named_sub name=\"file\">\n"
    "      <id>a.c</id>\n"
    "    </named_sub>\n"
    "    <named_sub name=\"line\">\n"
    "      <id>3</id>\n"
    "    </named_sub>\n"
    "  </location>\n"
    "</symbol>\n");

  const symbolt back = read_plain(plain_element(function));
  EXPECT_TRUE(back.value.full_eq(irept("code")));
  EXPECT_TRUE(back.location.full_eq(function.location));
  EXPECT_EQ(back.mode, "C");
}

TEST(XmlSymbol, WhichValuesAreWritten)
{
  struct
  {
    const char *what;
    bool is_type;
    const char *type;
    exprt value;
    bool compiled;
  } cases[] = {
    {"declaration", false, "code", exprt("nil"), false},
    {"type symbol", true, "code", exprt("block"), false},
    {"variable", false, "bool", exprt("true"), false},
    {"function", false, "code", exprt("block"), true},
  };
  for(const auto &c : cases)
  {
    symbolt symbol;
    symbol.is_type = c.is_type;
    symbol.type = typet(c.type);
    symbol.value = c.value;
    const xml_nodet element = plain_element(symbol);
    const xml_nodet &value = *element.find("value");
    EXPECT_EQ(value.data == "compiled", c.compiled) << c.what;
    if(!c.compiled)
    {
      EXPECT_TRUE(read_plain(element).value.full_eq(c.value)) << c.what;
    }
  }
}

TEST(XmlSymbol, EveryFlag)
{
  for(const auto &set : flag_cases)
  {
    symbolt symbol;
    set.flag(symbol) = true;
    const xml_nodet element = plain_element(symbol);
    const xml_nodet &flags = *element.find("flags");
    EXPECT_EQ(flags.attributes.size(), 14u);
    symbolt back = read_plain(element);
    for(const auto &flag : flag_cases)
    {
      const bool expected = flag.attribute == set.attribute;
      EXPECT_EQ(
        flags.attributes.at(flag.attribute), expected ? "true" : "false")
        << set.attribute << " " << flag.attribute;
      EXPECT_EQ(flag.flag(back), expected)
        << set.attribute << " " << flag.attribute;
    }
  }

  // An absent or unexpected value reads as false; no "flags" changes none.
  xml_nodet element;
  element.new_element("flags").attributes = {
    {"lvalue", "true"}, {"axiom", "yes"}};
  symbolt symbol;
  symbol.axiom = symbol.theorem = true;
  xml_to_symbol(element, symbol);
  EXPECT_TRUE(symbol.lvalue);
  EXPECT_FALSE(symbol.axiom || symbol.theorem);
  symbol.theorem = true;
  xml_to_symbol(xml_nodet(), symbol);
  EXPECT_TRUE(symbol.theorem && symbol.lvalue);
}

TEST(XmlSymbol, NamesComeBackAsWritten)
{
  symbolt symbol;
  symbol.name = "a&b<c>";
  symbol.base_name = "b&";
  symbol.module = "m\n";
  symbol.pretty_name = "p&q";
  const xml_nodet element = plain_element(symbol);
  EXPECT_EQ(element.attributes.at("name"), "a&amp;b&lt;c&gt;");
  EXPECT_EQ(element.find("flags")->find("pretty_name")->data, "p&amp;q");

  const symbolt back = read_plain(element);
  EXPECT_EQ(back.name, "a&b<c>");
  EXPECT_EQ(back.base_name, "b&");
  EXPECT_EQ(back.module, "m\n");
  EXPECT_EQ(back.pretty_name, "p&q");

  symbol.pretty_name = dstring();
  const xml_nodet unnamed = plain_element(symbol);
  EXPECT_EQ(unnamed.find("flags")->elements.size(), 3u);
}

TEST(XmlSymbol, PlainRoundTrip)
{
  std::mt19937 random(11);
  for(int round = 0; round < 30; ++round)
  {
    symbolt symbol;
    symbol.name = "s" + std::to_string(round);
    symbol.base_name = "b";
    symbol.module = round % 2 ? "m" : "";
    symbol.mode = "C";
    symbol.type = as<typet>(random_tree(random, 3));
    symbol.value = as<exprt>(random_tree(random, 3));
    if(symbol.type.id() == "code")
      symbol.type.id("bool");
    symbol.location = location_at("f.c", round);
    for(const auto &flag : flag_cases)
      flag.flag(symbol) = random() % 2;

    expect_same_symbol(read_plain(plain_element(symbol)), symbol);
  }
}

TEST(XmlSymbol, SharedSymbolTableRoundTrip)
{
  // Types and values shared between symbols, equal in content but in
  // blocks of their own, and locations that differ only in comments.
  std::mt19937 random(5);
  symbol_tablet table;
  typet word("unsignedbv");
  word.set("width", "32");
  for(int n = 0; n < 12; ++n)
  {
    symbolt symbol;
    symbol.name = "v" + std::to_string(n);
    symbol.base_name = "v";
    symbol.module = "m";
    symbol.mode = "C";
    typet type("array");
    type.subtype() = word;
    // Equal sizes in blocks of their own.
    type.set("size", make_tree(n % 2 ? "4" : "8"));
    symbol.type = n % 3 == 0 ? typet(word) : type;
    symbol.value = as<exprt>(random_tree(random, 3));
    symbol.location = location_at("a.c", n % 4);
    if(n % 2)
      symbol.location.set("#note", "x");
    symbol.is_type = n % 5 == 0;
    table.add(symbol);
  }

  irep_number_tablest tables;
  irep_numbering writer(tables);
  xml_nodet document;
  xml_nodet &symbols = document.new_element("symbols");
  for(const auto &entry : table.symbols)
    symbol_to_xml(writer, entry.second, symbols);
  xml_nodet &ireps = document.new_element("ireps");
  writer.irep_ref_writer_entry(ireps);

  // Each distinct tree once, found by brute force.
  std::vector<irept> distinct;
  std::function<void(const irept &)> collect = [&](const irept &tree) {
    for(const irept &seen : distinct)
    {
      if(seen.full_eq(tree))
        return;
    }
    distinct.push_back(tree);
    for(const irept &child : tree.get_sub())
      collect(child);
    for(const auto &child : tree.get_named_sub())
      collect(child.second);
    for(const auto &child : tree.get_comments())
      collect(child.second);
  };
  for(const auto &entry : table.symbols)
  {
    collect(entry.second.type);
    collect(entry.second.value);
    collect(entry.second.location);
  }
  EXPECT_EQ(ireps.elements.size(), distinct.size());

  // Equal types give one number, different ones different numbers.
  const auto type_number = [](const xml_nodet &symbol) {
    return symbol.find("type")->elements.front().data;
  };
  const auto type_of = [&table](const xml_nodet &symbol) {
    return table.symbols.find(symbol.attributes.at("name"))->second.type;
  };
  for(const xml_nodet &a : symbols.elements)
  {
    for(const xml_nodet &b : symbols.elements)
    {
      EXPECT_EQ(
        type_number(a) == type_number(b), type_of(a).full_eq(type_of(b)));
    }
  }

  irep_number_tablest read_tables;
  irep_numbering reader(read_tables);
  for(const xml_nodet &irep : ireps.elements)
  {
    irept tree;
    reader.irep_ref_reader_entry(irep, tree);
    reader.register_tree(irep.attributes.at("id"), tree);
  }
  symbol_tablet back;
  testing::internal::CaptureStdout();
  for(const xml_nodet &element : symbols.elements)
  {
    symbolt symbol;
    xml_to_symbol(reader, element, symbol);
    EXPECT_FALSE(back.add(symbol));
  }
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

  ASSERT_EQ(back.symbols.size(), table.symbols.size());
  for(const auto &entry : table.symbols)
  {
    const auto found = back.symbols.find(entry.first);
    ASSERT_TRUE(found != back.symbols.end()) << entry.first;
    expect_same_symbol(found->second, entry.second);
  }
}

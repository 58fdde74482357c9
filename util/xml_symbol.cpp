#include "util/xml_symbol.h"

#include "util/xml_irep.h"

#include <functional>

namespace
{
typedef std::function<void(const irept &, xml_nodet &)> tree_writert;
typedef std::function<void(const xml_nodet &, irept &)> tree_readert;

// The flags in the order they are set; printed in name order.
const struct
{
  const char *name;
  bool symbolt::*flag;
} flags[] = {
  {"lvalue", &symbolt::lvalue},
  {"static_lifetime", &symbolt::static_lifetime},
  {"file_local", &symbolt::file_local},
  {"theorem", &symbolt::theorem},
  {"axiom", &symbolt::axiom},
  {"type", &symbolt::is_type},
  {"extern", &symbolt::is_extern},
  {"input", &symbolt::is_input},
  {"output", &symbolt::is_output},
  {"macro", &symbolt::is_macro},
  {"actual", &symbolt::is_actual},
  {"binding", &symbolt::binding},
  {"free_var", &symbolt::free_var},
  {"statevar", &symbolt::is_statevar},
};

void write_symbol(
  const symbolt &symbol,
  xml_nodet &xml,
  const tree_writert &write_tree)
{
  xml_nodet &element = xml.new_element("symbol");
  element.set_attribute("name", escape_xml_text(symbol.name.as_string()));

  write_tree(symbol.type, element.new_element("type"));

  xml_nodet &value = element.new_element("value");
  if(
    !symbol.is_type && symbol.type.id() == ID_code && symbol.value.is_not_nil())
  {
    value.data = "compiled";
  }
  else
    write_tree(symbol.value, value);

  xml_nodet &flags_element = element.new_element("flags");
  for(const auto &flag : flags)
    flags_element.set_attribute(flag.name, symbol.*flag.flag);
  flags_element.new_element("mode").data = symbol.mode.as_string();
  flags_element.new_element("base_name").data =
    escape_xml_text(symbol.base_name.as_string());
  flags_element.new_element("module").data =
    escape_xml_text(symbol.module.as_string());
  if(!symbol.pretty_name.empty())
  {
    flags_element.new_element("pretty_name").data =
      escape_xml_text(symbol.pretty_name.as_string());
  }

  write_tree(symbol.location, element.new_element("location"));
}

void read_flags(const xml_nodet &xml, symbolt &symbol)
{
  for(const auto &flag : flags)
  {
    const auto value = xml.attributes.find(flag.name);
    symbol.*flag.flag =
      value != xml.attributes.end() && value->second == "true";
  }

  for(const xml_nodet &element : xml.elements)
  {
    const std::string text = unescape_xml(element.data);
    if(element.name == "mode")
      symbol.mode = text;
    else if(element.name == "base_name")
      symbol.base_name = text;
    else if(element.name == "module")
      symbol.module = text;
    else if(element.name == "pretty_name")
      symbol.pretty_name = text;
  }
}

void read_symbol(
  const xml_nodet &xml,
  symbolt &symbol,
  const tree_readert &read_tree)
{
  // The name was escaped as element content; read it back the same way.
  const auto name = xml.attributes.find("name");
  symbol.name =
    name == xml.attributes.end() ? std::string() : unescape_xml(name->second);

  for(const xml_nodet &element : xml.elements)
  {
    if(element.name == "type")
      read_tree(element, symbol.type);
    else if(element.name == "value")
    {
      if(element.data == "compiled")
        symbol.value.id("code");
      else
        read_tree(element, symbol.value);
    }
    else if(element.name == "flags")
      read_flags(element, symbol);
    else if(element.name == "location")
      read_tree(element, symbol.location);
  }
}
} // namespace

void symbol_to_xml(const symbolt &symbol, xml_nodet &xml)
{
  write_symbol(symbol, xml, irep_to_xml);
}

void symbol_to_xml(
  irep_numbering &numbering,
  const symbolt &symbol,
  xml_nodet &xml)
{
  write_symbol(symbol, xml, [&numbering](const irept &tree, xml_nodet &to) {
    numbering.write_reference(tree, to);
  });
}

void xml_to_symbol(const xml_nodet &xml, symbolt &symbol)
{
  read_symbol(xml, symbol, xml_to_irep);
}

void xml_to_symbol(
  const irep_numbering &numbering,
  const xml_nodet &xml,
  symbolt &symbol)
{
  read_symbol(xml, symbol, [&numbering](const xml_nodet &from, irept &tree) {
    numbering.irep_ref_reader_entry(from, tree);
    numbering.resolve_references(tree);
  });
}

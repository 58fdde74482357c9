#include "util/xml.h"

#include "util/text_utils.h"

#include <algorithm>
#include <iostream>

void xml_nodet::set_attribute(
  const std::string &attribute,
  const std::string &value)
{
  const bool quoted = !value.empty() && (value[0] == '"' || value[0] == '\'') &&
                      value.back() == value[0];
  // A lone quote character counts as an enclosed empty text.
  attributes[attribute] =
    quoted ? value.substr(1, value.size() < 2 ? 0 : value.size() - 2) : value;
}

void xml_nodet::set_attribute(const std::string &attribute, bool value)
{
  set_attribute(attribute, std::string(value ? "true" : "false"));
}

void xml_nodet::set_attribute(const std::string &attribute, unsigned value)
{
  set_attribute(attribute, unsigned_to_string(value));
}

xml_nodet::elementst::const_iterator
xml_nodet::find(const std::string &element_name) const
{
  return std::find_if(
    elements.begin(), elements.end(), [&](const xml_nodet &node) {
      return node.name == element_name;
    });
}

xml_nodet::elementst::iterator xml_nodet::find(const std::string &element_name)
{
  return std::find_if(elements.begin(), elements.end(), [&](xml_nodet &node) {
    return node.name == element_name;
  });
}

void xml_nodet::indent(std::ostream &out, unsigned count)
{
  for(unsigned i = 0; i < count; i++)
    out << ' ';
}

void xml_nodet::output(std::ostream &out, unsigned indent_count) const
{
  indent(out, indent_count);
  out << '<' << name;
  for(const auto &attribute : attributes)
    out << ' ' << attribute.first << "=\"" << attribute.second << '"';
  out << '>';

  if(elements.empty())
    out << data;
  else
  {
    out << std::endl;
    for(const auto &element : elements)
      element.output(out, indent_count + 2);
    indent(out, indent_count);
  }

  out << "</" << name << '>' << std::endl;
}

// The entity of a markup character, or null; the double quote has one only
// in attribute values.
static const char *markup_entity(char c, bool in_attribute)
{
  switch(c)
  {
  case '<': return "&lt;";
  case '>': return "&gt;";
  case '&': return "&amp;";
  case '"': return in_attribute ? "&quot;" : nullptr;
  default: return nullptr;
  }
}

std::string escape_xml_text(const std::string &text)
{
  std::string result;
  result.reserve(text.size());
  for(char c : text)
  {
    if(const char *entity = markup_entity(c, false))
      result += entity;
    else if(static_cast<signed char>(c) < 32)
    {
      result += "&#";
      result += int_to_string(static_cast<unsigned char>(c));
      result += ';';
    }
    else
      result += c;
  }
  return result;
}

std::string escape_attribute(const std::string &text)
{
  std::string result;
  result.reserve(text.size());
  for(char c : text)
  {
    if(const char *entity = markup_entity(c, true))
      result += entity;
    else
      result += c;
  }
  return result;
}

// Decodes the decimal reference whose "&#" stands at `pos`; returns the
// position after it. Reading stops at the end of the text.
static std::size_t decode_decimal_reference(
  const std::string &text,
  std::size_t pos,
  std::string &result)
{
  std::size_t i = pos + 2;
  unsigned code = 0;
  const std::size_t digits = i;
  for(; i < text.size() && text[i] >= '0' && text[i] <= '9'; i++)
    code = (code * 10 + static_cast<unsigned>(text[i] - '0')) & 0xff;
  if(i > digits)
    result += static_cast<char>(code);
  // The character after the digits (normally ';') belongs to the reference.
  return std::min(i + 1, text.size());
}

// Decodes the named reference at `pos`, if one stands there, and moves
// `pos` behind it.
static bool decode_named_reference(
  const std::string &text,
  std::size_t &pos,
  std::string &result)
{
  static const struct
  {
    const char *reference;
    std::size_t length;
    char character;
  } named[] = {{"&gt;", 4, '>'}, {"&lt;", 4, '<'}, {"&amp;", 5, '&'}};

  for(const auto &entity : named)
  {
    if(text.compare(pos, entity.length, entity.reference) == 0)
    {
      result += entity.character;
      pos += entity.length;
      return true;
    }
  }
  return false;
}

std::string unescape_xml(const std::string &text)
{
  // Every '&' of the input starts a reference, so a hexadecimal reference is
  // one that stands in the input itself, not one that decoding would form.
  const bool has_hex_reference = text.find("&#x") != std::string::npos;
  if(has_hex_reference)
    std::cout << "hex escapes not implemented" << std::endl;

  std::string result;
  result.reserve(text.size());
  std::size_t pos = 0;
  while(pos < text.size())
  {
    if(text[pos] == '&' && decode_named_reference(text, pos, result))
      continue;
    if(!has_hex_reference && text.compare(pos, 2, "&#") == 0)
      pos = decode_decimal_reference(text, pos, result);
    else
      result += text[pos++];
  }
  return result;
}

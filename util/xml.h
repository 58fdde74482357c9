#ifndef MORVANE_UTIL_XML_H
#define MORVANE_UTIL_XML_H

#include <iosfwd>
#include <list>
#include <map>
#include <string>

// An XML element held in memory. `data` is printed exactly as stored, so
// callers escape it; a node with children never prints its data.
class xml_nodet
{
public:
  std::string name;
  std::string data;
  // Printed in byte-wise order of the names.
  std::map<std::string, std::string> attributes;
  // A list, so references to children survive adding siblings.
  typedef std::list<xml_nodet> elementst;
  elementst elements;

  xml_nodet &new_element(const std::string &element_name)
  {
    elements.emplace_back();
    elements.back().name = element_name;
    return elements.back();
  }

  // One pair of matching enclosing quotes (" or ') is stripped from the value.
  void set_attribute(const std::string &attribute, const std::string &value);
  // A string literal is text: without this overload it would convert to
  // bool, a better match than std::string, and be stored as "true".
  void set_attribute(const std::string &attribute, const char *value)
  {
    set_attribute(attribute, std::string(value));
  }
  void set_attribute(const std::string &attribute, bool value);
  void set_attribute(const std::string &attribute, unsigned value);

  // The first child of that name, or the end of `elements`.
  elementst::const_iterator find(const std::string &element_name) const;
  elementst::iterator find(const std::string &element_name);

  void output(std::ostream &out, unsigned indent = 0) const;
  static void indent(std::ostream &out, unsigned count);
};

// Element content: <, >, & and every byte below 32 as a signed byte (the
// control bytes and 128 to 255) are escaped.
std::string escape_xml_text(const std::string &text);

// Attribute values: ", &, < and >.
std::string escape_attribute(const std::string &text);

// Decodes &gt;, &lt;, &amp; and decimal character references, each once.
// A text holding a hexadecimal reference is reported on standard output and
// keeps all its numeric references.
std::string unescape_xml(const std::string &text);

#endif

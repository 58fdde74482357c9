#include "util/xml_irep.h"

#include <iostream>

static void named_children_to_xml(
  const irept::named_subt &children,
  const char *element_name,
  xml_nodet &xml)
{
  for(const auto &child : children)
  {
    xml_nodet &element = xml.new_element(element_name);
    element.set_attribute("name", child.first.as_string());
    irep_to_xml(child.second, element);
  }
}

void irep_to_xml(const irept &irep, xml_nodet &xml)
{
  if(!irep.is_nil())
    xml.new_element("id").data = escape_xml_text(irep.id().as_string());

  for(const auto &child : irep.get_sub())
    irep_to_xml(child, xml.new_element("sub"));

  named_children_to_xml(irep.get_named_sub(), "named_sub", xml);
  named_children_to_xml(irep.get_comments(), "comment", xml);
}

void xml_to_irep(const xml_nodet &xml, irept &irep)
{
  irep.id("nil");

  for(const auto &element : xml.elements)
  {
    if(element.name == "id")
      irep.id(unescape_xml(element.data));
    else if(element.name == "named_sub" || element.name == "comment")
    {
      // The name decides between named child and comment.
      irept child;
      xml_to_irep(element, child);
      const auto name = element.attributes.find("name");
      irep.move_to_named_sub(
        name == element.attributes.end() ? std::string() : name->second,
        child);
    }
    else if(element.name == "sub")
    {
      irept child;
      xml_to_irep(element, child);
      irep.move_to_sub(child);
    }
    else
    {
      std::cout << "Unknown sub found (" << element.name
                << "); malformed xml?" << std::endl;
    }
  }
}

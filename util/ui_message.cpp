#include "util/ui_message.h"

#include "util/location.h"
#include "util/text_utils.h"
#include "util/xml.h"
#include "util/xml_irep.h"

#include <iostream>

const char *level_name(unsigned level)
{
  switch(level)
  {
  case 1: return "ERROR";
  case 2: return "WARNING";
  default: return "STATUS-MESSAGE";
  }
}

ui_message_handlert::~ui_message_handlert()
{
  if(ui_mode == XML)
    std::cout << "</brelvax>" << std::endl;
}

void ui_message_handlert::print(unsigned level, const std::string &text)
{
  if(ui_mode == PLAIN)
  {
    std::cerr << text << std::endl;
    return;
  }
  locationt no_location;
  no_location.id("nil");
  print(level, text, -1, no_location);
}

void ui_message_handlert::print(
  unsigned level,
  const std::string &text,
  int sequence_number,
  const locationt &location)
{
  if(ui_mode == PLAIN)
  {
    message_handlert::print(level, text, sequence_number, location);
    return;
  }

  // The structured forms end every message themselves: one trailing line
  // feed of the text is dropped.
  std::string message = text;
  if(!message.empty() && message.back() == '\n')
    message.pop_back();

  const std::string sequence_text =
    sequence_number < 0 ? std::string() : int_to_string(sequence_number);
  ui_msg(level_name(level), message, sequence_text, location);
}

void ui_message_handlert::ui_msg(
  const std::string &type,
  const std::string &text,
  const std::string &sequence_text,
  const locationt &location)
{
  if(ui_mode == LINE)
    line_ui_msg(type, text, sequence_text, location);
  else
    xml_ui_msg(type, text, sequence_text, location);
}

void ui_message_handlert::line_ui_msg(
  const std::string &type,
  const std::string &text,
  const std::string &sequence_text,
  const locationt &location)
{
  std::cout << type << std::endl
            << text << std::endl
            << sequence_text << std::endl
            << location.get_file() << std::endl
            << location.get_line() << std::endl
            << location.get_column() << std::endl;
}

void ui_message_handlert::xml_ui_msg(
  const std::string &type,
  const std::string &text,
  const std::string &,
  const locationt &location)
{
  xml_nodet message;
  message.name = "message";

  if(location.is_not_nil() && !location.get_file().empty())
  {
    xml_nodet &xml_location = message.new_element("location");
    irep_to_xml(location, xml_location);
  }

  message.new_element("text").data = escape_xml_text(text);
  message.set_attribute("type", escape_attribute(type));
  message.output(std::cout, 0);
  std::cout << std::endl;
}

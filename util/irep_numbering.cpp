#include "util/irep_numbering.h"

#include <algorithm>
#include <iostream>
#include <limits>
#include <sstream>
#include <unordered_set>
#include <vector>

const irept *irep_numbering::find_by_number(irep_numbert number) const
{
  const auto entry = tables.number_to_irep.find(number);
  return entry == tables.number_to_irep.end() ? nullptr : &entry->second;
}

const irep_numbert *irep_numbering::find_by_tree(const irept &irep) const
{
  const auto entry = tables.irep_to_number.find(irep);
  return entry == tables.irep_to_number.end() ? nullptr : &entry->second;
}

irep_numbert
irep_numbering::irep_number_lookup(irep_numbert number, const irept &irep)
{
  const auto inserted = tables.irep_to_number.try_emplace(irep, number);
  if(!inserted.second)
    return inserted.first->second;

  tables.number_to_irep.emplace(number, irep);
  // Counted numbers stay clear of numbers registered from a document.
  if(
    number >= tables.next_number &&
    number != std::numeric_limits<irep_numbert>::max())
  {
    tables.next_number = number + 1;
  }
  return number;
}

irep_numbert irep_numbering::number_tree(const irept &irep)
{
  const irept::dt *block = &irep.read();
  const auto known = tables.numbered_blocks.find(block);
  if(known != tables.numbered_blocks.end())
    return known->second.second;

  const irep_numbert fresh = tables.next_number;
  const irep_numbert number = irep_number_lookup(fresh, irep);
  tables.numbered_blocks.emplace(block, std::make_pair(irep, number));
  if(number != fresh)
    return number;

  // A child numbered before returns at once, without recursing.
  for(const irept &child : irep.get_sub())
    number_tree(child);
  for(const irept::named_subt *children :
      {&irep.get_named_sub(), &irep.get_comments()})
  {
    for(const auto &child : *children)
      number_tree(child.second);
  }
  return number;
}

std::string irep_numbering::number_to_text(irep_numbert number)
{
  std::ostringstream text;
  text << std::hex << number;
  return text.str();
}

irep_numbert irep_numbering::text_to_number(const std::string &text)
{
  std::istringstream in(text);
  irep_numbert number = 0;
  if(!(in >> std::hex >> number))
    return 0;
  return number;
}

irep_numbert irep_numbering::register_tree(
  const std::string &number_text,
  const irept &irep)
{
  return irep_number_lookup(text_to_number(number_text), irep);
}

void irep_numbering::write_reference(const irept &irep, xml_nodet &xml)
{
  // The number of an equal tree when there is one, else a new one.
  xml.new_element("R").data = number_to_text(number_tree(irep));
}

void irep_numbering::write_content(const irept &irep, xml_nodet &xml)
{
  if(!irep.is_nil())
    xml.new_element("id").data = escape_xml_text(irep.id().as_string());

  for(const irept &child : irep.get_sub())
    write_reference(child, xml.new_element("s"));

  const std::pair<const irept::named_subt *, const char *> named[] = {
    {&irep.get_named_sub(), "ns"}, {&irep.get_comments(), "c"}};
  for(const auto &kind : named)
  {
    for(const auto &child : *kind.first)
    {
      xml_nodet &element = xml.new_element(kind.second);
      element.set_attribute("n", child.first.as_string());
      write_reference(child.second, element);
    }
  }
}

void irep_numbering::irep_ref_writer_entry(xml_nodet &xml)
{
  // Number order, so that equal tables give equal documents. Writing a
  // registered tree numbers no new one unless a child of it was never
  // numbered (a tree registered from a document); such trees get numbers
  // above all others and are written in a further round.
  bool first_round = true;
  irep_numbert last_written = 0;
  for(;;)
  {
    std::vector<irep_numbert> numbers;
    for(const auto &entry : tables.number_to_irep)
    {
      if(first_round || entry.first > last_written)
        numbers.push_back(entry.first);
    }
    if(numbers.empty())
      return;
    std::sort(numbers.begin(), numbers.end());

    for(irep_numbert number : numbers)
    {
      xml_nodet &element = xml.new_element("irep");
      element.set_attribute("id", number_to_text(number));
      // A copy: numbering during the write may rehash the table.
      const irept irep = tables.number_to_irep.at(number);
      write_content(irep, element);
    }
    first_round = false;
    last_written = numbers.back();
  }
}

void irep_numbering::irep_ref_reader_entry(const xml_nodet &xml, irept &irep)
  const
{
  irep.id("nil");

  for(const auto &element : xml.elements)
  {
    if(element.name == "R")
    {
      irep.id("__REFERENCE__");
      irep.add("REF").id(element.data);
    }
    else if(element.name == "id")
      irep.id(unescape_xml(element.data));
    else if(element.name == "ns" || element.name == "c")
    {
      // The name decides between named child and comment.
      irept child;
      irep_ref_reader_entry(element, child);
      const auto name = element.attributes.find("n");
      irep.move_to_named_sub(
        name == element.attributes.end() ? std::string() : name->second,
        child);
    }
    else if(element.name == "s")
    {
      irept child;
      irep_ref_reader_entry(element, child);
      irep.move_to_sub(child);
    }
    else
    {
      std::cout << "Unknown sub found (" << element.name
                << "); malformed xml?" << std::endl;
    }
  }
}

namespace
{
// One resolution: the numbers being resolved on the current path (a
// reference to one of them would lead into itself), over the trees
// resolved so far, which later uses of the same number share.
class resolvert
{
public:
  resolvert(
    const irep_numbering &_numbering,
    std::unordered_map<irep_numbert, irept> &_resolved)
    : numbering(_numbering), resolved(_resolved)
  {
  }

  // Returns false when a placeholder stays somewhere in the tree: such a
  // result is not kept for reuse, so that every use reports it (and one cut
  // on a path into itself depends on the path).
  // `as_child` is set for a child of a resolved tree, whose unresolved
  // placeholder is reported once as that child and once more as the tree
  // it is itself.
  bool resolve(irept &irep, const char *kind, bool as_child)
  {
    bool replaced = false;
    irep_numbert number = 0;
    if(is_placeholder(irep))
    {
      const dstring &text = irep.find("REF").id();
      number = irep_numbering::text_to_number(text.as_string());
      const auto done = resolved.find(number);
      if(done != resolved.end())
      {
        irep = done->second;
        return true;
      }
      const irept *registered = numbering.find_by_number(number);
      if(registered == nullptr || on_path.count(number) != 0)
      {
        warn(kind, text);
        if(as_child)
          warn("sub", text);
        return false;
      }
      irep = *registered;
      replaced = true;
      on_path.insert(number);
    }

    bool complete = true;
    for(irept &child : irep.get_sub())
      complete = resolve(child, "sub", true) && complete;
    for(auto &child : irep.get_named_sub())
      complete = resolve(child.second, "named_sub", true) && complete;
    for(auto &child : irep.get_comments())
      complete = resolve(child.second, "comment", true) && complete;

    if(replaced)
    {
      on_path.erase(number);
      if(complete)
        resolved.emplace(number, irep);
    }
    return complete;
  }

private:
  const irep_numbering &numbering;
  std::unordered_map<irep_numbert, irept> &resolved;
  std::unordered_set<irep_numbert> on_path;

  static bool is_placeholder(const irept &irep)
  {
    return irep.id() == ID___REFERENCE__;
  }

  static void warn(const char *kind, const dstring &text)
  {
    std::cout << "Warning: can't resolve irep reference (" << kind << ' '
              << text << ')' << std::endl;
  }
};
} // namespace

void irep_numbering::resolve_references(irept &irep) const
{
  resolvert(*this, tables.resolved).resolve(irep, "sub", false);
}

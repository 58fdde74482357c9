#include "util/irep.h"

#include "util/c_conversion.h"
#include "util/text_utils.h"

#include <string>

const irept::dt &irept::empty_block()
{
  static const dt block;
  return block;
}

const irept &get_nil_irep()
{
  static const irept nil_rep{dstring("nil")};
  return nil_rep;
}

// The nil tree is built during start-up, not on its first use.
static const irept &nil_at_startup = get_nil_irep();

irept::irept(const dstring &id) : data(new dt)
{
  data->id = id;
}

irept &irept::operator=(const irept &irep)
{
  // Standard algorithms assign an element to itself (std::swap(a, a)); a
  // tree that is already its own value stays as it is.
  if(&irep == this)
    return *this;
  // Take the new reference before releasing the old block: the source may
  // live inside that block (a child of this very tree).
  dt *old_data = data;
  data = irep.data;
  if(data != nullptr)
    ++data->ref_count;
  remove_ref(old_data);
  return *this;
}

void irept::release_block(dt *old_data)
{
  for(irept &child : old_data->sub)
  {
    remove_ref(child.data);
    child.data = nullptr;
  }
  subt().swap(old_data->sub);
  old_data->comments.clear();
  old_data->named_sub.clear();
  delete old_data;
}

void irept::detatch()
{
  if(data == nullptr)
    data = new dt;
  else if(data->ref_count > 1)
  {
    dt *old_data = data;
    // The copy shares every child block; a failure half-way releases what it
    // had built and leaves the old block untouched.
    data = new dt(*old_data);
    data->ref_count = 1;
    remove_ref(old_data);
  }
  INVARIANT(data->ref_count==1);
}

void irept::make_nil()
{
  clear();
  id("nil");
}

const irept *irept::find_child(const dstring &name) const
{
  const named_subt &map = is_comment(name) ? read().comments : read().named_sub;
  auto it = map.find(name);
  return it == map.end() ? nullptr : &it->second;
}

const irept &irept::find(const dstring &name) const
{
  const irept *child = find_child(name);
  return child != nullptr ? *child : get_nil_irep();
}

irept &irept::add(const dstring &name)
{
  named_subt &map = is_comment(name) ? get_comments() : get_named_sub();
  return map[name];
}

const dstring &irept::get(const dstring &name) const
{
  static const dstring empty_id;
  const irept *child = find_child(name);
  return child != nullptr ? child->id() : empty_id;
}

bool irept::get_bool(const dstring &name) const
{
  return strtol32(get(name).c_str()) != 0;
}

void irept::set(const dstring &name, int value)
{
  set(name, dstring(int_to_string(value)));
}

void irept::remove(const dstring &name)
{
  named_subt &map = is_comment(name) ? get_comments() : get_named_sub();
  map.erase(name);
}

void irept::move_to_named_sub(const dstring &name, irept &irep)
{
  irept &child = add(name);
  // Moving a child to where it already is must not empty it.
  if(&child == &irep)
    return;
  child.swap(irep);
  irep.clear();
}

void irept::move_to_sub(irept &irep)
{
  subt &children = get_sub();
  children.push_back(get_nil_irep());
  children.back().swap(irep);
}

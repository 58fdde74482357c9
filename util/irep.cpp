#include "util/irep.h"

#include "util/c_conversion.h"
#include "util/text_utils.h"

#include <string>
#include <vector>

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

// Freeing a block releases its children, whose blocks may become free in
// turn. Plain recursion frees trees of everyday depth at no extra cost, but
// a chain of a million nested trees would overflow the stack: the blocks
// that become free deeper than this many levels below the one being freed
// are put in a list and freed from there, one after another.
static const unsigned release_recursion_limit = 100;

void irept::release_block(dt *old_data)
{
  std::vector<dt *> deep_blocks;
  free_block(old_data, 0, deep_blocks);
  while(!deep_blocks.empty())
  {
    dt *block = deep_blocks.back();
    deep_blocks.pop_back();
    free_block(block, 0, deep_blocks);
  }
}

void irept::free_block(
  dt *block,
  unsigned depth,
  std::vector<dt *> &deep_blocks)
{
  // Each child handle is emptied before the block is deleted, so that the
  // handles' destructors have nothing left to release.
  const auto release_child = [&](irept &child) {
    dt *child_data = child.data;
    child.data = nullptr;
    if(child_data == nullptr)
      return;
    INVARIANT(child_data->ref_count!=0);
    if(--child_data->ref_count != 0)
      return;
    if(depth < release_recursion_limit)
      free_block(child_data, depth + 1, deep_blocks);
    else
      deep_blocks.push_back(child_data);
  };
  for(irept &child : block->sub)
    release_child(child);
  for(auto &entry : block->named_sub)
    release_child(entry.second);
  for(auto &entry : block->comments)
    release_child(entry.second);
  delete block;
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

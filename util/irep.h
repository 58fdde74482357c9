#ifndef MORVANE_UTIL_IREP_H
#define MORVANE_UTIL_IREP_H

// The tree of the framework. A node's contents live in a reference-counted
// block that copies share; every writing operation first makes the block
// its own ("detatch"), copying one level only. A null block reads as the
// static empty block: empty identifier, no children. Freeing a tree takes
// bounded stack space whatever its depth.
//
// Named children whose names begin with "#" are comments: they travel with
// the tree but equality, ordering and the plain hash ignore them.

#include "util/dstring.h"
#include "util/invariant.h"
#include "util/irep_ids.h"

#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

class irept
{
public:
  typedef std::vector<irept> subt;
  // Ordered by identifier text.
  typedef std::map<dstring, irept> named_subt;

  class dt
  {
  public:
    unsigned ref_count = 1;
    dstring id;
    named_subt named_sub;
    named_subt comments;
    subt sub;
  };

  irept() : data(nullptr)
  {
  }
  explicit irept(const dstring &id);
  irept(const irept &irep) : data(irep.data)
  {
    if(data != nullptr)
    {
      INVARIANT(data->ref_count!=0);
      ++data->ref_count;
    }
  }
  // Shares the source's block; assigning a tree to itself (also a child
  // through set) leaves it unchanged.
  irept &operator=(const irept &irep);
  ~irept()
  {
    remove_ref(data);
  }

  void clear()
  {
    remove_ref(data);
    data = nullptr;
  }
  void swap(irept &irep)
  {
    std::swap(data, irep.data);
  }

  const dstring &id() const
  {
    return read().id;
  }
  void id(const dstring &new_id)
  {
    detatch();
    data->id = new_id;
  }
  bool is_nil() const
  {
    return id() == ID_nil;
  }
  bool is_not_nil() const
  {
    return !is_nil();
  }
  // A fresh unshared block with the identifier "nil".
  void make_nil();

  // The child with that name, or the static nil tree.
  const irept &find(const dstring &name) const;
  // The child with that name for writing, inserted empty when absent.
  irept &add(const dstring &name);
  // The identifier of the named child; the empty identifier when absent.
  const dstring &get(const dstring &name) const;
  // The named child's identifier read as a decimal number, true when not 0.
  bool get_bool(const dstring &name) const;

  void set(const dstring &name, const dstring &value)
  {
    add(name).id(value);
  }
  void set(const dstring &name, int value);
  void set(const dstring &name, const irept &value)
  {
    add(name) = value;
  }
  void remove(const dstring &name);
  // Swaps the tree into the named child; the argument is left empty,
  // unless it is that very child, which stays as it is.
  void move_to_named_sub(const dstring &name, irept &irep);
  // Appends the tree as the last unnamed child; the argument is left nil.
  void move_to_sub(irept &irep);

  const named_subt &get_named_sub() const
  {
    return read().named_sub;
  }
  named_subt &get_named_sub()
  {
    detatch();
    return data->named_sub;
  }
  const named_subt &get_comments() const
  {
    return read().comments;
  }
  named_subt &get_comments()
  {
    detatch();
    return data->comments;
  }
  const subt &get_sub() const
  {
    return read().sub;
  }
  subt &get_sub()
  {
    detatch();
    return data->sub;
  }

  // Equality and order ignoring comments; full_eq looks at them too.
  bool operator==(const irept &other) const;
  bool operator!=(const irept &other) const
  {
    return !(*this == other);
  }
  bool full_eq(const irept &other) const;
  int compare(const irept &i) const;
  bool operator<(const irept &other) const
  {
    return compare(other) < 0;
  }
  // Hash ignoring comments, and one including them.
  unsigned hash() const;
  unsigned full_hash() const;

  // Indented multi-line text, and the one-line lisp text.
  std::string pretty(unsigned indent = 0) const;
  std::string to_string() const;

  // Makes the block this node's own: allocates one for a null tree, copies
  // a shared one (one level; the children stay shared).
  void detatch();
  const dt &read() const
  {
    return data != nullptr ? *data : empty_block();
  }
  // Releases one reference of a block; the last one frees it.
  static void remove_ref(dt *old_data)
  {
    if(old_data == nullptr)
      return;
    INVARIANT(old_data->ref_count!=0);
    if(--old_data->ref_count == 0)
      release_block(old_data);
  }

  // A name beginning with "#" names a comment.
  static bool is_comment(const dstring &name)
  {
    return !name.empty() && name.c_str()[0] == '#';
  }

protected:
  dt *data;

private:
  static const dt &empty_block();
  static void release_block(dt *old_data);
  // Frees the block and the blocks below it that no other tree holds; the
  // blocks more than a fixed number of levels below it go to `deep_blocks`.
  static void free_block(
    dt *block,
    unsigned depth,
    std::vector<dt *> &deep_blocks);
  const irept *find_child(const dstring &name) const;
};

// The static nil tree: what find hands out for an absent child, and the
// placeholder that code copies when it needs an absent tree.
const irept &get_nil_irep();

struct irep_less
{
  bool operator()(const irept &a, const irept &b) const
  {
    return a < b;
  }
};

struct irep_hash
{
  std::size_t operator()(const irept &irep) const
  {
    return irep.hash();
  }
};

struct irep_full_hash
{
  std::size_t operator()(const irept &irep) const
  {
    return irep.full_hash();
  }
};

struct irep_full_eq
{
  bool operator()(const irept &a, const irept &b) const
  {
    return a.full_eq(b);
  }
};

// Writes the one-line text of the tree; the stream output operator.
std::ostream &irep_to_stream(std::ostream &out, const irept &irep);

inline std::ostream &operator<<(std::ostream &out, const irept &irep)
{
  return irep_to_stream(out, irep);
}

#endif

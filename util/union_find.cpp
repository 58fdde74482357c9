#include "util/union_find.h"

#include "util/dstring.h"
#include "util/expr.h"

#include <algorithm>

void unsigned_union_find::resize(unsigned size)
{
  INVARIANT(nodes.size()<=size);
  nodes.resize(size);
}

unsigned unsigned_union_find::find(unsigned a) const
{
  if(a >= size())
    return a;
  while(!nodes[a].is_root)
    a = nodes[a].parent;
  return a;
}

void unsigned_union_find::make_union(unsigned a, unsigned b)
{
  grow_to_cover(a);
  grow_to_cover(b);
  const unsigned ra = find(a);
  const unsigned rb = find(b);
  if(ra == rb)
    return;
  unsigned joining = rb;
  unsigned root = ra;
  if(nodes[ra].count < nodes[rb].count)
    std::swap(joining, root);
  nodes[root].count += nodes[joining].count;
  nodes[joining].is_root = false;
  nodes[joining].parent = root;
}

unsigned unsigned_union_find::get_other(unsigned a)
{
  grow_to_cover(a);
  a = find(a);
  INVARIANT(nodes[a].count>=2);
  for(unsigned i = 0; i < size(); ++i)
    if(i != a && find(i) == a)
      return i;
  INVARIANT(false);
}

void unsigned_union_find::re_root(unsigned old, unsigned new_root)
{
  grow_to_cover(old);
  grow_to_cover(new_root);
  old = find(old);
  INVARIANT(find(new_root)==old);
  INVARIANT(new_root!=old);
  nodes[new_root] = nodet{nodes[old].count, 0, true};
  nodes[old].is_root = false;
  nodes[old].parent = new_root;
}

void unsigned_union_find::isolate(unsigned a)
{
  grow_to_cover(a);
  const unsigned r = find(a);
  if(r == a)
  {
    const unsigned c = nodes[a].count;
    if(c == 1)
      return;
    INVARIANT(c>=2);
  }
  // Other members may reach the root only through a, so they are all
  // linked straight to the remaining root before a leaves. The members are
  // collected first: relinking changes what find answers on the way.
  std::vector<unsigned> members;
  for(unsigned i = 0; i < size(); ++i)
    if(i != a && find(i) == r)
      members.push_back(i);
  // A root hands its role to the smallest other member.
  const unsigned new_root = r == a ? members.front() : r;
  const unsigned count = nodes[r].count - 1;
  for(unsigned member : members)
  {
    nodes[member].is_root = false;
    nodes[member].parent = new_root;
  }
  nodes[new_root] = nodet{count, 0, true};
  nodes[a] = nodet();
}

void unsigned_union_find::intersection(const unsigned_union_find &other)
{
  unsigned_union_find refined;
  refined.resize(std::max(size(), other.size()));
  for(unsigned i = 0; i < size(); ++i)
  {
    if(nodes[i].is_root)
      continue;
    const unsigned r = find(i);
    if(other.find(i) == other.find(r))
      refined.make_union(i, r);
  }
  nodes.swap(refined.nodes);
}

template class numbering<dstring>;
template class union_find<dstring>;
template class numbering<exprt>;
template class union_find<exprt>;

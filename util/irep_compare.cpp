// Equality, total order and hashes of trees.

#include "util/irep.h"

#include <climits>
#include <cstring>

bool irept::operator==(const irept &other) const
{
  if(data == other.data)
    return true;
  const dt &a = read();
  const dt &b = other.read();
  if(a.id != b.id || a.sub.size() != b.sub.size() ||
     a.named_sub.size() != b.named_sub.size())
    return false;
  for(std::size_t i = 0; i < a.sub.size(); ++i)
    if(!(a.sub[i] == b.sub[i]))
      return false;
  for(auto ia = a.named_sub.begin(), ib = b.named_sub.begin();
      ia != a.named_sub.end();
      ++ia, ++ib)
    if(ia->first != ib->first || !(ia->second == ib->second))
      return false;
  return true;
}

static bool full_eq_maps(const irept::named_subt &a, const irept::named_subt &b)
{
  for(auto ia = a.begin(), ib = b.begin(); ia != a.end(); ++ia, ++ib)
    if(ia->first != ib->first || !ia->second.full_eq(ib->second))
      return false;
  return true;
}

bool irept::full_eq(const irept &other) const
{
  if(data == other.data)
    return true;
  const dt &a = read();
  const dt &b = other.read();
  if(a.id != b.id || a.sub.size() != b.sub.size() ||
     a.named_sub.size() != b.named_sub.size() ||
     a.comments.size() != b.comments.size())
    return false;
  for(std::size_t i = 0; i < a.sub.size(); ++i)
    if(!a.sub[i].full_eq(b.sub[i]))
      return false;
  return full_eq_maps(a.named_sub, b.named_sub) &&
         full_eq_maps(a.comments, b.comments);
}

// std::string::compare of two different identifiers: 1 or -1 at the first
// differing byte (unsigned), else the length difference itself.
static int compare_text(const dstring &a, const dstring &b)
{
  if(a == b)
    return 0;
  const std::string &x = a.as_string();
  const std::string &y = b.as_string();
  const std::size_t common = x.size() < y.size() ? x.size() : y.size();
  const int bytes = std::memcmp(x.data(), y.data(), common);
  if(bytes != 0)
    return bytes < 0 ? -1 : 1;
  const long long difference =
    static_cast<long long>(x.size()) - static_cast<long long>(y.size());
  if(difference > INT_MAX)
    return INT_MAX;
  if(difference < INT_MIN)
    return INT_MIN;
  return static_cast<int>(difference);
}

static int compare_count(std::size_t a, std::size_t b)
{
  return a < b ? -1 : (a > b ? 1 : 0);
}

int irept::compare(const irept &i) const
{
  if(data == i.data)
    return 0;
  if(int r = compare_text(id(), i.id()))
    return r;
  if(int r = compare_count(get_sub().size(), i.get_sub().size()))
    return r;

  auto it1 = get_sub().begin();
  auto it2 = i.get_sub().begin();
  for(; it1 != get_sub().end() && it2 != i.get_sub().end(); ++it1, ++it2)
    if(int r = it1->compare(*it2))
      return r;
  INVARIANT(it1==get_sub().end() && it2==i.get_sub().end());

  if(int r = compare_count(get_named_sub().size(), i.get_named_sub().size()))
    return r;
  auto named1 = get_named_sub().begin();
  auto named2 = i.get_named_sub().begin();
  for(; named1 != get_named_sub().end() && named2 != i.get_named_sub().end();
      ++named1, ++named2)
  {
    if(int r = compare_text(named1->first, named2->first))
      return r;
    if(int r = named1->second.compare(named2->second))
      return r;
  }
  INVARIANT(
    named1 == get_named_sub().end() && named2 == i.get_named_sub().end());
  return 0;
}

static unsigned hash_tree(const irept &irep, bool with_comments)
{
  const irept::dt &d = irep.read();
  unsigned h = hash_dstring(d.id);
  for(const irept &child : d.sub)
    h ^= hash_tree(child, with_comments);
  for(const auto &entry : d.named_sub)
    h ^= hash_dstring(entry.first) ^ hash_tree(entry.second, with_comments);
  if(with_comments)
    for(const auto &entry : d.comments)
      h ^= hash_dstring(entry.first) ^ hash_tree(entry.second, true);
  return h;
}

unsigned irept::hash() const
{
  return hash_tree(*this, false);
}

unsigned irept::full_hash() const
{
  return hash_tree(*this, true);
}

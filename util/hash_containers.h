#ifndef MORVANE_UTIL_HASH_CONTAINERS_H
#define MORVANE_UTIL_HASH_CONTAINERS_H

// Chained hash set and map with a fixed growth policy: bucket counts come
// from one prime list, a new node goes to the head of its chain, and growth
// relinks the old buckets in index order, each chain from its head. Output
// that walks these containers therefore has a reproducible order, which the
// standard unordered containers do not promise. Nodes never move, so
// references to stored values stay valid across growth.

#include <cstddef>
#include <functional>
#include <iterator>
#include <utility>
#include <vector>

// The first entry of the bucket-count prime list that is at least n (the last
// entry when n is larger than all of them).
std::size_t next_hash_prime(std::size_t n);

template <class Value, class Key, class KeyOf, class Hash, class Equal>
class chained_hash_tablet
{
  struct nodet
  {
    nodet *next;
    Value value;
  };

  template <bool is_const>
  class iterator_baset
  {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Value;
    using difference_type = std::ptrdiff_t;
    using pointer = std::conditional_t<is_const, const Value *, Value *>;
    using reference = std::conditional_t<is_const, const Value &, Value &>;

    iterator_baset() = default;
    // A mutable iterator converts to a constant one.
    template <bool other_const, class = std::enable_if_t<is_const || !other_const>>
    iterator_baset(const iterator_baset<other_const> &other)
      : node(other.node), table(other.table)
    {
    }

    reference operator*() const
    {
      return node->value;
    }
    pointer operator->() const
    {
      return &node->value;
    }
    iterator_baset &operator++()
    {
      node = table->next_node(node);
      return *this;
    }
    iterator_baset operator++(int)
    {
      iterator_baset old = *this;
      ++*this;
      return old;
    }
    bool operator==(const iterator_baset &other) const
    {
      return node == other.node;
    }
    bool operator!=(const iterator_baset &other) const
    {
      return node != other.node;
    }

  private:
    friend class chained_hash_tablet;
    template <bool>
    friend class iterator_baset;
    iterator_baset(nodet *n, const chained_hash_tablet *t) : node(n), table(t)
    {
    }
    nodet *node = nullptr;
    const chained_hash_tablet *table = nullptr;
  };

public:
  using key_type = Key;
  using value_type = Value;
  using size_type = std::size_t;
  using iterator = iterator_baset<false>;
  using const_iterator = iterator_baset<true>;

  explicit chained_hash_tablet(std::size_t bucket_hint = 100)
    : buckets(next_hash_prime(bucket_hint), nullptr)
  {
  }

  chained_hash_tablet(const chained_hash_tablet &other)
    : buckets(other.buckets.size(), nullptr)
  {
    try
    {
      copy_nodes_from(other);
    }
    catch(...)
    {
      clear();
      throw;
    }
  }

  chained_hash_tablet(chained_hash_tablet &&other) noexcept
    : buckets(std::move(other.buckets)), element_count(other.element_count)
  {
    other.buckets.clear();
    other.element_count = 0;
  }

  chained_hash_tablet &operator=(chained_hash_tablet other) noexcept
  {
    swap(other);
    return *this;
  }

  ~chained_hash_tablet()
  {
    clear();
  }

  void swap(chained_hash_tablet &other) noexcept
  {
    buckets.swap(other.buckets);
    std::swap(element_count, other.element_count);
  }

  std::size_t size() const
  {
    return element_count;
  }
  bool empty() const
  {
    return element_count == 0;
  }
  std::size_t bucket_count() const
  {
    return buckets.size();
  }

  iterator begin()
  {
    return iterator(first_node_from(0), this);
  }
  iterator end()
  {
    return iterator(nullptr, this);
  }
  const_iterator begin() const
  {
    return const_iterator(first_node_from(0), this);
  }
  const_iterator end() const
  {
    return const_iterator(nullptr, this);
  }

  iterator find(const Key &key)
  {
    return iterator(find_node(key), this);
  }
  const_iterator find(const Key &key) const
  {
    return const_iterator(find_node(key), this);
  }
  std::size_t count(const Key &key) const
  {
    return find_node(key) == nullptr ? 0 : 1;
  }

  // Grows first (hint: one more element), also when the key is present.
  std::pair<iterator, bool> insert(const Value &value)
  {
    resize(element_count + 1);
    const Key &key = KeyOf()(value);
    nodet *&head = buckets[bucket_of(key, buckets.size())];
    for(nodet *n = head; n != nullptr; n = n->next)
      if(Equal()(KeyOf()(n->value), key))
        return {iterator(n, this), false};
    head = new nodet{head, value};
    ++element_count;
    return {iterator(head, this), true};
  }

  std::size_t erase(const Key &key)
  {
    nodet **link = &buckets[bucket_of(key, buckets.size())];
    for(; *link != nullptr; link = &(*link)->next)
    {
      if(Equal()(KeyOf()((*link)->value), key))
      {
        nodet *gone = *link;
        *link = gone->next;
        delete gone;
        --element_count;
        return 1;
      }
    }
    return 0;
  }

  void erase(const_iterator position)
  {
    erase(KeyOf()(*position));
  }

  // Removes every element; the bucket count stays.
  void clear()
  {
    for(nodet *&head : buckets)
    {
      while(head != nullptr)
      {
        nodet *gone = head;
        head = gone->next;
        delete gone;
      }
    }
    element_count = 0;
  }

  void resize(std::size_t hint)
  {
    if(buckets.size() >= hint)
      return;
    std::vector<nodet *> new_buckets(next_hash_prime(hint), nullptr);
    for(nodet *&head : buckets)
    {
      while(head != nullptr)
      {
        nodet *moved = head;
        head = moved->next;
        nodet *&new_head =
          new_buckets[bucket_of(KeyOf()(moved->value), new_buckets.size())];
        moved->next = new_head;
        new_head = moved;
      }
    }
    buckets.swap(new_buckets);
  }

private:
  std::vector<nodet *> buckets;
  std::size_t element_count = 0;

  static std::size_t bucket_of(const Key &key, std::size_t bucket_count)
  {
    return static_cast<std::size_t>(Hash()(key)) % bucket_count;
  }

  nodet *find_node(const Key &key) const
  {
    if(buckets.empty())
      return nullptr;
    for(nodet *n = buckets[bucket_of(key, buckets.size())]; n != nullptr;
        n = n->next)
      if(Equal()(KeyOf()(n->value), key))
        return n;
    return nullptr;
  }

  nodet *first_node_from(std::size_t bucket) const
  {
    for(; bucket < buckets.size(); ++bucket)
      if(buckets[bucket] != nullptr)
        return buckets[bucket];
    return nullptr;
  }

  nodet *next_node(const nodet *node) const
  {
    if(node->next != nullptr)
      return node->next;
    return first_node_from(bucket_of(KeyOf()(node->value), buckets.size()) + 1);
  }

  // Same bucket count and the same chain order as the source.
  void copy_nodes_from(const chained_hash_tablet &other)
  {
    for(std::size_t b = 0; b < other.buckets.size(); ++b)
    {
      nodet **tail = &buckets[b];
      for(const nodet *n = other.buckets[b]; n != nullptr; n = n->next)
      {
        *tail = new nodet{nullptr, n->value};
        tail = &(*tail)->next;
        ++element_count;
      }
    }
  }
};

struct hash_set_key_oft
{
  template <class T>
  const T &operator()(const T &value) const
  {
    return value;
  }
};

struct hash_map_key_oft
{
  template <class Pair>
  const typename Pair::first_type &operator()(const Pair &value) const
  {
    return value.first;
  }
};

template <class Key, class Hash = std::hash<Key>, class Equal = std::equal_to<Key>>
class hash_sett
  : public chained_hash_tablet<const Key, Key, hash_set_key_oft, Hash, Equal>
{
  // Elements of a set are keys: they are never changed in place.
  using baset =
    chained_hash_tablet<const Key, Key, hash_set_key_oft, Hash, Equal>;

public:
  using baset::baset;
};

template <
  class Key,
  class T,
  class Hash = std::hash<Key>,
  class Equal = std::equal_to<Key>>
class hash_mapt : public chained_hash_tablet<
                    std::pair<const Key, T>,
                    Key,
                    hash_map_key_oft,
                    Hash,
                    Equal>
{
  using baset = chained_hash_tablet<
    std::pair<const Key, T>,
    Key,
    hash_map_key_oft,
    Hash,
    Equal>;

public:
  using mapped_type = T;
  using baset::baset;

  T &operator[](const Key &key)
  {
    auto found = this->find(key);
    if(found != this->end())
      return found->second;
    return this->insert({key, T()}).first->second;
  }
};

#endif

#include "qbf_solver/covered_index.h"

#include <algorithm>

namespace
{
bool child_less(const std::pair<unsigned, unsigned> &child, unsigned word)
{
  return child.first < word;
}
} // namespace

bool covered_indext::has_subset_of(const bvt &set) const
{
  if(nodes[0].terminal)
    return true;
  // Depth-first over (node, first position of `set` still to match); a
  // stored set is found as soon as its last node is reached.
  auto &stack = query_stack;
  stack.assign(1, {0, 0});
  const auto reach = [&](unsigned child, std::size_t next) {
    if(nodes[child].terminal)
      return true;
    stack.push_back({child, next});
    return false;
  };
  while(!stack.empty())
  {
    const auto top = stack.back();
    stack.pop_back();
    const nodet &node = nodes[top.first];

    const auto &children = node.children;
    const std::size_t remaining = set.size() - top.second;
    if(children.size() > 4 * remaining)
    {
      // Few literals left: look each of them up among many children.
      for(std::size_t k = top.second; k < set.size(); ++k)
      {
        const auto it = std::lower_bound(
          children.begin(), children.end(), set[k].get(), child_less);
        if(
          it != children.end() && it->first == set[k].get() &&
          reach(it->second, k + 1))
          return true;
      }
    }
    else
    {
      // Walk both sorted sequences together.
      std::size_t k = top.second;
      for(const auto &child : children)
      {
        while(k < set.size() && set[k].get() < child.first)
          ++k;
        if(k == set.size())
          break;
        if(set[k].get() == child.first && reach(child.second, k + 1))
          return true;
      }
    }
  }
  return false;
}

bool covered_indext::insert(const bvt &set)
{
  if(has_subset_of(set))
    return true;
  unsigned node = 0;
  for(const literalt l : set)
  {
    auto &children = nodes[node].children;
    const auto it =
      std::lower_bound(children.begin(), children.end(), l.get(), child_less);
    if(it != children.end() && it->first == l.get())
      node = it->second;
    else
    {
      const unsigned child = nodes.size();
      children.insert(it, {l.get(), child});
      nodes.emplace_back();
      node = child;
    }
  }
  nodes[node].terminal = true;
  return false;
}

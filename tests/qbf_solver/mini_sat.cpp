#include "mini_sat.h"

#include <algorithm>
#include <cstdlib>

void mini_satt::add_slot()
{
  value.push_back(0);
  phase.push_back(-1);
  reason.push_back(-1);
  level.push_back(0);
  activity.push_back(0);
  seen.push_back(false);
  heap_position.push_back(-1);
  watches.resize(watches.size() + 2);
}

int mini_satt::new_variable()
{
  // Slot 0 is unused: literals are signed variable numbers.
  if(value.empty())
    add_slot();
  add_slot();
  int v = static_cast<int>(value.size() - 1);
  heap_insert(v);
  return v;
}

void mini_satt::add_clause(std::vector<int> clause)
{
  std::sort(clause.begin(), clause.end());
  clause.erase(std::unique(clause.begin(), clause.end()), clause.end());
  for(int l : clause)
    if(l < 0 && std::binary_search(clause.begin(), clause.end(), -l))
      return; // always true
  if(clause.empty())
    contradiction = true;
  else if(clause.size() == 1)
  {
    int current = literal_value(clause[0]);
    if(current < 0)
      contradiction = true;
    else if(current == 0)
      assign(clause[0], -1);
  }
  else
  {
    clauses.push_back(clause);
    learnt_clause.push_back(false);
    search_from.push_back(2);
    watch(static_cast<int>(clauses.size() - 1));
  }
}

void mini_satt::watch(int clause_index)
{
  const auto &c = clauses[clause_index];
  watches[index(-c[0])].push_back({clause_index, c[1]});
  watches[index(-c[1])].push_back({clause_index, c[0]});
}

void mini_satt::assign(int l, int why)
{
  int v = std::abs(l);
  value[v] = l > 0 ? 1 : -1;
  reason[v] = why;
  level[v] = static_cast<int>(trail_limits.size());
  trail.push_back(l);
}

// Watches are kept under the negation of the watched literal, so the list of
// a literal that has just become true holds the clauses to look at.
int mini_satt::propagate()
{
  while(propagated < trail.size())
  {
    int true_literal = trail[propagated++];
    int false_literal = -true_literal;
    auto &list = watches[index(true_literal)];
    std::size_t keep = 0, i = 0;
    int conflict = -1;
    for(; i < list.size(); ++i)
    {
      watcht w = list[i];
      if(literal_value(w.blocker) > 0)
      {
        list[keep++] = w;
        continue;
      }
      auto &c = clauses[w.clause];
      if(c[0] == false_literal)
        std::swap(c[0], c[1]);
      if(literal_value(c[0]) > 0)
      {
        list[keep++] = {w.clause, c[0]};
        continue;
      }
      // The search goes round from where the last one stopped: starting at
      // the front each time would pass again the literals made false so far,
      // quadratic in the length of a clause.
      bool moved = false;
      std::size_t &k = search_from[w.clause];
      for(std::size_t tried = 2; tried < c.size() && !moved; ++tried)
      {
        if(literal_value(c[k]) >= 0)
        {
          std::swap(c[1], c[k]);
          watches[index(-c[1])].push_back({w.clause, c[0]});
          moved = true;
        }
        if(++k == c.size())
          k = 2;
      }
      if(moved)
        continue;
      list[keep++] = {w.clause, c[0]};
      if(literal_value(c[0]) < 0)
      {
        conflict = w.clause;
        ++i;
        break;
      }
      assign(c[0], w.clause);
    }
    for(; i < list.size(); ++i)
      list[keep++] = list[i];
    list.resize(keep);
    if(conflict >= 0)
      return conflict;
  }
  return -1;
}

void mini_satt::analyze(int conflict, std::vector<int> &learnt, int &back_level)
{
  int current = static_cast<int>(trail_limits.size());
  learnt.assign(1, 0);
  int open = 0, implied = 0;
  std::size_t position = trail.size();
  int clause_index = conflict;
  do
  {
    for(int q : clauses[clause_index])
    {
      int v = std::abs(q);
      if(q == implied || seen[v] || level[v] == 0)
        continue;
      seen[v] = true;
      bump_variable(v);
      if(level[v] >= current)
        ++open;
      else
        learnt.push_back(q);
    }
    while(!seen[std::abs(trail[--position])])
    {
    }
    implied = trail[position];
    seen[std::abs(implied)] = false;
    clause_index = reason[std::abs(implied)];
    --open;
  } while(open > 0);
  learnt[0] = -implied;
  // A literal whose reason holds only literals of the clause (or of level
  // 0) adds nothing.
  std::vector<int> all = learnt;
  std::size_t kept = 1;
  for(std::size_t i = 1; i < learnt.size(); ++i)
  {
    int why = reason[std::abs(learnt[i])];
    bool redundant = why >= 0;
    for(std::size_t k = 1; redundant && k < clauses[why].size(); ++k)
    {
      int v = std::abs(clauses[why][k]);
      redundant = seen[v] || level[v] == 0;
    }
    if(!redundant)
      learnt[kept++] = learnt[i];
  }
  learnt.resize(kept);
  for(std::size_t i = 1; i < all.size(); ++i)
    seen[std::abs(all[i])] = false;

  back_level = 0;
  for(std::size_t i = 1; i < learnt.size(); ++i)
    if(level[std::abs(learnt[i])] > back_level)
    {
      back_level = level[std::abs(learnt[i])];
      std::swap(learnt[1], learnt[i]);
    }
}

void mini_satt::backtrack(int to_level)
{
  if(static_cast<int>(trail_limits.size()) <= to_level)
    return;
  std::size_t start = trail_limits[to_level];
  for(std::size_t i = trail.size(); i > start; --i)
  {
    int v = std::abs(trail[i - 1]);
    phase[v] = value[v];
    value[v] = 0;
    reason[v] = -1;
    heap_insert(v);
  }
  trail.resize(start);
  trail_limits.resize(to_level);
  propagated = start;
}

namespace
{
// The Luby sequence 1 1 2 1 1 2 4 ...: restart intervals in units of 100
// conflicts.
unsigned luby(unsigned i)
{
  unsigned size = 1, power = 1;
  while(size < i + 1)
  {
    size = 2 * size + 1;
    power *= 2;
  }
  while(size - 1 != i)
  {
    size = (size - 1) / 2;
    power /= 2;
    i %= size;
  }
  return power;
}
} // namespace

bool mini_satt::solve(const std::vector<int> &assumptions)
{
  backtrack(0);
  unsigned conflicts = 0;
  for(;;)
  {
    if(contradiction)
      return false;
    int conflict = propagate();
    if(conflict >= 0)
    {
      if(trail_limits.empty())
      {
        contradiction = true;
        return false;
      }
      std::vector<int> learnt;
      int back_level;
      analyze(conflict, learnt, back_level);
      backtrack(back_level);
      add_learnt(learnt);
      bump *= 1 / 0.95;
      if(++conflicts >= 100 * luby(restarts))
      {
        conflicts = 0;
        ++restarts;
        backtrack(0);
        reduce_learnt();
      }
      continue;
    }
    // Assumptions first, each at a level of its own.
    int next = 0;
    while(next == 0 && trail_limits.size() < assumptions.size())
    {
      int p = assumptions[trail_limits.size()];
      if(literal_value(p) < 0)
        return false;
      if(literal_value(p) > 0)
        trail_limits.push_back(static_cast<int>(trail.size()));
      else
        next = p;
    }
    while(!heap.empty() && next == 0)
    {
      int v = heap_pop();
      if(value[v] == 0)
        next = phase[v] > 0 ? v : -v;
    }
    if(next == 0)
      return true;
    trail_limits.push_back(static_cast<int>(trail.size()));
    assign(next, -1);
  }
}

void mini_satt::add_learnt(const std::vector<int> &learnt)
{
  if(learnt.size() == 1)
  {
    assign(learnt[0], -1);
    return;
  }
  clauses.push_back(learnt);
  learnt_clause.push_back(true);
  search_from.push_back(2);
  int learnt_index = static_cast<int>(clauses.size() - 1);
  watch(learnt_index);
  assign(learnt[0], learnt_index);
}

// At level 0 with everything propagated: drops the longer half of the
// learnt clauses once there are too many, then watches the rest anew.
void mini_satt::reduce_learnt()
{
  std::vector<std::size_t> learnt;
  for(std::size_t i = 0; i < clauses.size(); ++i)
    if(learnt_clause[i])
      learnt.push_back(i);
  if(learnt.size() < learnt_limit)
    return;
  if(propagate() >= 0)
  {
    contradiction = true;
    return;
  }
  learnt_limit += learnt_limit / 10;
  std::sort(learnt.begin(), learnt.end(), [this](std::size_t a, std::size_t b) {
    return clauses[a].size() < clauses[b].size();
  });
  std::vector<bool> drop(clauses.size(), false);
  for(std::size_t i = learnt.size() / 2; i < learnt.size(); ++i)
    drop[learnt[i]] = clauses[learnt[i]].size() > 2;
  std::size_t kept = 0;
  for(std::size_t i = 0; i < clauses.size(); ++i)
    if(!drop[i])
    {
      if(kept != i)
        clauses[kept] = std::move(clauses[i]);
      search_from[kept] = search_from[i];
      learnt_clause[kept++] = learnt_clause[i];
    }
  clauses.resize(kept);
  learnt_clause.resize(kept);
  search_from.resize(kept);
  // Level-0 reasons are never looked at again.
  std::fill(reason.begin(), reason.end(), -1);
  for(auto &list : watches)
    list.clear();
  for(std::size_t i = 0; i < clauses.size(); ++i)
  {
    // Non-false literals first: every clause not yet satisfied has two.
    auto &c = clauses[i];
    std::stable_partition(c.begin(), c.end(), [this](int l) {
      return literal_value(l) >= 0;
    });
    watch(static_cast<int>(i));
  }
}

void mini_satt::bump_variable(int v)
{
  activity[v] += bump;
  if(activity[v] > 1e100)
  {
    for(double &a : activity)
      a *= 1e-100;
    bump *= 1e-100;
  }
  if(heap_position[v] >= 0)
    heap_up(heap_position[v]);
}

void mini_satt::heap_insert(int v)
{
  if(heap_position[v] >= 0)
    return;
  heap_position[v] = static_cast<int>(heap.size());
  heap.push_back(v);
  heap_up(heap_position[v]);
}

int mini_satt::heap_pop()
{
  int top = heap[0];
  heap_position[top] = -1;
  int last = heap.back();
  heap.pop_back();
  if(!heap.empty())
  {
    heap[0] = last;
    heap_position[last] = 0;
    heap_down(0);
  }
  return top;
}

void mini_satt::heap_up(int position)
{
  int v = heap[position];
  while(position > 0)
  {
    int parent = (position - 1) / 2;
    if(activity[heap[parent]] >= activity[v])
      break;
    heap[position] = heap[parent];
    heap_position[heap[position]] = position;
    position = parent;
  }
  heap[position] = v;
  heap_position[v] = position;
}

void mini_satt::heap_down(int position)
{
  int v = heap[position];
  int size = static_cast<int>(heap.size());
  for(;;)
  {
    int child = 2 * position + 1;
    if(child >= size)
      break;
    if(child + 1 < size && activity[heap[child + 1]] > activity[heap[child]])
      ++child;
    if(activity[heap[child]] <= activity[v])
      break;
    heap[position] = heap[child];
    heap_position[heap[position]] = position;
    position = child;
  }
  heap[position] = v;
  heap_position[v] = position;
}

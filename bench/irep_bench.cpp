// Costs of interning identifiers and of copying and writing shared trees.

#include "util/irep.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

// A complete tree with the given depth and fan-out, half of the children
// unnamed and half named.
static irept build_tree(int depth, int fan_out)
{
  irept tree("node");
  if(depth == 0)
    return tree;
  for(int i = 0; i < fan_out; ++i)
  {
    // Each child gets its own blocks: a deep copy, not a shared one.
    irept own = build_tree(depth - 1, fan_out);
    if(i % 2 == 0)
      tree.move_to_sub(own);
    else
      tree.move_to_named_sub("n" + std::to_string(i), own);
  }
  return tree;
}

static void intern_stored_text(benchmark::State &state)
{
  const std::string text = "operands";
  dstring stored(text);
  for(auto _ : state)
    benchmark::DoNotOptimize(dstring(text));
}
BENCHMARK(intern_stored_text);

static void intern_literal(benchmark::State &state)
{
  for(auto _ : state)
    benchmark::DoNotOptimize(dstring("operands"));
}
BENCHMARK(intern_literal);

static void intern_new_texts(benchmark::State &state)
{
  std::vector<std::string> texts;
  for(int i = 0; i < 1000000; ++i)
    texts.push_back("bench_fresh_" + std::to_string(i));
  std::size_t next = 0;
  for(auto _ : state)
  {
    if(next == texts.size())
    {
      state.SkipWithError("ran out of new texts");
      break;
    }
    benchmark::DoNotOptimize(dstring(texts[next++]));
  }
}
BENCHMARK(intern_new_texts)->Iterations(1000000);

static void compare_identifiers(benchmark::State &state)
{
  const dstring a("operands"), b("type");
  for(auto _ : state)
    benchmark::DoNotOptimize(a == b);
}
BENCHMARK(compare_identifiers);

// Copying is O(1) whatever the size of the tree (depth 1 to 7, fan-out 4).
static void copy_tree(benchmark::State &state)
{
  const irept tree = build_tree(static_cast<int>(state.range(0)), 4);
  for(auto _ : state)
  {
    irept copy = tree;
    benchmark::DoNotOptimize(copy);
  }
}
BENCHMARK(copy_tree)->DenseRange(1, 7, 3);

// A write to the root of a shared tree copies one block: the cost follows
// the root's fan-out, not the size of the tree below it.
static void write_root_of_shared_tree(benchmark::State &state)
{
  const irept tree = build_tree(static_cast<int>(state.range(0)), 4);
  const dstring changed("changed");
  for(auto _ : state)
  {
    irept copy = tree;
    copy.id(changed);
    benchmark::DoNotOptimize(copy);
  }
}
BENCHMARK(write_root_of_shared_tree)->DenseRange(1, 7, 3);

// A write at depth d of a shared tree copies the d blocks on the path.
static void write_deep_in_shared_tree(benchmark::State &state)
{
  const int depth = static_cast<int>(state.range(0));
  const irept tree = build_tree(depth, 4);
  const dstring changed("changed");
  for(auto _ : state)
  {
    irept copy = tree;
    irept *node = &copy;
    for(int level = 0; level < depth; ++level)
      node = &node->get_sub()[0];
    node->id(changed);
    benchmark::DoNotOptimize(copy);
  }
}
BENCHMARK(write_deep_in_shared_tree)->DenseRange(1, 7, 3);

// For scale: a full copy of every block of the tree.
static irept deep_copy(const irept &tree)
{
  irept copy{tree.id()};
  for(const irept &child : tree.get_sub())
    copy.get_sub().push_back(deep_copy(child));
  for(const auto &entry : tree.get_named_sub())
    copy.add(entry.first) = deep_copy(entry.second);
  return copy;
}

static void deep_copy_tree(benchmark::State &state)
{
  const irept tree = build_tree(static_cast<int>(state.range(0)), 4);
  for(auto _ : state)
    benchmark::DoNotOptimize(deep_copy(tree));
}
BENCHMARK(deep_copy_tree)->DenseRange(1, 7, 3);

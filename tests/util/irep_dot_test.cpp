#include "util/irep_dot.h"

#include "test_files.h"
#include "tree_builders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <stdlib.h>
#include <sys/wait.h>

namespace
{
std::string dot_text(const irept &irep)
{
  std::ostringstream out;
  irep_to_dot(out, "g", irep);
  return out.str();
}

std::string node(const irept &irep)
{
  std::ostringstream out;
  out << '"' << static_cast<const void *>(&irep) << '"';
  return out.str();
}

std::string node_line(const irept &irep, const std::string &label)
{
  return node(irep) + " [label=\"" + label + "\"];\n";
}

std::string edge_line(
  const irept &from,
  const irept &to,
  const std::string &label)
{
  return node(from) + " -> " + node(to) + " [label=\"" + label + "\"];\n";
}

// A fresh folder holding a stand-in "dot" that records its arguments, one
// per line, in the file "arguments", writes a line on standard output and
// ends with status 3. PATH leads to it first while the fixture lives.
class ShowIrepGraph : public testing::Test
{
protected:
  std::string folder;
  std::string old_path;

  void SetUp() override
  {
    folder = make_temp_folder("irep_dot_");
    ASSERT_FALSE(HasFailure());

    const std::string script = folder + "/dot";
    std::ofstream(script) << "#!/bin/sh\n"
                             "for a in \"$@\"; do echo \"$a\"; done > '"
                          << folder
                          << "/arguments'\n"
                             "echo stand-in picture\n"
                             "exit 3\n";
    std::filesystem::permissions(
      script,
      std::filesystem::perms::owner_all,
      std::filesystem::perm_options::add);

    const char *path = std::getenv("PATH");
    old_path = path == nullptr ? "" : path;
    setenv("PATH", (folder + ":" + old_path).c_str(), 1);
  }

  void TearDown() override
  {
    setenv("PATH", old_path.c_str(), 1);
    std::filesystem::remove_all(folder);
  }
};
} // namespace

TEST(IrepDot, SingleNode)
{
  irept nil;
  nil.make_nil();
  EXPECT_EQ(
    dot_text(nil), "digraph \"g\" {\n" + node_line(nil, "nil") + "}\n");
}

TEST(IrepDot, SharedBlockDrawnOnceBreadthFirst)
{
  // Both children of the root share one block with one child: two child
  // nodes (one per handle), the grandchild once with an edge from each.
  const irept shared = make_tree("s", {make_tree("g")});
  const irept root = make_tree(
    "+", {shared, shared},
    {{"type", make_tree("bool")}, {"#location", make_tree("loc")}});

  const irept &type = root.find("type");
  const irept &location = root.find("#location");
  const irept &first = root.get_sub()[0];
  const irept &second = root.get_sub()[1];
  const irept &grandchild = first.get_sub()[0];
  ASSERT_EQ(&grandchild, &second.get_sub()[0]);

  EXPECT_EQ(
    dot_text(root),
    "digraph \"g\" {\n" + node_line(root, "+") +
      edge_line(root, type, "type") + edge_line(root, location, "#location") +
      edge_line(root, first, "0") + edge_line(root, second, "1") +
      node_line(type, "bool") + node_line(location, "loc") +
      node_line(first, "s") + edge_line(first, grandchild, "0") +
      node_line(second, "s") + edge_line(second, grandchild, "0") +
      node_line(grandchild, "g") + "}\n");
  // Drawing read the tree only: the blocks are still shared.
  EXPECT_EQ(&first.read(), &second.read());
}

TEST_F(ShowIrepGraph, RunsDotOnTheWrittenFile)
{
  const irept tree = make_tree("+", {make_tree("a")});
  const std::string base = folder + "/tree";

  const int status = show_irep_graph(base, tree);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 3);

  // dot -Gsize="7.5,10.5" -Tps tree.dot > tree.ps
  EXPECT_EQ(
    file_text(folder + "/arguments"),
    "-Gsize=7.5,10.5\n-Tps\n" + base + ".dot\n");
  EXPECT_EQ(file_text(base + ".ps"), "stand-in picture\n");
  std::ostringstream graph;
  irep_to_dot(graph, "gr", tree);
  EXPECT_EQ(file_text(base + ".dot"), graph.str());
}

TEST_F(ShowIrepGraph, QuotesAnUnusualBaseName)
{
  const std::string base = folder + "/my 'tree';touch x";
  show_irep_graph(base, make_tree("a"));

  EXPECT_EQ(
    file_text(folder + "/arguments"),
    "-Gsize=7.5,10.5\n-Tps\n" + base + ".dot\n");
  EXPECT_EQ(file_text(base + ".ps"), "stand-in picture\n");
  EXPECT_FALSE(std::filesystem::exists("x"));
  EXPECT_FALSE(std::filesystem::exists(folder + "/x"));
}

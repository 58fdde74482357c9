#include "util/irep_dot.h"

#include "util/text_utils.h"

#include <cstdlib>
#include <deque>
#include <fstream>
#include <unordered_set>

static void edge_line(
  std::ostream &out,
  const irept &from,
  const irept &to,
  const std::string &label)
{
  out << '"' << static_cast<const void *>(&from) << "\" -> \""
      << static_cast<const void *>(&to) << "\" [label=\"" << label << "\"];\n";
}

void irep_to_dot(
  std::ostream &out,
  const std::string &graph_name,
  const irept &irep)
{
  out << "digraph \"" << graph_name << "\" {\n";

  // Only const access: a writing access would unshare the blocks whose
  // sharing the graph is meant to show.
  std::deque<const irept *> queue{&irep};
  std::unordered_set<const irept *> drawn;
  while(!queue.empty())
  {
    const irept &node = *queue.front();
    queue.pop_front();
    if(!drawn.insert(&node).second)
      continue;

    out << '"' << static_cast<const void *>(&node) << "\" [label=\""
        << node.id() << "\"];\n";
    for(const irept::named_subt *children :
        {&node.get_named_sub(), &node.get_comments()})
    {
      for(const auto &child : *children)
      {
        edge_line(out, node, child.second, child.first.as_string());
        queue.push_back(&child.second);
      }
    }
    const irept::subt &sub = node.get_sub();
    for(std::size_t k = 0; k < sub.size(); ++k)
    {
      edge_line(out, node, sub[k], std::to_string(k));
      queue.push_back(&sub[k]);
    }
  }

  out << "}\n";
}

// The base name as a shell word: unchanged when it holds only characters
// the shell takes literally, else in apostrophes, so that a name with a
// blank or a shell character names the written file and runs nothing else.
static std::string shell_word(const std::string &text)
{
  bool plain = !text.empty();
  for(char c : text)
  {
    const bool literal = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                         (c >= '0' && c <= '9') || c == '.' || c == '_' ||
                         c == '-' || c == '/' || c == '+' || c == ',';
    plain = plain && literal;
  }
  return plain ? text : shell_quote(text);
}

int show_irep_graph(const std::string &base_name, const irept &irep)
{
  {
    std::ofstream out(base_name + ".dot");
    irep_to_dot(out, "gr", irep);
  }

  const std::string word = shell_word(base_name);
  const std::string command =
    "dot -Gsize=\"7.5,10.5\" -Tps " + word + ".dot > " + word + ".ps";
  return std::system(command.c_str());
}

#include "propositional/aig.h"

#include "propositional/prop.h"
#include "util/invariant.h"
#include "util/text_utils.h"

#include <ostream>

// The walks below use explicit stacks instead of recursion: a graph may be
// a chain of millions of nodes.

void and_grapht::output_dot_node(std::ostream &out, unsigned n) const
{
  const nodet &node = nodes[n];
  out << n << " [label=\"" << label(n) << '"'
      << (node.is_and ? "]" : ",shape=box]") << '\n';
  if(node.is_and)
  {
    output_dot_edge(out, n, node.a);
    output_dot_edge(out, n, node.b);
  }
}

void and_grapht::output_dot_edge(std::ostream &out, unsigned n, literalt l)
  const
{
  bool negated;
  if(l.is_constant())
  {
    out << "TRUE -> " << n;
    negated = l.is_false();
  }
  else
  {
    out << l.var_no() << " -> " << n;
    negated = l.sign();
  }
  if(negated)
    out << " [arrowhead=odiamond]";
  out << '\n';
}

std::string and_grapht::label(unsigned n) const
{
  return unsigned_to_string(n);
}

void and_grapht::output_dot(std::ostream &out) const
{
  out << "TRUE [label=\"TRUE\", shape=box]\n";
  for(unsigned n = 0; n < nodes.size(); ++n)
    output_dot_node(out, n);
}

void and_grapht::convert(propt &prop, bvt &literals) const
{
  literals.resize(nodes.size());
  while(prop.no_variables() < nodes.size())
    prop.new_variable();

  for(unsigned i = 0; i < nodes.size(); ++i)
  {
    const nodet &node = nodes[i];
    if(!node.is_and)
    {
      literals[i] = literalt(i, false);
      continue;
    }
    // Constants stay; any other operand points below node i.
    const unsigned v_a = node.a.var_no();
    const unsigned v_b = node.b.var_no();
    if(!node.a.is_constant())
      INVARIANT(v_a<i);
    if(!node.b.is_constant())
      INVARIANT(v_b<i);
    auto image = [&literals](literalt l) {
      return l.is_constant()
               ? l
               : literals[l.var_no()].cond_negation(l.sign());
    };
    literals[i] = prop.land(image(node.a), image(node.b));
  }
}

const and_grapht::terminalst &
and_grapht::get_terminals_rec(unsigned root, terminals_memot &memo) const
{
  struct visitt
  {
    unsigned node;
    bool operands_done;
  };
  std::vector<visitt> stack{{root, false}};

  while(!stack.empty())
  {
    visitt visit = stack.back();
    stack.pop_back();
    const unsigned n = visit.node;

    if(!visit.operands_done)
    {
      if(memo.count(n) != 0)
        continue;
      INVARIANT(n<nodes.size());
      // Entered empty at once, so a node is expanded only once.
      memo[n];
      stack.push_back({n, true});
      const nodet &node = nodes[n];
      if(node.is_and)
      {
        for(literalt l : {node.b, node.a})
          if(!l.is_constant())
            stack.push_back({l.var_no(), false});
      }
      continue;
    }

    const nodet &node = nodes[n];
    terminalst &terminals = memo[n];
    if(!node.is_and)
    {
      terminals.insert(n);
      continue;
    }
    for(literalt l : {node.a, node.b})
    {
      if(l.is_constant())
        continue;
      const terminalst &below = memo[l.var_no()];
      terminals.insert(below.begin(), below.end());
    }
  }

  return memo[root];
}

void and_grapht::get_terminals(terminals_memot &memo) const
{
  for(unsigned n = 0; n < nodes.size(); ++n)
    get_terminals_rec(n, memo);
}

void and_grapht::print_and_graph_literal(std::ostream &out, literalt l) const
{
  // Each entry is a literal to print, or a piece of text when `text` is set.
  struct itemt
  {
    literalt l;
    const char *text;
  };
  std::vector<itemt> stack{{l, nullptr}};

  while(!stack.empty())
  {
    itemt item = stack.back();
    stack.pop_back();
    if(item.text != nullptr)
    {
      out << item.text;
      continue;
    }

    literalt current = item.l;
    if(current.is_false())
    {
      out << "FALSE";
      continue;
    }
    if(current.is_true())
    {
      out << "TRUE";
      continue;
    }

    INVARIANT(current.var_no() < nodes.size());
    const nodet &node = nodes[current.var_no()];
    if(current.sign())
      out << '!';
    if(node.is_and)
    {
      out << '(';
      stack.push_back({literalt(), ")"});
      stack.push_back({node.b, nullptr});
      stack.push_back({literalt(), "&"});
      stack.push_back({node.a, nullptr});
    }
    else
      out << "var(" << current.var_no() << ')';
  }
}

void and_grapht::print_and_graph(std::ostream &out) const
{
  for(unsigned i = 0; i < nodes.size(); ++i)
  {
    out << 'n' << i << " = ";
    print_and_graph_literal(out, literalt(i, false));
    out << '\n';
  }
}

std::ostream &operator<<(std::ostream &out, const and_grapht &graph)
{
  graph.print_and_graph(out);
  return out;
}

namespace
{
void print_operand(std::ostream &out, literalt l)
{
  if(l.is_constant())
    out << (l.is_true() ? "TRUE" : "FALSE");
  else
    out << (l.sign() ? "!n" : "n") << l.var_no();
}
} // namespace

void and_graph_formulat::print_node_list(std::ostream &out) const
{
  for(unsigned i = 0; i < nodes.size(); ++i)
  {
    const nodet &node = nodes[i];
    out << 'n' << i << " = ";
    if(node.is_and)
    {
      print_operand(out, node.a);
      out << " & ";
      print_operand(out, node.b);
    }
    else
      out << "var(" << i << ')';
    out << '\n';
  }
  out << "root = ";
  print_operand(out, root_literal);
  out << '\n';
}

literalt and_graph_formulat::convert(propt &prop) const
{
  if(root_literal.is_constant())
    return root_literal;
  bvt literals;
  convert(prop, literals);
  const unsigned v = root_literal.var_no();
  INVARIANT(v<literals.size());
  return literals[v].cond_negation(root_literal.sign());
}

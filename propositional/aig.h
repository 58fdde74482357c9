#ifndef MORVANE_PROPOSITIONAL_AIG_H
#define MORVANE_PROPOSITIONAL_AIG_H

#include "propositional/literal.h"

#include <iosfwd>
#include <map>
#include <set>
#include <string>
#include <vector>

class propt;

// An and-inverter graph: node n is variable n (literal 2n, negated 2n+1),
// either an input or a two-input AND whose operands are constants or
// literals of nodes below it. Node 0 is an ordinary node.
class and_grapht
{
public:
  struct nodet
  {
    bool is_and = false;
    // The operands of an AND node; both 0 for an input.
    literalt a, b;
  };

  typedef std::vector<nodet> nodest;
  nodest nodes;

  unsigned number_of_nodes() const
  {
    return nodes.size();
  }

  virtual ~and_grapht() = default;

  // Graphviz lines, without graph header or footer.
  virtual void output_dot_node(std::ostream &out, unsigned n) const;
  virtual void output_dot_edge(std::ostream &out, unsigned n, literalt l)
    const;
  virtual std::string label(unsigned n) const;
  virtual void output_dot(std::ostream &out) const;

  // Makes the graph's gates in prop: literals[i] becomes the image of node
  // i, and input node i is prop's variable i.
  virtual void convert(propt &prop, bvt &literals) const;

  typedef std::set<unsigned> terminalst;
  typedef std::map<unsigned, terminalst> terminals_memot;

  // The input nodes below node root, memoised in memo.
  const terminalst &
  get_terminals_rec(unsigned root, terminals_memot &memo) const;
  void get_terminals(terminals_memot &memo) const;

  // Infix form without blanks, such as "(var(1)&!var(2))".
  void print_and_graph_literal(std::ostream &out, literalt l) const;
  // One line "n<i> = <formula>" per node.
  void print_and_graph(std::ostream &out) const;
};

std::ostream &operator<<(std::ostream &out, const and_grapht &graph);

// A graph with one distinguished output.
class and_graph_formulat : public and_grapht
{
public:
  using and_grapht::convert;

  // The image of root_literal in prop.
  literalt convert(propt &prop) const;

  // Writes each node once, an AND naming its operands by node number, so
  // the listing grows linearly with the graph (print_and_graph writes each
  // node's whole formula, which grows with the paths below it):
  //   n<i> = var(<i>)      an input
  //   n<i> = <op> & <op>   an AND, <op> being n<k>, !n<k>, TRUE or FALSE
  //   root = <op>          root_literal, last
  void print_node_list(std::ostream &out) const;

  literalt root_literal;
};

#endif

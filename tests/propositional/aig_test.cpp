#include "brute_force.h"

#include "propositional/aig_prop.h"
#include "propositional/cnf_clause_list.h"
#include "tests/util/condition_regex.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{
// The value of every node under the values of the input nodes.
std::vector<bool> evaluate(const and_grapht &graph, const std::vector<bool> &inputs)
{
  std::vector<bool> values(graph.number_of_nodes());
  for(unsigned n = 0; n < graph.number_of_nodes(); ++n)
  {
    const and_grapht::nodet &node = graph.nodes[n];
    values[n] = node.is_and
                  ? value_of(node.a, values) && value_of(node.b, values)
                  : bool(inputs[n]);
  }
  return values;
}

and_grapht::nodet and_node(literalt a, literalt b)
{
  and_grapht::nodet node;
  node.is_and = true;
  node.a = a;
  node.b = b;
  return node;
}

// Three inputs, then n3 = (n1 & !n2), n4 = (F & !n3), n5 = (T & T).
and_grapht sample_graph()
{
  and_grapht graph;
  graph.nodes.resize(3);
  graph.nodes.push_back(and_node(literalt(1, false), literalt(2, true)));
  graph.nodes.push_back(and_node(lit(F), literalt(3, true)));
  graph.nodes.push_back(and_node(lit(T), lit(T)));
  return graph;
}

std::string printed(const and_grapht &graph)
{
  std::ostringstream out;
  out << graph;
  return out.str();
}
} // namespace

TEST(AndGraphProp, ShortcutsAndNodeCosts)
{
  struct caset
  {
    const char *name;
    std::function<literalt(propt &, literalt, literalt)> gate;
    // F, T, or the node of a positive result
    int result;
    unsigned new_nodes;
  };
  typedef propt &P;
  typedef literalt L;
  const std::vector<caset> cases = {
    {"land x,!x", [](P p, L x, L) { return p.land(x, !x); }, F, 0},
    {"land x,T", [](P p, L x, L) { return p.land(x, lit(T)); }, 0, 0},
    {"land x,F", [](P p, L x, L) { return p.land(x, lit(F)); }, F, 0},
    {"land x,x", [](P p, L x, L) { return p.land(x, x); }, 2, 1},
    {"lxor x,x", [](P p, L x, L) { return p.lxor(x, x); }, F, 0},
    {"lxor x,!x", [](P p, L x, L) { return p.lxor(x, !x); }, T, 0},
    {"lxor T,y", [](P p, L, L y) { return p.lxor(lit(T), y); }, -1, 0},
    {"lselect x,y,y", [](P p, L x, L y) { return p.lselect(x, y, y); }, 1, 0},
    {"land []", [](P p, L, L) { return p.land(bvt()); }, T, 0},
    {"lor []", [](P p, L, L) { return p.lor(bvt()); }, F, 0},
    {"lxor []", [](P p, L, L) { return p.lxor(bvt()); }, F, 0},
    {"land [x,y]", [](P p, L x, L y) { return p.land(bvt{x, y}); }, 2, 1},
    {"lor", [](P p, L x, L y) { return p.lor(x, y); }, -2, 1},
    {"lxor", [](P p, L x, L y) { return p.lxor(x, y); }, -4, 3},
    {"lselect", [](P p, L x, L y) { return p.lselect(x, y, !y); }, -4, 3},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.name);
    and_grapht graph;
    and_graph_propt prop(graph);
    literalt x = prop.new_variable();
    literalt y = prop.new_variable();
    literalt result = c.gate(prop, x, y);
    literalt expected = c.result == T || c.result == F
                          ? lit(c.result)
                          : literalt(c.result < 0 ? -c.result : c.result, c.result < 0);
    EXPECT_EQ(result, expected);
    EXPECT_EQ(prop.no_variables(), 2 + c.new_nodes);
  }
}

TEST(AndGraphProp, XorBuildsTwoAndsThenTheirOr)
{
  and_grapht graph;
  and_graph_propt prop(graph);
  literalt x = prop.new_variable();
  literalt y = prop.new_variable();
  EXPECT_EQ(x.get(), 0u);
  literalt result = prop.lxor(x, y);

  const std::vector<std::pair<unsigned, unsigned>> operands = {
    {1, 2}, {0, 3}, {7, 5}};
  ASSERT_EQ(graph.number_of_nodes(), 5u);
  for(unsigned i = 0; i < operands.size(); ++i)
  {
    const and_grapht::nodet &node = graph.nodes[2 + i];
    EXPECT_TRUE(node.is_and);
    EXPECT_EQ(node.a.get(), operands[i].first);
    EXPECT_EQ(node.b.get(), operands[i].second);
  }
  EXPECT_EQ(result.get(), 9u);
  EXPECT_EQ(
    printed(graph),
    "n0 = var(0)\n"
    "n1 = var(1)\n"
    "n2 = (!var(0)&var(1))\n"
    "n3 = (var(0)&!var(1))\n"
    "n4 = (!(var(0)&!var(1))&!(!var(0)&var(1)))\n");
}

// The gates over lists chain the two-operand gate from its neutral
// constant, each operand the first argument in turn: land [x, y, z] is
// land(z, land(y, x)). The nodes below are (a, b) as literal words, in
// order of creation after the three inputs.
TEST(AndGraphProp, ListGatesChainEachOperandAsFirstArgument)
{
  struct
  {
    const char *name;
    literalt (*gate)(propt &, const bvt &);
    std::vector<std::pair<unsigned, unsigned>> nodes;
    unsigned result;
  } cases[] = {
    {"land [x,y,z]",
     [](propt &p, const bvt &v) { return p.land(v); },
     {{2, 0}, {4, 6}},
     8},
    {"lor [x,y,z]",
     [](propt &p, const bvt &v) { return p.lor(v); },
     {{3, 1}, {5, 6}},
     9},
    {"lxor [x,y]",
     [](propt &p, const bvt &v) {
       return p.lxor(bvt{v[0], v[1]});
     },
     {{3, 0}, {2, 1}, {9, 7}},
     11},
  };
  for(const auto &c : cases)
  {
    SCOPED_TRACE(c.name);
    and_grapht graph;
    and_graph_propt prop(graph);
    bvt inputs;
    for(int i = 0; i < 3; ++i)
      inputs.push_back(prop.new_variable());
    EXPECT_EQ(c.gate(prop, inputs).get(), c.result);
    ASSERT_EQ(graph.number_of_nodes(), 3 + c.nodes.size());
    for(std::size_t i = 0; i < c.nodes.size(); ++i)
    {
      const and_grapht::nodet &node = graph.nodes[3 + i];
      EXPECT_EQ(node.a.get(), c.nodes[i].first);
      EXPECT_EQ(node.b.get(), c.nodes[i].second);
    }
  }
}

// Every gate over operands drawn from constants and three inputs: the graph
// computes the gate, and its conversion into clauses forces the converted
// root to the graph's value on every input.
TEST(AndGraphProp, GraphAndItsClauseConversionComputeEveryGate)
{
  const literalt x = lit(0), y = lit(1), z = lit(2);
  for_each_gate_application(
    x, y, z, [&](const gatet &gate, const bvt &operands) {
      and_graph_formulat graph;
      and_graph_propt prop(graph);
      for(int i = 0; i < 3; ++i)
        prop.new_variable();
      graph.root_literal = gate.build(prop, operands);

      for(unsigned code = 0; code < 8; ++code)
      {
        std::vector<bool> inputs = {
          bool(code & 1), bool(code & 2), bool(code & 4)};
        ASSERT_EQ(
          value_of(graph.root_literal, evaluate(graph, inputs)),
          gate_value(gate, operands, inputs));
      }

      cnf_clause_listt cnf;
      literalt root = graph.convert(cnf);
      // A constant root converts nothing, not even the inputs.
      expect_forced(
        cnf.clause_list,
        std::max(cnf.no_variables(), 3u),
        {x, y, z},
        root,
        [&](const std::vector<bool> &assignment) {
          return value_of(graph.root_literal, evaluate(graph, assignment));
        });
    });
}

TEST(AndGraph, ConvertMapsInputNodeToVariableOfTheSameNumber)
{
  auto words = [](const bvt &literals) {
    std::vector<unsigned> result;
    for(literalt l : literals)
      result.push_back(l.get());
    return result;
  };

  and_grapht graph;
  graph.nodes.resize(3);
  recording_cnft inputs_only;
  bvt literals;
  graph.convert(inputs_only, literals);
  EXPECT_EQ(words(literals), (std::vector<unsigned>{0, 2, 4}));
  EXPECT_EQ(inputs_only.no_variables(), 3u);
  EXPECT_TRUE(inputs_only.clauses.empty());

  graph.nodes.push_back(and_node(literalt(0, false), literalt(2, true)));
  graph.nodes.push_back(and_node(lit(T), literalt(3, true)));
  recording_cnft cnf;
  graph.convert(cnf, literals);
  EXPECT_EQ(words(literals), (std::vector<unsigned>{0, 2, 4, 10, 11}));
  EXPECT_EQ(cnf.no_variables(), 6u);
  ASSERT_EQ(cnf.clauses.size(), 3u);
  EXPECT_EQ(words(cnf.clauses[0]), (std::vector<unsigned>{0, 11}));
  EXPECT_EQ(words(cnf.clauses[1]), (std::vector<unsigned>{5, 11}));
  EXPECT_EQ(words(cnf.clauses[2]), (std::vector<unsigned>{1, 4, 10}));
}

TEST(AndGraph, FormulaConversionOfConstantAndNegatedRoots)
{
  and_graph_formulat graph;
  graph.nodes.resize(2);
  graph.nodes.push_back(and_node(literalt(0, false), literalt(1, false)));
  cnf_clause_listt cnf;

  graph.root_literal = lit(F);
  EXPECT_EQ(graph.convert(cnf), lit(F));
  EXPECT_EQ(cnf.no_variables(), 1u);

  graph.root_literal = literalt(2, true);
  EXPECT_EQ(graph.convert(cnf), literalt(3, true));
}

TEST(AndGraph, TextAndGraphvizForms)
{
  and_grapht graph = sample_graph();

  EXPECT_EQ(
    printed(graph),
    "n0 = var(0)\n"
    "n1 = var(1)\n"
    "n2 = var(2)\n"
    "n3 = (var(1)&!var(2))\n"
    "n4 = (FALSE&!(var(1)&!var(2)))\n"
    "n5 = (TRUE&TRUE)\n");

  std::ostringstream dot;
  graph.output_dot(dot);
  EXPECT_EQ(
    dot.str(),
    "TRUE [label=\"TRUE\", shape=box]\n"
    "0 [label=\"0\",shape=box]\n"
    "1 [label=\"1\",shape=box]\n"
    "2 [label=\"2\",shape=box]\n"
    "3 [label=\"3\"]\n"
    "1 -> 3\n"
    "2 -> 3 [arrowhead=odiamond]\n"
    "4 [label=\"4\"]\n"
    "TRUE -> 4 [arrowhead=odiamond]\n"
    "3 -> 4 [arrowhead=odiamond]\n"
    "5 [label=\"5\"]\n"
    "TRUE -> 5\n"
    "TRUE -> 5\n");
}

TEST(AndGraph, NodeListNamesOperandsByNumber)
{
  and_graph_formulat formula;
  formula.nodes = sample_graph().nodes;
  const struct
  {
    literalt root;
    const char *line;
  } roots[] = {
    {literalt(4, true), "root = !n4\n"},
    {lit(T), "root = TRUE\n"},
    {lit(F), "root = FALSE\n"},
  };
  for(const auto &r : roots)
  {
    formula.root_literal = r.root;
    std::ostringstream out;
    formula.print_node_list(out);
    EXPECT_EQ(
      out.str(),
      std::string("n0 = var(0)\n"
                  "n1 = var(1)\n"
                  "n2 = var(2)\n"
                  "n3 = n1 & !n2\n"
                  "n4 = FALSE & !n3\n"
                  "n5 = TRUE & TRUE\n") +
        r.line);
  }
}

TEST(AndGraph, TerminalsAreTheInputsBelowEachNode)
{
  and_grapht graph = sample_graph();
  graph.nodes.push_back(and_node(literalt(0, true), literalt(4, false)));

  and_grapht::terminals_memot memo;
  graph.get_terminals(memo);
  const std::vector<std::set<unsigned>> expected = {
    {0}, {1}, {2}, {1, 2}, {1, 2}, {}, {0, 1, 2}};
  ASSERT_EQ(memo.size(), expected.size());
  for(unsigned n = 0; n < expected.size(); ++n)
    EXPECT_EQ(memo[n], expected[n]) << n;
}

// Deep graphs must not exhaust the call stack in the walks.
TEST(AndGraph, LongChainsArePrintedAndWalked)
{
  const unsigned length = 100000;
  and_grapht graph;
  graph.nodes.resize(1);
  for(unsigned n = 1; n < length; ++n)
    graph.nodes.push_back(and_node(literalt(n - 1, false), literalt(0, true)));

  and_grapht::terminals_memot memo;
  EXPECT_EQ(graph.get_terminals_rec(length - 1, memo), std::set<unsigned>{0});

  std::ostringstream out;
  graph.print_and_graph_literal(out, literalt(length - 1, false));
  EXPECT_EQ(out.str().size(), 6 + (length - 1) * 10);
}

TEST(AndGraphDeathTest, BrokenInvariantsAndConstraintsFail)
{
  and_graph_formulat graph;
  graph.nodes.push_back(and_node(literalt(0, false), literalt(0, false)));
  cnf_clause_listt cnf;
  bvt literals;
  EXPECT_DEATH(
    graph.convert(cnf, literals), "`" + condition_regex("v_a<i") + "'");
  graph.nodes[0].a = lit(T);
  EXPECT_DEATH(
    graph.convert(cnf, literals), "`" + condition_regex("v_b<i") + "'");

  graph.nodes[0] = and_grapht::nodet();
  graph.root_literal = literalt(1, true);
  EXPECT_DEATH(
    graph.convert(cnf), "`" + condition_regex("v<literals.size()") + "'");
  and_grapht::terminals_memot memo;
  EXPECT_DEATH(
    graph.get_terminals_rec(1, memo),
    "`" + condition_regex("n<nodes.size()") + "'");

  and_graph_propt prop(graph);
  EXPECT_FALSE(prop.has_set_to());
  EXPECT_DEATH(prop.lcnf(bvt()), "`0'");
  EXPECT_DEATH(prop.l_set_to(lit(0), true), "`0'");
  EXPECT_DEATH(prop.prop_solve(), "`0'");
  EXPECT_DEATH(prop.l_get(lit(0)), "`0'");
}

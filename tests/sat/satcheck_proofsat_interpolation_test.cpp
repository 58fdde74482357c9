#include "sat/satcheck_proofsat_interpolation.h"

#include "adapter_harness.h"
#include "tests/util/message_recorder.h"

#include <gtest/gtest.h>

// A = {x}, B = {-x, b}, {-b}: the only interpolant over the shared x is x
// itself. The pivot b belongs to B alone and must join with AND; joining
// it with OR would give TRUE, which B does not contradict.
TEST(SatcheckProofsatInterpolation, PivotOfBJoinsWithAndWithExactDiagnostics)
{
  message_recordert handler;
  and_graph_formulat graph;
  testing::internal::CaptureStdout();
  {
    satcheck_proofsat_interpolationt solver;
    solver.set_message_handler(&handler);
    literalt x = solver.new_variable(), b = solver.new_variable();
    solver.lcnf({x});
    solver.set_partition_id(1);
    solver.lcnf({!x, b});
    solver.lcnf({!b});
    EXPECT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);
    solver.get_interpolant(0, graph);
  }
  std::string output = testing::internal::GetCapturedStdout();

  EXPECT_EQ(
    handler.texts(),
    "6:3 variables, 0 clauses;"
    "6:SAT checker: negated claim is UNSATISFIABLE, i.e., holds;");
  // The joins with TRUE take the AND shortcut: no node beyond the inputs.
  EXPECT_EQ(graph.number_of_nodes(), 3u);
  EXPECT_EQ(graph.root_literal, literalt(1, false));
  EXPECT_EQ(
    output,
    // {x}: a root of partition 0.
    "root called\n"
    "clause number 0\n"
    "no of literals 1\n"
    "partition id 0\n"
    // {-x, b}, resolved with the unit x at once.
    "root called\n"
    "clause number 1\n"
    "no of literals 2\n"
    "partition id 1\n"
    "chain called\n"
    "clause number 2\n"
    "ids are i0 1\n"
    "ids are i1 0\n"
    "pivots are i =0 1\n"
    // {-b}, resolved with the unit b: the empty clause.
    "root called\n"
    "clause number 3\n"
    "no of literals 1\n"
    "partition id 1\n"
    "chain called\n"
    "clause number 4\n"
    "ids are i0 3\n"
    "ids are i1 2\n"
    "pivots are i =0 2\n"
    // prop_solve: the size text runs into the next line.
    "i am in prop_solve\n"
    "3 variables, 0 clausesi am here after add_variables\n"
    "PROOFSAT=UNSAT\n"
    "p_unsatisfiable\n"
    // get_interpolant
    "no of variables 3\n"
    "no of clauses 0\n"
    "3\n"
    // The fresh graph has no nodes; its root field holds literal 0.
    "and graph before is root = n0\n"
    "\n"
    "no of clauses 0\n"
    "var 00\n"
    "added variables 0\n"
    "var 01\n"
    "added variables 1\n"
    "var 02\n"
    "added variables 2\n"
    // interpolate
    "clauses[i].pid 0 0\n"
    "clauses[i].pid 1 1\n"
    "clauses[i].pid 3 1\n"
    "variables in partition 1 are \n"
    "1 \n"
    "variables in partition 2 are \n"
    "1 2 \n"
    "after union 2\n"
    "i = 0 has value 0\n"
    "i = 1 has value 1\n"
    "i = 2 has value 1\n"
    "i = 0 has value 0\n"
    "i = 1 has value 1\n"
    "i = 2 has value 0\n"
    "intersection : 1 \n"
    "shared variabled done 3\n"
    "clauses.size() 5\n"
    // build_interpolant from the empty clause
    "c_id 4\n"
    "resolved clauses 3 2 \n"
    "c_id 3\n"
    "uninteresting partition's root\n"
    "c_id 4\n"
    "c_id 2\n"
    "resolved clauses 1 0 \n"
    "c_id 1\n"
    "uninteresting partition's root\n"
    "c_id 2\n"
    "c_id 0\n"
    "interested partition's root\n"
    "c_id 0\n"
    "str_lit 1\n"
    "var(*iter_lit) 1\n"
    "var 2 0 1\n"
    "interpolant is 1\n"
    "c_id 2\n"
    "pivot variable is 1\n"
    "pivot variable global\n"
    "c_id 4\n"
    "pivot variable is 2\n"
    "pivot variable local\n"
    "interpolant is TRUE and TRUE and 1\n"
    "INTERPOLANT=TRUE and TRUE and 1\n"
    "and graph is n0 = var(0)\n"
    "n1 = var(1)\n"
    "n2 = var(2)\n"
    "root = n1\n"
    "\n");
}

// The listings name each node's operands by number: a chain of nodes each
// used twice by the next lists in a few bytes a node, where writing every
// node's whole formula doubles with each link.
TEST(SatcheckProofsatInterpolation, ListingOfASharedGraphIsLinear)
{
  const unsigned links = 16;
  and_graph_formulat graph;
  graph.nodes.resize(1);
  for(unsigned n = 1; n <= links; ++n)
  {
    and_grapht::nodet node;
    node.is_and = true;
    node.a = literalt(n - 1, false);
    node.b = literalt(n - 1, true);
    graph.nodes.push_back(node);
  }
  graph.root_literal = literalt(links, false);

  testing::internal::CaptureStdout();
  {
    satcheck_proofsat_interpolationt solver;
    literalt x = solver.new_variable();
    solver.lcnf({x});
    solver.set_partition_id(1);
    solver.lcnf({!x});
    EXPECT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);
    solver.get_interpolant(0, graph);
  }
  std::string output = testing::internal::GetCapturedStdout();

  EXPECT_NE(output.find("and graph before is n0 = var(0)\n"
                        "n1 = n0 & !n0\n"
                        "n2 = n1 & !n1\n"),
            std::string::npos);
  EXPECT_NE(output.find("n16 = n15 & !n15\n"
                        "root = n16\n\n"),
            std::string::npos);
  // The variables are nodes 17 and 18; x is the interpolant.
  EXPECT_NE(output.find("n18 = var(18)\n"
                        "root = n18\n\n"),
            std::string::npos);
  // Both listings and the other diagnostics; whole formulas would need
  // over 2^16 bytes for the last link alone.
  EXPECT_LT(output.size(), 4000u);
}

// A graph that holds nodes already gets the variables after them; an
// empty clause in A gives FALSE, one in B gives TRUE.
TEST(SatcheckProofsatInterpolation, ConstantInterpolantsAndGraphOffset)
{
  struct caset
  {
    const char *name;
    int false_clause_partition; // -1: none
    literalt expected; // with variable v at node 2 + v
  };
  const caset cases[] = {
    {"empty clause in A", 0, const_literal(false)},
    {"empty clause in B", 1, const_literal(true)},
    {"unit against unit", -1, literalt(2 + 1, false)},
  };
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.name);
    and_graph_formulat graph;
    graph.nodes.resize(2);
    testing::internal::CaptureStdout();
    {
      satcheck_proofsat_interpolationt solver;
      literalt x = solver.new_variable();
      solver.lcnf({x});
      if(c.false_clause_partition == 0)
        solver.lcnf({const_literal(false)});
      solver.set_partition_id(1);
      if(c.false_clause_partition == 1)
        solver.lcnf({const_literal(false)});
      solver.lcnf({!x});
      EXPECT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);
      solver.get_interpolant(0, graph);
    }
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(graph.number_of_nodes(), 2u + 2u);
    EXPECT_EQ(graph.root_literal, c.expected);
  }
}

// On random formulas split into A (partition p) and B (partition p + 1)
// that together are contradictory, the interpolant meets its definition:
// A implies I, I and B are contradictory, and I depends only on variables
// that occur in both.
TEST(SatcheckProofsatInterpolation, RandomInterpolantsMeetTheDefinition)
{
  std::mt19937 random(101);
  const int vars = 9;
  int checked = 0;
  for(int round = 0; checked < 120; ++round)
  {
    ASSERT_LT(round, 5000);
    // A over variables 0 .. 5, B over 3 .. 8 (in codes, before the shift
    // by one); more or fewer shared ones by chance.
    std::vector<code_clauset> a_codes, b_codes, all;
    for(int i = 0; i < 14; ++i)
      a_codes.push_back(random_clause(random, 6));
    for(int i = 0; i < 14; ++i)
    {
      code_clauset c = random_clause(random, 6);
      for(int &code : c)
        code += 2 * 3;
      b_codes.push_back(c);
    }
    all = a_codes;
    all.insert(all.end(), b_codes.begin(), b_codes.end());
    if(brute_force_satisfiable(vars, all))
      continue;
    ++checked;
    SCOPED_TRACE(round);

    int p = int(random() % 3);
    std::vector<bvt> a, b;
    for(const code_clauset &c : a_codes)
      a.push_back(shifted_clause(c));
    for(const code_clauset &c : b_codes)
      b.push_back(shifted_clause(c));

    and_graph_formulat graph;
    testing::internal::CaptureStdout();
    {
      satcheck_proofsat_interpolationt solver;
      for(int v = 0; v < vars; ++v)
        solver.new_variable();
      // The partitions' clauses interleaved, so the proof mixes them.
      for(std::size_t i = 0; i < a.size() || i < b.size(); ++i)
      {
        solver.set_partition_id(p);
        if(i < a.size())
          solver.lcnf(a[i]);
        solver.set_partition_id(p + 1);
        if(i < b.size())
          solver.lcnf(b[i]);
      }
      EXPECT_EQ(solver.prop_solve(), propt::P_UNSATISFIABLE);
      solver.get_interpolant(p, graph);
    }
    testing::internal::GetCapturedStdout();

    std::vector<bool> in_a(vars + 1), in_b(vars + 1);
    for(const bvt &c : a)
      for(literalt l : c)
        in_a[l.var_no()] = true;
    for(const bvt &c : b)
      for(literalt l : c)
        in_b[l.var_no()] = true;

    for(unsigned code = 0; code < (1u << vars); ++code)
    {
      std::vector<bool> assignment(vars + 1);
      for(int v = 0; v < vars; ++v)
        assignment[v + 1] = (code >> v) & 1;
      bool i_value = graph_value(graph, graph.root_literal, 0, assignment);
      if(satisfies(assignment, a))
      {
        ASSERT_TRUE(i_value) << "A does not imply I";
      }
      if(satisfies(assignment, b))
      {
        ASSERT_FALSE(i_value) << "I and B are satisfiable together";
      }
      for(int v = 1; v <= vars; ++v)
        if(!(in_a[v] && in_b[v]))
        {
          std::vector<bool> flipped = assignment;
          flipped[v] = !flipped[v];
          ASSERT_EQ(
            graph_value(graph, graph.root_literal, 0, flipped), i_value)
            << "I depends on variable " << v << ", not shared";
        }
    }
  }
}

namespace
{
// Whether the clauses and the graph literal (input node v standing for
// variable v) are satisfiable together, asked of the plain back end.
bool satisfiable_with(
  const std::vector<bvt> &clauses,
  const and_graph_formulat &graph,
  literalt formula)
{
  satcheck_proofsatt solver;
  and_graph_formulat copy = graph;
  copy.root_literal = formula;
  literalt image = copy.convert(solver);
  for(const bvt &clause : clauses)
    solver.lcnf(clause);
  solver.lcnf({image});
  return solver.prop_solve() == propt::P_SATISFIABLE;
}
} // namespace

// Random 3-CNFs near the threshold need real search, so their proofs chain
// learnt clauses and use them again and again. A lies over variables
// 1 .. 24 and B over 17 .. 40, so both have variables of their own. The
// interpolant is checked by solving: A and not I, and I and B, are both
// contradictory, and the graph's inputs below it are shared variables.
TEST(SatcheckProofsatInterpolation, SearchProofInterpolantsCheckedBySolving)
{
  std::mt19937 random(7);
  const unsigned vars = 40, side = 24;
  int checked = 0;
  for(int round = 0; checked < 10; ++round)
  {
    ASSERT_LT(round, 200);
    std::vector<bvt> a, b;
    std::vector<bool> in_a(vars + 1), in_b(vars + 1);
    // 90 clauses a side: mostly each side alone satisfiable, together not.
    for(int i = 0; i < 2 * 90; ++i)
    {
      bool to_a = i % 2 == 0;
      unsigned first = to_a ? 1 : vars - side + 1;
      bvt clause;
      while(clause.size() < 3)
      {
        literalt l(first + random() % side, random() % 2);
        bool repeated = false;
        for(literalt other : clause)
          repeated = repeated || other.var_no() == l.var_no();
        if(!repeated)
          clause.push_back(l);
      }
      (to_a ? a : b).push_back(clause);
      for(literalt l : clause)
        (to_a ? in_a : in_b)[l.var_no()] = true;
    }

    and_graph_formulat graph;
    literalt interpolant;
    testing::internal::CaptureStdout();
    {
      satcheck_proofsat_interpolationt solver;
      for(unsigned v = 0; v < vars; ++v)
        solver.new_variable();
      for(const bvt &clause : a)
        solver.lcnf(clause);
      solver.set_partition_id(1);
      for(const bvt &clause : b)
        solver.lcnf(clause);
      if(solver.prop_solve() == propt::P_UNSATISFIABLE)
      {
        solver.get_interpolant(0, graph);
        interpolant = graph.root_literal;
      }
    }
    testing::internal::GetCapturedStdout();
    if(graph.number_of_nodes() == 0)
      continue;
    ++checked;
    SCOPED_TRACE(round);

    EXPECT_FALSE(satisfiable_with(a, graph, !interpolant))
      << "A does not imply I";
    EXPECT_FALSE(satisfiable_with(b, graph, interpolant))
      << "I and B are satisfiable together";
    if(!interpolant.is_constant())
    {
      and_grapht::terminals_memot memo;
      for(unsigned v : graph.get_terminals_rec(interpolant.var_no(), memo))
        EXPECT_TRUE(in_a[v] && in_b[v]) << "variable " << v << " is not shared";
    }
  }
}

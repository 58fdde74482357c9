#include "sat/interpolant_proof.h"

#include "adapter_harness.h"
#include "tests/util/condition_regex.h"

#include <gtest/gtest.h>

namespace
{
void add_root(proofsat_prooft &proof, int partition, std::vector<int> codes)
{
  vec<Lit> clause;
  for(int code : codes)
    clause.push(Lit::fromIndex(code));
  proof.partition_id = partition;
  proof.root(clause);
}

void add_chain(
  proofsat_prooft &proof,
  std::vector<int> antecedents,
  std::vector<int> pivots)
{
  vec<ClauseId> cs;
  vec<Var> xs;
  for(int id : antecedents)
    cs.push(id);
  for(int v : pivots)
    xs.push(v);
  proof.chain(cs, xs);
}

// The positive literals of `count` fresh input nodes.
bvt input_literals(and_grapht &graph, unsigned count)
{
  and_graph_propt g(graph);
  bvt literals;
  for(unsigned i = 0; i < count; ++i)
    literals.push_back(g.new_variable());
  return literals;
}
} // namespace

// A = {x1 | -x2 | x3}, {-x3}; B = {-x1}, {x2}. The first root keeps its
// shared literals joined by OR; the second has none and gives FALSE,
// which the A-local pivot x3 joins by OR.
TEST(ProofsatProof, InterestingRootsKeepTheirSharedLiterals)
{
  proofsat_prooft proof;
  testing::internal::CaptureStdout();
  add_root(proof, 0, {2, 5, 6});
  add_root(proof, 0, {7});
  add_root(proof, 1, {3});
  add_root(proof, 1, {4});
  add_chain(proof, {0, 1, 2, 3}, {3, 1, 2});
  testing::internal::GetCapturedStdout();

  and_grapht graph;
  bvt literals = input_literals(graph, 4);
  std::string text;
  testing::internal::CaptureStdout();
  literalt result = proof.interpolate(literals, 0, graph, text);
  std::string output = testing::internal::GetCapturedStdout();

  EXPECT_EQ(text, "1 or -2 or  and TRUE and TRUE");
  // x1 | -x2 is one AND node over -x1 and x2, negated.
  ASSERT_EQ(graph.number_of_nodes(), 5u);
  EXPECT_EQ(result, literalt(4, true));
  EXPECT_EQ(graph.nodes[4].a, literalt(1, true));
  EXPECT_EQ(graph.nodes[4].b, literalt(2, false));

  std::string build_lines = output.substr(output.find("c_id 4\n"));
  EXPECT_EQ(
    build_lines,
    "c_id 4\n"
    "resolved clauses 0 1 2 3 \n"
    "c_id 0\n"
    "interested partition's root\n"
    "c_id 0\n"
    "str_lit 1\n"
    "var(*iter_lit) 1\n"
    "var 2 0 1\n"
    "c_id 0\n"
    "str_lit -2\n"
    "var(*iter_lit) 2\n"
    "var 4 0 2\n"
    "negation\n"
    "var 5 1 2\n"
    "interpolant is 1 or -2\n"
    "c_id 4\n"
    "c_id 1\n"
    "interested partition's root\n"
    "interpolant is \n"
    "c_id 4\n"
    "pivot variable is 3\n"
    "pivot variable local\n"
    "c_id 2\n"
    "uninteresting partition's root\n"
    "c_id 4\n"
    "pivot variable is 1\n"
    "pivot variable global\n"
    "c_id 3\n"
    "uninteresting partition's root\n"
    "c_id 4\n"
    "pivot variable is 2\n"
    "pivot variable global\n"
    "interpolant is 1 or -2 or  and TRUE and TRUE\n");
}

// The walk writes nothing itself: its lines come back as the trace, in
// the order interpolate prints them.
TEST(ProofsatProof, BuildInterpolantLeavesPrintingToItsCaller)
{
  proofsat_prooft proof;
  testing::internal::CaptureStdout();
  add_root(proof, 0, {2});
  add_root(proof, 1, {3});
  add_chain(proof, {0, 1}, {1});
  testing::internal::GetCapturedStdout();

  and_grapht graph;
  bvt literals = input_literals(graph, 2);
  and_graph_propt g(graph);
  std::string text, trace;
  testing::internal::CaptureStdout();
  proof.build_interpolant(
    text, trace, literals, g, 2, 0, {false, true}, {false, true});
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

  EXPECT_EQ(text, "1 and TRUE");
  EXPECT_EQ(
    trace,
    "c_id 2\n"
    "resolved clauses 0 1 \n"
    "c_id 0\n"
    "interested partition's root\n"
    "c_id 0\n"
    "str_lit 1\n"
    "var(*iter_lit) 1\n"
    "var 2 0 1\n"
    "interpolant is 1\n"
    "c_id 2\n"
    "c_id 1\n"
    "uninteresting partition's root\n"
    "c_id 2\n"
    "pivot variable is 1\n"
    "pivot variable global\n");
}

// Record k (from 3 on) resolves record k - 1 with itself: unfolded, the
// proof is a tree of 2^depth leaves. Each record is built once, with one
// node, and named by its number where it is met again; a deep proof needs
// no deep call stack.
TEST(ProofsatProof, SharedSubDerivationsAreBuiltOnce)
{
  for(int depth : {3, 100000})
  {
    SCOPED_TRACE(depth);
    proofsat_prooft proof;
    testing::internal::CaptureStdout();
    add_root(proof, 0, {2});
    add_root(proof, 1, {3});
    add_chain(proof, {0, 1}, {1});
    for(int k = 3; k < 3 + depth; ++k)
      add_chain(proof, {k - 1, k - 1}, {1});

    and_grapht graph;
    bvt literals = input_literals(graph, 2);
    std::string text;
    literalt result = proof.interpolate(literals, 0, graph, text);
    testing::internal::GetCapturedStdout();

    if(depth == 3)
    {
      EXPECT_EQ(text, "1 and TRUE and #2 and #3 and #4");
    }
    // land(x, x) takes no shortcut: one node per record from 3 on.
    EXPECT_EQ(graph.number_of_nodes(), 2u + unsigned(depth));
    for(bool x : {false, true})
      EXPECT_EQ(graph_value(graph, result, 0, {false, x}), x);
  }
}

TEST(ProofsatProofDeathTest, BrokenProofs)
{
  proofsat_prooft proof;
  and_grapht graph;
  bvt literals = input_literals(graph, 2);
  std::string text;
  EXPECT_DEATH(
    proof.interpolate(literals, 0, graph, text), "!clauses.empty\\(\\)");
  testing::internal::CaptureStdout();
  add_root(proof, 0, {2});
  testing::internal::GetCapturedStdout();
  // Record 1 cannot rest on itself.
  EXPECT_DEATH(add_chain(proof, {0, 1}, {1}), condition_regex("cs[i]<c_id"));
  // Nor when the record is filled in by hand.
  proof.clauses.push_back({false, {}, 0, {0, 1}, {1}});
  EXPECT_DEATH(
    proof.interpolate(literals, 0, graph, text),
    condition_regex("a >= 0 && a < f.c"));
}

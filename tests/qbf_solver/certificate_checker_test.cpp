#include "certificate_checker.h"
#include "random_qbf.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace
{
certificate_verdictt checked(const std::string &formula_text,
                             const std::string &certificate)
{
  qbf_formulat formula;
  std::string error;
  EXPECT_TRUE(parse_qdimacs(formula_text, formula, error)) << error;
  return check_certificate(formula, certificate);
}

struct casest
{
  const char *formula;
  const char *certificate;
  bool accepted;
};

void expect_verdicts(const casest *begin, const casest *end)
{
  for(const casest *c = begin; c != end; ++c)
  {
    certificate_verdictt v = checked(c->formula, c->certificate);
    EXPECT_EQ(v.accepted, c->accepted)
      << c->formula << "---\n" << c->certificate << "\n--- " << v.reason;
  }
}

const char *const forall_exists_equal = "a 1 0\ne 2 0\n-1 2 0\n1 -2 0\n";
const char *const exists_forall_equal = "e 2 0\na 1 0\n-1 2 0\n1 -2 0\n";
const char *const or_of_universals = // forall 1 2 exists 3: 3 = 1 or 2
  "a 1 2 0\ne 3 0\n-1 3 0\n-2 3 0\n1 2 -3 0\n";
} // namespace

TEST(CertificateChecker, WitnessNetworks)
{
  const casest cases[] = {
    {forall_exists_equal, "QBCertificate\nE 3 A 1 0\nCONCLUDE VALID 2 3 ", true},
    {forall_exists_equal, "QBCertificate\nE 3 A -1 0\nCONCLUDE VALID 2 3 ", false},
    {forall_exists_equal, "QBCertificate\nCONCLUDE VALID 2 1 ", true},
    {forall_exists_equal, "QBCertificate\nCONCLUDE VALID 2 -1 ", false},
    // The witness of the outer 2 may not read the inner universal 1.
    {exists_forall_equal, "QBCertificate\nE 3 A 1 0\nCONCLUDE VALID 2 3 ", false},
    {or_of_universals,
     "QBCertificate\nE 4 I 1 1 2\nE 5 A 4 0\nCONCLUDE VALID 3 5 ", true},
    {or_of_universals,
     "QBCertificate\nE 4 I 1 2 1\nE 5 A 4 0\nCONCLUDE VALID 3 5 ", false},
    {or_of_universals,
     "QBCertificate\nE 4 A -1 -2 0\nCONCLUDE VALID 3 -4 ", true},
    // Constant witnesses; an existential without a witness must hold for
    // both of its values.
    {"e 1 0\n1 0\n", "QBCertificate\nE 2 A 0\nCONCLUDE VALID 1 2 ", true},
    {"e 1 0\n1 0\n", "QBCertificate\nE 2 A 0\nCONCLUDE VALID 1 -2 ", false},
    {"e 1 0\n1 0\n", "QBCertificate\nCONCLUDE VALID ", false},
    {"e 1 0\n1 -1 0\n", "QBCertificate\nCONCLUDE VALID ", true},
    {"", "QBCertificate\nCONCLUDE VALID ", true},
    {"0\n", "QBCertificate\nCONCLUDE VALID ", false},
    // Witnesses within one block may read each other, but not in a cycle.
    {"e 1 2 0\n1 2 0\n", "QBCertificate\nCONCLUDE VALID 1 -2 ", true},
    {"e 1 2 0\n1 2 0\n",
     "QBCertificate\nE 3 A -2 0\nE 4 A -1 0\nCONCLUDE VALID 1 3 2 4 ", false},
    // Malformed networks.
    {"e 1 0\n1 0\n", "QBCertificate\nE 1 A 0\nCONCLUDE VALID 1 1 ", false},
    {"e 1 0\n1 0\n", "QBCertificate\nE 2 A 3 0\nCONCLUDE VALID 1 2 ", false},
    {"e 1 0\n1 0\n", "QBCertificate\nE 2 A 0\nE 2 A 0\nCONCLUDE VALID 1 2 ", false},
    {"e 1 0\n1 0\n", "QBCertificate\nE 2 A\nCONCLUDE VALID 1 2 ", false},
    {"e 1 0\n1 0\n", "QBCertificate\nE 2 I 0 0\nCONCLUDE VALID 1 2 ", false},
    {"e 1 0\n1 0\n", "QBCertificate\nE 2 A 0\nCONCLUDE VALID 1 2 1 2 ", false},
    {"e 1 0\n1 0\n", "QBCertificate\nE 2 A 0\nCONCLUDE VALID 1 2 \n", false},
    {"e 1 0\n1 0\n", "E 2 A 0\nCONCLUDE VALID 1 2 ", false},
    {"a 1 0\n1 -1 0\n", "QBCertificate\nE 2 A 0\nCONCLUDE VALID 1 2 ", false},
  };
  expect_verdicts(std::begin(cases), std::end(cases));
}

TEST(CertificateChecker, Refutations)
{
  const casest cases[] = {
    // Both clauses reduce to units on 2 before they are resolved.
    {exists_forall_equal, "QBCertificate\n4 0 2 1 0\nCONCLUDE INVALID 4", true},
    {exists_forall_equal, "QBCertificate\n3 0 1 2 0\nCONCLUDE INVALID 3", true},
    // In the other order nothing can be reduced: two clashes.
    {forall_exists_equal, "QBCertificate\n3 0 1 2 0\nCONCLUDE INVALID 3", false},
    // A universal unit, a clause of universals only, the empty clause line.
    {"a 1 0\ne 2 0\n2 0\n1 0\n", "QBCertificate\nCONCLUDE INVALID 2", true},
    {"a 1 2 0\n1 -2 0\n", "QBCertificate\nCONCLUDE INVALID 1", true},
    {"e 1 0\n1 0\n0\n", "QBCertificate\nCONCLUDE INVALID 2", true},
    {"e 1 0\n1 0\n0\n", "QBCertificate\nCONCLUDE INVALID 1", false},
    {"e 1 0\n1 0\n0\n", "QBCertificate\nCONCLUDE INVALID 3", false},
    // Repeated literals: the resolvent of {1, 1} and {-1, -1} is empty.
    {"1 1 0\n-1 -1 0\n", "QBCertificate\n4 0 1 2 0\nCONCLUDE INVALID 4", true},
    // A chain; entry numbers may leave gaps and may be used again.
    {"e 1 2 0\n1 2 0\n1 -2 0\n-1 2 0\n-1 -2 0\n",
     "QBCertificate\n5 1 0 1 2 0\n6 -1 0 3 4 0\n8 0 5 6 0\nCONCLUDE INVALID 8",
     true},
    {"e 1 2 0\n1 2 0\n1 -2 0\n-1 2 0\n-1 -2 0\n",
     "QBCertificate\n5 1 0 1 2 0\n5 -1 0 3 4 0\n8 0 5 6 0\nCONCLUDE INVALID 8",
     false},
    // A derived clause may keep or drop reducible literals, never others.
    {"e 1 0\na 2 0\ne 3 0\n1 2 3 0\n-3 0\n-1 0\n",
     "QBCertificate\n4 1 2 0 1 2 0\n5 0 4 3 0\nCONCLUDE INVALID 5", true},
    {"e 1 0\na 2 0\ne 3 0\n1 2 3 0\n-3 0\n-1 0\n",
     "QBCertificate\n4 1 0 1 2 0\n5 0 4 3 0\nCONCLUDE INVALID 5", true},
    {"e 1 0\na 2 0\ne 3 0\n1 2 3 0\n-3 0\n-1 0\n",
     "QBCertificate\n4 2 0 1 2 0\n5 0 4 3 0\nCONCLUDE INVALID 5", false},
    {"e 1 0\na 2 0\ne 3 0\n1 2 3 0\n-3 0\n-1 0\n",
     "QBCertificate\n4 1 2 -1 0 1 2 0\nCONCLUDE INVALID 4", false},
    // 2 and 3 are free, outside the universal 1: a derived clause may drop
    // 1, but keeping both of its signs makes a tautology.
    {"a 1 0\n1 2 0\n-1 -2 3 0\n-3 0\n",
     "QBCertificate\n4 3 0 1 2 0\n5 0 4 3 0\nCONCLUDE INVALID 5", true},
    {"a 1 0\n1 2 0\n-1 -2 3 0\n-3 0\n",
     "QBCertificate\n4 1 -1 3 0 1 2 0\n5 0 4 3 0\nCONCLUDE INVALID 5", false},
    // Malformed steps.
    {"e 1 0\n1 0\n-1 0\n", "QBCertificate\n3 0 1 9 0\nCONCLUDE INVALID 3", false},
    {"e 1 0\n1 0\n-1 0\n", "QBCertificate\n3 0 1 2\nCONCLUDE INVALID 3", false},
    {"e 1 0\n1 0\n-1 0\n", "QBCertificate\n3 0 1 2 0\nCONCLUDE INVALID 4", false},
    {"e 1 0\n1 0\n-1 0\n", "QBCertificate\n3 0 1 2 0\nCONCLUDE INVALID", false},
    {"e 1 0\n1 0\n-1 0\n", "QBCertificate\nE 3 A 0\nCONCLUDE INVALID 3", false},
  };
  expect_verdicts(std::begin(cases), std::end(cases));
}

// Variable numbers go up to 2147483646, the largest the program accepts;
// gate numbers may go beyond the range of int without meaning a variable.
TEST(CertificateChecker, LargestVariableNumberWasRefused)
{
  const char *const forall_exists_equal_large =
    "a 2147483645 0\ne 2147483646 0\n"
    "-2147483645 2147483646 0\n2147483645 -2147483646 0\n";
  const char *const exists_forall_equal_large = // as the program writes it
    "p cnf 2147483646 2\ne 2147483646 0\na 1 0\n"
    "-1 2147483646 0\n1 -2147483646 0\n";
  const casest cases[] = {
    {forall_exists_equal_large,
     "QBCertificate\nCONCLUDE VALID 2147483646 2147483645 ", true},
    {forall_exists_equal_large,
     "QBCertificate\nCONCLUDE VALID 2147483646 -2147483645 ", false},
    {forall_exists_equal_large,
     "QBCertificate\nE 2147483647 A 2147483645 0\n"
     "CONCLUDE VALID 2147483646 2147483647 ",
     true},
    {exists_forall_equal_large,
     "QBCertificate\n4 0 2 1 0\nCONCLUDE INVALID 4", true},
    {exists_forall_equal_large,
     "QBCertificate\n4 2147483646 0 2 1 0\nCONCLUDE INVALID 4", false},
    // 4294967297 is 1 when cut to 32 bits.
    {"e 1 0\n1 0\n",
     "QBCertificate\nE 4294967297 A 0\nCONCLUDE VALID 1 4294967297 ", true},
    {"e 1 0\n1 0\n",
     "QBCertificate\nE 2 A 0\nCONCLUDE VALID 4294967297 2 ", false},
  };
  expect_verdicts(std::begin(cases), std::end(cases));
}

// Clauses, resolution steps and gates of 100000 literals: reading a clause,
// matching a step's literals to its parents, walking a gate's operands for
// cycles and handing the gate to the SAT search each took time quadratic in
// the length.
TEST(CertificateChecker, LongLinesWereCheckedInQuadraticTime)
{
  const int n = 100000;
  auto run = [](int from, int to, const char *sign) {
    std::string text;
    for(int v = from; v <= to; ++v)
      text += sign + std::to_string(v) + ' ';
    return text;
  };
  const std::string universals = run(2, n, "");
  // exists 1 forall 2..n: both clauses reduce to units on 1.
  const std::string reducing = "e 1 0\na " + universals + "0\n1 " + universals +
                               "0\n-1 " + universals + "0\n";
  // forall 1..n exists n+1: n+1 = (1 and ... and n).
  const std::string last = std::to_string(n + 1), gate = std::to_string(n + 2);
  const std::string conjunction = "a " + run(1, n, "") + "0\ne " + last +
                                  " 0\n" + run(1, n, "-") + last + " 0\n";
  const struct
  {
    std::string formula, certificate;
    bool accepted;
  } cases[] = {
    {reducing,
     "QBCertificate\n3 " + universals + "0 1 2 0\nCONCLUDE INVALID 3",
     true},
    // -n is in no parent.
    {reducing,
     "QBCertificate\n3 " + run(2, n - 1, "") + std::to_string(-n) +
       " 0 1 2 0\nCONCLUDE INVALID 3",
     false},
    {conjunction,
     "QBCertificate\nE " + gate + " A " + run(1, n, "") + "0\nCONCLUDE VALID " +
       last + ' ' + gate + ' ',
     true},
    {conjunction,
     "QBCertificate\nE " + gate + " A " + run(1, n - 1, "") + "-" +
       std::to_string(n) + " 0\nCONCLUDE VALID " + last + ' ' + gate + ' ',
     false},
  };
  for(const auto &c : cases)
    EXPECT_EQ(checked(c.formula, c.certificate).accepted, c.accepted)
      << c.certificate.substr(0, 40);
}

namespace
{
// A random witness network for the formula: each chosen existential gets a
// few gates over variables of outer blocks. Returns the certificate text and
// fills `witness_gates` with each witness's gate list for brute force.
struct random_networkt
{
  struct gatet
  {
    int node;
    bool if_then_else;
    std::vector<int> operands;
  };
  std::vector<gatet> gates;
  std::vector<std::pair<int, int>> witnesses; // variable, signed node

  std::string text() const
  {
    std::string t = "QBCertificate\n";
    for(const auto &g : gates)
    {
      t += "E " + std::to_string(g.node) + (g.if_then_else ? " I" : " A");
      for(int x : g.operands)
        t += " " + std::to_string(x);
      t += g.if_then_else ? "\n" : " 0\n";
    }
    t += "CONCLUDE VALID ";
    for(const auto &w : witnesses)
      t += std::to_string(w.first) + " " + std::to_string(w.second) + " ";
    return t;
  }
};

random_networkt random_network(const qbf_formulat &f, std::uint64_t seed)
{
  std::uint64_t state = seed * 2654435761u + 1;
  auto below = [&state](std::size_t n) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::size_t>((state >> 33) % n);
  };
  random_networkt network;
  int node = f.largest_variable() + 1;
  for(std::size_t b = 0; b < f.blocks.size(); ++b)
  {
    if(!f.block_existential[b])
      continue;
    std::vector<int> outer;
    for(std::size_t o = 0; o < b; ++o)
      outer.insert(outer.end(), f.blocks[o].begin(), f.blocks[o].end());
    for(int v : f.blocks[b])
    {
      if(below(4) == 0)
        continue; // no witness: must work for both values
      std::vector<int> operands = outer;
      std::size_t count = 1 + below(3);
      for(std::size_t i = 0; i < count; ++i)
      {
        random_networkt::gatet g{node, below(3) == 0, {}};
        std::size_t arity = g.if_then_else ? 3 : below(3);
        for(std::size_t k = 0; k < arity && !operands.empty(); ++k)
        {
          int x = operands[below(operands.size())];
          g.operands.push_back(below(2) ? x : -x);
        }
        if(g.if_then_else && g.operands.size() != 3)
          g = {node, false, {}};
        network.gates.push_back(g);
        operands.push_back(node++);
      }
      int last = network.gates.back().node;
      network.witnesses.push_back({v, below(2) ? last : -last});
    }
  }
  return network;
}

// Tries every value of the variables without a witness.
bool network_satisfies(const qbf_formulat &f, const random_networkt &network)
{
  std::vector<int> inputs;
  for(const auto &entry : f.variables)
  {
    bool witnessed = false;
    for(const auto &w : network.witnesses)
      witnessed = witnessed || w.first == entry.first;
    if(!witnessed)
      inputs.push_back(entry.first);
  }
  for(unsigned bits = 0; bits < (1u << inputs.size()); ++bits)
  {
    std::map<int, bool> value;
    for(std::size_t i = 0; i < inputs.size(); ++i)
      value[inputs[i]] = (bits >> i) & 1;
    auto literal = [&value](int x) { return x > 0 ? value[x] : !value[-x]; };
    // Gates and witnesses come in block order, so operands are known.
    std::size_t next_gate = 0;
    for(const auto &w : network.witnesses)
    {
      for(; next_gate < network.gates.size() &&
            network.gates[next_gate].node <= std::abs(w.second);
          ++next_gate)
      {
        const auto &g = network.gates[next_gate];
        bool out = true;
        if(g.if_then_else)
          out = literal(g.operands[0]) ? literal(g.operands[1])
                                       : literal(g.operands[2]);
        else
          for(int x : g.operands)
            out = out && literal(x);
        value[g.node] = out;
      }
      value[w.first] = literal(w.second);
    }
    for(const auto &clause : f.clauses)
    {
      bool satisfied = false;
      for(int l : clause)
        satisfied = satisfied || literal(l);
      if(!satisfied)
        return false;
    }
  }
  return true;
}
} // namespace

// The SAT search of the checker against plain enumeration.
TEST(CertificateChecker, AgreesWithEnumerationOnRandomNetworks)
{
  unsigned accepted = 0;
  for(std::uint64_t seed = 0; seed < 600; ++seed)
  {
    qbf_formulat f;
    std::string error;
    ASSERT_TRUE(parse_qdimacs(random_qdimacs(seed), f, error));
    random_networkt network = random_network(f, seed);
    bool truth = network_satisfies(f, network);
    certificate_verdictt verdict = check_certificate(f, network.text());
    EXPECT_EQ(verdict.accepted, truth)
      << random_qdimacs(seed) << network.text() << "\n" << verdict.reason;
    accepted += verdict.accepted;
  }
  EXPECT_GT(accepted, 60u);
}
